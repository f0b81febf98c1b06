// A GIF encoder that works beside the player's timer: frames are queued as they are shown and
// resized and compressed on a worker thread, so a captured frame costs a tick almost nothing.
// The queue is short, so memory stays small; the file comes out as the plain encoder makes it.
#pragma once

#include <QByteArray>
#include <QImage>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "output/gif_encoder.h"

namespace inkwren {

class BackgroundGifEncoder {
public:
    explicit BackgroundGifEncoder(double scale = 1.0);
    ~BackgroundGifEncoder();
    BackgroundGifEncoder(const BackgroundGifEncoder&) = delete;
    BackgroundGifEncoder& operator=(const BackgroundGifEncoder&) = delete;

    // Queues the frame; waits only while the queue is full.
    void add(const QImage& frame, int delay_hundredths);

    // Waits for the queued frames and answers the whole GIF; a failure of the encoder (such as
    // a frame of another size) is thrown here.
    QByteArray finish();

private:
    struct Frame {
        QImage picture;
        int delay;
    };
    static constexpr std::size_t max_queued = 4;

    void work();

    GifEncoder encoder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Frame> queue_;
    bool closing_ = false;
    bool busy_ = false;
    std::exception_ptr failure_;
    std::thread worker_;
};

}  // namespace inkwren
