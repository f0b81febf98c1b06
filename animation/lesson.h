// The keyboard lesson on the pad: stepping through a character's stroke order one stroke at a
// time, and starting, pausing and resuming its writing. Looping is the player's own playback.
#pragma once

#include <vector>

#include "strokes/linelist.h"

namespace inkwren {

class TAnimationPlayer;

// A learner's strokes among the elements of a line list. An element that puts ink on the pad is
// a stroke. A flash bar or a fill seed is not a step of its own: it flashes or fills what the
// strokes before it drew, so it comes with the stroke before it; any such elements ahead of the
// first stroke come with the first.
class StrokeSteps {
public:
    explicit StrokeSteps(const TLineList& lines);

    // How many strokes there are to step through.
    int count() const { return int(strokes_.size()); }
    // How many elements the view at rest shows after the first strokes (clamped to 0..count()):
    // none for no strokes, every element for all of them.
    int elements_after(int strokes) const;
    // How many strokes are among the first elements.
    int strokes_in(int elements) const;

private:
    int elements_;
    std::vector<int> strokes_;  // the index of each stroke's element
};

// Whether an element puts ink on the pad at rest, as a pen stroke or a curve does.
bool draws_ink(const TObjList& element);

enum class StrokeStep { next, previous, none, all };

// Stops any playback (the character is then at rest, whole) and shows the character at rest up
// to the stroke the step leads to.
void step_strokes(TAnimationPlayer& player, StrokeStep step);

// Writes the character from its first stroke when nothing plays; otherwise pauses or resumes.
void play_or_pause(TAnimationPlayer& player);

}  // namespace inkwren
