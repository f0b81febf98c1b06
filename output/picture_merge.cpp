#include "output/picture_merge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "animation/raster.h"
#include "output/frame_difference.h"

namespace inkwren {

namespace {

constexpr uchar white_threshold = 250;

bool is_white(const uchar* pixel) {
    return pixel[0] >= white_threshold && pixel[1] >= white_threshold &&
           pixel[2] >= white_threshold;
}

bool lies_outside(const QImage& destination, const QImage& source, int x, int y) {
    return y >= destination.height() || source.height() + y < 1 || x >= destination.width() ||
           source.width() + x < 1;
}

// The span [first, last) of source columns or rows that lands inside a destination of extent.
struct Span {
    int first;
    int last;
};

Span overlap(int offset, int source_extent, int destination_extent) {
    return {std::max(0, -offset), std::min(source_extent, destination_extent - offset)};
}

// Pictures to merge are mostly paper: runs of pure white pixels are passed over whole, eight
// bytes at a time.
constexpr int white_run = 16;

bool pure_white(const uchar* run) {
    std::array<std::uint64_t, 3 * white_run / 8> words;
    std::memcpy(words.data(), run, sizeof words);
    std::uint64_t all = ~std::uint64_t(0);
    for (const std::uint64_t word : words) {
        all &= word;
    }
    return all == ~std::uint64_t(0);
}

void merge_row(const uchar* from, uchar* to, int count) {
    for (int start = 0; start < count; start += white_run) {
        const int run = std::min(white_run, count - start);
        const uchar* block = from + 3 * start;
        if (run == white_run && pure_white(block)) {
            continue;
        }
        for (int i = 0; i < 3 * run; i += 3) {
            if (!is_white(block + i)) {
                std::copy(block + i, block + i + 3, to + 3 * start + i);
            }
        }
    }
}

}  // namespace

void merge_bmp(QImage& destination, const QImage& source, int x, int y) {
    merge_bmp_within(destination, source, x, y, destination.rect());
}

void merge_bmp_within(QImage& destination, const QImage& source, int x, int y, QRect area) {
    if (!is_24bit(source) || lies_outside(destination, source, x, y)) {
        return;
    }
    if (!is_24bit(destination)) {
        destination = to_24bit(destination);
    }
    area &= destination.rect();
    const Span columns = overlap(x - area.left(), source.width(), area.width());
    const Span rows = overlap(y - area.top(), source.height(), area.height());
    for (int row = rows.first; row < rows.last; ++row) {
        merge_row(source.constScanLine(row) + 3 * columns.first,
                  destination.scanLine(row + y) + 3 * (columns.first + x),
                  columns.last - columns.first);
    }
}

const QImage& LayeredPicture::compose(const QImage& base, int height, std::vector<Layer> layers) {
    const bool same_ground = !picture_.isNull() && base.cacheKey() == base_.cacheKey() &&
                             picture_.height() == height && layers.size() == layers_.size();
    if (same_ground) {
        changed_ = changed_areas(layers);
    } else {
        base_ = base;
        picture_ = QImage(base.width(), height, base.format());
        changed_.reset();
    }
    layers_ = std::move(layers);
    if (!changed_) {
        lay_out(picture_.rect());
        return picture_;
    }
    for (QRect& area : *changed_) {
        area &= picture_.rect();
        lay_out(area);
    }
    std::erase_if(*changed_, [](const QRect& area) { return area.isEmpty(); });
    return picture_;
}

// Where the picture may differ from the last one: where each layer changed, and where a layer
// moved or changed size, both where it was and where it is.
std::vector<QRect> LayeredPicture::changed_areas(const std::vector<Layer>& layers) const {
    std::vector<QRect> areas;
    for (std::size_t index = 0; index < layers.size(); ++index) {
        const Layer& was = layers_[index];
        const Layer& is = layers[index];
        if (was.at == is.at && was.picture.size() == is.picture.size() &&
            was.picture.format() == is.picture.format()) {
            for (const QRect& band : changed_bands(was.picture, is.picture)) {
                areas.push_back(band.translated(is.at));
            }
        } else {
            areas.push_back(QRect(was.at, was.picture.size()));
            areas.push_back(QRect(is.at, is.picture.size()));
        }
    }
    return areas;
}

void LayeredPicture::lay_out(QRect area) {
    if (area.isEmpty()) {
        return;
    }
    const std::size_t bytes = 3 * std::size_t(area.width());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uchar* row = picture_.scanLine(y) + 3 * area.left();
        if (y < base_.height()) {
            std::copy_n(base_.constScanLine(y) + 3 * area.left(), bytes, row);
        } else {
            std::fill_n(row, bytes, uchar(0xFF));
        }
    }
    for (const Layer& layer : layers_) {
        merge_bmp_within(picture_, layer.picture, layer.at.x(), layer.at.y(), area);
    }
}

}  // namespace inkwren
