// The capture of a pad's playbacks, kept outside the pad by whoever the captures go to: its
// switch, the recorder each capture is made with, and what becomes of a finished one.
#pragma once

#include <memory>

#include "animation/player_owner.h"

namespace inkwren {

class PlaybackCapture {
public:
    virtual ~PlaybackCapture() = default;

    // Whether the frames shown are captured now.
    virtual bool on() const = 0;

    // Where the frames of a capture go, from its first frame on.
    virtual std::unique_ptr<FrameRecorder> start() = 0;

    // A capture whose playback ran to its end with capture on.
    virtual void finished(std::unique_ptr<FrameRecorder> capture) = 0;
};

}  // namespace inkwren
