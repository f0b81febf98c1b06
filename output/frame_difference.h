// Where two frames of an animation differ: the rectangle that holds every changed pixel, so
// that only it is compressed again or resized again.
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

namespace inkwren {

// The smallest rectangle that holds every pixel where two 24-bit pictures of one size differ;
// empty when they are the same.
QRect changed_rect(const QImage& previous, const QImage& frame);

// The smallest rectangle within the area that holds every pixel whose colour in the frame
// differs from the one shown by more than tolerance in a channel; empty when none does.
QRect noticeable_rect(const QImage& shown, const QImage& frame, QRect area, int tolerance);

// The same cut into bands, top to bottom: each band holds a run of rows in which pixels differ
// (runs a few rows apart are joined) and is as wide as the differences in its rows. A new stroke
// and a new number below it make two narrow bands where their rectangle would be wide and tall.
std::vector<QRect> changed_bands(const QImage& previous, const QImage& frame);

}  // namespace inkwren
