// What the stroke classifier looks at in each stroke of a character: the shape of its median
// (its direction, its turns, a hook at its end, its length), how the width of its outline runs
// along it, and where it lies among the character's other strokes. All in the data's em units.
#pragma once

#include <array>
#include <vector>

#include "tools/stroke_data/hanzi_source.h"

namespace inkwren::tools {

inline constexpr int stroke_feature_count = 19;
using StrokeFeatures = std::array<double, stroke_feature_count>;

// One set of features per stroke, in the character's stroke order.
std::vector<StrokeFeatures> stroke_features(const HanziSource& character);

}  // namespace inkwren::tools
