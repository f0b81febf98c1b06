#include <gtest/gtest.h>

#include <QLineF>

#include <algorithm>
#include <cmath>

#include "animation/layers.h"
#include "animation/raster.h"
#include "animation/smooth_ink.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::point;
using testing::run_to_end;

int alpha_at(const SmoothInk& ink, int x, int y) {
    return qAlpha(ink.image().pixel(x, y));
}

int count_where(const QImage& image, const std::function<bool(QRgb)>& test) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The twin's shape is the canvas's: pixels at least half covered are the ones the canvas's pen
// fills, give or take the rasteriser's rounding at the edge, and the edges are soft.
TEST(SmoothInk, PixelsHalfCoveredOrMoreAreThoseTheCanvasPenFills) {
    struct Line {
        QPoint from, to;
        int width;
    };
    const Line lines[] = {{{20, 60}, {60, 20}, 2},
                          {{40, 40}, {40, 41}, 7},
                          {{15, 40}, {65, 41}, 8},
                          {{30, 15}, {50, 65}, 13},
                          {{20, 30}, {60, 50}, 24}};
    for (const Line& line : lines) {
        QImage bitmap = make_bitmap(80, 80);
        SmoothInk twin(bitmap.size());
        {
            Canvas canvas(bitmap);
            canvas.twin.ink = &twin;
            canvas.pen_width = line.width;
            canvas.move_to(line.from);
            canvas.line_to(line.to);
        }
        int filled = 0;
        int disagreeing = 0;
        int soft = 0;
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 80; ++x) {
                const bool hard = color_at(bitmap, x, y) != white_color;
                filled += hard ? 1 : 0;
                disagreeing += hard != (alpha_at(twin, x, y) >= 128) ? 1 : 0;
                soft += alpha_at(twin, x, y) % 255 != 0 ? 1 : 0;
            }
        }
        EXPECT_LE(disagreeing * 20, filled) << line.width;
        EXPECT_GT(soft, 0) << line.width;
    }
}

// Each pixel is covered by how far its centre lies inside the line's edge. The rows of a line
// leaning left once took the empty span of its start's round end as reaching to the start, and
// showed solid teeth along its lower edge.
TEST(SmoothInk, ALineLeaningLeftHasNoSolidTeethAlongItsEdge) {
    const QPoint from(50, 50);
    for (const QPoint to : {QPoint(45, 59), QPoint(58, 57), QPoint(42, 44), QPoint(60, 41),
                            QPoint(50, 62), QPoint(38, 50)}) {
        for (const int width : {3, 9, 14}) {
            SmoothInk ink(QSize(100, 100));
            ink.line(from, to, width, black_color);
            const QLineF line{QPointF(from), QPointF(to)};
            int wrong = 0;
            for (int y = 0; y < 100; ++y) {
                for (int x = 0; x < 100; ++x) {
                    const QPointF centre(x + 0.5, y + 0.5);
                    const QPointF d = line.p2() - line.p1();
                    const double along = std::clamp(
                        QPointF::dotProduct(centre - line.p1(), d) / QPointF::dotProduct(d, d), 0.0,
                        1.0);
                    const QPointF off = centre - (line.p1() + along * d);
                    const double inside = width / 2.0 + 0.5 - std::hypot(off.x(), off.y());
                    const int expected = int(std::clamp(inside, 0.0, 1.0) * 255 + 0.5);
                    wrong += std::abs(alpha_at(ink, x, y) - expected) > 2 ? 1 : 0;
                }
            }
            EXPECT_EQ(wrong, 0) << to.x() << "," << to.y() << " width " << width;
        }
    }
}

// Lines of one colour join into one shape rather than darkening each other's edges; a stroke
// settled in another colour, as a finished two-colour stroke is, keeps no edge of the old
// colour; white wipes.
TEST(SmoothInk, OneColourJoinsAnotherReplacesAndWhiteWipes) {
    SmoothInk alone(QSize(60, 60));
    alone.line({10, 30}, {30, 30}, 10, black_color);
    SmoothInk joined(QSize(60, 60));
    joined.line({10, 30}, {30, 30}, 10, black_color);
    joined.line({30, 30}, {50, 30}, 10, black_color);
    for (int x = 5; x < 30; ++x) {
        EXPECT_EQ(alpha_at(joined, x, 25), alpha_at(alone, x, 25)) << x;
    }

    // A stroke written in the highlight colour and settled in black keeps none of it.
    SmoothInk written(QSize(60, 60));
    written.line({30, 5}, {30, 55}, 6, black_color);
    SmoothInk stroke(QSize(60, 60));
    stroke.line({10, 30}, {50, 30}, 10, 0xFF0000);
    written.settle(stroke, 0xFF0000, black_color);
    EXPECT_EQ(count_where(written.image(), [](QRgb pixel) { return qBlue(pixel) != qRed(pixel); }),
              0);
    EXPECT_EQ(count_where(stroke.image(), [](QRgb pixel) { return qAlpha(pixel) != 0; }), 0);

    joined.line({0, 30}, {59, 30}, 20, white_color);
    EXPECT_EQ(count_where(joined.image(), [](QRgb pixel) { return qAlpha(pixel) != 0; }), 0);
}

// A fill inside a smooth outline lies under its soft inner edge; what the twin holds is laid over
// a picture by its coverage.
TEST(SmoothInk, AFillGoesUnderTheSoftEdgeOfItsOutline) {
    QImage bitmap = make_bitmap(60, 60);
    SmoothInk twin(bitmap.size());
    {
        Canvas canvas(bitmap);
        canvas.twin.ink = &twin;
        canvas.pen_width = 3;
        canvas.move_to({10, 10});
        for (const QPoint corner :
             {QPoint(50, 14), QPoint(46, 50), QPoint(12, 46), QPoint(10, 10)}) {
            canvas.line_to(corner);
        }
        canvas.brush_color = 0x00FF00;
        canvas.flood_fill({30, 30});
    }
    EXPECT_EQ(twin.image().pixel(30, 30), qRgb(0, 255, 0));
    const int mixed = count_where(twin.image(), [](QRgb pixel) {
        return qAlpha(pixel) == 255 && qGreen(pixel) > 0 && qGreen(pixel) < 255;
    });
    EXPECT_GT(mixed, 10);  // black edge over green, not a hard step

    QImage picture = make_bitmap(60, 60, 0x0000FF);
    lay_over(picture, twin, picture.rect());
    EXPECT_EQ(color_at(picture, 30, 30), 0x00FF00);
    EXPECT_EQ(color_at(picture, 2, 2), 0x0000FF);
}

TEST(SmoothInk, SofteningAPictureChangesOnlyPixelsAtItsEdges) {
    QImage picture = make_bitmap(20, 20);
    {
        QPainter painter(&picture);
        painter.fillRect(QRect(5, 5, 10, 10), Qt::black);
    }
    const QImage softened = soften_edges(picture);
    EXPECT_EQ(color_at(softened, 10, 10), black_color);
    EXPECT_EQ(color_at(softened, 1, 1), white_color);
    const std::int32_t corner = color_at(softened, 5, 5);
    EXPECT_NE(corner, black_color);
    EXPECT_NE(corner, white_color);
}

class SmoothPadTest : public testing::PlayerTest {
protected:
    SmoothPadTest() {
        owner.pad.pen_speed = 100;
        owner.pad.show_grid = false;  // its colours are not the ink's
        remake();
    }

    void turn_smooth_ink(bool on) {
        owner.pad.smooth_ink = on;
        player->smooth_ink_changed();
    }

    // Edges of red or black ink over white.
    static int soft_pixels(const QImage& image) {
        return count_where(image, [](QRgb pixel) {
            return qGreen(pixel) == qBlue(pixel) && qGreen(pixel) > 0 && qGreen(pixel) < 255;
        });
    }
};

// Switched off again, the pad shows exactly what it shows without it: at rest and at the end of
// a playback. A two-colour stroke turns black to its edges: none of the highlight is left.
TEST_F(SmoothPadTest, OffAgainGivesThePixelsOfAPadThatNeverHadIt) {
    owner.pad.two_color = true;
    owner.pad.grey_first = true;
    owner.pad.stroke_color = 0xFF0000;
    remake();
    const TObjList records = {point(20, 50),  point(150, 120), end_marker(2),
                              point(40, 150), point(160, 40),  end_marker(2)};
    player->set_records(records);
    player->reset_background();
    player->show_static();
    const QImage at_rest = player->image();
    player->play();
    run_to_end(*player);
    const QImage played = player->image();

    turn_smooth_ink(true);
    EXPECT_GT(soft_pixels(player->image()), 100);
    player->play();
    run_to_end(*player);
    EXPECT_GT(soft_pixels(player->image()), 100);
    EXPECT_EQ(
        count_where(player->image(), [](QRgb pixel) { return qBlue(pixel) > qRed(pixel) + 8; }), 0);

    turn_smooth_ink(false);
    EXPECT_EQ(player->image(), at_rest);
    player->play();
    run_to_end(*player);
    EXPECT_EQ(player->image(), played);
}

// A character with fills needs the ink layer under the smooth one: the fill still shows.
TEST_F(SmoothPadTest, FillsShowWhilePlaying) {
    owner.pad.smooth_ink = true;
    remake();
    player->set_records({point(100, 50), point(150, 100), point(100, 150), point(50, 100),
                         point(100, 50), end_marker(2), testing::seed(100, 100, 0x00FF00),
                         end_marker(1)});
    player->play();
    run_to_end(*player);
    EXPECT_EQ(color_at(player->image(), 100, 100), 0x00FF00);
    EXPECT_EQ(color_at(player->image(), 20, 20), white_color);
    EXPECT_GT(soft_pixels(player->image()), 50);
}

}  // namespace
}  // namespace inkwren
