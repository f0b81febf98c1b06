#include "output/gif_table_order.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>

#include "output/gif_lzw.h"

namespace inkwren {
namespace {

std::size_t pixel_count(const EncodedImage& image) {
    return std::size_t(image.rect.width()) * std::size_t(image.rect.height());
}

std::vector<std::uint8_t> image_indices(const EncodedImage& image) {
    return lzw_decompress(image.codes, image.min_code_size, pixel_count(image));
}

// The entries in order of the pixels showing them, most first (the earlier entry first of
// two as often shown): the new index of each old one.
std::vector<std::uint8_t> order_of_use(std::size_t entries,
                                       const std::vector<EncodedImage>& images) {
    std::vector<std::size_t> uses(entries + 1);  // the last counts indices past the table
    for (const EncodedImage& image : images) {
        for (const std::uint8_t index : image_indices(image)) {
            if (int(index) != image.transparent) {
                ++uses[std::min<std::size_t>(index, entries)];
            }
        }
    }
    std::vector<std::size_t> by_use(entries);
    std::iota(by_use.begin(), by_use.end(), std::size_t(0));
    std::stable_sort(by_use.begin(), by_use.end(),
                     [&uses](std::size_t a, std::size_t b) { return uses[a] > uses[b]; });
    std::vector<std::uint8_t> renumbered(max_gif_colors);
    for (std::size_t rank = 0; rank < entries; ++rank) {
        renumbered[by_use[rank]] = std::uint8_t(rank);
    }
    return renumbered;
}

// Renumbers the image's indices; its transparent pixels take the lowest index it leaves free.
void renumber(EncodedImage& image, const std::vector<std::uint8_t>& renumbered) {
    std::vector<std::uint8_t> indices = image_indices(image);
    std::vector<bool> transparent(indices.size());
    std::array<bool, max_gif_colors + 1> used{};
    for (std::size_t i = 0; i < indices.size(); ++i) {
        transparent[i] = int(indices[i]) == image.transparent;
        if (!transparent[i]) {
            indices[i] = renumbered[indices[i]];
            used[indices[i]] = true;
        }
    }
    int highest = 0;
    if (image.transparent >= 0) {
        const int free_index = int(std::find(used.begin(), used.end(), false) - used.begin());
        for (std::size_t i = 0; i < indices.size(); ++i) {
            if (transparent[i]) {
                indices[i] = std::uint8_t(free_index);
            }
        }
        image.transparent = free_index;
        highest = free_index;
    }
    for (int index = max_gif_colors - 1; index > highest; --index) {
        if (used[std::size_t(index)]) {
            highest = index;
            break;
        }
    }
    image.min_code_size = min_code_size(highest + 1);
    image.codes = lzw_compress(indices.data(), indices.size(), image.min_code_size);
}

}  // namespace

void order_table_by_use(std::vector<Rgb>& colors, std::vector<EncodedImage>& images) {
    const std::vector<std::uint8_t> renumbered = order_of_use(colors.size(), images);
    std::vector<Rgb> ordered(colors.size());
    for (std::size_t old = 0; old < colors.size(); ++old) {
        ordered[renumbered[old]] = colors[old];
    }
    colors = std::move(ordered);
    for (EncodedImage& image : images) {
        renumber(image, renumbered);
        if (image.transparent >= int(colors.size())) {
            colors.resize(std::size_t(image.transparent) + 1);
        }
    }
}

}  // namespace inkwren
