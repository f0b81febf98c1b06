// Every coordinate the player draws or expands is rounded to the nearest whole pixel with ties
// to even (2.5 becomes 2, 3.5 becomes 4), so strokes land on the same pixels however they are
// reached.
#pragma once

#include <cmath>

namespace inkwren {

inline int round_even(double value) {
    return int(std::nearbyint(value));
}

}  // namespace inkwren
