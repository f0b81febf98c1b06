// Laying one picture over another: the white of the upper picture counts as see-through, so a
// character drawn on white can be stamped onto a sheet without hiding what is already there.
#pragma once

#include <QImage>

namespace inkwren {

// Copies the source's non-white pixels onto the destination with the source's top-left corner at
// (x, y); only pixels landing inside the destination are written. A pixel is white when each of
// its three bytes is 250 or more, which lets slightly off-white antialiasing count as paper. A
// source that is not 24-bit, or lies wholly outside, changes nothing; a destination in another
// format is first made 24-bit.
void merge_bmp(QImage& destination, const QImage& source, int x, int y);

}  // namespace inkwren
