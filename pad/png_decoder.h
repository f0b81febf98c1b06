// Decodes PNG pictures (the model characters of the picture dictionary) with libpng into the
// 24-bit images every layer of the pad is drawn on.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace inkwren {

// Model pictures are a few hundred pixels a side; a larger claim comes from damaged data.
inline constexpr int max_png_side = 16384;

// Any PNG colour type and bit depth becomes a QImage::Format_RGB888 image of the picture's size:
// 16-bit samples keep their high byte, and transparent pixels are laid over white, the
// transparent colour of every layer. what names the picture at the start of a sentence (for
// example "The picture of entry 3 in \"hk_kai.dat\""); every failure throws Error with it.
QImage decode_png(const QByteArray& bytes, const QString& what);

}  // namespace inkwren
