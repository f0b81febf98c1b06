// The player's playback begun, paused, stopped and ended; its ticks are in play_tick.cpp.
#include <QDir>
#include <QFile>

#include "animation/animationplayer.h"
#include "animation/layers.h"
#include "animation/play_list.h"
#include "animation/raster.h"
#include "animation/stroke_editor.h"
#include "animation/stroke_rendering.h"
#include "strokes/stroke_text.h"

namespace inkwren {
namespace {

constexpr int first_stroke_wait_ms = 1000;
constexpr int pause_ms_per_notch_at_start = 100;

}  // namespace

void TAnimationPlayer::set_interval(int ms) {
    playtimer_->setInterval(ms);
}

void TAnimationPlayer::play() {
    PlayListOptions options;
    options.two_color = two_color_;
    options.hilite_color = hilite_color();
    options.done_color = done_color;
    options.flash_count = pad().flash_count;
    // Built first: strokes too long to play are refused before anything changes.
    PlayList list = make_stroke_play_list(records_, options);
    if (!playing_) {
        editor_->deselect();
    }
    playing_ = true;
    loop_wait_ = false;
    looped_ = false;
    lesson_.show_whole();
    capture_.reset();  // a capture holds one whole playback
    reset_background();
    play_list_ = std::move(list);
    ink_alone_ = smooth_ && !needs_bitmap(play_list_.records);
    if (grey_first_) {
        draw_grey_underlay();
    }
    stroke_pause_ = pad().stroke_interval * pause_ms_per_notch_at_start;
    tick_ms_ = base_tick_ms;
    play_pos_ = 0;
    at_stroke_start_ = true;
    prepare_ticks();
    set_interval(first_stroke_wait_ms);
    playtimer_->start();
}

// What the first ticks would otherwise pay for is done before the first stroke's wait: the
// layers the pen draws on get pixels of their own (blank layers share theirs) and the layers
// are composed whole, so that each tick only brings them up to date where the pen went.
void TAnimationPlayer::prepare_ticks() {
    if (!ink_alone_) {
        ink_bmp_.bits();  // a deep copy of shared pixels
    }
    if (smooth_) {
        ink_smooth_.own_pixels();
        stroke_smooth_.own_pixels();
    }
    if (two_color_ && !smooth_) {
        stroke_layer_.prepare(pad_size());
    } else {
        stroke_layer_.release();
    }
    compose_layers(std::nullopt);
}

void TAnimationPlayer::draw_grey_underlay() {
    RecordStyle grey;
    grey.mono = true;
    grey.mono_colour = waiting_grey;
    grey.marks = true;
    grey.width_scale = scale();
    underlay_in_background_ = true;
    if (smooth_) {
        draw_smooth_underlay(grey);
        return;
    }
    grey_bmp_ = make_bitmap(pad_size().width(), pad_size().height());
    RecordStyle on_image = grey;
    on_image.beziers = true;
    draw_records(image_, play_list_.records, on_image);
    draw_records(grey_bmp_, play_list_.records, grey);
    overlay(back_bmp_, grey_bmp_, 0, 0, pad_size());
    image_changed();
}

// The layers get the underlay only when the playback draws on them.
void TAnimationPlayer::draw_smooth_underlay(RecordStyle grey) {
    SmoothInk grey_smooth(pad_size());
    grey.smooth = {&grey_smooth, ink_alone_};
    grey_bmp_ = make_bitmap(pad_size().width(), pad_size().height());
    draw_records(grey_bmp_, play_list_.records, grey);
    if (!ink_alone_) {
        overlay(back_bmp_, grey_bmp_, 0, 0, pad_size());
    }
    lay_over(back_smooth_, grey_smooth, grey_smooth.drawn());
    show_area(shown_smooth_, back_smooth_, {&ink_smooth_, &stroke_smooth_}, grey_smooth.drawn());
    image_ = shown_smooth_;
    image_changed();
}

void TAnimationPlayer::finish_playback() {
    playtimer_->stop();
    playing_ = false;
    play_list_ = {};
    release_tick_memory();
    frame_no_ = 1;
    std::unique_ptr<FrameRecorder> capture = std::move(capture_);
    if (owner_.capture_on() && capture) {
        owner_.write_gif(std::move(capture));
    }
    play_pos_ = 0;
    delete_workbook();
    if (pad().loop_lesson) {
        // The finished character stays a moment before it is written again.
        loop_wait_ = true;
        set_interval(loop_wait_ms);
        playtimer_->start();
    }
}

// Looping switched off during the wait ends it without a replay.
void TAnimationPlayer::end_loop_wait() {
    loop_wait_ = false;
    playtimer_->stop();
    if (pad().loop_lesson) {
        replay();
        // The wait just spent stands for the first stroke's: the pen sets off at once.
        set_interval(tick_ms_);
        // One capture of the character is enough: a round of the loop offers none.
        looped_ = true;
    }
}

void TAnimationPlayer::delete_workbook() const {
    QFile::remove(QDir(temp_dir()).filePath(zi_ + QStringLiteral(".wrt")));
}

void TAnimationPlayer::replay() {
    if (playing_) {
        return;
    }
    two_color_ = pad().two_color;
    grey_first_ = pad().grey_first;
    editor_->deselect();
    if (lines_.items.empty()) {
        return;
    }
    const QByteArray text = save_temp(QStringLiteral("tmp"));
    const QString workbook = QDir(temp_dir()).filePath(QStringLiteral("tmp.wrt"));
    // The strokes are played as the file now holds them, without reading it back; one too long
    // to be read back is refused as its reading would refuse it.
    if (text.size() > max_stroke_text_size) {
        inkwren::read_stroke_file(workbook);
    }
    records_ = parse_stroke_text(text, workbook, EndMarkerKind::keep_pen_up);
    play();
}

void TAnimationPlayer::pause() {
    if (!playing_ && !loop_wait_) {
        return;
    }
    if (playtimer_->isActive()) {
        playtimer_->stop();
    } else {
        playtimer_->start();
    }
}

void TAnimationPlayer::stop_play() {
    frame_no_ = 1;
    capture_.reset();  // a playback stopped early keeps no capture
    if (loop_wait_) {
        loop_wait_ = false;
        playtimer_->stop();
    }
    if (!playing_) {
        return;
    }
    playtimer_->stop();
    editor_->deselect();
    at_stroke_start_ = true;
    reset_background();
    show_static();
    playing_ = false;
    play_list_ = {};
    release_tick_memory();
    delete_workbook();
}

// What only ticks need goes when the playback ends; the shown frame stays with the pad.
void TAnimationPlayer::release_tick_memory() {
    frames_.release();
    stroke_layer_.release();
}

void TAnimationPlayer::smooth_ink_changed() {
    if (playing_) {
        restart_if_playing();
        return;
    }
    reset_background();
    redraw_at_rest();
}

void TAnimationPlayer::display_modes_changed() {
    grey_first_ = pad().grey_first;
    two_color_ = pad().two_color;
    restart_if_playing();
}

// A switched display mode takes effect at once: playback starts again from the first stroke.
void TAnimationPlayer::restart_if_playing() {
    if (playing_) {
        stop_play();
        replay();
    }
}

}  // namespace inkwren
