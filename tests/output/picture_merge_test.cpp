#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>

#include "animation/raster.h"
#include "output/picture_merge.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

TEST(MergeBmp, WhiteMeansEveryByteAtLeast250AndOnlyWhatLandsInsideIsCopied) {
    QImage destination = make_bitmap(4, 1, black_color);
    QImage source = make_bitmap(4, 1);
    const uchar pixels[] = {250, 250, 249, 250, 250, 250, 249, 255, 255, 255, 255, 255};
    std::copy(std::begin(pixels), std::end(pixels), source.scanLine(0));  // R, G, B
    merge_bmp(destination, source, 0, 0);
    EXPECT_EQ(color_at(destination, 0, 0), 0xF9FAFA);
    EXPECT_EQ(color_at(destination, 1, 0), black_color);
    EXPECT_EQ(color_at(destination, 2, 0), 0xFFFFF9);
    EXPECT_EQ(color_at(destination, 3, 0), black_color);

    // Only what lands inside the destination is copied.
    const std::int32_t red = 0x0000FF;
    const struct {
        QSize source;
        QPoint at;
        QRect covered;
    } cases[] = {{{4, 3}, {-2, -1}, {0, 0, 2, 2}},
                 {{4, 4}, {3, 4}, {3, 4, 2, 1}},
                 {{3, 3}, {5, 0}, {}},
                 {{3, 3}, {0, -3}, {}}};
    for (const auto& each : cases) {
        destination = make_bitmap(5, 5);
        merge_bmp(destination, make_bitmap(each.source.width(), each.source.height(), red),
                  each.at.x(), each.at.y());
        EXPECT_EQ(testing::count_of(destination, red), each.covered.width() * each.covered.height())
            << each.at.x() << "," << each.at.y();
        EXPECT_TRUE(each.covered.isEmpty() ||
                    color_at(destination, each.covered.right(), each.covered.bottom()) == red);
    }
}

// Laid out again only where a layer changed, moved or changed size, a picture comes out as laid
// out whole, and every pixel that changed lies in the areas it gives.
TEST(LayeredPicture, EachPictureIsAsIfLaidOutWholeAndSaysWhereItChanged) {
    const QImage frame = make_bitmap(20, 16, 0xC0C0C0);
    QImage other_frame = make_bitmap(20, 16);
    other_frame.setPixel(3, 3, 0);
    const auto strokes_with = [](std::vector<std::pair<QRect, std::int32_t>> boxes) {
        QImage strokes = make_bitmap(20, 16);
        for (const auto& [box, colour] : boxes) {
            QPainter(&strokes).fillRect(box, to_qcolor(colour));
        }
        return strokes;
    };
    const struct {
        const QImage* base;
        int height;
        QImage strokes;
        QSize number;
        QPoint at;
    } steps[] = {
        {&frame, 22, strokes_with({{{2, 2, 5, 9}, 0xFF}}), {6, 4}, {7, 17}},
        // a new stroke; the one before recoloured
        {&frame, 22, strokes_with({{{2, 2, 5, 9}, 0}, {{10, 1, 3, 3}, 0xFF}}), {6, 4}, {7, 17}},
        {&frame, 22, strokes_with({{{2, 2, 5, 9}, 0}, {{10, 1, 3, 3}, 0xFF}}), {8, 4}, {5, 17}},
        {&frame, 22, strokes_with({{{2, 2, 5, 9}, 0}, {{10, 1, 3, 3}, 0xFF}}), {8, 4}, {5, 17}},
        {&frame, 22, strokes_with({{{18, 14, 5, 5}, 0xFF00}}), {9, 5}, {15, 20}},  // reaching out
        {&other_frame, 22, strokes_with({}), {9, 5}, {15, 20}},
        {&other_frame, 23, strokes_with({}), {9, 5}, {15, 20}}};
    LayeredPicture layered;
    QImage before;
    for (std::size_t index = 0; index < std::size(steps); ++index) {
        const auto& step = steps[index];
        const QImage number = make_bitmap(step.number.width(), step.number.height(), 0xFF0000);
        const QImage& picture =
            layered.compose(*step.base, step.height, {{step.strokes, {0, 0}}, {number, step.at}});
        QImage whole = make_bitmap(step.base->width(), step.height);
        merge_bmp(whole, *step.base, 0, 0);
        merge_bmp(whole, step.strokes, 0, 0);
        merge_bmp(whole, number, step.at.x(), step.at.y());
        ASSERT_EQ(picture, whole) << index;
        const bool relaid = index == 0 || step.base != steps[index - 1].base ||
                            step.height != steps[index - 1].height;
        ASSERT_EQ(layered.changed().has_value(), !relaid) << index;
        if (layered.changed()) {
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    const bool inside =
                        std::any_of(layered.changed()->begin(), layered.changed()->end(),
                                    [&](const QRect& area) { return area.contains(x, y); });
                    EXPECT_TRUE(inside || picture.pixel(x, y) == before.pixel(x, y))
                        << index << ": " << x << "," << y;
                }
            }
        }
        before = picture.copy();
    }
}

}  // namespace
}  // namespace inkwren
