#include <gtest/gtest.h>

#include "animation/lesson.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::run_to_end;

TObjList stroke_at(double y) {
    return testing::stroke({{20, y}, {80, y}});
}

// Three strokes; the fill seed's mark comes with the second.
TLineList lesson_lines(int elements = 4) {
    const TObjList all[] = {stroke_at(30),
                            stroke_at(80),
                            {testing::seed(150, 60, 0x00FF00), end_marker(1)},
                            stroke_at(130)};
    TLineList lines;
    for (int index = 0; index < elements; ++index) {
        add_line(lines, all[index]);
    }
    return lines;
}

class LessonTest : public testing::PlayerTest {
protected:
    LessonTest() {
        player = showing(4);
        player->set_records(flatten_lines(lesson_lines()));
    }

    std::unique_ptr<TAnimationPlayer> showing(int elements) {
        auto made = make_player();
        made->lines() = lesson_lines(elements);
        made->reset_background();
        made->show_static();
        return made;
    }

    // The oracle: what a player holding only the first elements shows at rest.
    QImage at_rest(int elements) { return showing(elements)->image(); }
};

// Steps show exactly the strokes up to the step; a step stops any playback and leaves no grey
// underlay behind.
TEST_F(LessonTest, StepsShowExactlyTheStrokesUpToTheStepAndLoopingWritesAgain) {
    step_strokes(*player, StrokeStep::none);
    EXPECT_EQ(player->image(), at_rest(0));
    for (const int elements : {1, 3, 4, 4}) {  // the last step stays on the whole character
        step_strokes(*player, StrokeStep::next);
        EXPECT_EQ(player->image(), at_rest(elements)) << elements;
    }
    for (const int elements : {3, 1, 0, 0}) {
        step_strokes(*player, StrokeStep::previous);
        EXPECT_EQ(player->image(), at_rest(elements)) << elements;
    }

    owner.pad.grey_first = true;
    player->play();
    player->play_tick();
    step_strokes(*player, StrokeStep::previous);
    EXPECT_FALSE(player->playing());
    EXPECT_EQ(player->image(), at_rest(3));

    // Looping writes the character again after a second until switched off.
    player->stop_play();
    owner.pad.loop_lesson = true;
    owner.record_gif = true;
    player->play();
    run_to_end(*player);
    ASSERT_TRUE(player->waiting_to_loop());
    EXPECT_EQ(player->playtimer().interval(), 1000);
    player->play_tick();
    EXPECT_TRUE(player->playing());
    // Only the one second's pause: the writing goes on at the next tick.
    EXPECT_EQ(player->playtimer().interval(), 30);

    run_to_end(*player);
    EXPECT_EQ(owner.gif_count, 1);  // the first round's capture alone
    owner.pad.loop_lesson = false;
    player->play_tick();
    EXPECT_FALSE(player->playing());
    EXPECT_FALSE(player->playtimer().isActive());

    // A stop ends the wait too.
    owner.pad.loop_lesson = true;
    play_or_pause(*player);
    run_to_end(*player);
    player->stop_play();
    EXPECT_FALSE(player->waiting_to_loop());
    EXPECT_FALSE(player->playtimer().isActive());
}

}  // namespace
}  // namespace inkwren
