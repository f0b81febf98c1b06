#include <gtest/gtest.h>

#include <QPainter>

#include "animation/lesson.h"
#include "animation/raster.h"
#include "animation/stroke_numbers.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::lines_of;
using testing::red_pixels;

constexpr QSize small_pad(200, 200);

// A black stroke through the points.
TObjList stroke(std::initializer_list<QPointF> points) {
    return testing::stroke(points, black_color);
}

// A white pad with black blocks.
QImage ink_of(QSize pad, const std::vector<QRect>& blocks) {
    QImage picture = make_bitmap(pad.width(), pad.height());
    QPainter painter(&picture);
    for (const QRect& block : blocks) {
        painter.fillRect(block, Qt::black);
    }
    return picture;
}

int number_pixels_in(const QImage& picture, const QRectF& box) {
    return red_pixels(picture.copy(box.toAlignedRect().intersected(picture.rect())));
}

// ---- How large the numbers are

TEST(NumberHeight, ShrinksWithTheStrokesBetweenALegibleLeastAndAShareOfThePad) {
    struct Case {
        int side, strokes;
        double height;
    };
    for (const Case& c : {Case{200, 5, 10.0}, Case{200, 29, 7.0}, Case{650, 5, 32.5},
                          Case{650, 16, 19.5}, Case{650, 29, 14.48}}) {
        EXPECT_NEAR(number_height(QSize(c.side, c.side), c.strokes), c.height, 0.01)
            << c.side << " px, " << c.strokes << " strokes";
    }
}

// ---- Where the numbers go

TEST(InkMap, CountsTheInkUnderABoxClippedToThePicture) {
    const InkMap ink(ink_of(QSize(20, 10), {QRect(2, 2, 3, 3), QRect(18, 8, 2, 2)}));
    struct Case {
        QRect box;
        int ink;
    };
    for (const Case& c : {Case{QRect(0, 0, 20, 10), 13}, Case{QRect(3, 3, 1, 1), 1},
                          Case{QRect(5, 0, 13, 10), 0}, Case{QRect(15, 5, 30, 30), 4},
                          Case{QRect(-5, -5, 8, 8), 1}, Case{QRect(40, 40, 5, 5), 0}}) {
        EXPECT_EQ(ink.ink_in(c.box), c.ink) << c.box.x() << "," << c.box.y();
    }
}

// A start inside a stroke gets the ink-free place nearest it, behind the stroke where that is
// as near; with no free place within reach it takes the least inked one; numbers crowded at one
// point or in a corner never overlap and stay on the pad.
TEST(NumberPlacement, NearestFreePlaceOrLeastInkApartAndOnThePad) {
    const QSize pad(200, 200);
    const double height = 10;
    struct Case {
        const char* name;
        std::vector<QRect> ink;
        std::vector<StrokeStart> starts;
        bool free;     // every number clear of ink
        double reach;  // from start to box centre at most
        QRectF within = QRectF(0, 0, 200, 200);
    };
    const std::vector<Case> cases = {
        {"behind a stroke going right",
         {QRect(100, 95, 80, 10)},
         {{{102, 100}, {1, 0}}},
         true,
         20,
         QRectF(0, 0, 100, 200)},
        {"between two bars",
         {QRect(0, 80, 200, 10), QRect(0, 110, 200, 10)},
         {{{100, 85}, {1, 0}}, {{100, 115}, {1, 0}}},
         true,
         40},
        {"crowded",
         {QRect(95, 95, 10, 10)},
         std::vector<StrokeStart>(12, {{100, 100}, {0, 1}}),
         true,
         50},
        {"corners", {}, {{{0, 0}, {1, 0}}, {{1, 2}, {0, 1}}, {{199, 199}, {-1, 0}}}, true, 25},
        {"all ink",
         {QRect(0, 0, 200, 200)},
         {{{100, 100}, {1, 0}}, {{100, 100}, {1, 0}}},
         false,
         50},
    };
    for (const Case& c : cases) {
        const InkMap ink(ink_of(pad, c.ink));
        const std::vector<NumberMark> marks = place_numbers(c.starts, ink, height);
        ASSERT_EQ(marks.size(), c.starts.size()) << c.name;
        for (std::size_t at = 0; at < marks.size(); ++at) {
            const NumberMark& mark = marks[at];
            EXPECT_TRUE(c.within.contains(mark.box)) << c.name << at;
            EXPECT_EQ(ink.ink_in(mark.box.toAlignedRect()) == 0, c.free) << c.name << at;
            EXPECT_LE(QLineF(mark.box.center(), mark.start).length(), c.reach) << c.name << at;
            for (std::size_t other = at + 1; other < marks.size(); ++other) {
                EXPECT_FALSE(mark.box.toAlignedRect().intersects(marks[other].box.toAlignedRect()))
                    << c.name << at << " and " << other;
            }
        }
    }
}

// ---- The player's pictures

using PlayerNumbersTest = testing::PlayerTest;

// Switched on, the numbers show at rest, never in the layers; a step shows only the numbers of
// the strokes it shows. Captured frames show each number from its stroke's first ink, and none
// without the switch. A kept painter follows a stroke moved, as the editor does.
TEST_F(PlayerNumbersTest, TheShownStrokesHaveTheirNumbersAtRestInStepsAndInCapturedFrames) {
    owner.pad.show_pen = false;
    remake();
    player->set_records(
        flatten_lines(lines_of({stroke({{40, 40}, {160, 40}}), stroke({{40, 150}, {160, 150}})})));
    const std::vector<NumberMark> marks = place_stroke_numbers(player->lines(), small_pad, 1.0);
    const auto shown_number = [&marks](const QImage& picture, int index) {
        return number_pixels_in(picture, marks[std::size_t(index)].box);
    };
    owner.pad.stroke_numbers = true;
    player->reset_background();
    player->show_static();
    EXPECT_GT(shown_number(player->image(), 0), 10);
    EXPECT_GT(shown_number(player->image(), 1), 10);
    EXPECT_EQ(red_pixels(player->back_bmp()), 0);
    EXPECT_EQ(red_pixels(player->ink_bmp()), 0);
    step_strokes(*player, StrokeStep::none);
    EXPECT_EQ(red_pixels(player->image()), 0);
    step_strokes(*player, StrokeStep::next);
    EXPECT_GT(shown_number(player->image(), 0), 10);
    EXPECT_EQ(shown_number(player->image(), 1), 0);

    owner.record_gif = true;
    for (const bool numbers : {false, true}) {
        owner.pad.stroke_numbers = numbers;
        player->play();
        testing::run_to_end(*player);
        ASSERT_GE(owner.gif.size(), 3u);
        const QImage& first = owner.gif.front().bitmap;
        const QImage& last = owner.gif.back().bitmap;
        EXPECT_EQ(shown_number(first, 0) > 10, numbers);
        EXPECT_EQ(shown_number(first, 1), 0);
        EXPECT_EQ(shown_number(last, 1) > 10, numbers);
    }

    StrokeNumberPainter painter;
    QImage before = make_bitmap(200, 200);
    painter.draw(before, lines_of({stroke({{40, 40}, {160, 40}})}), 1, small_pad, 1.0);
    const QRectF moved_from =
        place_stroke_numbers(lines_of({stroke({{40, 40}, {160, 40}})}), small_pad, 1.0).front().box;
    QImage after = make_bitmap(200, 200);
    painter.draw(after, lines_of({stroke({{40, 150}, {160, 150}})}), 1, small_pad, 1.0);
    EXPECT_GT(number_pixels_in(before, moved_from), 10);
    EXPECT_EQ(number_pixels_in(after, moved_from), 0);
    EXPECT_GT(red_pixels(after), 10);
}

}  // namespace
}  // namespace inkwren
