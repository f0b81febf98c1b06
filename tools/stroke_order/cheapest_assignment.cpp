#include "tools/stroke_order/cheapest_assignment.h"

#include <limits>

namespace inkwren::tools {

// Rows and columns are counted from 1 here; row 0 and column 0 stand for "none".
std::vector<int> cheapest_assignment(const std::vector<std::vector<double>>& cost) {
    const int size = int(cost.size());
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<double> row_potential(size + 1), column_potential(size + 1);
    std::vector<int> row_of(size + 1), way(size + 1);
    for (int row = 1; row <= size; ++row) {
        row_of[0] = row;
        int column = 0;
        std::vector<double> slack(size + 1, infinity);
        std::vector<bool> used(size + 1, false);
        do {
            used[column] = true;
            const int current = row_of[column];
            double delta = infinity;
            int next = 0;
            for (int candidate = 1; candidate <= size; ++candidate) {
                if (used[candidate]) {
                    continue;
                }
                const double reduced = cost[current - 1][candidate - 1] - row_potential[current] -
                                       column_potential[candidate];
                if (reduced < slack[candidate]) {
                    slack[candidate] = reduced;
                    way[candidate] = column;
                }
                if (slack[candidate] < delta) {
                    delta = slack[candidate];
                    next = candidate;
                }
            }
            for (int candidate = 0; candidate <= size; ++candidate) {
                if (used[candidate]) {
                    row_potential[row_of[candidate]] += delta;
                    column_potential[candidate] -= delta;
                } else {
                    slack[candidate] -= delta;
                }
            }
            column = next;
        } while (row_of[column] != 0);
        do {
            const int previous = way[column];
            row_of[column] = row_of[previous];
            column = previous;
        } while (column != 0);
    }
    std::vector<int> column_of(size);
    for (int column = 1; column <= size; ++column) {
        column_of[row_of[column] - 1] = column - 1;
    }
    return column_of;
}

}  // namespace inkwren::tools
