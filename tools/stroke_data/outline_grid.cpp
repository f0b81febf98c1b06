#include "tools/stroke_data/outline_grid.h"

#include <cmath>
#include <limits>

namespace inkwren::tools {
namespace {

// In the outline's units, the quickest of the sizes tried: smaller cells each learn their
// edges for fewer points, larger ones give each point more edges to look at.
constexpr double cell_side = 24;
// Edges are filed a little wider than they reach, and the searches look a little farther than
// they need, so that rounding can never hide the nearest edge.
constexpr double filing_margin = 1e-6;
constexpr double search_margin = 1e-6;

// Whether everything at least sqrt(squared_bound) away is surely farther than sqrt(nearest).
bool farther(double squared_bound, double nearest) {
    return squared_bound > nearest * (1 + search_margin) + search_margin;
}

double squared_length(double across, double down) {
    return across * across + down * down;
}

double squared_distance_to_box(QPointF point, QPointF least, QPointF most) {
    return squared_length(std::max(std::max(least.x() - point.x(), point.x() - most.x()), 0.0),
                          std::max(std::max(least.y() - point.y(), point.y() - most.y()), 0.0));
}

double squared_distance_between_boxes(QPointF least, QPointF most, QPointF other_least,
                                      QPointF other_most) {
    return squared_length(
        std::max(std::max(other_least.x() - most.x(), least.x() - other_most.x()), 0.0),
        std::max(std::max(other_least.y() - most.y(), least.y() - other_most.y()), 0.0));
}

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
    cells_.resize(std::size_t(columns_ * rows_));

    // Each edge runs from the corner before to its own corner, the first from the last corner,
    // as distance_to_outline takes them.
    QPointF previous = outline_.back();
    for (const QPointF& corner : outline_) {
        edges_.push_back(
            {previous,
             corner,
             {std::min(previous.x(), corner.x()), std::min(previous.y(), corner.y())},
             {std::max(previous.x(), corner.x()), std::max(previous.y(), corner.y())}});
        previous = corner;
    }
    auto for_each_cell_of = [&](const Edge& edge, auto&& visit) {
        for (int row = row_of(edge.least.y() - filing_margin);
             row <= row_of(edge.most.y() + filing_margin); ++row) {
            for (int column = column_of(edge.least.x() - filing_margin);
                 column <= column_of(edge.most.x() + filing_margin); ++column) {
                visit(std::size_t(row * columns_ + column));
            }
        }
    };
    cell_starts_.assign(cells_.size() + 1, 0);
    for (const Edge& edge : edges_) {
        for_each_cell_of(edge, [&](std::size_t cell) { ++cell_starts_[cell + 1]; });
    }
    for (std::size_t cell = 1; cell < cell_starts_.size(); ++cell) {
        cell_starts_[cell] += cell_starts_[cell - 1];
    }
    filed_.resize(std::size_t(cell_starts_.back()));
    std::vector<int> filled(cell_starts_.begin(), cell_starts_.end() - 1);
    for (std::size_t index = 0; index < edges_.size(); ++index) {
        for_each_cell_of(edges_[index], [&](std::size_t cell) {
            filed_[std::size_t(filled[cell]++)] = int(index);
        });
    }
}

int OutlineGrid::column_of(double x) const {
    return std::clamp(int(std::floor((x - origin_.x()) / cell_side)), 0, columns_ - 1);
}

int OutlineGrid::row_of(double y) const {
    return std::clamp(int(std::floor((y - origin_.y()) / cell_side)), 0, rows_ - 1);
}

QPointF OutlineGrid::cell_corner(int column, int row) const {
    return origin_ + QPointF(column, row) * cell_side;
}

QPointF OutlineGrid::cell_middle(int column, int row) const {
    return cell_corner(column, row) + QPointF(cell_side, cell_side) / 2;
}

double OutlineGrid::squared_nearest_in_cell(int column, int row, QPointF point,
                                            double nearest) const {
    const std::size_t cell = std::size_t(row * columns_ + column);
    for (int filing = cell_starts_[cell]; filing < cell_starts_[cell + 1]; ++filing) {
        const Edge& edge = edges_[std::size_t(filed_[std::size_t(filing)])];
        nearest = std::min(nearest, squared_distance_to_segment(point, edge.from, edge.to));
    }
    return nearest;
}

// Rings of cells around the point's cell, until every edge not yet looked at lies farther off
// than the nearest found.
double OutlineGrid::squared_distance_by_rings(QPointF point) const {
    const int column = column_of(point.x());
    const int row = row_of(point.y());
    double nearest = std::numeric_limits<double>::infinity();
    for (int ring = 0;; ++ring) {
        const int first_column = column - ring, last_column = column + ring;
        const int first_row = row - ring, last_row = row + ring;
        for (int r = std::max(first_row, 0); r <= std::min(last_row, rows_ - 1); ++r) {
            if (r == first_row || r == last_row) {
                for (int c = std::max(first_column, 0); c <= std::min(last_column, columns_ - 1);
                     ++c) {
                    nearest = squared_nearest_in_cell(c, r, point, nearest);
                }
                continue;
            }
            if (first_column >= 0) {
                nearest = squared_nearest_in_cell(first_column, r, point, nearest);
            }
            if (last_column < columns_) {
                nearest = squared_nearest_in_cell(last_column, r, point, nearest);
            }
        }
        // Past the grid's own sides lie no edges.
        double gap = std::numeric_limits<double>::infinity();
        if (first_column > 0) {
            gap = std::min(gap, point.x() - cell_corner(first_column, row).x());
        }
        if (last_column < columns_ - 1) {
            gap = std::min(gap, cell_corner(last_column + 1, row).x() - point.x());
        }
        if (first_row > 0) {
            gap = std::min(gap, point.y() - cell_corner(column, first_row).y());
        }
        if (last_row < rows_ - 1) {
            gap = std::min(gap, cell_corner(column, last_row + 1).y() - point.y());
        }
        if (gap == std::numeric_limits<double>::infinity() ||
            (gap > 0 && farther(gap * gap, nearest))) {
            return nearest;
        }
    }
}

// No point of the cell lies farther from the outline than its middle does plus half the cell's
// diagonal; an edge farther than that from the whole cell is never the nearest. They go nearest
// to the middle first, so that a point finds its nearest edge early and can stop once the rest
// are surely farther.
std::vector<OutlineGrid::Candidate> OutlineGrid::candidates_of(int column, int row) const {
    const QPointF least = cell_corner(column, row);
    const QPointF most = least + QPointF(cell_side, cell_side);
    const QPointF middle = cell_middle(column, row);
    const double half_diagonal = std::sqrt(2.0) * cell_side / 2 + search_margin;
    const double reach = std::sqrt(squared_distance_by_rings(middle)) + half_diagonal;
    // Each edge once, though filed in several of the cells.
    std::vector<bool> looked_at(edges_.size());
    std::vector<std::pair<double, int>> near;
    const int first_column = column_of(least.x() - reach),
              last_column = column_of(most.x() + reach);
    const int first_row = row_of(least.y() - reach), last_row = row_of(most.y() + reach);
    for (int r = first_row; r <= last_row; ++r) {
        for (int c = first_column; c <= last_column; ++c) {
            const std::size_t cell = std::size_t(r * columns_ + c);
            for (int filing = cell_starts_[cell]; filing < cell_starts_[cell + 1]; ++filing) {
                const std::size_t index = std::size_t(filed_[std::size_t(filing)]);
                const Edge& edge = edges_[index];
                if (looked_at[index] ||
                    farther(squared_distance_between_boxes(least, most, edge.least, edge.most),
                            reach * reach)) {
                    continue;
                }
                looked_at[index] = true;
                near.emplace_back(
                    std::sqrt(squared_distance_to_segment(middle, edge.from, edge.to)), int(index));
            }
        }
    }
    std::sort(near.begin(), near.end());
    std::vector<Candidate> candidates;
    candidates.reserve(near.size());
    for (const auto& [from_middle, index] : near) {
        candidates.push_back({edges_[std::size_t(index)], from_middle});
    }
    return candidates;
}

double OutlineGrid::distance_to(QPointF point) {
    const QPointF from_origin = point - origin_;
    if (!(from_origin.x() >= 0 && from_origin.x() < columns_ * cell_side && from_origin.y() >= 0 &&
          from_origin.y() < rows_ * cell_side)) {
        return std::sqrt(squared_distance_by_rings(point));
    }
    const int column = std::min(int(from_origin.x() / cell_side), columns_ - 1);
    const int row = std::min(int(from_origin.y() / cell_side), rows_ - 1);
    Cell& cell = cells_[std::size_t(row * columns_ + column)];
    if (cell.candidates.empty()) {
        cell.middle = cell_middle(column, row);
        cell.candidates = candidates_of(column, row);
    }
    // An edge is no nearer the point than it is to the middle less the point's way from there.
    const QPointF off_middle = point - cell.middle;
    const double way_from_middle =
        std::sqrt(QPointF::dotProduct(off_middle, off_middle)) + search_margin;
    double nearest = std::numeric_limits<double>::infinity();
    for (const Candidate& candidate : cell.candidates) {
        const double no_nearer_than = candidate.from_middle - way_from_middle;
        if (no_nearer_than > 0 && farther(no_nearer_than * no_nearer_than, nearest)) {
            break;
        }
        const Edge& edge = candidate.edge;
        if (!farther(squared_distance_to_box(point, edge.least, edge.most), nearest)) {
            nearest = std::min(nearest, squared_distance_to_segment(point, edge.from, edge.to));
        }
    }
    return std::sqrt(nearest);
}

}  // namespace inkwren::tools
