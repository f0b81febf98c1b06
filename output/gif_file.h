// The animated GIF file put together with giflib from images already compressed: the global
// colour table, the loop extension on the first image, each image's delay and local table.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>

#include <vector>

#include "output/gif_palette.h"

namespace inkwren {

inline constexpr int max_gif_delay = 0xFFFF;  // the delay field has 16 bits

// One image of the file: a rectangle of palette indices, compressed.
struct EncodedImage {
    QRect rect;
    int delay = 0;  // hundredths; identical frames that followed are folded in
    int min_code_size = 2;
    int transparent = -1;           // the index that leaves a pixel as it was; -1: none
    std::vector<Rgb> local_colors;  // empty: the image uses the global table
    QByteArray codes;               // the LZW code stream
};

// The smallest LZW code size for a table of that many colours.
int min_code_size(int colors);

// How the images' code streams start: all with the code size of the global table, or each
// with its own (for images whose indices stay below a part of the table).
enum class CodeSizes { of_table, of_each_image };

// The file: GIF89a, looping forever. With the table's code size, images compressed for a
// smaller global table than the final one are compressed again. Throws Error when giflib
// fails.
QByteArray gif_file(QSize size, const std::vector<Rgb>& global, std::vector<EncodedImage>& images,
                    CodeSizes code_sizes = CodeSizes::of_table);

}  // namespace inkwren
