// Saving a picture as a JPEG file: baseline JPEG through libjpeg, written whole or not at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace inkwren {

// The picture as baseline JPEG bytes at quality 1 (smallest) to 100 (best), stating its
// resolution in dots per inch when one is given (libjpeg's "no unit, 1:1" otherwise). Throws
// Error naming path when libjpeg refuses the picture (an empty one, say).
QByteArray jpeg_bytes(const QImage& bitmap, int quality, const QString& path,
                      int dots_per_inch = 0);

// Encodes the picture and writes it to path, replacing any file there only once the whole
// picture is written. Throws Error naming the file when encoding or writing fails.
void jpegsave(const QImage& bitmap, const QString& path, int quality, int dots_per_inch = 0);

}  // namespace inkwren
