#include "animation/animationplayer.h"

#include <QDir>

#include <algorithm>
#include <cstddef>

#include "animation/layers.h"
#include "animation/raster.h"
#include "animation/stroke_editor.h"
#include "animation/stroke_model.h"
#include "animation/stroke_rendering.h"
#include "platform/error.h"

namespace inkwren {

TAnimationPlayer::TAnimationPlayer(PlayerOwner& owner, PlayerSettings settings)
    : owner_(owner),
      settings_(std::move(settings)),
      zi_(settings_.zi),
      grey_first_(pad().grey_first),
      two_color_(pad().two_color),
      stroke_pause_(pad().stroke_interval * 100),
      playtimer_(std::make_unique<QTimer>()),
      editor_(std::make_unique<StrokeEditor>(*this, owner)) {
    playtimer_->setTimerType(Qt::PreciseTimer);
    // Timer events enter the program here: a failure stops playback and is reported.
    QObject::connect(playtimer_.get(), &QTimer::timeout, [this] {
        try {
            play_tick();
        } catch (const Error& error) {
            playtimer_->stop();
            owner_.report(error.message());
        }
    });
    if (settings_.unseen) {
        return;
    }
    for (QImage* layer :
         {&image_, &frame_bmp_, &ink_bmp_, &grey_bmp_, &back_bmp_, &model_pic_, &back_pic_}) {
        *layer = blank_layer(pad_size());
    }
    load_pictures();
}

TAnimationPlayer::~TAnimationPlayer() {
    playtimer_->stop();
}

void TAnimationPlayer::load_pictures() {
    const QDir folder(settings_.program_folder);
    auto load = [&](const char* name) {
        const QImage picture(folder.filePath(QString::fromLatin1(name)));
        return picture.isNull() ? QImage() : to_24bit(picture);
    };
    flashbar_pic_ = load("flashbar.bmp");
    pen_pic_ = load("pen.bmp");
}

bool TAnimationPlayer::show_grid() const {
    return companion_grid_.value_or(pad().show_grid);
}

void TAnimationPlayer::use_pad_grid() {
    companion_grid_.reset();
}

void TAnimationPlayer::set_records(const TObjList& records) {
    records_ = records;
    lines_ = split_strokes(records);
    editor_->reset();
}

void TAnimationPlayer::reset_background() {
    if (settings_.unseen) {
        smooth_ = pad().smooth_ink;  // the sheets' strokes follow it
        return;
    }
    Background background;
    background.pad = pad_size();
    background.colour = bg_color;
    background.picture = back_pic_file_.isEmpty() ? nullptr : &back_pic_;
    background.grid = show_grid();
    background.grid_style = pad().grid_style;
    // Without a model drawn, the model picture is white and would leave the background as is.
    background.model = show_model_ && model_drawn_ ? &model_pic_ : nullptr;
    back_bmp_ = compose_background(background);
    underlay_in_background_ = false;
    ink_bmp_ = blank_layer(pad_size());
    draw_smooth_background(background);
    image_ = smooth_ ? back_smooth_ : back_bmp_;
    image_changed();
}

void TAnimationPlayer::draw_smooth_background(Background background) {
    smooth_ = pad().smooth_ink;
    if (!smooth_) {
        back_smooth_ = shown_smooth_ = QImage();
        ink_smooth_ = stroke_smooth_ = SmoothInk();
        return;
    }
    // Without a model picture the two backgrounds are the same.
    if (background.model != nullptr && model_drawn_) {
        if (model_softened_.isNull()) {
            model_softened_ = soften_edges(model_pic_);
        }
        background.model = &model_softened_;
        back_smooth_ = compose_background(background);
    } else {
        back_smooth_ = back_bmp_;
    }
    shown_smooth_ = back_smooth_;
    ink_smooth_ = SmoothInk(pad_size());
    stroke_smooth_ = SmoothInk(pad_size());
}

void TAnimationPlayer::halt() {
    frame_no_ = 1;
    capture_.reset();
    loop_wait_ = false;
    playtimer_->stop();
    if (std::exchange(playing_, false)) {
        play_list_ = {};
        delete_workbook();
    }
}

void TAnimationPlayer::show_static() {
    lesson_.show_whole();
    redraw_at_rest();
}

void TAnimationPlayer::redraw_at_rest() {
    if (settings_.unseen) {
        return;
    }
    const CharacterStrokes strokes(lines_);
    draw_view_at_rest(strokes, lesson_.shown(strokes.count()), lesson_.whole() || playing_);
}

void TAnimationPlayer::draw_view_at_rest(const CharacterStrokes& strokes, int shown, bool whole) {
    draw_over_background(
        [&](QImage& image, const RestStyle& style) {
            if (whole) {
                inkwren::draw_at_rest(image, lines_, style);
            } else {
                draw_lesson_step(image, lines_,
                                 std::size_t(strokes.elements_of_first(std::max(shown - 1, 0))),
                                 std::size_t(strokes.elements_of_first(shown)), style);
            }
        },
        whole ? strokes.count() : shown);
}

void TAnimationPlayer::show_practice(int written, bool outline, int hinted, double hint_share) {
    const CharacterStrokes strokes(lines_);
    const auto written_end = std::size_t(strokes.elements_of_first(written));
    const auto hint_end = std::size_t(strokes.elements_of_first(written + hinted));
    draw_over_background(
        [&](QImage& image, const RestStyle& style) {
            draw_practice_view(image, lines_, {written_end, hint_end, outline, hint_share}, style);
        },
        written);
}

void TAnimationPlayer::draw_over_background(
    const std::function<void(QImage&, const RestStyle&)>& draw, int numbered) {
    RestStyle style;
    style.width_scale = scale();
    style.flashbar_picture = pad().show_flashbars ? &flashbar_pic_ : nullptr;
    style.dragging = editor_->dragging();
    SmoothInk smooth_strokes;
    if (smooth_) {
        smooth_strokes = SmoothInk(pad_size());
        style.smooth = {&smooth_strokes, !needs_bitmap(lines_)};
    }
    // Drawn alone, the smooth strokes leave image_ untouched, and it is replaced below.
    if (!style.smooth.alone) {
        image_ = back_bmp_;
    }
    draw(image_, style);
    if (smooth_) {
        image_ = back_smooth_;
        lay_over(image_, smooth_strokes, smooth_strokes.drawn());
    }
    draw_numbers(image_, numbered);
    if (lines_.items.empty() && !note_.isEmpty()) {
        draw_note();
    }
    editor_->draw_decorations(image_);
    image_changed();
}

void TAnimationPlayer::drop_underlay() {
    if (underlay_in_background_ && !playing_) {
        reset_background();
        redraw_at_rest();
    }
}

void TAnimationPlayer::compose_frame(QPoint pen, std::optional<QRect> ink_changed) {
    frames_.give_back(std::move(frame_bmp_));
    frame_bmp_ = frames_.copy_of(compose_layers(ink_changed));
    draw_numbers(frame_bmp_, play_list_.strokes_begun(play_pos_));
    if (pad().show_pen && !pen_pic_.isNull()) {
        overlay(frame_bmp_, pen_pic_, pen.x(), pen.y() - pen_pic_.height(), pad_size());
    }
}

const QImage& TAnimationPlayer::compose_layers(std::optional<QRect> ink_changed) {
    if (smooth_) {
        show_area(shown_smooth_, back_smooth_, {&ink_smooth_, &stroke_smooth_},
                  ink_smooth_.take_changed() | stroke_smooth_.take_changed());
        return shown_smooth_;
    }
    return composed_.update(back_bmp_, ink_bmp_, pad_size(), ink_changed);
}

// On the composed picture only: the layers, and so editing and the sheets, never hold numbers.
void TAnimationPlayer::draw_numbers(QImage& picture, int shown) {
    if (pad().stroke_numbers) {
        number_painter_.draw(picture, lines_, shown, pad_size(), scale());
    }
}

bool TAnimationPlayer::draw_model(const QString& character) {
    model_pic_ = blank_layer(pad_size());
    model_softened_ = QImage();
    model_drawn_ = false;
    if (character.isEmpty() || !settings_.model_pictures) {
        return false;
    }
    try {
        const std::optional<QImage> picture = settings_.model_pictures(character);
        if (!picture) {
            return false;
        }
        draw_centred(model_pic_, *picture);
        model_drawn_ = true;
        return true;
    } catch (const Error& error) {
        owner_.report(error.message());
        return false;
    }
}

void TAnimationPlayer::image_changed() {
    if (on_image_changed) {
        on_image_changed();
    }
}

}  // namespace inkwren
