#include <gtest/gtest.h>

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

void expect_apart_and_inside(const std::vector<NumberMark>& marks, QSize pad) {
    for (std::size_t first = 0; first < marks.size(); ++first) {
        const NumberMark& mark = marks[first];
        const QPointF corner(mark.radius, mark.radius);
        EXPECT_TRUE(QRectF(QPointF(), QSizeF(pad))
                        .contains(QRectF(mark.centre - corner, mark.centre + corner)))
            << "number " << mark.number;
        for (std::size_t second = first + 1; second < marks.size(); ++second) {
            EXPECT_FALSE(circles_overlap(mark, marks[second]))
                << "numbers " << mark.number << " and " << marks[second].number;
        }
    }
}

int number_pixels_near(const QImage& picture, QPointF centre, double reach) {
    const QRect box = QRectF(centre - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach))
                          .toAlignedRect()
                          .intersected(picture.rect());
    return red_pixels(picture.copy(box));
}

// ---- Where the numbers go

// Of strokes from one point the first keeps its start and the others move only as far as
// needed; numbers at the corners stay on the pad, whose size the circles grow with.
TEST(NumberPlacement, CrowdedAndCornerStartsNeverOverlapAndStayOnThePad) {
    for (const QSize pad : {QSize(200, 200), QSize(650, 650)}) {
        TLineList lines;
        const double s = pad.width() / 200.0;
        for (int at = 0; at < 6; ++at) {  // six strokes from one point, one just beside it
            add_line(lines, stroke({{100 * s + (at == 5 ? 2 : 0), 100 * s}, {150 * s, 120 * s}}));
        }
        add_line(lines, stroke({{0, 0}, {40 * s, 0}}));  // in the very corner
        add_line(lines, stroke({{1, 2}, {1, 60 * s}}));
        add_line(lines, stroke({{pad.width() - 1.0, pad.height() - 1.0}, {100 * s, 190 * s}}));
        const std::vector<NumberMark> marks = place_numbers(stroke_starts(lines), pad);
        ASSERT_EQ(marks.size(), 9u);
        expect_apart_and_inside(marks, pad);
        EXPECT_EQ(marks[0].centre, QPointF(100 * s, 100 * s));
        EXPECT_LT(QLineF(marks[1].centre, marks[0].centre).length(), 4 * marks[1].radius);
    }
    // The circles grow with the pad, and are never too small for two digits.
    const double growth = number_radius(QSize(650, 650)) / number_radius(QSize(200, 200));
    EXPECT_GT(growth, 2.5);
    EXPECT_GE(number_radius(QSize(60, 60)), 8.0);
    // A kept painter follows a stroke moved, as the editor does.
    StrokeNumberPainter painter;
    QImage before = make_bitmap(200, 200);
    painter.draw(before, lines_of({stroke({{40, 40}, {160, 40}})}), 1, small_pad);
    QImage after = make_bitmap(200, 200);
    painter.draw(after, lines_of({stroke({{40, 150}, {160, 150}})}), 1, small_pad);
    EXPECT_EQ(number_pixels_near(after, QPointF(40, 40), 10), 0);
    EXPECT_GT(number_pixels_near(after, QPointF(40, 150), 10), 10);
}

// ---- The player's pictures

using PlayerNumbersTest = testing::PlayerTest;

// Switched on, the numbers show at rest, never in the layers; a step shows only the numbers of
// the strokes it shows. Captured frames show each number from its stroke's first ink, and none
// without the switch.
TEST_F(PlayerNumbersTest, TheShownStrokesHaveTheirNumbersAtRestInStepsAndInCapturedFrames) {
    owner.pad.show_pen = false;
    remake();
    player->set_records(
        flatten_lines(lines_of({stroke({{40, 40}, {160, 40}}), stroke({{40, 150}, {160, 150}})})));
    const std::vector<NumberMark> marks = place_numbers(stroke_starts(player->lines()), small_pad);
    const auto shown_number = [&marks](const QImage& picture, int index) {
        const NumberMark& mark = marks[std::size_t(index)];
        return number_pixels_near(picture, mark.centre, mark.radius);
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
}

}  // namespace
}  // namespace inkwren
