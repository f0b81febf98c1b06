#include "tools/stroke_data/outline_grid.h"

#include <cmath>
#include <limits>

namespace inkwren::tools {
namespace {

// In the outline's units: about a third of a typical stroke's width, so a point deep inside a
// stroke finds its nearest edge a few rings of cells out.
constexpr double cell_side = 16;
// Edges are filed a little wider than they reach, and the search stops a little later than it
// could, so that rounding can never hide the nearest edge.
constexpr double filing_margin = 1e-6;
constexpr double stopping_margin = 1e-6;

}  // namespace

OutlineGrid::OutlineGrid(const std::vector<QPointF>& outline) : outline_(outline) {
    double left = outline_.front().x(), right = left;
    double top = outline_.front().y(), bottom = top;
    for (const QPointF& corner : outline_) {
        left = std::min(left, corner.x());
        right = std::max(right, corner.x());
        top = std::min(top, corner.y());
        bottom = std::max(bottom, corner.y());
    }
    origin_ = {left, top};
    columns_ = int((right - left) / cell_side) + 1;
    rows_ = int((bottom - top) / cell_side) + 1;

    // Each edge runs from the corner before to its own corner, the first from the last corner,
    // in the order distance_to_outline takes them.
    std::vector<Edge> edges;
    QPointF previous = outline_.back();
    for (const QPointF& corner : outline_) {
        edges.push_back({previous, corner});
        previous = corner;
    }
    auto for_each_cell_of = [&](const Edge& edge, auto&& visit) {
        const int first_column = column_of(std::min(edge.from.x(), edge.to.x()) - filing_margin);
        const int last_column = column_of(std::max(edge.from.x(), edge.to.x()) + filing_margin);
        const int first_row = row_of(std::min(edge.from.y(), edge.to.y()) - filing_margin);
        const int last_row = row_of(std::max(edge.from.y(), edge.to.y()) + filing_margin);
        for (int row = first_row; row <= last_row; ++row) {
            for (int column = first_column; column <= last_column; ++column) {
                visit(row * columns_ + column);
            }
        }
    };
    cell_starts_.assign(std::size_t(columns_ * rows_ + 1), 0);
    for (const Edge& edge : edges) {
        for_each_cell_of(edge, [&](int cell) { ++cell_starts_[std::size_t(cell) + 1]; });
    }
    for (std::size_t cell = 1; cell < cell_starts_.size(); ++cell) {
        cell_starts_[cell] += cell_starts_[cell - 1];
    }
    edges_.resize(std::size_t(cell_starts_.back()));
    std::vector<int> filled(cell_starts_.begin(), cell_starts_.end() - 1);
    for (const Edge& edge : edges) {
        for_each_cell_of(edge, [&](int cell) { edges_[std::size_t(filled[cell]++)] = edge; });
    }
}

int OutlineGrid::column_of(double x) const {
    return std::clamp(int(std::floor((x - origin_.x()) / cell_side)), 0, columns_ - 1);
}

int OutlineGrid::row_of(double y) const {
    return std::clamp(int(std::floor((y - origin_.y()) / cell_side)), 0, rows_ - 1);
}

double OutlineGrid::nearest_in_cell(int column, int row, QPointF point, double nearest) const {
    const std::size_t cell = std::size_t(row * columns_ + column);
    for (int index = cell_starts_[cell]; index < cell_starts_[cell + 1]; ++index) {
        const Edge& edge = edges_[std::size_t(index)];
        nearest = std::min(nearest, squared_distance_to_segment(point, edge.from, edge.to));
    }
    return nearest;
}

double OutlineGrid::distance_to(QPointF point) const {
    const int column = column_of(point.x());
    const int row = row_of(point.y());
    double nearest = std::numeric_limits<double>::infinity();
    // Rings of cells around the point's cell, until every edge not yet looked at lies farther
    // off than the nearest found.
    for (int ring = 0;; ++ring) {
        const int first_column = column - ring, last_column = column + ring;
        const int first_row = row - ring, last_row = row + ring;
        for (int r = std::max(first_row, 0); r <= std::min(last_row, rows_ - 1); ++r) {
            if (r == first_row || r == last_row) {
                for (int c = std::max(first_column, 0); c <= std::min(last_column, columns_ - 1);
                     ++c) {
                    nearest = nearest_in_cell(c, r, point, nearest);
                }
                continue;
            }
            if (first_column >= 0) {
                nearest = nearest_in_cell(first_column, r, point, nearest);
            }
            if (last_column < columns_) {
                nearest = nearest_in_cell(last_column, r, point, nearest);
            }
        }
        // Past the grid's own sides lie no edges.
        double gap = std::numeric_limits<double>::infinity();
        if (first_column > 0) {
            gap = std::min(gap, point.x() - (origin_.x() + first_column * cell_side));
        }
        if (last_column < columns_ - 1) {
            gap = std::min(gap, origin_.x() + (last_column + 1) * cell_side - point.x());
        }
        if (first_row > 0) {
            gap = std::min(gap, point.y() - (origin_.y() + first_row * cell_side));
        }
        if (last_row < rows_ - 1) {
            gap = std::min(gap, origin_.y() + (last_row + 1) * cell_side - point.y());
        }
        if (gap == std::numeric_limits<double>::infinity() ||
            (gap > 0 && gap * gap > nearest * (1 + stopping_margin) + stopping_margin)) {
            break;
        }
    }
    return std::sqrt(nearest);
}

}  // namespace inkwren::tools
