// The distance from many points to one outline: the outline's edges are filed by the cells of a
// coarse grid they touch, and each cell learns, the first time a point in it is measured, the few
// edges that can be nearest to any point in it.
#pragma once

#include <QPointF>

#include <algorithm>
#include <vector>

namespace inkwren::tools {

// The squared distance from point to the segment from a to b.
inline double squared_distance_to_segment(QPointF point, QPointF a, QPointF b) {
    const QPointF edge = b - a;
    const double squared = QPointF::dotProduct(edge, edge);
    const double along = QPointF::dotProduct(point - a, edge);
    // The division only where it is not clamped to an end anyway: it is slow.
    const double t = !(squared > 0) || along <= 0 ? 0.0 : along >= squared ? 1.0 : along / squared;
    const QPointF off = point - (a + t * edge);
    return QPointF::dotProduct(off, off);
}

// One outline's, for one thread: measuring fills in what the cells learn.
class OutlineGrid {
public:
    // The outline has at least one corner; its last corner joins its first.
    explicit OutlineGrid(const std::vector<QPointF>& outline);

    const std::vector<QPointF>& outline() const { return outline_; }

    // The same double as measuring against every edge: the nearest edge is always among those
    // looked at, and its distance is worked out the same way.
    double distance_to(QPointF point);

private:
    struct Edge {
        QPointF from;
        QPointF to;
        QPointF least;  // the corner of the box around the edge with the least coordinates
        QPointF most;
    };
    struct Candidate {
        Edge edge;
        double from_middle;  // the distance from the middle of its cell
    };
    struct Cell {
        QPointF middle;
        std::vector<Candidate> candidates;  // nearest the middle first; empty until first asked for
    };

    int column_of(double x) const;
    int row_of(double y) const;
    QPointF cell_corner(int column, int row) const;
    QPointF cell_middle(int column, int row) const;
    double squared_nearest_in_cell(int column, int row, QPointF point, double nearest) const;
    double squared_distance_by_rings(QPointF point) const;
    std::vector<Candidate> candidates_of(int column, int row) const;

    std::vector<QPointF> outline_;
    QPointF origin_;
    int columns_ = 1;
    int rows_ = 1;
    std::vector<Edge> edges_;
    std::vector<int> cell_starts_;  // a cell's edges are filed_[cell_starts_[c], cell_starts_[c+1])
    std::vector<int> filed_;        // an edge is filed in every cell it may touch
    std::vector<Cell> cells_;
};

}  // namespace inkwren::tools
