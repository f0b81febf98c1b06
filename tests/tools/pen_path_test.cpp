#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>

#include "animation/stroke_rendering.h"
#include "tools/em_placement.h"
#include "tools/stroke_data/pen_path.h"
#include "tools/stroke_data/practice_square.h"
#include "tools/stroke_data/stroke_conversion.h"
#include "tools/stroke_data/stroke_fidelity.h"

namespace inkwren::tools {
namespace {

// Pen points of a run, without its end marker.
std::vector<PointRecord> points_of(const TObjList& run) {
    return {run.begin(), run.end() - 1};
}

double em_x(const PointRecord& record) {
    return (record.x - em_left) / pixels_per_unit;
}

// An upright bar 100 units wide (16.6 pad pixels) and 400 tall whose median runs off its
// middle, 30 units to the right.
const Polygon bar = {{100, 100}, {200, 100}, {200, 500}, {100, 500}};
const std::vector<QPointF> bar_median = {{180, 120}, {180, 480}};

TEST(PenPath, ABarIsPaintedDownItsMiddleAsWideAsItIs) {
    const std::vector<PointRecord> points = points_of(pen_points_of(bar, bar_median));
    ASSERT_GE(points.size(), 2u);
    const double bar_width = 100 * pixels_per_unit;
    int measured = 0;
    for (const PointRecord& record : points) {
        EXPECT_NEAR(record.x, to_pad({150, 0}).x(), 0.5);
        // A round pen fits the whole width only half a width in from the bar's ends.
        const double em_y = (pad_baseline - record.y) / pixels_per_unit;
        if (em_y > 150 && em_y < 450) {
            EXPECT_NEAR(record.pen_width, bar_width, 1) << em_y;
            ++measured;
        }
    }
    EXPECT_GE(measured, 1);
    // The path reaches along the bar to within a pen's radius of each end.
    EXPECT_LT(points.front().y - points.back().y, 400 * pixels_per_unit);
    EXPECT_GT(std::abs(points.front().y - points.back().y), 300 * pixels_per_unit);
}

TEST(PenPath, AWedgeTapersAsItsOutlineDoes) {
    // 120 units wide at x = 100, narrowing to a point at x = 700.
    const Polygon wedge = {{100, 440}, {700, 500}, {100, 560}};
    const std::vector<PointRecord> points =
        points_of(pen_points_of(wedge, {{110, 500}, {650, 500}}));
    ASSERT_GE(points.size(), 4u);
    for (const PointRecord& record : points) {
        const double x = em_x(record);
        const double width_here = 120 * (700 - x) / 600 * pixels_per_unit;
        if (x > 100 + 60 && width_here >= 1) {
            EXPECT_NEAR(record.pen_width, width_here, 1) << "at x " << x;
        }
    }
    const auto widest = std::max_element(
        points.begin(), points.end(),
        [](const PointRecord& a, const PointRecord& b) { return a.pen_width < b.pen_width; });
    EXPECT_GE(widest->pen_width, 17);  // 120 units, 19.9 pixels, less a pen's reach from the base
    EXPECT_LT(em_x(*widest), 200);
    EXPECT_LE(points.back().pen_width, 2);
}

TEST(PenPath, ALineAcrossATurnDoesNotPullThePenIntoTheNextLimb) {
    // An upside-down L: a bar to the right, then down. Across the end of the bar, the line
    // through the median runs on down the second limb, whose middle lies far below; a pen drawn
    // there would leave the turn itself unpainted.
    const Polygon turn = {{100, 500}, {500, 500}, {500, 100}, {420, 100}, {420, 420}, {100, 420}};
    TLineList lines;
    add_line(lines, pen_points_of(turn, {{110, 460}, {460, 460}, {460, 110}}));
    const QImage ink = ink_at_rest(lines, 650);
    const double scale = 650 / 200.0;
    for (const QPointF em : {QPointF(440, 440), QPointF(460, 460), QPointF(480, 480),
                             QPointF(400, 460), QPointF(460, 400)}) {
        const QPointF at = to_pad(em) * scale;
        EXPECT_EQ(ink.pixel(at.toPoint()), qRgb(0, 0, 0)) << em.x() << "," << em.y();
    }
}

TEST(PenPath, NoStrokeTakesLongerToPlayThanItsMedianDid) {
    // A dot whose median is short against its outline: going on to the outline's ends would
    // make the pen slower than before.
    const Polygon dot = {{300, 300}, {420, 300}, {420, 420}, {300, 420}};
    const std::vector<QPointF> median = {{355, 355}, {365, 365}};
    std::vector<QPointF> centres;
    for (const PointRecord& record : points_of(pen_points_of(dot, median))) {
        centres.emplace_back(record.x, record.y);
    }
    EXPECT_LE(pen_steps(centres), median_pen_steps(median));
    EXPECT_GE(centres.size(), 1u);
}

TEST(PenPath, AMedianThatMissesItsOutlineKeepsTheStroke) {
    const std::vector<PointRecord> points = points_of(pen_points_of(bar, {{800, 800}, {900, 900}}));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].pen_width, 1);
}

TEST(PracticeSquare, ItsInsideEndsAtTheFrameLinesTheGridDraws) {
    for (const int side : {200, 650}) {
        SCOPED_TRACE(side);
        QImage pad(side, side, QImage::Format_RGB888);
        pad.fill(Qt::white);
        draw_ninegrid(pad, {side, side}, grid_side(side));
        const SquareInside square = practice_square(side);
        const int row = square.first + 2;
        EXPECT_NE(pad.pixel(square.first - 1, row), qRgb(255, 255, 255));
        EXPECT_EQ(pad.pixel(square.first, row), qRgb(255, 255, 255));
        EXPECT_EQ(pad.pixel(square.last, row), qRgb(255, 255, 255));
        EXPECT_NE(pad.pixel(square.last + 1, row), qRgb(255, 255, 255));
        EXPECT_EQ(pad.pixel(row, square.first), qRgb(255, 255, 255));
        EXPECT_NE(pad.pixel(row, square.last + 1), qRgb(255, 255, 255));

        QImage inked(side, side, QImage::Format_RGB888);
        inked.fill(Qt::white);
        EXPECT_FALSE(margin_inside_square(inked).has_value());
        inked.setPixel(square.first, side / 2, qRgb(0, 0, 0));
        EXPECT_EQ(margin_inside_square(inked), 0);
        inked.setPixel(side / 2, square.last + 1, qRgb(0, 0, 0));
        EXPECT_EQ(margin_inside_square(inked), -1);
    }
}

// Over the characters the data build converted; skipped until the stroke data is fetched.
TEST(ConvertedCharacterTest, InkAtRestCoversItsGlyphClosely) {
    const QDir package(QStringLiteral(INKWREN_STROKE_PACKAGE_DIR));
    if (!package.exists(QStringLiteral("永.json"))) {
        GTEST_SKIP() << "the stroke data package has not been fetched";
    }
    for (const QString character :
         {QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱"), QStringLiteral("我"),
          QStringLiteral("的")}) {
        SCOPED_TRACE(character.toStdString());
        QFile file(package.filePath(character + ".json"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const HanziSource glyph = parse_hanzi_source(character, file.readAll());
        const TLineList lines = strokes_of(glyph);
        EXPECT_GE(ink_overlap(ink_at_rest(lines, 650), outline_ink(glyph, 650)), 0.85);
        EXPECT_GE(ink_overlap(ink_at_rest(lines, 200), outline_ink(glyph, 200)), 0.80);
        const std::vector<int> ours = play_steps(lines);
        const std::vector<int> medians = play_steps(median_strokes(glyph));
        for (std::size_t stroke = 0; stroke < ours.size(); ++stroke) {
            EXPECT_LE(ours[stroke], medians[stroke]) << "stroke " << stroke + 1;
        }
    }
}

}  // namespace
}  // namespace inkwren::tools
