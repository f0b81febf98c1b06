#include "output/gif_capture.h"

#include <QMetaObject>

#include <chrono>
#include <exception>
#include <optional>

#include "output/gif_recorder.h"
#include "pad/writing_pad.h"
#include "platform/error.h"

namespace inkwren {

GifCapture::GifCapture(WritingPad& pad) : pad_(pad) {
    pad_.capture = this;
}

GifCapture::~GifCapture() {
    pad_.capture = nullptr;
}

std::unique_ptr<FrameRecorder> GifCapture::start() {
    return std::make_unique<GifRecorder>(settings.scale);
}

void GifCapture::finished(std::unique_ptr<FrameRecorder> capture) {
    std::promise<Made> promise;
    Making& making = making_.emplace_back();
    making.result = promise.get_future();
    making.thread = std::jthread([this, promise = std::move(promise), character = pad_.cur_text(),
                                  capture = std::move(capture)]() mutable {
        Made made{character, {}, {}};
        try {
            made.gif = capture->finish();
        } catch (const Error& error) {
            made.error = error.message();
        } catch (const std::exception& error) {
            made.error = QString::fromLocal8Bit(error.what());
        }
        capture.reset();
        promise.set_value(std::move(made));
        QMetaObject::invokeMethod(
            &receiver_, [this] { hand_on_ready(); }, Qt::QueuedConnection);
    });
}

void GifCapture::wait_for_gifs() {
    // Taken first: a GIF handed on may start the next playback, and so another GIF.
    std::deque<Making> waited = std::move(making_);
    making_.clear();
    for (Making& making : waited) {
        hand_on(making);
    }
}

// In the order they were begun: a GIF done early waits for those before it.
void GifCapture::hand_on_ready() {
    while (!making_.empty() &&
           making_.front().result.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        Making ready = std::move(making_.front());
        making_.pop_front();
        hand_on(ready);
    }
}

void GifCapture::hand_on(Making& making) {
    Made made = making.result.get();
    making.thread.join();
    if (!made.error.isEmpty()) {
        pad_.report(made.error);
    } else if (on_gif) {
        on_gif(made.character, std::move(made.gif));
    }
}

QByteArray play_gif(WritingPad& pad, double scale) {
    GifCapture capture(pad);
    capture.settings = {true, scale};
    std::optional<QByteArray> gif;
    capture.on_gif = [&gif](const QString&, QByteArray finished) { gif = std::move(finished); };
    TAnimationPlayer& player = pad.player();
    player.replay();
    while (player.playing()) {
        player.play_tick();
    }
    capture.wait_for_gifs();
    if (!gif) {
        throw Error(QStringLiteral("The character has no strokes to write."));
    }
    return std::move(*gif);
}

}  // namespace inkwren
