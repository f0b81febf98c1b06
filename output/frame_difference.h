// Where two frames of an animation differ: the rectangle that holds every changed pixel, so
// that only it is compressed again or resized again.
#pragma once

#include <QImage>
#include <QRect>

namespace inkwren {

// The smallest rectangle that holds every pixel where two 24-bit pictures of one size differ;
// empty when they are the same.
QRect changed_rect(const QImage& previous, const QImage& frame);

// The smallest rectangle within the area that holds every pixel whose colour in the frame
// differs from the one shown by more than tolerance in a channel; empty when none does.
QRect noticeable_rect(const QImage& shown, const QImage& frame, QRect area, int tolerance);

}  // namespace inkwren
