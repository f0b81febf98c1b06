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

// The colour at the middle of each of the three strokes.
std::vector<QRgb> stroke_colours(const QImage& image) {
    return {image.pixel(50, 30), image.pixel(50, 80), image.pixel(50, 130)};
}

// A step shows the strokes reached in ink, the newest in the highlight colour and those still to
// come in grey (no step back past none); a step stops any playback and leaves no grey underlay
// behind.
TEST_F(LessonTest, StepsShowTheNewestStrokeHighlightedTheRestToComeInGreyAndLoopingWritesAgain) {
    const QRgb ink = at_rest(4).pixel(50, 30);  // the strokes' own colour
    const QRgb newest = qRgb(0, 0, 255), grey = qRgb(0xBB, 0xBB, 0xBB);
    const struct {
        StrokeStep step;
        std::vector<QRgb> colours;
    } steps[] = {
        {StrokeStep::none, {grey, grey, grey}},       {StrokeStep::next, {newest, grey, grey}},
        {StrokeStep::next, {ink, newest, grey}},      {StrokeStep::next, {ink, ink, newest}},
        {StrokeStep::next, {ink, ink, newest}},       {StrokeStep::previous, {ink, newest, grey}},
        {StrokeStep::previous, {newest, grey, grey}}, {StrokeStep::previous, {grey, grey, grey}},
        {StrokeStep::previous, {grey, grey, grey}},   {StrokeStep::all, {ink, ink, ink}}};
    for (const auto& each : steps) {
        step_strokes(*player, each.step);
        EXPECT_EQ(stroke_colours(player->image()), each.colours);
    }
    // The second stroke's fill-seed mark comes with it.
    const QPoint mark(150, 60);
    step_strokes(*player, StrokeStep::none);
    step_strokes(*player, StrokeStep::next);
    EXPECT_EQ(player->image().pixel(mark), at_rest(0).pixel(mark));
    step_strokes(*player, StrokeStep::next);
    EXPECT_EQ(player->image().pixel(mark), at_rest(4).pixel(mark));
    EXPECT_NE(at_rest(0).pixel(mark), at_rest(4).pixel(mark));
    step_strokes(*player, StrokeStep::all);
    EXPECT_EQ(player->image(), at_rest(4));

    owner.pad.grey_first = true;
    player->play();
    player->play_tick();
    step_strokes(*player, StrokeStep::previous);
    EXPECT_FALSE(player->playing());
    EXPECT_EQ(stroke_colours(player->image()), (std::vector<QRgb>{ink, newest, grey}));

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
