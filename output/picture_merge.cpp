#include "output/picture_merge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "animation/raster.h"

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
    if (!is_24bit(source) || lies_outside(destination, source, x, y)) {
        return;
    }
    if (!is_24bit(destination)) {
        destination = to_24bit(destination);
    }
    const Span columns = overlap(x, source.width(), destination.width());
    const Span rows = overlap(y, source.height(), destination.height());
    for (int row = rows.first; row < rows.last; ++row) {
        merge_row(source.constScanLine(row) + 3 * columns.first,
                  destination.scanLine(row + y) + 3 * (columns.first + x),
                  columns.last - columns.first);
    }
}

}  // namespace inkwren
