// Plain geometry on polylines (lists of points joined in order) that the stroke judge measures
// with: length, even resampling, and how far points lie from a line.
#pragma once

#include <QPointF>

#include <vector>

namespace inkwren {

using Polyline = std::vector<QPointF>;

// The points with consecutive repeats left out.
Polyline without_repeats(const Polyline& points);

double polyline_length(const Polyline& points);

// count points evenly spaced along the line, its first and last point included; a line of one
// point (or of no length) gives that point count times. Nothing for no points.
Polyline resampled(const Polyline& points, int count);

double distance_to_segment(QPointF point, QPointF a, QPointF b);

// The distance from the point to the nearest point of the line (of at least one point).
double distance_to_polyline(QPointF point, const Polyline& line);

// The mean of the points' distances to the line.
double mean_distance(const Polyline& points, const Polyline& line);

Polyline reversed(Polyline points);

}  // namespace inkwren
