// The drawing side of the animation player: the background with its practice grid, record
// lists as lines, fills and marks, and the character at rest.
#include <QPainter>

#include "animation/animationplayer.h"
#include "animation/beziers.h"
#include "animation/layers.h"
#include "animation/raster.h"
#include "animation/rounding.h"

namespace inkwren {
namespace {

constexpr std::int32_t grid_color = 0xFFAA00;
constexpr int grid_pen_width = 2;
constexpr double grid_share_of_pad = 0.875;
constexpr int seed_mark_half_width = 10;
constexpr double bezier_step = 0.1;
constexpr double bezier_drag_step = 0.6;

QPoint rounded(const PointRecord& record) {
    return {round_even(record.x), round_even(record.y)};
}

void draw_seed_triangle(Canvas& canvas, const PointRecord& record, std::int32_t outline) {
    const QPoint at = rounded(record);
    const int saved_width = canvas.pen_width;
    canvas.pen_width = 1;
    canvas.pen_color = outline;
    canvas.brush_color = record.fill_color;
    canvas.brush_style = BrushStyle::solid;
    canvas.polygon({at, at + QPoint(-seed_mark_half_width, -seed_mark_half_width),
                    at + QPoint(seed_mark_half_width, -seed_mark_half_width)});
    canvas.pen_width = saved_width;
}

}  // namespace

// How a walk over a record list draws: which colour, whether fill seeds get their marks (the
// on-image drawing and its twin), whether Bezier elements are drawn, and the factor pen widths
// are drawn at.
struct TAnimationPlayer::RecordStyle {
    std::int32_t colour = 0;
    bool set_colour = false;
    std::int32_t mono_colour = 0;
    bool mono = false;
    bool marks = false;
    bool beziers = false;
    double width_scale = 1.0;
};

void TAnimationPlayer::reset_background() {
    QImage working = make_bitmap(pad_w, pad_h);
    {
        Canvas canvas(working);
        canvas.brush_color = bg_color;
        canvas.rectangle(0, 0, pad_w, pad_h);  // the default black pen leaves a frame
        if (!back_pic_file.isEmpty() && !back_pic.isNull()) {
            const int dx = back_pic.width() < pad_w ? (pad_w - back_pic.width()) / 2 : 0;
            const int dy = back_pic.height() < pad_h ? (pad_h - back_pic.height()) / 2 : 0;
            canvas.draw_picture({dx, dy}, back_pic);
        }
    }
    ink_bmp = make_bitmap(pad_w, pad_h);
    grid_w = grid_h = round_even(pad_h * grid_share_of_pad);
    if (show_grid) {
        draw_ninegrid(working);
    }
    if (show_model) {
        overlay_centred(working, model_pic, pad_size());
    }
    back_bmp = make_bitmap(pad_w, pad_h);
    {
        Canvas canvas(back_bmp);
        canvas.rectangle(0, 0, pad_w, pad_h);
    }
    overlay(back_bmp, working, 0, 0, pad_size());
    image = working;
    image_changed();
}

void TAnimationPlayer::draw_ninegrid(QImage& bitmap) {
    playtimer_->stop();
    const int left = (pad_w - grid_w) / 2;
    const int top = (pad_h - grid_h) / 2;
    Canvas canvas(bitmap);
    canvas.pen_width = grid_pen_width;
    canvas.pen_color = grid_color;
    canvas.brush_style = BrushStyle::clear;
    canvas.rectangle(left, top, left + grid_w, top + grid_h);
    for (const int third : {grid_w / 3, 2 * (grid_w / 3)}) {
        canvas.move_to({left + third, top});
        canvas.line_to({left + third, top + grid_h - 1});
    }
    for (const int third : {grid_h / 3, 2 * (grid_h / 3)}) {
        canvas.move_to({left, top + third});
        canvas.line_to({left + grid_w - 1, top + third});
    }
}

void TAnimationPlayer::draw_records(QImage& bitmap, TObjList& list, std::int32_t colour,
                                    bool set_colour, std::int32_t mono_colour, bool mono) {
    RecordStyle style;
    style.colour = colour;
    style.set_colour = set_colour;
    style.mono_colour = mono_colour;
    style.mono = mono;
    bool stroke_start = true;
    walk_records(bitmap, list, style, stroke_start);
}

void TAnimationPlayer::draw_records_on_image(TObjList& list, bool mono, std::int32_t colour,
                                             bool set_colour, std::int32_t mono_colour) {
    draw_records_with_marks(image, list, mono, colour, set_colour, mono_colour, true);
}

void TAnimationPlayer::draw_records_on_bitmap(QImage& bitmap, TObjList& list, bool mono,
                                              std::int32_t colour, bool set_colour,
                                              std::int32_t mono_colour) {
    draw_records_with_marks(bitmap, list, mono, colour, set_colour, mono_colour, false);
}

void TAnimationPlayer::draw_records_with_marks(QImage& target, TObjList& list, bool mono,
                                               std::int32_t colour, bool set_colour,
                                               std::int32_t mono_colour, bool beziers) {
    RecordStyle style;
    style.colour = colour;
    style.set_colour = set_colour;
    style.mono_colour = mono_colour;
    style.mono = mono;
    style.marks = true;
    style.beziers = beziers;
    style.width_scale = pen_scale;
    at_stroke_start = true;
    walk_records(target, list, style, at_stroke_start);
    at_stroke_start = false;
}

void TAnimationPlayer::walk_records(QImage& target, TObjList& list, const RecordStyle& style,
                                    bool& stroke_start) {
    Canvas canvas(target);
    for (std::size_t index = 0; index < list.size(); ++index) {
        PointRecord& record = list[index];
        if (style.set_colour) {
            record.pen_color = style.colour;
        }
        const bool end = is_end_marker(record);
        // While the editor drags, an element's strokes are drawn joined, which is cheaper.
        if (end && !(style.marks && dragging)) {
            stroke_start = true;
        }
        if (end) {
            continue;
        }
        const QPoint point = rounded(record);
        if (stroke_start) {
            if (record.kind == record_kind::fill_seed) {
                if (style.marks) {
                    if (!style.mono && !dragging) {
                        draw_fill_seed_mark(canvas, record, fill_now);
                    }
                } else if (!style.mono && fill_now) {
                    canvas.brush_color = record.fill_color;
                    canvas.flood_fill(point);
                }
                continue;
            }
            if (record.kind == record_kind::bezier_control) {
                if (style.beziers) {
                    canvas.finish();
                    index = draw_bezier_element(target, list, index, style.width_scale) - 1;
                }
                continue;
            }
            canvas.move_to(point);
            stroke_start = false;
        }
        if (record.kind == record_kind::pen_up) {
            canvas.move_to(point);
            continue;
        }
        canvas.pen_width = round_even(record.pen_width * style.width_scale);
        canvas.pen_color = style.mono ? style.mono_colour : record.pen_color;
        canvas.line_to(point);
    }
}

void TAnimationPlayer::draw_fill_seed_mark(Canvas& canvas, const PointRecord& record, bool fill) {
    canvas.pen_mode = PenMode::copy;
    canvas.brush_color = record.fill_color;
    canvas.brush_style = BrushStyle::solid;
    if (fill) {
        canvas.flood_fill(rounded(record));
    }
    draw_seed_triangle(canvas, record, record.fill_color < 0x888888 ? white_color : black_color);
}

std::size_t TAnimationPlayer::draw_bezier_element(QImage& target, const TObjList& element,
                                                  std::size_t first, double width_scale) {
    std::vector<CurvePoint> control_points;
    std::size_t index = first;
    int width = 1;
    std::int32_t colour = 0;
    for (; index < element.size() && !is_end_marker(element[index]); ++index) {
        control_points.push_back({element[index].x, element[index].y});
        width = element[index].pen_width;
        colour = element[index].pen_color;
    }
    at_stroke_start = true;
    if (control_points.size() < 3) {
        return index;
    }
    control_points.insert(control_points.begin(), control_points.front());
    const double step = dragging && !playing ? bezier_drag_step : bezier_step;
    const std::vector<CurvePoint> curve = evaluate_curve(control_points, step);
    Canvas canvas(target);
    canvas.pen_width = round_even(width * width_scale);
    canvas.pen_color = colour;
    canvas.move_to({round_even(curve.front().x), round_even(curve.front().y)});
    for (const CurvePoint& point : curve) {
        canvas.line_to({round_even(point.x), round_even(point.y)});
    }
    return index;
}

void TAnimationPlayer::show_static() {
    image = back_bmp;
    at_stroke_start = true;
    for (const TObjList& element : lines.items) {
        if (element.empty()) {
            image_changed();
            return;
        }
        for (std::size_t index = 0; index < element.size(); ++index) {
            const PointRecord& record = element[index];
            if (is_end_marker(record)) {
                continue;
            }
            if (record.kind == record_kind::bezier_control) {
                index = draw_bezier_element(image, element, index, pen_scale);
            } else if (record.kind == record_kind::pen_point) {
                std::size_t end = index;
                while (end < element.size() && !is_end_marker(element[end])) {
                    ++end;
                }
                TObjList run(element.begin() + std::ptrdiff_t(index),
                             element.begin() + std::ptrdiff_t(std::min(end + 1, element.size())));
                draw_records_on_image(run, false, 0, false, 0);
                index = end;
            } else if (record.kind == record_kind::fill_seed) {
                if (!dragging && fill_now) {
                    flood_fill_surface(image, rounded(record), record.fill_color);
                }
            } else if (record.kind == record_kind::old_pen_point) {
                TObjList whole = element;
                draw_records_on_image(whole, false, 0, false, 0);
                break;
            }
        }
    }
    draw_marks();
    image_changed();
}

void TAnimationPlayer::draw_marks() {
    Canvas canvas(image);
    for (const TObjList& element : lines.items) {
        if (element.empty()) {
            return;
        }
        for (const PointRecord& record : element) {
            if (is_end_marker(record)) {
                continue;
            }
            if (record.kind == record_kind::fill_seed) {
                const bool white_band =
                    record.fill_color >= 0x00FFFF && record.fill_color < 0x666666;
                draw_seed_triangle(canvas, record, white_band ? white_color : black_color);
            } else if (record.kind == record_kind::flash_bar && show_flashbars &&
                       !flashbar_pic.isNull()) {
                const QPoint at = rounded(record);
                canvas.draw_picture({at.x() - flashbar_pic.width(), at.y()}, flashbar_pic);
            }
        }
    }
}

}  // namespace inkwren
