#include <gtest/gtest.h>

#include "animation/raster.h"
#include "animation/stroke_rendering.h"
#include "platform/error.h"
#include "tests/support/player_fixture.h"

namespace inkwren {
namespace {

using testing::lines_of;
using testing::point;
using testing::seed;

constexpr std::int32_t grid = 0xFFAA00;

QImage at_rest(const TLineList& lines, const RestStyle& style = {}) {
    QImage image = make_bitmap(200, 200);
    draw_at_rest(image, lines, style);
    return image;
}

// The grid square is seven eighths of the pad's height, centred, with inner lines at its thirds:
// on a 200-pixel pad from (12, 12) to (186, 186) with inner lines at 70 and 128; on a 650-pixel
// pad 569 (568.75) from 40 with inner lines at 229 and 418.
TEST(Background, GridSquareSitsSevenEighthsOfThePadOverThePictureUnderTheModel) {
    struct Pixel {
        int pad, x, y;
        std::int32_t colour;
    };
    const Pixel pixels[] = {
        {200, 0, 100, black_color}, {200, 12, 100, grid},  {200, 186, 100, grid},
        {200, 100, 186, grid},      {200, 70, 40, grid},   {200, 40, 128, grid},
        {200, 40, 40, white_color}, {650, 229, 300, grid}, {650, 418, 300, grid}};
    for (const Pixel& pixel : pixels) {
        Background parts;
        parts.pad = QSize(pixel.pad, pixel.pad);
        EXPECT_EQ(color_at(compose_background(parts), pixel.x, pixel.y), pixel.colour)
            << pixel.pad << ": " << pixel.x << "," << pixel.y;
    }

    // A picture is centred under the grid and the model over it.
    const QImage picture = make_bitmap(40, 40, 0x00C800);
    QImage model = make_bitmap(200, 200);
    Canvas(model).rectangle(95, 95, 105, 105);  // a black square in the middle
    Background parts;
    parts.pad = QSize(200, 200);
    parts.picture = &picture;
    parts.model = &model;
    const QImage image = compose_background(parts);
    EXPECT_EQ(color_at(image, 80, 80), 0x00C800);
    EXPECT_EQ(color_at(image, 79, 79), white_color);
    EXPECT_EQ(color_at(image, 70, 90), grid);
    EXPECT_EQ(color_at(image, 95, 100), black_color);
}

// The dashed grid keeps the square; its inner thirds are lighter dashes a pixel wide.
TEST(Background, DashedGridKeepsTheSquareAndDashesItsThirdsLighter) {
    Background parts;
    parts.pad = QSize(200, 200);
    const QImage solid = compose_background(parts);
    parts.grid_style = PadGridStyle::dashed;
    const QImage dashed = compose_background(parts);
    for (const QPoint edge : {QPoint(12, 100), QPoint(186, 100), QPoint(100, 12)}) {
        EXPECT_EQ(color_at(dashed, edge.x(), edge.y()), color_at(solid, edge.x(), edge.y()));
    }
    int dash = 0;
    int gap = 0;
    for (int y = 14; y < 185; ++y) {
        const std::int32_t colour = color_at(dashed, 70, y);
        dash += colour == 0xFFD480;
        gap += colour == white_color;
        EXPECT_EQ(color_at(dashed, 71, y), white_color) << y;
    }
    EXPECT_GT(dash, 2 * gap / 3);
    EXPECT_EQ(dash + gap, 185 - 14);
}

// Plain backgrounds are drawn once and shared: drawing on one given out must not reach the
// next, and each setting that shapes a background still gives its own.
TEST(Background, ASharedBackgroundStaysAsDrawnWhateverIsDrawnOnTheCopiesGivenOut) {
    Background plain;
    plain.pad = QSize(200, 200);
    QImage first = compose_background(plain);
    const QImage pristine = first.copy();
    Canvas(first).rectangle(20, 20, 180, 180);
    EXPECT_EQ(compose_background(plain), pristine);

    const QImage model = make_bitmap(200, 200, 0x000080);
    Background changed[4] = {plain, plain, plain, plain};
    changed[0].pad = QSize(210, 210);
    changed[1].colour = 0xE0E0E0;
    changed[2].grid_style = PadGridStyle::dashed;
    changed[3].model = &model;
    for (const Background& other : changed) {
        EXPECT_NE(compose_background(other), pristine);
        EXPECT_EQ(compose_background(plain), pristine);
    }
    Background without_grid = plain;
    without_grid.grid = false;
    EXPECT_EQ(color_at(compose_background(without_grid), 70, 40), white_color);
}

TEST(RecordDrawing, FillSeedTrianglesChooseTheirOutlineByFillColour) {
    struct Case {
        std::int32_t fill;
        std::int32_t drawn;    // outline of the mark drawn with the records
        std::int32_t at_rest;  // outline of the mark of the character at rest
    };
    const Case cases[] = {{0x777777, white_color, black_color},
                          {0x999999, black_color, black_color},
                          {0x00FFFF, white_color, white_color}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fill);
        QImage image = make_bitmap(200, 200);
        TObjList list = {seed(100, 100, c.fill), end_marker(1)};
        RecordStyle marked;
        marked.marks = true;
        draw_records(image, list, marked);
        // The apex is the seed point; the top edge runs 10 pixels above it.
        EXPECT_EQ(color_at(image, 100, 100), c.drawn);
        EXPECT_EQ(color_at(image, 100, 95), c.fill);
        EXPECT_EQ(color_at(at_rest(lines_of({{seed(100, 100, c.fill), end_marker(1)}})), 100, 100),
                  c.at_rest);
    }
}

// A pen-up point moves without drawing. Mono drawing keeps the records' colours and set colour
// changes them; fill seeds flood only when filling is on.
TEST(RecordDrawing, PenUpsMoveWithoutDrawingAndTheStylesColourFillAndWidth) {
    TObjList list = {point(20, 20),  point(80, 20),   point(120, 20, record_kind::pen_up),
                     point(180, 20), end_marker(2),   point(60, 60),
                     point(140, 60), point(140, 140), point(60, 140),
                     point(60, 60),  end_marker(2),   seed(100, 130, 0x00FF00),
                     end_marker(1)};
    QImage ink = make_bitmap(200, 200);
    RecordStyle mono;
    mono.mono = true;
    mono.mono_colour = 0xBBBBBB;
    draw_records(ink, list, mono);
    EXPECT_EQ(color_at(ink, 50, 20), 0xBBBBBB);
    EXPECT_EQ(color_at(ink, 100, 20), white_color);
    EXPECT_EQ(color_at(ink, 150, 20), 0xBBBBBB);
    EXPECT_EQ(color_at(ink, 100, 100), white_color);
    EXPECT_EQ(list[0].pen_color, 0x0000FF);
    RecordStyle filling;
    filling.colour = 0x00AA00;
    filling.set_colour = true;
    filling.fill_seeds = true;
    draw_records(ink, list, filling);
    EXPECT_EQ(color_at(ink, 50, 20), 0x00AA00);
    EXPECT_EQ(list[1].pen_color, 0x00AA00);  // the records take the colour
    EXPECT_EQ(color_at(ink, 100, 100), 0x00FF00);
    EXPECT_EQ(color_at(ink, 30, 30), white_color);
    // Strokes are drawn at the pen's width times the scale, up to the first empty element.
    const TLineList lines = lines_of(
        {testing::stroke({{40, 100}, {160, 100}}), {}, testing::stroke({{40, 150}, {160, 150}})});
    EXPECT_NE(color_at(at_rest(lines), 100, 150), 0x0000FF);
    RestStyle zoomed;
    zoomed.width_scale = 3;
    const QImage wide = at_rest(lines, zoomed);  // 12 pixels wide
    EXPECT_EQ(color_at(wide, 100, 105), 0x0000FF);
    EXPECT_NE(color_at(wide, 100, 108), 0x0000FF);
}

using PlayerDrawingTest = testing::PlayerTest;

// The pen picture's lower left corner sits on the pen while its switch is on; flash bar pictures
// hang from their top right corner.
TEST_F(PlayerDrawingTest, PenAndFlashBarPicturesSitOnTheirPointsWhenSwitchedOn) {
    QImage pen = make_bitmap(8, 8);
    pen.setPixelColor(0, 7, Qt::green);
    pen.setPixelColor(7, 0, Qt::blue);
    ASSERT_TRUE(pen.save(folder.file("pen.bmp"), "BMP"));
    ASSERT_TRUE(make_bitmap(20, 8, 0x00A5FF).save(folder.file("flashbar.bmp"), "BMP"));
    auto player = make_player();
    player->reset_background();
    player->compose_frame({50, 60});
    // The picture's bottom row ends just above the pen point, its first column on it.
    EXPECT_EQ(color_at(player->frame_bmp(), 50, 59), 0x00FF00);
    EXPECT_EQ(color_at(player->frame_bmp(), 57, 52), 0xFF0000);
    owner.pad.show_pen = false;
    player->compose_frame({50, 60});
    EXPECT_EQ(color_at(player->frame_bmp(), 50, 59), white_color);

    player->lines() = lines_of({{point(100, 100, record_kind::flash_bar), end_marker(5)}});
    player->show_static();
    EXPECT_EQ(color_at(player->image(), 80, 100), 0x00A5FF);
    EXPECT_EQ(color_at(player->image(), 99, 107), 0x00A5FF);
    EXPECT_NE(color_at(player->image(), 100, 100), 0x00A5FF);
}

// The model layer holds the looked-up picture; a character without one, an empty text
// or a damaged dictionary (reported) leaves the layer white.
TEST_F(PlayerDrawingTest, TheModelLayerHoldsTheLookedUpPicture) {
    PlayerSettings settings = PlayerSettings::square(200, folder.path());
    settings.model_pictures = [](const QString& character) -> std::optional<QImage> {
        if (character == QStringLiteral("壞")) {
            throw Error(QStringLiteral("字典損壞"));
        }
        if (character != QStringLiteral("永")) {
            return std::nullopt;
        }
        return make_bitmap(50, 50, black_color);
    };
    TAnimationPlayer player(owner, std::move(settings));
    EXPECT_TRUE(player.draw_model(QStringLiteral("永")));
    EXPECT_EQ(color_at(player.model_pic(), 75, 75), black_color);
    for (const QString& text : {QStringLiteral("國"), QString(), QStringLiteral("壞")}) {
        player.draw_model(QStringLiteral("永"));
        EXPECT_FALSE(player.draw_model(text));
        EXPECT_EQ(player.model_pic(), make_bitmap(200, 200)) << text.toStdString();
    }
    EXPECT_EQ(owner.reports, QStringList{QStringLiteral("字典損壞")});
}

}  // namespace
}  // namespace inkwren
