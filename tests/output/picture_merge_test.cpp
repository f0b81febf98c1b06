#include <gtest/gtest.h>

#include "animation/raster.h"
#include "output/picture_merge.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::count_of;

void set_pixel(QImage& bitmap, int x, int y, uchar red, uchar green, uchar blue) {
    uchar* pixel = bitmap.scanLine(y) + 3 * x;
    pixel[0] = red;
    pixel[1] = green;
    pixel[2] = blue;
}

TEST(MergeBmp, WhiteMeansEveryByteAtLeast250) {
    QImage destination = make_bitmap(4, 1, black_color);
    QImage source = make_bitmap(4, 1);
    set_pixel(source, 0, 0, 250, 250, 249);
    set_pixel(source, 1, 0, 250, 250, 250);
    set_pixel(source, 2, 0, 249, 255, 255);
    set_pixel(source, 3, 0, 255, 255, 255);
    merge_bmp(destination, source, 0, 0);
    EXPECT_EQ(color_at(destination, 0, 0), 0xF9FAFA);
    EXPECT_EQ(color_at(destination, 1, 0), black_color);
    EXPECT_EQ(color_at(destination, 2, 0), 0xFFFFF9);
    EXPECT_EQ(color_at(destination, 3, 0), black_color);
}

TEST(MergeBmp, NegativePositionsCopyOnlyTheOverlap) {
    QImage destination = make_bitmap(5, 5);
    const QImage source = make_bitmap(4, 3, 0x0000FF);
    merge_bmp(destination, source, -2, -1);
    // Source columns 2..3 and rows 1..2 land on destination columns 0..1, rows 0..1.
    EXPECT_EQ(count_of(destination, 0x0000FF), 4);
    EXPECT_EQ(color_at(destination, 0, 0), 0x0000FF);
    EXPECT_EQ(color_at(destination, 1, 1), 0x0000FF);
    EXPECT_EQ(color_at(destination, 2, 0), white_color);
    EXPECT_EQ(color_at(destination, 0, 2), white_color);
}

TEST(MergeBmp, ASourceReachingPastTheFarEdgesIsCut) {
    QImage destination = make_bitmap(5, 5);
    merge_bmp(destination, make_bitmap(4, 4, 0x0000FF), 3, 4);
    EXPECT_EQ(count_of(destination, 0x0000FF), 2);
    EXPECT_EQ(color_at(destination, 4, 4), 0x0000FF);
}

TEST(MergeBmp, ASourceWhollyOutsideChangesNothing) {
    QImage destination = make_bitmap(5, 5);
    const QImage source = make_bitmap(3, 3, black_color);
    for (const QPoint at : {QPoint(5, 0), QPoint(0, 5), QPoint(-3, 0), QPoint(0, -3)}) {
        merge_bmp(destination, source, at.x(), at.y());
    }
    EXPECT_EQ(count_of(destination, white_color), 25);
    merge_bmp(destination, source, -2, -2);  // the corner pixel just overlaps
    EXPECT_EQ(count_of(destination, black_color), 1);
}

TEST(MergeBmp, ASourceThatIsNot24BitIsIgnored) {
    QImage destination = make_bitmap(4, 4);
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(Qt::black);
    merge_bmp(destination, source, 0, 0);
    EXPECT_EQ(count_of(destination, white_color), 16);
}

}  // namespace
}  // namespace inkwren
