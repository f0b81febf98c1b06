// The keyboard lesson on the pad: stepping through a character's stroke order one stroke at a
// time, and starting, pausing and resuming its writing. Looping is the player's own playback.
#pragma once

#include <algorithm>
#include <optional>

namespace inkwren {

class TAnimationPlayer;

enum class StrokeStep { next, previous, none, all };

// The learner's place in the stroke order: how many strokes the character at rest shows. Only a
// step moves it; writing, stopping, loading or editing the character shows it whole again.
class LessonStep {
public:
    // Of a character of count strokes, how many are shown.
    int shown(int count) const { return shown_ ? std::min(*shown_, count) : count; }
    bool whole() const { return !shown_; }
    void take(StrokeStep step, int count);
    void show_whole() { shown_.reset(); }

private:
    std::optional<int> shown_;  // none for the whole character
};

// Stops any playback (the character is then at rest, whole) and shows the character at rest up
// to the stroke the step leads to.
void step_strokes(TAnimationPlayer& player, StrokeStep step);

// Writes the character from its first stroke when nothing plays; otherwise pauses or resumes.
void play_or_pause(TAnimationPlayer& player);

}  // namespace inkwren
