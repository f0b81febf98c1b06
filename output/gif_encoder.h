// The animated GIF of a captured animation: frames go in one at a time as the player shows
// them and are compressed at once, so a long capture holds only the previous frame and bytes
// (and, for a resized capture, the picture shown so far and the colours met).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <memory>

namespace inkwren {

// The delay a captured frame is written with: nearest(delay × 1.5), halves to even
// (3 → 4, 10 → 15).
int gif_delay(int captured_hundredths);
inline constexpr int gif_last_frame_delay = 500;  // the last image holds for five seconds

class GifEncoder {
public:
    // scale 1.0 keeps the frames' size and their exact colours while the global table has
    // room. Otherwise every frame is first resampled to nearest(width × scale) ×
    // nearest(height × scale) with resized_picture, and all images share one table of the
    // capture's colours, each pixel shown within a small difference of its own; a pixel already
    // shown that close is left transparent, and the table is put in order of use at the end.
    explicit GifEncoder(double scale = 1.0);
    ~GifEncoder();
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    // Takes one frame as it is shown, with the delay it was captured with. Every frame has the
    // size of the first; another size throws Error. Only what changed since the previous frame
    // is compressed, so a frame costs little after the first.
    void add(const QImage& frame, int delay_hundredths);
    int frame_count() const;

    // The whole GIF file; the encoder is spent afterwards and holds no frames. Throws Error
    // when there are no frames.
    QByteArray finish();

    // Bytes held now: the previous frame, the compressed images and the working buffers.
    std::size_t memory_used() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Writes bytes whole or not at all; throws Error naming the file on failure.
void save_gif(const QByteArray& gif, const QString& path);

}  // namespace inkwren
