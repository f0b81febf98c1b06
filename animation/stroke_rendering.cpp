#include "animation/stroke_rendering.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "animation/beziers.h"
#include "animation/layers.h"
#include "animation/raster.h"
#include "animation/rounding.h"

namespace inkwren {
namespace {

bool same_plain_background(const Background& a, const Background& b) {
    return a.pad == b.pad && a.colour == b.colour && a.grid == b.grid &&
           a.grid_style == b.grid_style;
}

constexpr std::int32_t grid_color = 0xFFAA00;
constexpr int grid_pen_width = 2;
// The dashed inner lines: half way from the grid's colour to white, a pixel wide, 6 on and 4 off.
constexpr std::int32_t dashed_grid_color = 0xFFD480;
constexpr int dashed_grid_pen_width = 1;
constexpr qreal dash_length = 6;
constexpr qreal dash_gap = 4;
constexpr double grid_share_of_pad = 0.875;
constexpr int seed_mark_half_width = 10;
constexpr double bezier_step = 0.1;
constexpr double bezier_drag_step = 0.6;

// Without antialiasing, as the canvas draws, so the dashes have sharp pixel edges.
void draw_dashed_thirds(QImage& bitmap, int left, int top, int side) {
    QPainter painter(&bitmap);
    QPen pen(to_qcolor(dashed_grid_color), dashed_grid_pen_width);
    pen.setDashPattern({dash_length, dash_gap});
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (const int third : {side / 3, 2 * (side / 3)}) {
        painter.drawLine(left + third, top + 1, left + third, top + side - 2);
        painter.drawLine(left + 1, top + third, left + side - 2, top + third);
    }
}

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

void draw_fill_seed_mark(Canvas& canvas, const PointRecord& record, bool fill) {
    canvas.pen_mode = PenMode::copy;
    canvas.brush_color = record.fill_color;
    canvas.brush_style = BrushStyle::solid;
    if (fill) {
        canvas.flood_fill(rounded(record));
    }
    draw_seed_triangle(canvas, record, record.fill_color < 0x888888 ? white_color : black_color);
}

// A fill seed where a stroke starts: a mark, a fill, or nothing, as the style says.
void draw_fill_seed(Canvas& canvas, const PointRecord& record, const RecordStyle& style) {
    if (style.marks) {
        if (!style.mono && !style.dragging) {
            draw_fill_seed_mark(canvas, record, style.fill_seeds);
        }
    } else if (!style.mono && style.fill_seeds) {
        canvas.brush_color = record.fill_color;
        canvas.flood_fill(rounded(record));
    }
}

std::size_t end_of_run(const TObjList& element, std::size_t index) {
    while (index < element.size() && !is_end_marker(element[index])) {
        ++index;
    }
    return index;
}

void draw_marks(QImage& image, const TLineList& lines, const QImage* flashbar_picture,
                SmoothTarget smooth) {
    Canvas canvas(image);
    canvas.twin = smooth;
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
            } else if (record.kind == record_kind::flash_bar && flashbar_picture != nullptr &&
                       !flashbar_picture->isNull()) {
                const QPoint at = rounded(record);
                canvas.draw_picture({at.x() - flashbar_picture->width(), at.y()},
                                    *flashbar_picture);
            }
        }
    }
}

}  // namespace

QRect draw_records(QImage& target, TObjList& list, const RecordStyle& style) {
    Canvas canvas(target);
    canvas.twin = style.smooth;
    QRect touched;
    bool stroke_start = true;
    for (std::size_t index = 0; index < list.size(); ++index) {
        PointRecord& record = list[index];
        if (style.set_colour) {
            record.pen_color = style.colour;
        }
        const bool end = is_end_marker(record);
        if (end && !(style.marks && style.dragging)) {
            stroke_start = true;
        }
        if (end) {
            continue;
        }
        const QPoint point = rounded(record);
        if (stroke_start) {
            if (record.kind == record_kind::fill_seed) {
                draw_fill_seed(canvas, record, style);
                continue;
            }
            if (record.kind == record_kind::bezier_control) {
                if (style.beziers) {
                    canvas.finish();
                    index = draw_bezier_element(target, list, index, style.width_scale,
                                                style.dragging, style.smooth) -
                            1;
                    touched = target.rect();
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
    return touched | canvas.take_touched();
}

std::size_t draw_bezier_element(QImage& target, const TObjList& element, std::size_t first,
                                double width_scale, bool dragging, SmoothTarget smooth) {
    std::vector<CurvePoint> control_points;
    std::size_t index = first;
    int width = 1;
    std::int32_t colour = 0;
    for (; index < element.size() && !is_end_marker(element[index]); ++index) {
        control_points.push_back({element[index].x, element[index].y});
        width = element[index].pen_width;
        colour = element[index].pen_color;
    }
    if (control_points.size() < 3) {
        return index;
    }
    control_points.insert(control_points.begin(), control_points.front());
    const std::vector<CurvePoint> curve =
        evaluate_curve(control_points, dragging ? bezier_drag_step : bezier_step);
    Canvas canvas(target);
    canvas.twin = smooth;
    canvas.pen_width = round_even(width * width_scale);
    canvas.pen_color = colour;
    canvas.move_to({round_even(curve.front().x), round_even(curve.front().y)});
    for (const CurvePoint& point : curve) {
        canvas.line_to({round_even(point.x), round_even(point.y)});
    }
    return index;
}

int grid_side(int pad_height) {
    return round_even(pad_height * grid_share_of_pad);
}

void draw_ninegrid(QImage& bitmap, QSize pad, int side, PadGridStyle style) {
    const int left = (pad.width() - side) / 2;
    const int top = (pad.height() - side) / 2;
    Canvas canvas(bitmap);
    canvas.pen_width = grid_pen_width;
    canvas.pen_color = grid_color;
    canvas.brush_style = BrushStyle::clear;
    canvas.rectangle(left, top, left + side, top + side);
    if (style == PadGridStyle::dashed) {
        canvas.finish();
        draw_dashed_thirds(bitmap, left, top, side);
        return;
    }
    for (const int third : {side / 3, 2 * (side / 3)}) {
        canvas.move_to({left + third, top});
        canvas.line_to({left + third, top + side - 1});
        canvas.move_to({left, top + third});
        canvas.line_to({left + side - 1, top + third});
    }
}

namespace {

QImage compose_background_anew(const Background& background) {
    const QSize pad = background.pad;
    QImage working = make_bitmap(pad.width(), pad.height());
    {
        Canvas canvas(working);
        canvas.brush_color = background.colour;
        canvas.rectangle(0, 0, pad.width(), pad.height());  // the default black pen: a frame
        if (background.picture != nullptr && !background.picture->isNull()) {
            const QImage& picture = *background.picture;
            const int dx = picture.width() < pad.width() ? (pad.width() - picture.width()) / 2 : 0;
            const int dy =
                picture.height() < pad.height() ? (pad.height() - picture.height()) / 2 : 0;
            canvas.draw_picture({dx, dy}, picture);
        }
    }
    if (background.grid) {
        draw_ninegrid(working, pad, grid_side(pad.height()), background.grid_style);
    }
    if (background.model != nullptr) {
        overlay_centred(working, *background.model, pad);
    }
    return working;
}

}  // namespace

QImage compose_background(const Background& background) {
    // Every character shown on the pad starts from the same plain background: it is drawn once
    // and shared, copied only when drawn on.
    const bool plain = background.picture == nullptr && background.model == nullptr;
    thread_local std::optional<std::pair<Background, QImage>> last_plain;
    if (plain && last_plain && same_plain_background(last_plain->first, background)) {
        return last_plain->second;
    }
    QImage composed = compose_background_anew(background);
    if (plain) {
        last_plain.emplace(background, composed);
    }
    return composed;
}

bool needs_bitmap(const TObjList& records) {
    return std::ranges::any_of(records, [](const PointRecord& record) {
        return record.kind == record_kind::fill_seed || record.kind == record_kind::flash_bar ||
               record.kind == record_kind::flash_step;
    });
}

bool needs_bitmap(const TLineList& lines) {
    return std::ranges::any_of(lines.items,
                               [](const TObjList& element) { return needs_bitmap(element); });
}

void draw_at_rest(QImage& image, const TLineList& lines, const RestStyle& style) {
    RecordStyle strokes;
    strokes.marks = true;
    strokes.beziers = true;
    strokes.fill_seeds = style.fill_seeds;
    strokes.dragging = style.dragging;
    strokes.width_scale = style.width_scale;
    strokes.smooth = style.smooth;
    for (const TObjList& element : lines.items) {
        // An empty element ends the drawing, marks and all.
        if (element.empty()) {
            return;
        }
        for (std::size_t index = 0; index < element.size(); ++index) {
            const PointRecord& record = element[index];
            if (is_end_marker(record)) {
                continue;
            }
            if (record.kind == record_kind::bezier_control) {
                index = draw_bezier_element(image, element, index, style.width_scale,
                                            style.dragging, style.smooth);
            } else if (record.kind == record_kind::pen_point) {
                const std::size_t end = end_of_run(element, index);
                TObjList run(element.begin() + std::ptrdiff_t(index),
                             element.begin() + std::ptrdiff_t(std::min(end + 1, element.size())));
                draw_records(image, run, strokes);
                index = end;
            } else if (record.kind == record_kind::fill_seed) {
                if (!style.dragging && style.fill_seeds) {
                    Canvas canvas(image);
                    canvas.twin = style.smooth;
                    canvas.brush_color = record.fill_color;
                    canvas.flood_fill(rounded(record));
                }
            } else if (record.kind == record_kind::old_pen_point) {
                TObjList whole = element;
                draw_records(image, whole, strokes);
                break;
            }
        }
    }
    draw_marks(image, lines, style.flashbar_picture, style.smooth);
}

namespace {

// share: of each element, the records up to this share of them, as a pen that has gone so far.
void draw_in_one_colour(QImage& image, const TLineList& lines, std::size_t begin, std::size_t end,
                        std::int32_t colour, const RestStyle& style, double share = 1) {
    RecordStyle one_colour;
    one_colour.mono = true;
    one_colour.mono_colour = colour;
    one_colour.beziers = true;
    one_colour.dragging = style.dragging;
    one_colour.width_scale = style.width_scale;
    one_colour.smooth = style.smooth;
    for (std::size_t element = begin; element < std::min(end, lines.items.size()); ++element) {
        TObjList records = lines.items[element];
        if (share < 1 && records.size() > 2) {
            const auto kept = std::max<std::size_t>(2, std::size_t(double(records.size()) * share));
            records.resize(std::min(kept, records.size()));
        }
        draw_records(image, records, one_colour);
    }
}

TLineList first_elements(const TLineList& lines, std::size_t count) {
    TLineList first;
    first.items.assign(lines.items.begin(),
                       lines.items.begin() + std::ptrdiff_t(std::min(count, lines.items.size())));
    return first;
}

}  // namespace

void draw_practice_view(QImage& image, const TLineList& lines, const PracticeView& view,
                        const RestStyle& style) {
    if (view.outline) {
        draw_in_one_colour(image, lines, view.written_end, lines.items.size(), waiting_grey, style);
    }
    draw_at_rest(image, first_elements(lines, view.written_end), style);
    draw_in_one_colour(image, lines, view.written_end, view.hint_end, highlight_colour, style,
                       view.hint_share);
}

void draw_lesson_step(QImage& image, const TLineList& lines, std::size_t earlier_end,
                      std::size_t newest_end, const RestStyle& style) {
    draw_in_one_colour(image, lines, newest_end, lines.items.size(), waiting_grey, style);
    // The newest stroke's marks and fills come with it; its pen runs turn the highlight colour.
    draw_at_rest(image, first_elements(lines, newest_end), style);
    draw_in_one_colour(image, lines, earlier_end, newest_end, highlight_colour, style);
}

}  // namespace inkwren
