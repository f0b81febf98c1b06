#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFile>

#include "animation/stroke_rendering.h"
#include "tools/em_placement.h"
#include "tools/stroke_data/outline_grid.h"
#include "tools/stroke_data/pen_path.h"
#include "tools/stroke_data/practice_square.h"
#include "tools/stroke_data/stroke_conversion.h"
#include "tools/stroke_data/stroke_fidelity.h"

namespace inkwren::tools {
namespace {

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

// A broken source whose median lies outside its outline still gives the stroke, drawn thin.
TEST(PenPath, AMedianThatMissesItsOutlineKeepsTheStroke) {
    const TObjList run =
        pen_points_of({{100, 100}, {200, 100}, {200, 500}}, {{800, 800}, {900, 900}});
    ASSERT_EQ(run.size(), 3u);
    EXPECT_EQ(run[0].pen_width, 1);
}

// The pen path's depths must be the very doubles measuring against every edge gives, or the
// archives change.
TEST(OutlineGrid, MeasuresTheSameDoubleAsEveryEdge) {
    Polygon ring;  // a hooked, curved outline like the data's, corners a few units apart
    for (int corner = 0; corner < 90; ++corner) {
        const double angle = corner * 0.07;
        const double radius = corner < 45 ? 300 : 260 + corner % 3;
        ring.emplace_back(500 + radius * std::cos(angle), 400 + radius * std::sin(angle));
    }
    for (const Polygon& outline :
         {ring, Polygon{{100, 500}, {500, 500}, {500, 100}, {420, 100}, {420, 420}, {100, 420}}}) {
        OutlineGrid grid(outline);
        // Points on the cell lines and off the grid as well as between.
        for (double x = 40; x < 900; x += 6.5) {
            for (double y = 40; y < 800; y += 8) {
                ASSERT_EQ(grid.distance_to({x, y}), distance_to_outline(outline, {x, y}))
                    << x << "," << y;
            }
        }
    }
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
    for (const QString& character :
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
