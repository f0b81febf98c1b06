#include "output/worksheet_drawing.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <utility>

#include "output/polyline_pen.h"

namespace inkwren {
namespace {

constexpr int darkest_trace = 140;
constexpr int lightest_trace = 215;
constexpr double inner_line_share = 0.5;  // of the frame's width
// Dashes and gaps in the inner lines' widths: long enough to read as dashes on paper, where
// Qt's own pattern comes out as a grey solid line.
const QList<qreal> inner_dashes = {6, 4};

using PathPen = PolylinePen<QPolygonF, double>;

}  // namespace

std::vector<QLineF> grid_inner_lines(WorksheetGrid grid, const QRectF& square) {
    const QPointF centre = square.center();
    if (grid == WorksheetGrid::nine) {
        std::vector<QLineF> lines;
        for (const double third : {1.0 / 3, 2.0 / 3}) {
            const double x = square.left() + third * square.width();
            const double y = square.top() + third * square.height();
            lines.emplace_back(x, square.top(), x, square.bottom());
            lines.emplace_back(square.left(), y, square.right(), y);
        }
        return lines;
    }
    std::vector<QLineF> lines = {{centre.x(), square.top(), centre.x(), square.bottom()},
                                 {square.left(), centre.y(), square.right(), centre.y()}};
    if (grid == WorksheetGrid::mi) {
        lines.emplace_back(square.topLeft(), square.bottomRight());
        lines.emplace_back(square.topRight(), square.bottomLeft());
    }
    return lines;
}

void draw_practice_square(QPainter& painter, const QRectF& square, WorksheetGrid grid,
                          const QColor& colour, double frame_width) {
    painter.setBrush(Qt::NoBrush);
    QPen dashed(colour, frame_width * inner_line_share);
    dashed.setDashPattern(inner_dashes);
    painter.setPen(dashed);
    const std::vector<QLineF> lines = grid_inner_lines(grid, square);
    painter.drawLines(lines.data(), int(lines.size()));
    painter.setPen(QPen(colour, frame_width));
    painter.drawRect(square);
}

QColor trace_grey(int index, int count) {
    const int steps = std::max(count - 1, 1);
    const int grey = darkest_trace + (lightest_trace - darkest_trace) * index / steps;
    return {grey, grey, grey};
}

bool has_flash_step(const TObjList& stroke) {
    return std::any_of(stroke.begin(), stroke.end(), [](const PointRecord& record) {
        return !is_end_marker(record) && record.kind == record_kind::flash_step;
    });
}

void draw_stroke_paths(QPainter& painter, const TObjList& stroke, double coord_scale,
                       const std::function<QColor(const PointRecord&)>& colour_of) {
    PathPen pen(painter);
    draw_stroke_records(
        pen, stroke,
        [coord_scale](const PointRecord& record) {
            return QPointF(record.x * coord_scale, record.y * coord_scale);
        },
        [&](const PointRecord& record) {
            return std::pair(record.pen_width * coord_scale, colour_of(record));
        });
}

}  // namespace inkwren
