#include <gtest/gtest.h>

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

}  // namespace
}  // namespace inkwren
