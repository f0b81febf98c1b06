// What the stroke classifier looks at in each stroke of a character: the shape of its median
// (its direction, its turns, a hook at its end, its length), how the width of its outline runs
// along it, and where it lies among the character's other strokes. All in the data's em units.
#pragma once

#include <array>
#include <vector>

#include "tools/stroke_data/hanzi_source.h"

namespace inkwren::tools {

// Angles in degrees (0 to the right, 90 up), lengths in em units unless said.
enum Feature {
    heading,        // from the start of the body to its end
    first_heading,  // of its first straight part
    last_heading,   // of its last straight part
    median_length,
    mean_width,    // the outline's area over the median's length
    width_spread,  // the widest over the thinnest place along the median
    largest_turn,  // between straight parts, unsigned
    total_turn,    // signed, counterclockwise positive
    straight_parts,
    hook_turn,  // a short last part turning sharply, 0 without one
    hook_length,
    start_over_end_width,
    body_share,    // of the median's length, without the landing and the hook
    straightness,  // the body's chord over its length
    start_gap,     // from its start to the nearest ink of another stroke
    end_gap,
    relative_length,  // over the character's typical stroke
    centre_x,         // within the box of the character's medians, 0..1
    centre_y,
    start_width_share,  // of the widest place
    end_width_share,
    widest_place,  // along the median, 0..1
    heading_sine,
    heading_cosine,
    previous_heading,  // of the stroke written before it, -360 for the first
    previous_relative_length,
    next_heading,  // of the stroke written after it, -360 for the last
    next_relative_length,
    offset_x_from_previous,  // of its centre from the previous stroke's, in box widths
    offset_y_from_previous,
    stroke_feature_count
};

using StrokeFeatures = std::array<double, stroke_feature_count>;

// The median's ends and the points where it turns: the points that stray from a straight line
// between their neighbours by more than a twentieth of its length (at least 18 units).
std::vector<QPointF> median_corners(const std::vector<QPointF>& median);

// One set of features per stroke, in the character's stroke order.
std::vector<StrokeFeatures> stroke_features(const HanziSource& character);

}  // namespace inkwren::tools
