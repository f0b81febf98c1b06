// The distance from many points to one outline: the outline's edges are filed by the cells of a
// coarse grid they touch, so each point is measured against the edges near it only.
#pragma once

#include <QPointF>

#include <algorithm>
#include <vector>

namespace inkwren::tools {

inline double squared_distance_to_segment(QPointF point, QPointF a, QPointF b) {
    const QPointF edge = b - a;
    const double squared = QPointF::dotProduct(edge, edge);
    const double t =
        squared > 0 ? std::clamp(QPointF::dotProduct(point - a, edge) / squared, 0.0, 1.0) : 0.0;
    const QPointF off = point - (a + t * edge);
    return QPointF::dotProduct(off, off);
}

class OutlineGrid {
public:
    // The outline has at least one corner; its last corner joins its first.
    explicit OutlineGrid(const std::vector<QPointF>& outline);

    const std::vector<QPointF>& outline() const { return outline_; }

    // The same double as measuring against every edge: the nearest edge is always among those
    // looked at, and its distance is worked out the same way.
    double distance_to(QPointF point) const;

private:
    struct Edge {
        QPointF from;
        QPointF to;
    };

    int column_of(double x) const;
    int row_of(double y) const;
    double nearest_in_cell(int column, int row, QPointF point, double nearest) const;

    std::vector<QPointF> outline_;
    QPointF origin_;
    int columns_ = 1;
    int rows_ = 1;
    std::vector<int> cell_starts_;  // a cell's edges are edges_[cell_starts_[c], cell_starts_[c+1])
    std::vector<Edge> edges_;       // an edge appears in every cell it may touch
};

}  // namespace inkwren::tools
