// The player's timer tick: the pen moves pen_speed + 1 one-pixel steps a tick, pausing between
// strokes, and frames are composed from the layers only when shown, and captured as shown.
#include "animation/animationplayer.h"
#include "animation/layers.h"
#include "animation/play_list.h"
#include "animation/raster.h"
#include "animation/rounding.h"
#include "animation/stroke_rendering.h"

namespace inkwren {
namespace {

constexpr int pause_ms_per_notch = 120;

QPoint rounded(const PointRecord& record) {
    return {round_even(record.x), round_even(record.y)};
}

// The first record of the stroke whose end marker is at end.
int stroke_start(const TObjList& records, int end) {
    int start = end;
    while (start > 0 && !is_end_marker(records[std::size_t(start) - 1])) {
        --start;
    }
    return start;
}

RecordStyle in_colour(std::int32_t colour) {
    RecordStyle style;
    style.colour = colour;
    style.set_colour = true;
    return style;
}

}  // namespace

// The canvas a tick draws on the ink with. While only it draws, frames are composed again only
// where it has been.
struct TAnimationPlayer::TickInk {
    Canvas canvas;
    bool composed_kept = false;  // the composed frame showed the layers before the canvas drew

    // The area drawn since the last frame, or nothing when the frame is to be composed whole.
    std::optional<QRect> take_changed() {
        const QRect touched = canvas.take_touched();
        return composed_kept ? std::optional(touched) : std::nullopt;
    }
};

void TAnimationPlayer::play_tick() {
    if (loop_wait_) {
        end_loop_wait();
        return;
    }
    set_interval(tick_ms_);
    stroke_pause_ = pad().stroke_interval * pause_ms_per_notch;
    const int steps = pad().pen_speed;
    if (steps < 0) {
        return;
    }
    TickInk ink{Canvas(ink_bmp_), composed_.shows(back_bmp_, ink_bmp_)};
    ink.canvas.twin = {smooth_ ? (two_color_ ? &stroke_smooth_ : &ink_smooth_) : nullptr,
                       ink_alone_};
    const int frames_shown = frame_no_;
    play_steps(ink, steps);
    ink.canvas.finish();
    // What the pen drew after the tick's last frame is shown with the next.
    if (const std::optional<QRect> unshown = take_ink_changed(ink)) {
        composed_.ink_drawn(ink_bmp_, *unshown);
    }
    // A tick that showed nothing, such as one that only begins a stroke, makes a picture ready
    // for the frames to come: memory fresh from the system costs a frame more than a copy.
    if (playing_ && frame_no_ == frames_shown) {
        frames_.make_spare(frame_bmp_);
    }
}

void TAnimationPlayer::play_steps(TickInk& ink, int steps) {
    bool stroke_ends = false;
    for (int step = 0; step <= steps; ++step) {
        if (play_pos_ >= int(play_list_.records.size())) {
            ink.canvas.finish();
            finish_playback();
            return;
        }
        if (play_list_.records[std::size_t(play_pos_)].instant) {
            stroke_layer_.give_up();
            play_instant_run(ink.canvas);
            ink.composed_kept = false;
        }
        PointRecord& record = play_list_.records[std::size_t(play_pos_)];
        record.pen_width = round_even(record.pen_width * scale());
        if (two_color_) {
            record.pen_color = hilite_color();
        }
        ++play_pos_;
        if (is_end_marker(record)) {
            ink.canvas.finish();
            end_stroke(ink);
            return;
        }
        if (at_stroke_start_) {
            open_stroke(ink, record);
            return;
        }
        const QPoint point = rounded(record);
        if (record.kind == record_kind::pen_up) {
            ink_position_ = point;
        }
        pen_x_ = point.x();
        pen_y_ = point.y();
        draw_line(ink, record, point);
        ink_position_ = point;
        // Every stroke's last point comes three times, so an end marker two records ahead means
        // the pen has just reached the stroke's end.
        if (play_pos_ < int(play_list_.records.size()) - 1) {
            stroke_ends = is_end_marker(play_list_.records[std::size_t(play_pos_) + 1]);
        }
        if (step == steps - 1 || step == steps || stroke_ends) {
            compose_tick_frame(ink);
            show_frame(frame_bmp_, stroke_ends, stroke_ends ? stroke_pause_ : -1);
        }
    }
}

// The stroke being written in two colours goes to its own layer; a pen-up dot stays in the
// highlight colour when the stroke is finished, so it goes to the ink alone.
void TAnimationPlayer::draw_line(TickInk& ink, const PointRecord& record, QPoint point) {
    if (stroke_layer_.is_open() && is_drawn_point(record)) {
        stroke_layer_.line(ink_position_, point, record.pen_width);
        return;
    }
    if (record.kind != record_kind::pen_up) {
        stroke_layer_.give_up();
    }
    ink.canvas.pen_width = record.pen_width;
    ink.canvas.pen_color = record.pen_color;
    ink.canvas.move_to(ink_position_);
    ink.canvas.line_to(point);
}

// Where the ink changed since the last frame, the stroke layer's lines laid on it first.
std::optional<QRect> TAnimationPlayer::take_ink_changed(TickInk& ink) {
    const QRect laid = stroke_layer_.lay_pending(ink_bmp_, hilite_color());
    std::optional<QRect> changed = ink.take_changed();
    if (changed) {
        *changed |= laid;
    }
    return changed;
}

// also_changed: where the ink changed besides the canvas's drawing, nothing when unknown.
void TAnimationPlayer::compose_tick_frame(TickInk& ink, std::optional<QRect> also_changed) {
    ink.canvas.finish();
    std::optional<QRect> changed = take_ink_changed(ink);
    if (changed && also_changed) {
        *changed |= *also_changed;
    } else {
        changed.reset();
    }
    compose_frame(pen_position(), changed);
    ink.composed_kept = true;
}

void TAnimationPlayer::open_stroke(TickInk& ink, const PointRecord& record) {
    switch (record.kind) {
        case record_kind::fill_seed:
            ink.canvas.brush_color = record.fill_color;
            ink.canvas.flood_fill(rounded(record));
            // Shown at once: a fill that closes a character would otherwise never be seen.
            compose_tick_frame(ink);
            show_frame(frame_bmp_, false, -1);
            break;
        case record_kind::bezier_control:
            break;
        case record_kind::flash_step:
            ink.canvas.finish();
            play_flash_step(record);
            ink.canvas.take_touched();  // shown with the flash, composed whole
            ink.composed_kept = true;
            return;
        default:
            ink_position_ = rounded(record);
            if (two_color_ && (is_drawn_point(record) || record.kind == record_kind::pen_up)) {
                stroke_layer_.open(play_pos_ - 1, ink_position_, record.pen_width,
                                   record.kind != record_kind::pen_up);
            }
            break;
    }
    // The very first stroke waits only the first second.
    if (play_pos_ != 1) {
        set_interval(stroke_pause_ != 0 ? stroke_pause_ : tick_ms_);
    }
    at_stroke_start_ = false;
}

void TAnimationPlayer::end_stroke(TickInk& ink) {
    at_stroke_start_ = true;
    if (!two_color_) {
        set_interval(stroke_pause_ != 0 ? stroke_pause_ : tick_ms_);
        return;
    }
    // The stroke just written turns from the highlight colour to the finished colour.
    // The smooth stroke, written apart, turns colour as it is laid with the others, so that
    // none of the highlight stays at its edges or where it crosses them.
    ink_smooth_.settle(stroke_smooth_, hilite_color(), done_color);
    compose_tick_frame(ink, ink_alone_ ? QRect() : finish_stroke());
    set_interval(stroke_hold_ms);
    show_frame(frame_bmp_, false, stroke_hold_ms);
}

// The finished stroke laid from its own layer when it was written there, else drawn again.
std::optional<QRect> TAnimationPlayer::finish_stroke() {
    const QRect pending = stroke_layer_.lay_pending(ink_bmp_, hilite_color());
    std::optional<QRect> finished =
        stroke_layer_.finish(ink_bmp_, done_color, stroke_start(play_list_.records, play_pos_ - 1));
    if (!finished) {
        finished = redraw_finished_stroke();
    }
    return finished ? std::optional(*finished | pending) : std::nullopt;
}

// Drawn over the ink where it lies, the finished colour not being white, the transparent one;
// a layer grown past the pad gets it through a pad-sized layer, which cuts it at the pad's
// edges. Answers the area it changed, or nothing when that is the whole layer.
std::optional<QRect> TAnimationPlayer::redraw_finished_stroke() {
    static_assert(done_color != white_color);
    TObjList stroke = last_stroke(play_list_.records, play_pos_);
    if (ink_bmp_.size() != pad_size()) {
        QImage finished = make_bitmap(pad_size().width(), pad_size().height());
        draw_records(finished, stroke, in_colour(done_color));
        overlay(ink_bmp_, finished, 0, 0, pad_size());
        return std::nullopt;
    }
    return draw_records(ink_bmp_, stroke, in_colour(done_color));
}

void TAnimationPlayer::play_flash_step(const PointRecord& step) {
    TObjList previous = last_stroke(play_list_.records, play_pos_ - 2);
    QImage flash = make_bitmap(pad_size().width(), pad_size().height());
    RecordStyle style = in_colour(step.fill_color);
    SmoothInk flash_smooth = smooth_ ? SmoothInk(pad_size()) : SmoothInk();
    style.smooth.ink = smooth_ ? &flash_smooth : nullptr;
    draw_records(flash, previous, style);
    const QPoint at = rounded(step);
    if (ink_bmp_.rect().contains(at)) {
        const QImage before = smooth_ ? flash : QImage();  // a copy only for the twin
        flood_fill_surface(flash, at, step.fill_color, color_at(ink_bmp_, at.x(), at.y()));
        if (smooth_) {
            flash_smooth.take_changes(before, flash, flash.rect(), SmoothInk::Hard::under);
        }
    }
    overlay(ink_bmp_, flash, 0, 0, pad_size());
    ink_smooth_.overlay(flash_smooth);
    compose_frame(pen_position());
    set_interval(flash_hold_ms);
    show_frame(frame_bmp_, true, flash_hold_ms);
}

void TAnimationPlayer::play_instant_run(Canvas& ink) {
    ink.finish();
    const int start = play_pos_;
    int end = start;
    while (end < int(play_list_.records.size()) &&
           !(is_end_marker(play_list_.records[std::size_t(end)]) &&
             !play_list_.records[std::size_t(end)].instant)) {
        ++end;
    }
    // Pens of the run are scaled here as the tick scales every other record, except the last,
    // which the tick itself goes on with.
    for (int at = start; at < end - 1; ++at) {
        PointRecord& record = play_list_.records[std::size_t(at)];
        record.pen_width = round_even(record.pen_width * scale());
    }
    play_pos_ = end;
    QImage drawn = make_bitmap(ink_bmp_.width(), ink_bmp_.height());
    overlay_centred(drawn, back_bmp_, pad_size());
    TObjList shown(play_list_.records.begin(), play_list_.records.begin() + play_pos_);
    RecordStyle filled;
    filled.fill_seeds = true;
    if (smooth_) {
        ink_smooth_ = SmoothInk(pad_size());
        filled.smooth.ink = &ink_smooth_;
    }
    draw_records(drawn, shown, filled);
    ink_bmp_ = drawn;
    play_pos_ -= 1;
}

void TAnimationPlayer::show_frame(const QImage& bitmap, bool stroke_end, int delay) {
    image_ = bitmap;
    if (owner_.capture_on() && !looped_) {
        const int every = pad().smooth_gif ? smooth_gif_every : gif_every;
        const bool thinned_out = !stroke_end && (frame_no_ - 1) % every != 0 &&
                                 play_pos_ < int(play_list_.records.size()) - 1;
        if (!thinned_out) {
            // A frame without a delay of its own stands for the ticks until the next one kept;
            // written with none, viewers would show it for whatever they please.
            const int shown_ms = delay >= 1 ? delay : every * tick_ms_;
            capture_frame(bitmap, round_even(shown_ms / 10.0));
        }
    }
    ++frame_no_;
    image_changed();
}

void TAnimationPlayer::capture_frame(const QImage& bitmap, int delay) {
    if (!capture_) {
        capture_ = owner_.start_capture();
    }
    if (!capture_) {
        return;
    }
    // Layers may have grown past the pad; the capture holds the pad alone.
    if (bitmap.size() == pad_size() && is_24bit(bitmap)) {
        capture_->add(bitmap, delay);
    } else {
        capture_->add(to_24bit(bitmap.copy(QRect(QPoint(0, 0), pad_size()))), delay);
    }
}

}  // namespace inkwren
