// One colour table for every image of a resampled capture. Resampling blends the pad's few
// colours into thousands; each colour met takes the nearest entry when that is close enough and
// becomes an entry of its own otherwise, so the table holds what the capture shows and no image
// needs a table of its own.
#pragma once

#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "output/gif_palette.h"

namespace inkwren {

class NearestPalette {
public:
    // tolerance: the largest difference in a channel a colour is shown with while the table
    // has room; max_colors: the room.
    explicit NearestPalette(int tolerance, int max_colors = max_gif_colors);

    const std::vector<Rgb>& colors() const { return colors_; }

    // The entry a colour is shown with. A colour keeps the entry it was first given, so a pixel
    // that did not change between frames keeps its index.
    std::uint8_t index_of(Rgb color);

    // The rectangle's pixels, row by row: their colours and their entries. The colours new to
    // the table are taken most frequent first, so a colour covering an area becomes an entry
    // as it is and the blends at its edges go to it.
    void index_pixels(const QImage& frame, QRect rect, std::vector<std::uint8_t>& indices,
                      std::vector<Rgb>& colors);

    std::size_t memory_used() const;

private:
    // Beyond this many colours met, a new one takes the nearest entry without being kept: the
    // memory stays bounded on a long capture.
    static constexpr std::size_t max_remembered = 1 << 16;

    int nearest_entry(Rgb color) const;
    void take_new_colors(const std::vector<Rgb>& colors);

    int tolerance_;
    int max_colors_;
    std::vector<Rgb> colors_;
    std::unordered_map<Rgb, std::uint8_t> given_;  // the colours met and their entries
};

}  // namespace inkwren
