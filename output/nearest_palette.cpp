#include "output/nearest_palette.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace inkwren {
namespace {

int channel(Rgb color, int shift) {
    return int((color >> shift) & 0xFF);
}

int largest_difference(Rgb a, Rgb b) {
    return std::max({std::abs(channel(a, 0) - channel(b, 0)),
                     std::abs(channel(a, 8) - channel(b, 8)),
                     std::abs(channel(a, 16) - channel(b, 16))});
}

int squared_distance(Rgb a, Rgb b) {
    int sum = 0;
    for (const int shift : {0, 8, 16}) {
        const int d = channel(a, shift) - channel(b, shift);
        sum += d * d;
    }
    return sum;
}

Rgb rgb_at(const uchar* pixel) {
    return Rgb(pixel[0]) | (Rgb(pixel[1]) << 8) | (Rgb(pixel[2]) << 16);
}

}  // namespace

NearestPalette::NearestPalette(int tolerance, int max_colors)
    : tolerance_(tolerance), max_colors_(max_colors) {}

int NearestPalette::nearest_entry(Rgb color) const {
    int best = -1;
    int best_distance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < colors_.size(); ++i) {
        // An entry within tolerance comes before any beyond it.
        const int distance = squared_distance(color, colors_[i]) +
                             (largest_difference(color, colors_[i]) > tolerance_ ? 1 << 20 : 0);
        if (distance < best_distance) {
            best_distance = distance;
            best = int(i);
        }
    }
    return best;
}

std::uint8_t NearestPalette::index_of(Rgb color) {
    if (const auto known = given_.find(color); known != given_.end()) {
        return known->second;
    }
    int index = nearest_entry(color);
    const bool room = int(colors_.size()) < max_colors_ && given_.size() < max_remembered;
    if (room &&
        (index < 0 || largest_difference(color, colors_[std::size_t(index)]) > tolerance_)) {
        index = int(colors_.size());
        colors_.push_back(color);
    }
    if (given_.size() < max_remembered) {
        given_.emplace(color, std::uint8_t(index));
    }
    return std::uint8_t(index);
}

void NearestPalette::index_pixels(const QImage& frame, QRect rect,
                                  std::vector<std::uint8_t>& indices, std::vector<Rgb>& colors) {
    const std::size_t count = std::size_t(rect.width()) * std::size_t(rect.height());
    colors.resize(count);
    Rgb* color = colors.data();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* pixel = frame.constScanLine(y) + rect.left() * 3;
        for (int x = 0; x < rect.width(); ++x, pixel += 3) {
            *color++ = rgb_at(pixel);
        }
    }
    take_new_colors(colors);
    indices.resize(count);
    Rgb last_color = 0xFFFFFFFF;  // no 24-bit colour
    std::uint8_t last_index = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (colors[i] != last_color) {
            last_color = colors[i];
            last_index = index_of(last_color);
        }
        indices[i] = last_index;
    }
}

void NearestPalette::take_new_colors(const std::vector<Rgb>& colors) {
    std::unordered_map<Rgb, int> counts;
    for (const Rgb color : colors) {
        if (given_.count(color) == 0) {
            ++counts[color];
        }
    }
    std::vector<std::pair<int, Rgb>> by_count;  // the count negated: the most frequent first
    by_count.reserve(counts.size());
    for (const auto& [color, count] : counts) {
        by_count.emplace_back(-count, color);
    }
    std::sort(by_count.begin(), by_count.end());
    for (const auto& entry : by_count) {
        index_of(entry.second);
    }
}

std::size_t NearestPalette::memory_used() const {
    // A node of the map holds the pair, the hash link and the cached hash.
    const std::size_t node = sizeof(std::pair<const Rgb, std::uint8_t>) + 2 * sizeof(void*);
    return colors_.capacity() * sizeof(Rgb) + given_.size() * node +
           given_.bucket_count() * sizeof(void*);
}

}  // namespace inkwren
