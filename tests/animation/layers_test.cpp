#include <gtest/gtest.h>

#include "animation/layers.h"
#include "animation/raster.h"

namespace inkwren {
namespace {

const QSize pad(20, 20);

// Only non-white pixels are copied at the offset, clipped at every edge; sources outside or not
// in 24 bits change nothing.
// Blank layers share one image: what is drawn on one given out never shows on the next.
TEST(BlankLayer, IsWhiteOfItsSizeAndStaysSoWhateverIsDrawnOnTheOnesGivenOut) {
    for (const QSize size : {QSize(200, 200), QSize(30, 20), QSize(200, 200)}) {
        QImage drawn = blank_layer(size);
        Canvas(drawn).rectangle(0, 0, size.width(), size.height());
        const QImage next = blank_layer(size);
        EXPECT_EQ(next.size(), size);
        EXPECT_EQ(next, make_bitmap(size.width(), size.height()));
        EXPECT_NE(drawn, next);
    }
}

TEST(Overlay, CopiesNonWhitePixelsClippedAtEveryEdge) {
    QImage destination = make_bitmap(20, 20, 0x0000FF);
    QImage source = make_bitmap(4, 4);
    for (const QPoint ink : {QPoint(0, 0), QPoint(2, 2), QPoint(3, 3)}) {
        source.setPixelColor(ink, QColor(0, 0, 0));
    }
    source.setPixelColor(2, 3, QColor(255, 255, 254));  // near-white is ink
    overlay(destination, source, -2, -3, pad);
    EXPECT_EQ(color_at(destination, 0, 0), 0xFEFFFF);
    EXPECT_EQ(color_at(destination, 1, 0), black_color);
    overlay(destination, source, 17, 17, pad);
    EXPECT_EQ(color_at(destination, 17, 17), black_color);
    EXPECT_EQ(color_at(destination, 18, 18), 0x0000FF);  // white is transparent
    EXPECT_EQ(color_at(destination, 19, 19), black_color);

    const QImage before = destination;
    overlay(destination, source, 20, 0, pad);
    overlay(destination, source, 0, -4, pad);
    overlay(destination, source, -4, 0, pad);
    overlay(destination, source, 0, 20, pad);
    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(Qt::black);
    overlay(destination, argb, 0, 0, pad);
    overlay_centred(destination, argb, pad);
    EXPECT_EQ(destination, before);
    // Cropping to ink gives the smallest ink box or nothing.
    QImage bitmap = make_bitmap(30, 30);
    EXPECT_FALSE(crop_to_ink(bitmap));
    for (int y = 5; y < 25; ++y) {
        bitmap.setPixelColor(10, y, Qt::black);
    }
    EXPECT_FALSE(crop_to_ink(bitmap));  // a line one pixel thick
    bitmap.setPixelColor(14, 20, Qt::red);
    const auto crop = crop_to_ink(bitmap);
    ASSERT_TRUE(crop);
    EXPECT_EQ(crop->box, QRect(QPoint(10, 5), QPoint(14, 24)));
    EXPECT_EQ(color_at(crop->picture, 4, 15), 0x0000FF);
}

}  // namespace
}  // namespace inkwren
