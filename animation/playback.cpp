// The player's timer-driven playback: the pen moves pen_speed + 1 one-pixel steps a tick,
// pausing between strokes, and frames are composed from the layers only when shown.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "animation/animationplayer.h"
#include "animation/layers.h"
#include "animation/play_list.h"
#include "animation/raster.h"
#include "animation/rounding.h"
#include "strokes/stroke_text.h"

namespace inkwren {
namespace {

constexpr int first_stroke_wait_ms = 1000;
constexpr int pause_ms_per_notch_at_start = 100;
constexpr int pause_ms_per_notch = 120;
constexpr std::int32_t grey_color = 0xBBBBBB;

QPoint rounded(const PointRecord& record) {
    return {round_even(record.x), round_even(record.y)};
}

}  // namespace

void TAnimationPlayer::set_interval(int ms) {
    playtimer_->setInterval(ms);
}

void TAnimationPlayer::play() {
    if (!playing) {
        saved_marks = owner_.edit_marks();
    }
    playing = true;
    reset_background();
    PlayListOptions options;
    options.expand_flash = expand_flash;
    options.two_color = two_color;
    options.hilite_color = hilite_color;
    options.done_color = done_color;
    options.flash_count = owner_.flash_count();
    options.step_len = step_len;
    play_list = make_play_list(records, options);
    if (grey_first) {
        draw_grey_underlay();
    }
    stroke_pause = owner_.stroke_interval() * pause_ms_per_notch_at_start;
    tick_ms = base_tick_ms;
    play_pos = 0;
    at_stroke_start = true;
    set_interval(first_stroke_wait_ms);
    playtimer_->start();
}

void TAnimationPlayer::draw_grey_underlay() {
    grey_bmp = make_bitmap(pad_w, pad_h);
    draw_records_on_image(play_list, true, 0, false, grey_color);
    draw_records_on_bitmap(grey_bmp, play_list, true, 0, false, grey_color);
    overlay(back_bmp, grey_bmp, 0, 0, pad_size());
    image_changed();
}

void TAnimationPlayer::play_tick() {
    set_interval(tick_ms);
    stroke_pause = owner_.stroke_interval() * pause_ms_per_notch;
    const int steps = owner_.pen_speed();
    if (steps < 0) {
        return;
    }
    Canvas ink(ink_bmp);
    bool stroke_ends = false;
    for (int step = 0; step <= steps; ++step) {
        if (play_pos >= int(play_list.size())) {
            ink.finish();
            finish_playback();
            return;
        }
        if (play_list[std::size_t(play_pos)].instant) {
            play_instant_run(ink);
        }
        PointRecord& record = play_list[std::size_t(play_pos)];
        record.pen_width = round_even(record.pen_width * pen_scale);
        if (two_color) {
            record.pen_color = hilite_color;
        }
        ++play_pos;
        if (is_end_marker(record)) {
            ink.finish();
            end_stroke();
            return;
        }
        if (at_stroke_start) {
            open_stroke(ink, record);
            return;
        }
        const QPoint point = rounded(record);
        if (record.kind == record_kind::pen_up) {
            ink_position_ = point;
        }
        ink.pen_width = record.pen_width;
        ink.pen_color = record.pen_color;
        pen_x = point.x();
        pen_y = point.y();
        ink.move_to(ink_position_);
        ink.line_to(point);
        ink_position_ = point;
        // Every stroke's last point comes three times, so an end marker two records ahead means
        // the pen has just reached the stroke's end.
        if (play_pos < int(play_list.size()) - 1) {
            stroke_ends = is_end_marker(play_list[std::size_t(play_pos) + 1]);
        }
        if (step == steps - 1 || step == steps || stroke_ends) {
            ink.finish();
            compose_frame();
            show_frame(frame_bmp, stroke_ends, stroke_ends ? stroke_pause : -1);
        }
    }
}

void TAnimationPlayer::open_stroke(Canvas& ink, const PointRecord& record) {
    switch (record.kind) {
        case record_kind::fill_seed:
            ink.brush_color = record.fill_color;
            ink.flood_fill(rounded(record));
            // Shown at once: a fill that closes a character would otherwise never be seen.
            compose_frame();
            show_frame(frame_bmp, false, -1);
            break;
        case record_kind::bezier_control:
            break;
        case record_kind::flash_step:
            ink.finish();
            play_flash_step(record);
            return;
        default:
            ink_position_ = rounded(record);
            break;
    }
    // The very first stroke waits only the first second.
    if (play_pos != 1) {
        set_interval(stroke_pause != 0 ? stroke_pause : tick_ms);
    }
    at_stroke_start = false;
}

void TAnimationPlayer::end_stroke() {
    at_stroke_start = true;
    if (!two_color) {
        set_interval(stroke_pause != 0 ? stroke_pause : tick_ms);
        return;
    }
    // The stroke just written turns from the highlight colour to the finished colour.
    TObjList stroke = last_stroke(play_list, play_pos);
    QImage finished = make_bitmap(pad_w, pad_h);
    draw_records(finished, stroke, done_color, true, 0, false);
    overlay(ink_bmp, finished, 0, 0, pad_size());
    compose_frame();  // it starts from the background, so the frame needs no clearing first
    set_interval(stroke_hold_ms);
    show_frame(frame_bmp, false, stroke_hold_ms);
}

void TAnimationPlayer::play_flash_step(const PointRecord& step) {
    TObjList previous = last_stroke(play_list, play_pos - 2);
    QImage flash = make_bitmap(pad_w, pad_h);
    draw_records(flash, previous, step.fill_color, true, 0, false);
    const QPoint at = rounded(step);
    if (ink_bmp.rect().contains(at)) {
        flood_fill_surface(flash, at, step.fill_color, color_at(ink_bmp, at.x(), at.y()));
    }
    overlay(ink_bmp, flash, 0, 0, pad_size());
    compose_frame();
    set_interval(flash_hold_ms);
    show_frame(frame_bmp, true, flash_hold_ms);
}

void TAnimationPlayer::play_instant_run(Canvas& ink) {
    ink.finish();
    fill_now = true;
    const int start = play_pos;
    int end = start;
    while (end < int(play_list.size()) &&
           !(is_end_marker(play_list[std::size_t(end)]) && !play_list[std::size_t(end)].instant)) {
        ++end;
    }
    // Pens of the run are scaled here as the tick scales every other record, except the last,
    // which the tick itself goes on with.
    for (int at = start; at < end - 1; ++at) {
        PointRecord& record = play_list[std::size_t(at)];
        record.pen_width = round_even(record.pen_width * pen_scale);
    }
    play_pos = end;
    QImage drawn = make_bitmap(ink_bmp.width(), ink_bmp.height());
    overlay_centred(drawn, back_bmp, pad_size());
    TObjList shown(play_list.begin(), play_list.begin() + play_pos);
    draw_records(drawn, shown, 0, false, 0, false);
    ink_bmp = drawn;
    fill_now = false;
    play_pos -= 1;
}

void TAnimationPlayer::show_frame(const QImage& bitmap, bool stroke_end, int delay) {
    image = bitmap;
    if (record_gif) {
        const bool thinned_out =
            !stroke_end && (frame_no - 1) % gif_every != 0 && play_pos < int(play_list.size()) - 1;
        if (!thinned_out) {
            gif_frames.push_back({to_24bit(bitmap.copy(0, 0, pad_w, pad_h)),
                                  delay >= 1 ? round_even(delay / 10.0) : 0});
        }
    }
    ++frame_no;
    image_changed();
}

void TAnimationPlayer::finish_playback() {
    playtimer_->stop();
    owner_.set_edit_marks(saved_marks);
    playing = false;
    play_list.clear();
    frame_no = 1;
    if (record_gif) {
        owner_.write_gif(gif_frames, gif_scale);
    }
    gif_frames.clear();
    play_pos = 0;
    delete_workbook();
}

void TAnimationPlayer::delete_workbook() const {
    QFile::remove(QDir(temp_dir()).filePath(zi + QStringLiteral(".wrt")));
}

void TAnimationPlayer::replay() {
    if (playing) {
        return;
    }
    two_color = owner_.two_color_setting();
    grey_first = owner_.grey_first_setting();
    selected = -1;
    if (lines.items.empty()) {
        return;
    }
    save_temp(QStringLiteral("tmp"));
    const QString workbook = QDir(temp_dir()).filePath(QStringLiteral("tmp.wrt"));
    if (!QFileInfo::exists(workbook)) {
        return;
    }
    records.clear();
    read_records(workbook, records, offset_x, offset_y);
    play();
}

void TAnimationPlayer::pause() {
    if (!playing) {
        return;
    }
    if (playtimer_->isActive()) {
        playtimer_->stop();
    } else {
        playtimer_->start();
    }
}

void TAnimationPlayer::stop_play() {
    frame_no = 1;
    gif_frames.clear();
    if (!playing) {
        return;
    }
    owner_.set_edit_marks(saved_marks);
    playtimer_->stop();
    at_stroke_start = true;
    reset_background();
    show_static();
    playing = false;
    play_list.clear();
    delete_workbook();
}

void TAnimationPlayer::toggle_grey_first() {
    owner_.set_grey_first_setting(!owner_.grey_first_setting());
    grey_first = owner_.grey_first_setting();
    restart_if_playing();
}

void TAnimationPlayer::toggle_two_color() {
    owner_.set_two_color_setting(!owner_.two_color_setting());
    two_color = owner_.two_color_setting();
    restart_if_playing();
}

// A switched display mode takes effect at once: playback starts again from the first stroke.
void TAnimationPlayer::restart_if_playing() {
    if (playing) {
        stop_play();
        replay();
    }
}

}  // namespace inkwren
