#include "animation/animationplayer.h"

#include <QDir>

#include "animation/layers.h"
#include "animation/raster.h"
#include "pad/picture_dictionary.h"
#include "platform/error.h"

namespace inkwren {

TAnimationPlayer::TAnimationPlayer(PlayerOwner& owner, QString start_dir)
    : owner_(owner), start_dir_(std::move(start_dir)), playtimer_(std::make_unique<QTimer>()) {
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
}

TAnimationPlayer::~TAnimationPlayer() {
    playtimer_->stop();
}

void TAnimationPlayer::init_pad() {
    for (QImage* layer :
         {&image, &frame_bmp, &ink_bmp, &grey_bmp, &back_bmp, &model_pic, &back_pic}) {
        *layer = make_bitmap(pad_w, pad_h);
    }
    load_pictures();
    show_flashbars = owner_.flash_bar_view();
    stroke_pause = owner_.stroke_interval() * 100;
    tick_ms = base_tick_ms;
}

void TAnimationPlayer::load_pictures() {
    const QDir folder(start_dir_);
    auto load = [&](const char* name) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        const QImage picture(path);
        return picture.isNull() ? QImage() : to_24bit(picture);
    };
    flashbar_pic = load("flashbar.bmp");
    pen_pic = load("pen.bmp");
}

void TAnimationPlayer::compose_frame() {
    frame_bmp = back_bmp;
    overlay(frame_bmp, ink_bmp, 0, 0, pad_size());
    if (show_pen && !pen_pic.isNull()) {
        overlay(frame_bmp, pen_pic, pen_x, pen_y - pen_pic.height(), pad_size());
    }
}

bool TAnimationPlayer::draw_model(const QByteArray& text) {
    if (text.isEmpty()) {
        model_pic = make_bitmap(pad_w, pad_h);
        return false;
    }
    model_pic.fill(Qt::white);
    try {
        return draw_model_picture(start_dir_, text, model_pic);
    } catch (const Error& error) {
        model_pic.fill(Qt::white);
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
