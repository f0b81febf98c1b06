// Where two frames of an animation differ: the rectangle that holds every changed pixel, so
// that only it is compressed again or resized again.
#pragma once

#include <QImage>
#include <QRect>

namespace inkwren {

// The smallest rectangle that holds every pixel where two 24-bit pictures of one size differ;
// empty when they are the same.
QRect changed_rect(const QImage& previous, const QImage& frame);

}  // namespace inkwren
