// Encodes pictures as PNG files with libpng, for the picture dictionary the writing pad reads.
// The same picture always gives the same bytes: no time stamp, no text chunks.
#pragma once

#include <QByteArray>
#include <QImage>

namespace inkwren::tools {

// An 8-bit indexed image becomes a palette PNG whose bit depth is the smallest that holds its
// colour table (1, 2, 4 or 8 bits); any other image becomes 8-bit RGB. Throws Error with
// libpng's message when the picture cannot be encoded (for example a null image).
QByteArray encode_png(const QImage& image);

}  // namespace inkwren::tools
