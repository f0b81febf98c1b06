// Compares two curves by shape alone, wherever they lie and whatever their size: both are
// centred and scaled to a unit size, then measured by their discrete Fréchet distance, the
// drawing turned a little either way to forgive a slant.
#pragma once

#include "practice/polyline.h"

namespace inkwren {

// The points moved so their centroid is the origin and scaled so their root-mean-square
// distance from it is 1. A curve smaller than smallest_size (in its own units) is scaled as if
// it were that size, so that a tiny stroke's jitter is not blown up into a shape.
Polyline normalised_shape(const Polyline& points, double smallest_size);

// The discrete Fréchet distance: the shortest leash that lets two walkers go along the curves'
// points, each only forwards. Both curves need points.
double frechet_distance(const Polyline& a, const Polyline& b);

// The smallest Fréchet distance between the shapes with the drawn one turned about the origin by
// every step from -max_degrees to max_degrees.
double rotated_frechet_distance(const Polyline& drawn_shape, const Polyline& model_shape,
                                double max_degrees, double step_degrees);

}  // namespace inkwren
