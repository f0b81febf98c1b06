#include <gtest/gtest.h>

#include "animation/raster.h"
#include "output/frame_difference.h"

namespace inkwren {
namespace {

TEST(NoticeableRect, HoldsThePixelsBeyondToleranceWithinTheArea) {
    const QImage shown = make_bitmap(20, 20);
    QImage frame = shown;
    frame.setPixel(3, 4, qRgb(0xEF, 0xFF, 0xFF));  // 16 off: not noticed
    frame.setPixel(5, 6, qRgb(0xFF, 0xEE, 0xFF));  // 17 off
    frame.setPixel(9, 2, qRgb(0xFF, 0xFF, 0x00));
    frame.setPixel(15, 15, qRgb(0x00, 0x00, 0x00));  // outside the area
    EXPECT_EQ(noticeable_rect(shown, frame, QRect(0, 0, 12, 12), 16),
              QRect(QPoint(5, 2), QPoint(9, 6)));
    EXPECT_TRUE(noticeable_rect(shown, frame, QRect(0, 0, 5, 5), 16).isEmpty());
}

}  // namespace
}  // namespace inkwren
