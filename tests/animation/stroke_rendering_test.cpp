#include <gtest/gtest.h>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "animation/simple_player_owner.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;

constexpr std::int32_t grid = 0xFFAA00;

PointRecord point(double x, double y, std::int32_t kind = record_kind::pen_point,
                  std::int32_t width = 6, std::int32_t colour = 0x0000FF) {
    PointRecord record;
    record.x = x;
    record.y = y;
    record.kind = kind;
    record.pen_width = width;
    record.pen_color = colour;
    return record;
}

PointRecord seed(double x, double y, std::int32_t fill) {
    PointRecord record = point(x, y, record_kind::fill_seed);
    record.fill_color = fill;
    return record;
}

class StrokeRenderingTest : public ::testing::Test {
protected:
    void make_player(int size, const QString& folder) {
        player = std::make_unique<TAnimationPlayer>(owner, folder);
        player->pad_w = player->pad_h = size;
        player->init_pad();
    }

    void SetUp() override { make_player(200, folder.path()); }

    std::int32_t at(int x, int y) const { return color_at(player->image, x, y); }

    SimplePlayerOwner owner;
    TempFolder folder;
    std::unique_ptr<TAnimationPlayer> player;
};

TEST_F(StrokeRenderingTest, GridSquareSitsSevenEighthsOfThePadWithInnerThirds) {
    player->show_model = false;
    player->reset_background();
    EXPECT_EQ(player->grid_w, 175);
    EXPECT_EQ(player->grid_h, 175);
    // Frame of the pad, then the square from (12, 12), inner lines 58 and 116 further in.
    EXPECT_EQ(at(0, 100), black_color);
    EXPECT_EQ(at(199, 100), black_color);
    EXPECT_EQ(at(12, 100), grid);
    EXPECT_EQ(at(100, 12), grid);
    EXPECT_EQ(at(12 + 58, 40), grid);
    EXPECT_EQ(at(12 + 116, 40), grid);
    EXPECT_EQ(at(40, 12 + 58), grid);
    EXPECT_EQ(at(40, 12 + 116), grid);
    EXPECT_EQ(at(40, 40), white_color);
    EXPECT_EQ(at(5, 5), white_color);
    EXPECT_EQ(player->back_bmp, player->image);

    player->show_grid = false;
    player->reset_background();
    EXPECT_EQ(at(12 + 58, 40), white_color);
}

TEST_F(StrokeRenderingTest, GridOfALargePadComesFromItsHeight) {
    make_player(650, folder.path());
    player->reset_background();
    EXPECT_EQ(player->grid_w, 569);  // 650 × 0.875 = 568.75
    EXPECT_EQ(at((650 - 569) / 2 + 569 / 3, 300), grid);
}

TEST_F(StrokeRenderingTest, StaticViewDrawsStrokesAtThePadsPenScale) {
    player->reset_background();
    player->lines.items = {{point(40, 100, 2, 6), point(160, 100, 2, 6), end_marker(2)}};
    player->show_static();
    EXPECT_EQ(at(100, 100), 0x0000FF);
    EXPECT_EQ(at(100, 102), 0x0000FF);
    EXPECT_NE(at(100, 106), 0x0000FF);

    player->pen_scale = 3;
    player->show_static();
    EXPECT_EQ(at(100, 107), 0x0000FF);
    EXPECT_NE(at(100, 112), 0x0000FF);
}

TEST_F(StrokeRenderingTest, AnEmptyElementEndsTheStaticDrawing) {
    player->reset_background();
    player->lines.items = {{point(40, 50), point(160, 50), end_marker(2)},
                           {},
                           {point(40, 150), point(160, 150), end_marker(2)}};
    player->show_static();
    EXPECT_EQ(at(100, 50), 0x0000FF);
    EXPECT_NE(at(100, 150), 0x0000FF);
}

TEST_F(StrokeRenderingTest, FillSeedTrianglesChooseTheirOutlineByFillColour) {
    struct Case {
        std::int32_t fill;
        std::int32_t on_image;  // outline drawn while drawing records on the image
        std::int32_t as_mark;   // outline drawn with the marks of the static view
    };
    const Case cases[] = {{0x777777, white_color, black_color},
                          {0x999999, black_color, black_color},
                          {0x0000FF, white_color, black_color},
                          {0x00FFFF, white_color, white_color}};
    for (const Case& c : cases) {
        player->reset_background();
        TObjList list = {seed(100, 100, c.fill), end_marker(1)};
        player->draw_records_on_image(list, false, 0, false, 0);
        // The apex is the seed point; the top edge runs 10 pixels above it.
        EXPECT_EQ(at(100, 100), c.on_image) << std::hex << c.fill;
        EXPECT_EQ(at(100, 95), c.fill) << std::hex << c.fill;

        player->lines.items = {{seed(100, 100, c.fill), end_marker(1)}};
        player->show_static();
        EXPECT_EQ(at(100, 100), c.as_mark) << std::hex << c.fill;
    }
}

TEST_F(StrokeRenderingTest, FillSeedsFloodOnlyWhenFillingIsOn) {
    player->reset_background();
    TObjList list = {point(60, 60, 2, 2, 0),   point(140, 60, 2, 2, 0),
                     point(140, 140, 2, 2, 0), point(60, 140, 2, 2, 0),
                     point(60, 60, 2, 2, 0),   end_marker(2),
                     seed(100, 130, 0x00FF00), end_marker(1)};
    QImage ink = make_bitmap(200, 200);
    player->draw_records(ink, list, 0, false, 0, false);
    EXPECT_EQ(color_at(ink, 100, 100), white_color);
    player->fill_now = true;
    player->draw_records(ink, list, 0, false, 0, false);
    EXPECT_EQ(color_at(ink, 100, 100), 0x00FF00);
    EXPECT_EQ(color_at(ink, 30, 30), white_color);
}

TEST_F(StrokeRenderingTest, MonoAndSetColourDrawing) {
    TObjList list = {point(20, 20), point(180, 20), end_marker(2)};
    QImage grey = make_bitmap(200, 200);
    player->draw_records(grey, list, 0, false, 0xBBBBBB, true);
    EXPECT_EQ(color_at(grey, 100, 20), 0xBBBBBB);
    EXPECT_EQ(list[0].pen_color, 0x0000FF);
    player->draw_records(grey, list, 0x00FF00, true, 0, false);
    EXPECT_EQ(color_at(grey, 100, 20), 0x00FF00);
    EXPECT_EQ(list[1].pen_color, 0x00FF00);  // the records take the colour
}

TEST_F(StrokeRenderingTest, PenUpMovesWithoutDrawing) {
    QImage ink = make_bitmap(200, 200);
    TObjList list = {point(20, 50), point(80, 50), point(120, 50, record_kind::pen_up),
                     point(180, 50), end_marker(2)};
    player->draw_records(ink, list, 0, false, 0, false);
    EXPECT_EQ(color_at(ink, 50, 50), 0x0000FF);
    EXPECT_EQ(color_at(ink, 100, 50), white_color);
    EXPECT_EQ(color_at(ink, 150, 50), 0x0000FF);
}

TEST_F(StrokeRenderingTest, BezierElementsOfThreeOrMorePointsAreDrawnAtRest) {
    player->reset_background();
    player->lines.items = {
        {point(20, 150, 3), point(100, 20, 3), point(180, 150, 3), end_marker(3)},
        {point(20, 190, 3), point(180, 190, 3), end_marker(3)}};
    player->show_static();
    EXPECT_EQ(at(20, 150), 0x0000FF);
    EXPECT_EQ(at(180, 150), 0x0000FF);
    EXPECT_EQ(at(100, 85), 0x0000FF);   // the curve's peak, halfway to the middle control point
    EXPECT_NE(at(100, 190), 0x0000FF);  // two control points are not drawn at rest
}

TEST_F(StrokeRenderingTest, FrameHasThePenPicturesLowerLeftCornerOnThePen) {
    QImage pen = make_bitmap(8, 8);
    pen.setPixelColor(0, 7, Qt::green);
    pen.setPixelColor(7, 0, Qt::blue);
    ASSERT_TRUE(pen.save(folder.file("pen.bmp"), "BMP"));
    make_player(200, folder.path());
    player->reset_background();
    player->pen_x = 50;
    player->pen_y = 60;
    player->compose_frame();
    // The picture's bottom row ends just above the pen point, its first column on it.
    EXPECT_EQ(color_at(player->frame_bmp, 50, 59), 0x00FF00);
    EXPECT_EQ(color_at(player->frame_bmp, 57, 52), 0xFF0000);
    player->show_pen = false;
    player->compose_frame();
    EXPECT_EQ(color_at(player->frame_bmp, 50, 59), white_color);
}

TEST_F(StrokeRenderingTest, FlashBarPicturesHangFromTheirTopRightCorner) {
    QImage bar = make_bitmap(20, 8, 0x00A5FF);
    ASSERT_TRUE(bar.save(folder.file("flashbar.bmp"), "BMP"));
    make_player(200, folder.path());
    player->reset_background();
    player->lines.items = {{point(100, 100, record_kind::flash_bar), end_marker(5)}};
    player->show_static();
    EXPECT_EQ(at(80, 100), 0x00A5FF);
    EXPECT_EQ(at(99, 107), 0x00A5FF);
    EXPECT_NE(at(100, 100), 0x00A5FF);
    owner.flash_view = false;
    make_player(200, folder.path());
    player->reset_background();
    player->lines.items = {{point(100, 100, record_kind::flash_bar), end_marker(5)}};
    player->show_static();
    EXPECT_NE(at(80, 100), 0x00A5FF);
}

TEST_F(StrokeRenderingTest, AnEmptyModelTextClearsTheModelLayer) {
    player->model_pic = make_bitmap(50, 50, black_color);
    EXPECT_FALSE(player->draw_model(QByteArray()));
    EXPECT_EQ(player->model_pic, make_bitmap(200, 200));
    // Without a dictionary the layer stays white and nothing is reported.
    EXPECT_FALSE(player->draw_model("\xD3\xC0"));
    EXPECT_EQ(player->model_pic, make_bitmap(200, 200));
    EXPECT_TRUE(owner.reports.isEmpty());
}

TEST_F(StrokeRenderingTest, ADamagedDictionaryIsReportedAndLeavesTheLayerWhite) {
    QByteArray entry(44, '\0');
    entry.replace(0, 3, "\x02\xD3\xC0");
    entry.replace(22, 4,
                  "\x03"
                  "abc");  // a length that is not a number
    entry.replace(33, 2,
                  "\x01"
                  "0");
    testing::write_file(folder.file("hk_kai.dat"), "garbage");
    testing::write_file(folder.file("hk_dict.dat"), entry);
    EXPECT_FALSE(player->draw_model("\xD3\xC0"));
    EXPECT_EQ(player->model_pic, make_bitmap(200, 200));
    EXPECT_EQ(owner.reports.size(), 1);
}

}  // namespace
}  // namespace inkwren
