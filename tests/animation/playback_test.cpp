#include <gtest/gtest.h>

#include "animation/layers.h"
#include "animation/play_list.h"
#include "animation/raster.h"
#include "platform/error.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::point;
using testing::run_to_end;

// Two horizontal strokes of 41 and 21 pixels.
TObjList two_strokes() {
    return {point(20, 50),  point(60, 50),  end_marker(2),
            point(20, 100), point(40, 100), end_marker(2)};
}

class PlaybackTest : public testing::PlayerTest {
protected:
    PlaybackTest() { remake(); }

    void start(const TObjList& records) {
        player->set_records(records);
        player->play();
    }

    // Ticks until the play list's element at the play position is of the kind.
    void tick_until(std::int32_t kind) {
        while (player->play_pos() < int(player->play_list().size()) &&
               player->play_list()[std::size_t(player->play_pos())].kind != kind) {
            player->play_tick();
        }
    }

    std::int32_t ink(int x, int y) const { return color_at(player->ink_bmp(), x, y); }
};

// Pen-up markers fold into the next point, runs of them as if one by one from the back, and a
// last pen-up stays. Folding them one by one, each removal moving the rest of the list, took
// minutes on a long list.
TEST(PlayList, PenUpsFoldIntoTheNextPointInOnePass) {
    const std::int32_t up = record_kind::pen_up;
    TObjList list = {point(1, 1, up), point(2, 2, up), point(3, 3),
                     point(4, 4, up), point(5, 5),     point(6, 6, up)};
    collapse_pen_ups(list);
    ASSERT_EQ(list.size(), 3u);
    for (std::size_t at = 0; at < 3; ++at) {
        EXPECT_EQ(list[at].x, (std::array{3, 5, 6})[at]) << at;
        EXPECT_EQ(list[at].kind, up) << at;
    }
    TObjList many;
    for (int index = 0; index < 400000; ++index) {
        many.push_back(point(index % 7, 1, index % 2 == 0 ? up : record_kind::pen_point));
    }
    collapse_pen_ups(many);
    EXPECT_EQ(many.size(), 200000u);
}

// Strokes of absurd length are refused before they exhaust memory, and before playback starts;
// one stroke zigzagging from edge to edge thousands of times was expanded whole before its
// length was looked at.
TEST_F(PlaybackTest, StrokesOfAbsurdLengthAreRefusedBeforeTheyAreExpanded) {
    TObjList zigzag;
    for (int turn = 0; turn < 5000; ++turn) {
        zigzag.push_back(point(turn % 2 == 0 ? -100000 : 100000, turn % 7));
    }
    zigzag.push_back(end_marker(2));
    EXPECT_THROW(build_play_list(zigzag, {}), Error);
    TObjList long_lines;  // each 200,000 pixels long, within the readers' range
    for (int line = 0; line < 10; ++line) {
        long_lines.insert(long_lines.end(),
                          {point(-100000, line), point(100000, line), end_marker(2)});
    }
    player->set_records(long_lines);
    EXPECT_THROW(player->play(), Error);
    EXPECT_FALSE(player->playtimer().isActive());
}

// The first stroke starts after one second with no pause after its opening move; later strokes
// pause at their end and after their opening move; the pen speed is read at every tick.
TEST_F(PlaybackTest, StrokeIntervalAndPenSpeedSetTheTicks) {
    for (const auto& [notches, pause] : {std::pair{0, 30}, std::pair{30, 3600}}) {
        owner.pad.stroke_interval = notches;
        owner.pad.pen_speed = 100;
        start(two_strokes());
        const TObjList& list = player->play_list();
        const int end_of_first =
            int(std::find_if(list.begin(), list.end(), is_end_marker) - list.begin());
        EXPECT_EQ(player->playtimer().interval(), 1000);
        player->play_tick();  // opens the first stroke
        EXPECT_EQ(player->playtimer().interval(), 30);
        player->play_tick();  // draws the first stroke to its end marker
        EXPECT_EQ(player->play_pos(), end_of_first + 1);
        EXPECT_EQ(player->playtimer().interval(), pause);
        player->play_tick();  // the second stroke's opening move
        EXPECT_EQ(player->play_pos(), end_of_first + 2);
        EXPECT_EQ(player->playtimer().interval(), pause);
        player->stop_play();
    }
    start({point(0, 50), point(199, 50), end_marker(2)});
    player->play_tick();
    for (const int speed : {0, 100, 7}) {
        owner.pad.pen_speed = speed;  // the slider moves while the character is written
        const int before = player->play_pos();
        player->play_tick();
        EXPECT_EQ(player->play_pos() - before, speed + 1);
    }
}

TEST_F(PlaybackTest, FillSeedsAndInstantCharactersShowAtOnceAndTwoColourStrokesTurnBlack) {
    owner.pad.pen_speed = 100;
    start({point(60, 60), point(140, 60), point(140, 140), point(60, 140), point(60, 60),
           end_marker(2), testing::seed(100, 100, 0x00FF00), end_marker(1)});
    tick_until(record_kind::fill_seed);
    const int at_seed = player->play_pos();
    player->play_tick();
    EXPECT_EQ(player->play_pos(), at_seed + 1);
    EXPECT_EQ(ink(30, 30), white_color);
    // The fill is on screen at once, though it is the character's last element.
    EXPECT_EQ(color_at(player->image(), 100, 100), 0x00FF00);

    // An all-instant character shows at once and finishes the next tick.
    TObjList records = two_strokes();
    for (PointRecord& record : records) {
        record.instant = true;
    }
    owner.pad.pen_speed = 0;
    start(records);
    player->play_tick();
    EXPECT_EQ(ink(40, 50), 0x0000FF);
    EXPECT_EQ(ink(30, 100), 0x0000FF);
    player->play_tick();
    EXPECT_FALSE(player->playing());
    // In two-colour mode a stroke is written in the highlight colour and turns black when done.
    owner.pad.two_color = true;
    owner.pad.stroke_color = 0xFF0000;
    remake();
    owner.pad.pen_speed = 5;
    start(two_strokes());
    while (player->play_pos() < 8) {
        player->play_tick();
    }
    EXPECT_EQ(ink(20, 50), 0xFF0000);  // being written
    run_to_end(*player);
    EXPECT_EQ(ink(40, 50), 0x000000);
    EXPECT_EQ(ink(30, 100), 0x000000);
}

// Pause resumes where it stopped and stop returns to rest. Drawing once stopped the playtimer as
// a side effect, so a redraw during playback (the grid switch, a repaint at rest) froze the
// animation half written. Switched display modes replay from the start.
TEST_F(PlaybackTest, PauseResumesAndRedrawingTheGridOrTheCharacterDoesNotStopPlayback) {
    owner.pad.pen_speed = 3;
    start(two_strokes());
    player->play_tick();
    player->play_tick();
    const int at = player->play_pos();
    player->pause();
    EXPECT_FALSE(player->playtimer().isActive());
    player->pause();
    player->reset_background();
    player->show_static();
    EXPECT_TRUE(player->playtimer().isActive());
    player->play_tick();
    EXPECT_GT(player->play_pos(), at);

    owner.pad.two_color = true;
    owner.pad.grey_first = true;
    player->display_modes_changed();
    EXPECT_TRUE(player->playing());
    EXPECT_EQ(player->play_pos(), 0);
    EXPECT_EQ(color_at(player->back_bmp(), 40, 50), 0xBBBBBB);  // the grey underlay

    player->stop_play();
    EXPECT_FALSE(player->playtimer().isActive());
    EXPECT_EQ(color_at(player->image(), 30, 100), 0x0000FF);  // the character at rest
}

TEST_F(PlaybackTest, CapturedFramesGoToTheWriterOnlyWhenPlaybackEndsWithTheSwitchOn) {
    owner.pad.pen_speed = 0;
    const auto ticks = [this](int count) {
        for (int tick = 0; tick < count; ++tick) {
            player->play_tick();
        }
    };
    // Switched on or off, capture takes effect at once; a stop drops the frames.
    start(two_strokes());
    ticks(20);
    owner.record_gif = true;
    ticks(20);
    EXPECT_TRUE(player->capturing());
    player->stop_play();
    EXPECT_FALSE(player->capturing());
    start(two_strokes());
    ticks(20);
    owner.record_gif = false;
    run_to_end(*player);
    EXPECT_EQ(owner.gif_count, 0);

    owner.record_gif = true;
    start(two_strokes());
    run_to_end(*player);
    ASSERT_EQ(owner.gif_count, 1);
    // At speed 0 every drawing tick shows a frame: 42 and 22 of them for the two strokes. About
    // one in six is kept, plus the frames at the strokes' ends.
    const int shown = 42 + 22;
    EXPECT_GE(int(owner.gif.size()), shown / 6);
    EXPECT_LE(int(owner.gif.size()), shown / 6 + 4);
    // An ordinary frame shows for the six ticks of 30 ms until the next one kept.
    EXPECT_EQ(owner.gif[1].delay, 18);
    // Smooth GIFs keep one in two, each shown for two ticks.
    owner.pad.smooth_gif = true;
    start(two_strokes());
    run_to_end(*player);
    ASSERT_EQ(owner.gif_count, 2);
    EXPECT_GE(int(owner.gif.size()), shown / 2);
    EXPECT_LE(int(owner.gif.size()), shown / 2 + 4);
    EXPECT_EQ(owner.gif[1].delay, 6);
}

// A flash bar blinks the stroke before it: each flash is four steps of a quarter second, in the
// bar's colour and back in the stroke's own, less the last marker. Unexpanded, it is one element.
TEST_F(PlaybackTest, FlashBarsBlinkThePreviousStroke) {
    owner.pad.pen_speed = 100;
    owner.pad.flash_count = 3;
    PointRecord bar = point(60, 50, record_kind::flash_bar);
    bar.repeat_count = 3;
    bar.fill_color = 0x00FF00;
    start({point(20, 50), point(60, 50), end_marker(2), bar, end_marker(5)});
    tick_until(record_kind::flash_step);
    EXPECT_EQ(int(player->play_list().size()) - player->play_pos(), 11 + 1);
    player->play_tick();
    EXPECT_EQ(ink(40, 50), 0x00FF00);
    EXPECT_EQ(player->playtimer().interval(), 250);
    run_to_end(*player);
    EXPECT_EQ(ink(40, 50), 0x0000FF);
    PlayListOptions options;
    options.expand_flash = false;
    EXPECT_EQ(build_play_list({bar, end_marker(5)}, options).size(), 1u);
}

// A tick composes its frame again only where its pen drew. Every frame must still be the
// background with the ink over it, in every display mode, with wide pens, crossing strokes, a
// fill and the finished strokes turning colour.
TEST_F(PlaybackTest, FramesComposedByAreaAreTheLayersComposedWhole) {
    const auto wide = [](double x, double y, std::int32_t width) {
        PointRecord record = point(x, y);
        record.pen_width = width;
        return record;
    };
    const TObjList records = {wide(20, 20, 15),
                              wide(180, 180, 15),
                              end_marker(2),
                              wide(180, 20, 9),
                              wide(20, 180, 9),
                              wide(100, 190, 3),
                              end_marker(2),
                              point(40, 60),
                              point(160, 60),
                              point(100, 150),
                              point(40, 60),
                              end_marker(2),
                              testing::seed(100, 90, 0x00FF00),
                              end_marker(1)};
    struct Mode {
        bool two_color;
        bool grey_first;
    };
    for (const Mode mode : {Mode{false, false}, Mode{true, false}, Mode{true, true}}) {
        owner.pad.two_color = mode.two_color;
        owner.pad.grey_first = mode.grey_first;
        owner.pad.pen_speed = 7;
        remake();
        start(records);
        int frames = 0;
        while (player->playing()) {
            const qint64 shown_before = player->frame_bmp().cacheKey();
            player->play_tick();
            if (player->frame_bmp().cacheKey() == shown_before) {
                continue;  // a tick that composed no frame
            }
            QImage whole = player->back_bmp();
            overlay(whole, player->ink_bmp(), 0, 0, whole.size());
            ASSERT_EQ(player->frame_bmp(), whole)
                << "two-colour " << mode.two_color << ", grey first " << mode.grey_first
                << ", frame " << frames;
            ++frames;
        }
        EXPECT_GT(frames, 30);
    }
}

}  // namespace
}  // namespace inkwren
