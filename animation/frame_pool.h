// The pictures the player's frames are copied into. A frame stays held after it is replaced,
// by the pad until the next is shown and by a capture until it is encoded; a picture nobody
// holds any more is written again, where a fresh one would cost the system new pages to map
// and clear for every frame.
#pragma once

#include <QImage>

#include <cstddef>
#include <vector>

namespace inkwren {

class FramePool {
public:
    // A frame done with by its maker; others may still hold it.
    void give_back(QImage frame);

    // A picture with the pixels of the given one, held by nobody else, so drawing on it copies
    // nothing.
    QImage copy_of(const QImage& picture);

    // One more picture like the given one, its memory touched, while fewer than two are free.
    void make_spare(const QImage& like);

    // Lets go of the frames given back; those still held elsewhere live on there.
    void release() { frames_.clear(); }

private:
    static constexpr std::size_t most_kept = 8;
    std::vector<QImage> frames_;
};

}  // namespace inkwren
