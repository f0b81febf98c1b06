// A capture's frames made into an animated GIF as the player shows them: the program's capture,
// the exporter's and the benchmarks' are one and the same, so they make the same bytes.
#pragma once

#include <QByteArray>
#include <QImage>

#include "animation/player_owner.h"
#include "output/background_gif_encoder.h"

namespace inkwren {

class GifRecorder : public FrameRecorder {
public:
    explicit GifRecorder(double scale) : encoder_(scale) {}

    void add(const QImage& frame, int delay) override { encoder_.add(frame, delay); }

    // The whole GIF; throws Error when there is nothing to write.
    QByteArray finish() override { return encoder_.finish(); }

private:
    BackgroundGifEncoder encoder_;
};

}  // namespace inkwren
