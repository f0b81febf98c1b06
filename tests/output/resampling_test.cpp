#include <gtest/gtest.h>

#include <QPainter>

#include "animation/raster.h"
#include "output/resampling.h"
#include "platform/error.h"

namespace inkwren {
namespace {

QImage row_picture(const std::vector<std::int32_t>& colors) {
    QImage bitmap = make_bitmap(int(colors.size()), 1);
    for (int x = 0; x < int(colors.size()); ++x) {
        bitmap.setPixelColor(x, 0, to_qcolor(colors[x]));
    }
    return bitmap;
}

// The weight each source position receives in total, mirrored taps added up.
std::vector<double> weights_by_position(const TargetSample& sample, int source_size) {
    std::vector<double> totals(source_size, 0.0);
    for (const SourceWeight& share : sample.weights) {
        totals.at(share.position) += share.weight;  // throws for a position outside the source
    }
    return totals;
}

TEST(ResamplingWeights, ShrinkingMapsEndToEndAndWidensTheFilter) {
    const AxisWeights axis = resampling_weights(200, 80);
    EXPECT_DOUBLE_EQ(axis.scale, 79.0 / 199.0);
    ASSERT_EQ(axis.samples.size(), 80u);
    EXPECT_DOUBLE_EQ(axis.samples[1].centre, 199.0 / 79.0);
    EXPECT_NEAR(axis.samples[79].centre, 199.0, 1e-9);
    // A side of one pixel scales by target over source.
    EXPECT_DOUBLE_EQ(resampling_weights(1, 5).scale, 5.0);
    EXPECT_DOUBLE_EQ(resampling_weights(4, 1).scale, 0.25);
    // The filter reaches 2 / scale = 5.04 source pixels either side of the centre: at 100.76,
    // pixels 96 to 105.
    const TargetSample& middle = axis.samples[40];
    ASSERT_EQ(middle.weights.size(), 10u);
    EXPECT_EQ(middle.weights.front().position, 96);
    EXPECT_EQ(middle.weights.back().position, 105);
}

TEST(ResizePicture, TwoPixelsGrowToThreeAsWorkedOutByHand) {
    // Red 0 → 180, green 90 → 0. Target pixel 0 takes 8/9 and 1/9, pixel 1 takes 77/144 and
    // 67/144, pixel 2 takes 1/18 and 17/18.
    const QImage source = row_picture({0x005A00, 0x0000B4});
    const QImage target = resized_picture(source, {3, 1});
    EXPECT_EQ(color_at(target, 0, 0), 0x005014);  // 20, 80
    EXPECT_EQ(color_at(target, 1, 0), 0x003054);  // 83.75 → 84, 48.125 → 48
    EXPECT_EQ(color_at(target, 2, 0), 0x0005AA);  // 170, 5
}

TEST(ResizePicture, FourPixelsShrinkToTwoAsWorkedOutByHand) {
    // Scale 1/3: pixel 0 takes 432, 690, 325, 11 and pixel 1 takes 0, 179, 502, 777 (in 1458ths)
    // of source pixels 0 to 3 once the taps beyond the ends are mirrored and clamped.
    const std::vector<double> first = weights_by_position(resampling_weights(4, 2).samples[0], 4);
    EXPECT_NEAR(first[0], 432.0 / 1458, 1e-12);
    EXPECT_NEAR(first[1], 690.0 / 1458, 1e-12);
    EXPECT_NEAR(first[2], 325.0 / 1458, 1e-12);
    EXPECT_NEAR(first[3], 11.0 / 1458, 1e-12);
    const QImage source = row_picture({0x00FF00, 0xFF0000, 0x000000, 0x0000FF});
    const QImage target = resized_picture(source, {2, 1});
    EXPECT_EQ(color_at(target, 0, 0), 0x794C02);  // 1.92 → 2, 75.6 → 76, 120.7 → 121
    EXPECT_EQ(color_at(target, 1, 0), 0x1F0088);  // 135.9 → 136, 0, 31.3 → 31
}

TEST(ResizePicture, OvershootAndUndershootAreClamped) {
    // At target pixel 1 of 4 → 7 the outer taps weigh -5/144: a step from white to black
    // overshoots above 255, the reverse step undershoots below 0.
    const QImage target =
        resized_picture(row_picture({0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000}), {7, 1});
    EXPECT_EQ(color_at(target, 1, 0), 0xFFFFFF);
    const QImage reverse =
        resized_picture(row_picture({0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF}), {7, 1});
    EXPECT_EQ(color_at(reverse, 1, 0), 0x000000);
}

TEST(ResizePicture, AFlatColourStaysFlatEverywhere) {
    // The shrunk kernel's weights sum to 1 only roughly (0.9984 to 1.0016 for 200 to 80), but
    // within 0.5 / 255 on both axes: every pass rounds back to the same byte, up to the mirrored
    // edges; a one-pixel-wide source stretches to a flat band.
    const struct {
        QSize source, target;
        std::int32_t color;
    } cases[] = {{{200, 215}, {80, 86}, white_color}, {{200, 215}, {80, 86}, black_color},
                 {{200, 215}, {80, 86}, 0x4080C0},    {{1, 3}, {6, 3}, 0x102030},
                 {{1, 1}, {5, 1}, 0x102030},          {{4, 2}, {1, 1}, 0x302010}};
    for (const auto& c : cases) {
        QImage target = make_bitmap(c.target.width(), c.target.height(), 0x123456);
        resize_picture(make_bitmap(c.source.width(), c.source.height(), c.color), target);
        ASSERT_EQ(target.size(), c.target);
        ASSERT_TRUE(is_24bit(target));
        for (int y = 0; y < c.target.height(); ++y) {
            for (int x = 0; x < c.target.width(); ++x) {
                ASSERT_EQ(color_at(target, x, y), c.color) << x << "," << y;
            }
        }
    }
}

TEST(ResizePicture, AnEmptySourceIsTooSmall) {
    QImage target = make_bitmap(4, 4);
    EXPECT_THROW(resize_picture(QImage(), target), Error);
    EXPECT_THROW(resized_picture(make_bitmap(3, 1).copy(0, 0, 3, 0), {2, 2}), Error);
}

TEST(FrameResizer, FramesComeOutAsIfEachWereResizedWhole) {
    const QSize source(203, 197);
    const QSize target(81, 79);
    FrameResizer resizer(source, target);
    QImage frame = make_bitmap(source.width(), source.height());
    EXPECT_EQ(resizer.resize(frame), resized_picture(frame, target));
    // Changes in the middle, at the edges where positions mirror, and none at all.
    const std::vector<std::pair<QRect, QColor>> changes = {{QRect(90, 80, 12, 9), Qt::black},
                                                           {QRect(0, 0, 3, 5), Qt::red},
                                                           {QRect(200, 190, 3, 7), Qt::blue}};
    for (const auto& [box, colour] : changes) {
        QPainter(&frame).fillRect(box, colour);
        ASSERT_EQ(resizer.resize(frame), resized_picture(frame, target))
            << box.x() << "," << box.y();
    }
    EXPECT_EQ(resizer.resize(frame), resized_picture(frame, target));
}

}  // namespace
}  // namespace inkwren
