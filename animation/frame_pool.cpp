#include "animation/frame_pool.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace inkwren {

void FramePool::give_back(QImage frame) {
    if (frame.isNull()) {
        return;
    }
    if (frames_.size() == most_kept) {
        frames_.erase(frames_.begin());
    }
    frames_.push_back(std::move(frame));
}

void FramePool::make_spare(const QImage& like) {
    const auto free = std::count_if(frames_.begin(), frames_.end(), [&](const QImage& frame) {
        return frame.isDetached() && frame.size() == like.size();
    });
    if (free < 2 && frames_.size() < most_kept && !like.isNull()) {
        QImage spare(like.size(), like.format());
        spare.fill(Qt::white);
        frames_.push_back(std::move(spare));
    }
}

QImage FramePool::copy_of(const QImage& picture) {
    for (auto kept = frames_.begin(); kept != frames_.end(); ++kept) {
        if (!kept->isDetached() || kept->size() != picture.size() ||
            kept->format() != picture.format() || kept->bytesPerLine() != picture.bytesPerLine()) {
            continue;
        }
        // The last holder, maybe a capture's thread, has let go: its reads of the pixels come
        // before the writes below.
        std::atomic_thread_fence(std::memory_order_acquire);
        QImage frame = std::move(*kept);
        frames_.erase(kept);
        std::memcpy(frame.bits(), picture.constBits(), std::size_t(picture.sizeInBytes()));
        return frame;
    }
    return picture.copy();
}

}  // namespace inkwren
