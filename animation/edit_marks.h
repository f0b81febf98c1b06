// What the stroke editor draws over the character at rest: the selected element's frame and
// resize handle, the marks on its points, the rubber band, and the marks of the elements the
// band selected.
#pragma once

#include <QImage>
#include <QPoint>

#include "animation/element_geometry.h"
#include "strokes/linelist.h"

namespace inkwren {

// A one-pixel red frame around the box; with the handle, a black square on its top-left corner.
void draw_selection_frame(QImage& image, const EdgeBox& box, bool with_handle);

// A small inverted circle on every point of the element, and a Bezier element's control
// polygon in blue.
void draw_point_marks(QImage& image, const TObjList& element);

// The rubber band from its anchor to its corner, inverted so it shows on any ground.
void draw_band(QImage& image, QPoint anchor, QPoint corner);

// The first and last points of an element the band selected, each with a small inverted square.
void draw_band_marks(QImage& image, const TObjList& element);

// Whether the element has a first and a last point (the one before its closing end marker)
// and where they are.
bool end_points(const TObjList& element, QPointF& first, QPointF& last);

}  // namespace inkwren
