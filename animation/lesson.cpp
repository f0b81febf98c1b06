#include "animation/lesson.h"

#include <algorithm>

#include "animation/animationplayer.h"
#include "animation/stroke_editor.h"

namespace inkwren {

bool draws_ink(const TObjList& element) {
    return std::any_of(element.begin(), element.end(), [](const PointRecord& record) {
        return !is_end_marker(record) && (record.kind == record_kind::pen_point ||
                                          record.kind == record_kind::old_pen_point ||
                                          record.kind == record_kind::bezier_control);
    });
}

StrokeSteps::StrokeSteps(const TLineList& lines) : elements_(lines.count()) {
    for (int index = 0; index < lines.count(); ++index) {
        if (draws_ink(lines.items[std::size_t(index)])) {
            strokes_.push_back(index);
        }
    }
}

int StrokeSteps::elements_after(int strokes) const {
    strokes = std::clamp(strokes, 0, count());
    if (strokes == 0) {
        return 0;
    }
    // A stroke's view ends where the next stroke begins.
    return strokes < count() ? strokes_[std::size_t(strokes)] : elements_;
}

int StrokeSteps::strokes_in(int elements) const {
    return int(std::lower_bound(strokes_.begin(), strokes_.end(), elements) - strokes_.begin());
}

void step_strokes(TAnimationPlayer& player, StrokeStep step) {
    player.stop_play();
    player.editor().deselect();
    // The grey underlay a playback leaves would show strokes the step does not.
    player.drop_underlay();
    const StrokeSteps steps(player.lines());
    const int shown = steps.strokes_in(player.shown_strokes());
    switch (step) {
        case StrokeStep::next:
            player.show_strokes(steps.elements_after(shown + 1));
            break;
        case StrokeStep::previous:
            player.show_strokes(steps.elements_after(shown - 1));
            break;
        case StrokeStep::none:
            player.show_strokes(0);
            break;
        case StrokeStep::all:
            // Every element, marks of a character without strokes included.
            player.show_static();
            break;
    }
}

void play_or_pause(TAnimationPlayer& player) {
    if (player.playing() || player.waiting_to_loop()) {
        player.pause();
    } else {
        player.replay();
    }
}

}  // namespace inkwren
