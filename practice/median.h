// The line the pen runs along in each stroke of a character, as the practice judge compares a
// learner's writing with it: in em units of the stroke data (y up), whatever the pad's zoom.
#pragma once

#include <vector>

#include "practice/polyline.h"
#include "strokes/linelist.h"

namespace inkwren {

// A stroke's median: the pen's positions in writing order, without repeats. Empty for a stroke
// with nothing to follow, which a learner is never asked to write.
using Median = Polyline;

// One median a stroke, counted as a learner counts them (animation/stroke_model.h), from the
// strokes as a pad of this zoom holds them. Pen points and the points of curves make up a
// median; pen-up markers, end markers and marks (fill seeds, flash bars, move points) do not.
std::vector<Median> medians_of(const TLineList& lines, double scale);

// Pad pixels of a pad with this zoom to em units, and back.
QPointF em_of_pad_point(QPointF pad_point, double scale);
QPointF pad_point_of_em(QPointF em_point, double scale);

}  // namespace inkwren
