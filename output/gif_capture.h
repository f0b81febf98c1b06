// The GIF capture of a pad's playbacks, attached to the pad while it lives: each capture is
// encoded as its frames are shown, and one whose playback ran to its end is put together into
// its file on a thread of its own, so that the pad's last tick does not wait for it.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include "pad/playback_capture.h"

namespace inkwren {

class WritingPad;

// What playbacks are captured with: the GIF switch and the GIF's size against the pad's.
struct GifSettings {
    bool record = false;
    double scale = 1.0;
};

class GifCapture : public PlaybackCapture {
public:
    explicit GifCapture(WritingPad& pad);
    // Waits for the GIFs still being put together, which nobody takes any more.
    ~GifCapture() override;
    GifCapture(const GifCapture&) = delete;
    GifCapture& operator=(const GifCapture&) = delete;

    GifSettings settings;
    // Takes each finished GIF, the whole file, with the character it writes, on the thread the
    // pad lives on, once the event loop comes round or wait_for_gifs is called. A GIF that
    // cannot be made is reported by the pad instead.
    std::function<void(const QString& character, QByteArray gif)> on_gif;

    bool on() const override { return settings.record; }
    std::unique_ptr<FrameRecorder> start() override;
    void finished(std::unique_ptr<FrameRecorder> capture) override;

    // Hands on every GIF begun, waiting for those still being put together.
    void wait_for_gifs();

private:
    struct Made {
        QString character;
        QByteArray gif;
        QString error;  // why there is no GIF
    };
    // A GIF being put together: its result is set before the thread says it is ready.
    struct Making {
        std::future<Made> result;
        std::jthread thread;
    };
    void hand_on_ready();
    void hand_on(Making& making);

    WritingPad& pad_;
    QObject receiver_;  // where the threads say that a GIF is ready; goes after them
    std::deque<Making> making_;
};

// Plays the pad's character from its start to its end, captured at the scale, and answers its
// GIF; throws Error when the character has no strokes to write.
QByteArray play_gif(WritingPad& pad, double scale);

}  // namespace inkwren
