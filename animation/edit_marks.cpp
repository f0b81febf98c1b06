#include "animation/edit_marks.h"

#include "animation/raster.h"
#include "animation/rounding.h"

namespace inkwren {
namespace {

constexpr std::int32_t frame_colour = 0x0000FF;    // red
constexpr std::int32_t polygon_colour = 0xFF0000;  // blue
constexpr int handle_half = 2;
constexpr int band_pen_width = 3;

QPoint rounded(const QPointF& point) {
    return {round_even(point.x()), round_even(point.y())};
}

QPoint rounded(const PointRecord& record) {
    return {round_even(record.x), round_even(record.y)};
}

void inverted_square(Canvas& canvas, QPoint at) {
    canvas.rectangle(at.x() - 1, at.y() - 1, at.x() + 2, at.y() + 2);
}

}  // namespace

void draw_selection_frame(QImage& image, const EdgeBox& box, bool with_handle) {
    Canvas canvas(image);
    canvas.pen_color = frame_colour;
    canvas.brush_style = BrushStyle::clear;
    canvas.rectangle(box.left, box.top, box.right, box.bottom);
    if (with_handle) {
        canvas.pen_color = black_color;
        canvas.brush_color = black_color;
        canvas.brush_style = BrushStyle::solid;
        canvas.rectangle(box.left - handle_half, box.top - handle_half, box.left + handle_half,
                         box.top + handle_half);
    }
}

void draw_point_marks(QImage& image, const TObjList& element) {
    Canvas canvas(image);
    if (!element.empty() && element.front().kind == record_kind::bezier_control) {
        canvas.pen_color = polygon_colour;
        bool first = true;
        for (const PointRecord& record : element) {
            if (is_end_marker(record)) {
                break;
            }
            if (first) {
                canvas.move_to(rounded(record));
                first = false;
            } else {
                canvas.line_to(rounded(record));
            }
        }
    }
    canvas.pen_width = 2;
    canvas.pen_color = black_color;
    canvas.pen_mode = PenMode::not_xor;
    canvas.brush_style = BrushStyle::clear;
    for (const PointRecord& record : element) {
        if (!is_end_marker(record)) {
            const QPoint at = rounded(record);
            canvas.ellipse(at.x() - 1, at.y() - 1, at.x() + 1, at.y() + 1);
        }
    }
}

void draw_band(QImage& image, QPoint anchor, QPoint corner) {
    Canvas canvas(image);
    canvas.pen_width = band_pen_width;
    canvas.pen_color = black_color;
    canvas.pen_mode = PenMode::not_xor;
    canvas.brush_style = BrushStyle::clear;
    // One closed path, so that no corner is inverted twice.
    canvas.polygon({anchor, {anchor.x(), corner.y()}, corner, {corner.x(), anchor.y()}});
}

void draw_band_marks(QImage& image, const TObjList& element) {
    QPointF first;
    QPointF last;
    if (!end_points(element, first, last)) {
        return;
    }
    Canvas canvas(image);
    canvas.pen_mode = PenMode::not_xor;
    canvas.brush_style = BrushStyle::clear;
    inverted_square(canvas, rounded(first));
    inverted_square(canvas, rounded(last));
}

bool end_points(const TObjList& element, QPointF& first, QPointF& last) {
    if (element.size() < 2 || is_end_marker(element.front())) {
        return false;
    }
    const PointRecord& before_end = element[element.size() - 2];
    if (is_end_marker(before_end)) {
        return false;
    }
    first = QPointF(element.front().x, element.front().y);
    last = QPointF(before_end.x, before_end.y);
    return true;
}

}  // namespace inkwren
