// The colours of a GIF image: a palette of up to 256 colours in the order they were met, the
// pixels of a rectangle as indices into it, and giflib's median cut for a rectangle of more.
#pragma once

#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

namespace inkwren {

inline constexpr int max_gif_colors = 256;

using Rgb = std::uint32_t;  // red in the low byte, as the raster's colour values

// Colours to palette indices: an open hash table four times the largest palette.
class ColorLookup {
public:
    ColorLookup() { clear(); }

    void clear() { keys_.fill(empty); }

    // The index of the colour, or -1 when it has none.
    int find(Rgb color) const {
        for (std::size_t slot = slot_for(color);; slot = (slot + 1) & (slot_count - 1)) {
            if (keys_[slot] == color) {
                return indices_[slot];
            }
            if (keys_[slot] == empty) {
                return -1;
            }
        }
    }

    void insert(Rgb color, int index) {
        std::size_t slot = slot_for(color);
        while (keys_[slot] != empty) {
            slot = (slot + 1) & (slot_count - 1);
        }
        keys_[slot] = color;
        indices_[slot] = std::uint8_t(index);
    }

private:
    static constexpr std::size_t slot_count = 4 * max_gif_colors;
    static constexpr Rgb empty = 0xFFFFFFFF;  // no 24-bit colour has this value

    static std::size_t slot_for(Rgb color) { return (color * 2654435761u) >> (32 - 10); }

    std::array<Rgb, slot_count> keys_;
    std::array<std::uint8_t, slot_count> indices_{};
};

// Up to 256 colours in the order they were first met.
class Palette {
public:
    int size() const { return int(colors_.size()); }
    const std::vector<Rgb>& colors() const { return colors_; }

    // The colour's index, adding it when there is room; -1 when the palette is full.
    int index_of(Rgb color) {
        const int index = lookup_.find(color);
        if (index >= 0 || size() == max_gif_colors) {
            return index;
        }
        lookup_.insert(color, size());
        colors_.push_back(color);
        return size() - 1;
    }

    // Forgets the colours added after the first count.
    void truncate(int count) {
        colors_.resize(std::size_t(count));
        lookup_.clear();
        for (int index = 0; index < count; ++index) {
            lookup_.insert(colors_[std::size_t(index)], index);
        }
    }

    void assign(std::vector<Rgb> colors) {
        colors_ = std::move(colors);
        truncate(size());
    }

private:
    std::vector<Rgb> colors_;
    ColorLookup lookup_;
};

// The indices of the rectangle's pixels in the palette, row by row. When the palette runs out
// of room it is left as it was and the answer is false.
bool index_pixels(const QImage& frame, QRect rect, Palette& palette,
                  std::vector<std::uint8_t>& indices);

// The rectangle reduced to at most 256 colours by giflib's median cut; the palette becomes the
// colours chosen. Throws Error when giflib fails.
void quantize_pixels(const QImage& frame, QRect rect, Palette& palette,
                     std::vector<std::uint8_t>& indices);

}  // namespace inkwren
