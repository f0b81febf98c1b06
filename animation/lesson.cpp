#include "animation/lesson.h"

#include <algorithm>

#include "animation/animationplayer.h"
#include "animation/stroke_editor.h"
#include "animation/stroke_model.h"

namespace inkwren {

void LessonStep::take(StrokeStep step, int count) {
    const int now = shown(count);
    switch (step) {
        case StrokeStep::next:
            shown_ = std::min(now + 1, count);
            break;
        case StrokeStep::previous:
            shown_ = std::max(now - 1, 0);
            break;
        case StrokeStep::none:
            shown_ = 0;
            break;
        case StrokeStep::all:
            // Every element, marks of a character without strokes included.
            shown_.reset();
            break;
    }
}

void step_strokes(TAnimationPlayer& player, StrokeStep step) {
    player.stop_play();
    player.editor().deselect();
    // The grey underlay a playback leaves would show strokes the step does not.
    player.drop_underlay();
    player.lesson().take(step, CharacterStrokes(player.lines()).count());
    player.redraw_at_rest();
}

void play_or_pause(TAnimationPlayer& player) {
    if (player.playing() || player.waiting_to_loop()) {
        player.pause();
    } else {
        player.replay();
    }
}

}  // namespace inkwren
