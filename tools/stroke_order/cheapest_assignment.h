// The cheapest one-to-one assignment of rows to columns of a square cost matrix (the Hungarian
// method, O(n³)).
#pragma once

#include <vector>

namespace inkwren::tools {

// For each row, its column.
std::vector<int> cheapest_assignment(const std::vector<std::vector<double>>& cost);

}  // namespace inkwren::tools
