#include "output/background_gif_encoder.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace inkwren {

BackgroundGifEncoder::BackgroundGifEncoder(double scale)
    : encoder_(scale), worker_([this] { work(); }) {}

BackgroundGifEncoder::~BackgroundGifEncoder() {
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void BackgroundGifEncoder::add(const QImage& frame, int delay_hundredths) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < max_queued; });
    // A shallow copy: the player's next drawing detaches its own picture, not this one.
    queue_.push_back({frame, delay_hundredths});
    changed_.notify_all();
}

void BackgroundGifEncoder::work() {
    // The timer's thread comes first: on a busy machine the encoding waits, not the animation.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 10);
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return closing_ || !queue_.empty(); });
        if (queue_.empty()) {
            return;  // closing with nothing left to do
        }
        Frame frame = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        changed_.notify_all();
        lock.unlock();
        try {
            if (!failure_) {
                encoder_.add(frame.picture, frame.delay);
            }
        } catch (...) {
            failure_ = std::current_exception();
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

QByteArray BackgroundGifEncoder::finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !busy_; });
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
    return encoder_.finish();
}

}  // namespace inkwren
