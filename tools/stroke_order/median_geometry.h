// Lengths along a stroke's median, shared by the stroke features and the cutting of strokes.
#pragma once

#include <QPointF>

#include <cmath>
#include <vector>

namespace inkwren::tools {

inline double distance(QPointF a, QPointF b) {
    const QPointF step = a - b;
    return std::sqrt(QPointF::dotProduct(step, step));
}

inline double length_of(const std::vector<QPointF>& path) {
    double length = 0;
    for (size_t point = 1; point < path.size(); ++point) {
        length += distance(path[point - 1], path[point]);
    }
    return length;
}

}  // namespace inkwren::tools
