#include <gtest/gtest.h>

#include "animation/raster.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::count_of;

TEST(FloodFill,
     FillsTheRegionInsideAnOutlineAndNothingBeyondAndLargeLayersWithoutExhaustingTheStack) {
    QImage bitmap = make_bitmap(40, 40);
    {
        Canvas canvas(bitmap);
        canvas.brush_style = BrushStyle::clear;
        canvas.rectangle(10, 10, 30, 30);  // black outline from 10 to 29
        canvas.brush_color = 0x00FF00;
        canvas.flood_fill({20, 20});
    }
    EXPECT_EQ(color_at(bitmap, 11, 11), 0x00FF00);
    EXPECT_EQ(count_of(bitmap, 0x00FF00), 18 * 18);  // the inside alone
    // The same colour, or a seed outside, changes nothing.
    const QImage filled = bitmap;
    flood_fill_surface(bitmap, {20, 20}, 0x00FF00);
    flood_fill_surface(bitmap, {-1, 3}, 0x000000);
    flood_fill_surface(bitmap, {3, 40}, 0x000000);
    EXPECT_EQ(bitmap, filled);

    // A whole large layer fills without exhausting the stack: a comb of walls makes the fill
    // snake through every row.
    bitmap = make_bitmap(650, 650);
    for (int x = 10; x < 650; x += 20) {
        for (int y = (x / 20) % 2 == 0 ? 0 : 1; y < 649 + ((x / 20) % 2 == 0 ? 0 : 1); ++y) {
            bitmap.setPixelColor(x, y, Qt::black);
        }
    }
    flood_fill_surface(bitmap, {0, 0}, 0x123456);
    EXPECT_EQ(color_at(bitmap, 649, 649), 0x123456);
    EXPECT_EQ(count_of(bitmap, white_color), 0);
}

}  // namespace
}  // namespace inkwren
