#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <cmath>

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

// The source resized by the weights worked out afresh, one target value at a time, summed in
// the order and precision the resizer promises: across first, rounded to bytes, then down.
QImage resized_afresh(const QImage& source, QSize size) {
    const AxisWeights columns = resampling_weights(source.width(), size.width());
    const AxisWeights rows = resampling_weights(source.height(), size.height());
    const auto to_byte = [](float sum) {
        return uchar(std::nearbyint(std::clamp(sum, 0.0f, 255.0f)));
    };
    QImage across(size.width(), source.height(), bitmap_format);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                float sum = 0.0f;
                for (const SourceWeight& share : columns.samples[std::size_t(x)].weights) {
                    sum += float(share.weight) *
                           float(source.constScanLine(y)[3 * share.position + channel]);
                }
                across.scanLine(y)[3 * x + channel] = to_byte(sum);
            }
        }
    }
    QImage target(size, bitmap_format);
    for (int y = 0; y < size.height(); ++y) {
        for (int value = 0; value < 3 * size.width(); ++value) {
            float sum = 0.0f;
            for (const SourceWeight& share : rows.samples[std::size_t(y)].weights) {
                sum += float(share.weight) * float(across.constScanLine(share.position)[value]);
            }
            target.scanLine(y)[value] = to_byte(sum);
        }
    }
    return target;
}

// Frames of several sizes in turn, as a sheet's pictures and the note and group pictures
// between them come: the weights kept for one size must never serve another, and each frame
// after the first, resized only where it changed, comes out as if resized whole.
TEST(FrameResizer, FramesOfEverySizeComeOutAsIfResizedWholeAfresh) {
    const struct {
        QSize source, target;
    } sizes[] = {{{203, 197}, {81, 79}},
                 {{200, 231}, {80, 92}},
                 {{200, 231}, {92, 80}},  // the same source to another size
                 {{231, 200}, {80, 92}},  // the sides the other way round
                 {{31, 17}, {97, 41}}};   // growing
    // A stroke and a number under it, far apart; changes at the mirrored edges; rows a gap
    // apart that are resized as one band; nothing changed at all.
    const std::vector<std::vector<std::pair<QRect, QColor>>> frames = {
        {{QRect(90, 80, 12, 9), Qt::black}, {QRect(40, 190, 30, 6), Qt::blue}},
        {{QRect(0, 0, 3, 5), Qt::red}, {QRect(198, 190, 5, 7), Qt::blue}},
        {{QRect(10, 20, 40, 1), Qt::green}, {QRect(60, 23, 5, 1), Qt::darkGray}},
        {}};
    for (const auto& size : sizes) {
        FrameResizer resizer(size.source, size.target);
        FrameResizer told(size.source, size.target);  // told where each frame changed
        QImage frame = make_bitmap(size.source.width(), size.source.height());
        ASSERT_EQ(resizer.resize(frame), resized_afresh(frame, size.target));
        told.resize(frame, std::nullopt);
        for (std::size_t index = 0; index < frames.size(); ++index) {
            std::vector<QRect> changed;
            for (const auto& [box, colour] : frames[index]) {
                QPainter(&frame).fillRect(box, colour);
                changed.push_back(box & frame.rect());
            }
            ASSERT_EQ(resizer.resize(frame), resized_afresh(frame, size.target))
                << size.source.width() << "×" << size.source.height() << ", frame " << index;
            ASSERT_EQ(told.resize(frame, changed), resizer.resize(frame)) << index;
            ASSERT_EQ(resized_picture(frame, size.target), resized_afresh(frame, size.target));
        }
    }
}

}  // namespace
}  // namespace inkwren
