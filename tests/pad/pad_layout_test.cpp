#include <gtest/gtest.h>

#include "pad/pad_layout.h"

namespace inkwren {
namespace {

TEST(PadLayout, ASmallPadSitsAboveAFullWidthPanel) {
    const PadLayout layout = lay_out_pad(200, 200, true);
    EXPECT_EQ(layout.player, QRect(10, 0, 200, 200));
    EXPECT_EQ(layout.panel.top(), 208);
    EXPECT_EQ(layout.panel.left(), 0);
    EXPECT_EQ(layout.panel.width(), 220);
    EXPECT_EQ(layout.pen_speed_slider.topLeft(), QPoint(5, 10));
    EXPECT_EQ(layout.interval_slider.left(), layout.pen_speed_slider.right() + 1);
    // Six 26-pixel buttons 2 pixels apart from the pad's left edge, then the field.
    EXPECT_EQ(layout.buttons[0].topLeft(), QPoint(10, layout.pen_speed_slider.bottom() + 6));
    EXPECT_EQ(layout.buttons[5].left(), 10 + 5 * 28);
    EXPECT_EQ(layout.character_field.left(), layout.buttons[5].right() + 3);
    EXPECT_EQ(layout.character_field.height(), 26);
    // The palette row: the swatch under the first button, the palette 10 pixels further.
    EXPECT_EQ(layout.swatch.topLeft(), QPoint(10, layout.buttons[0].bottom() + 6));
    EXPECT_EQ(layout.palette.left(), layout.swatch.right() + 11);
    EXPECT_EQ(layout.palette.size(), QSize(160, 30));
    EXPECT_EQ(layout.bevel, layout.palette.adjusted(-1, -1, 1, 1));
    EXPECT_EQ(layout.window, QSize(220, layout.panel.bottom() + 6));
    // Everything of the panel lies inside it.
    for (const QRect& part :
         {layout.pen_speed_slider, layout.interval_slider, layout.character_field, layout.bevel}) {
        EXPECT_TRUE(QRect(QPoint(0, 0), layout.panel.size()).contains(part));
    }
}

TEST(PadLayout, WithoutAPaletteThePanelEndsUnderTheButtons) {
    const PadLayout layout = lay_out_pad(200, 200, false);
    EXPECT_TRUE(layout.palette.isEmpty());
    EXPECT_EQ(layout.panel.height(), layout.buttons[0].bottom() + 1 + 5);
}

TEST(PadLayout, AZoomedPadHasANarrowCentredPanel) {
    const PadLayout layout = lay_out_pad(650, 650, true);
    EXPECT_EQ(layout.window.width(), 670);
    EXPECT_GE(layout.panel.width(), 210);
    EXPECT_LE(layout.panel.width(), 220);
    EXPECT_EQ(layout.panel.left(), (670 - layout.panel.width()) / 2);
    EXPECT_TRUE(QRect(QPoint(0, 0), layout.panel.size()).contains(layout.character_field));
}

TEST(PanelDrag, TheGripKeepsThePanelInsideTheWindowAndUnderThePad) {
    const PadLayout layout = lay_out_pad(200, 200, true);
    const QRect panel = layout.panel;
    const QSize client(400, 500);  // a window larger than the layout, as after a resize
    const int pad_bottom = layout.player.bottom();
    const int lowest_top = layout.panel.top();  // the top the layout gives: just under the pad
    // A small move within the limits is followed.
    EXPECT_EQ(dragged_panel(panel, {30, 40}, true, client, pad_bottom),
              panel.topLeft() + QPoint(30, 40));
    // Past the left or right side it stops there.
    EXPECT_EQ(dragged_panel(panel, {-50, 40}, true, client, pad_bottom).x(), 0);
    EXPECT_EQ(dragged_panel(panel, {500, 40}, true, client, pad_bottom).x(),
              client.width() - panel.width());
    // Lifted to the pad, or dropped to the bottom, its top goes just under the pad.
    EXPECT_EQ(dragged_panel(panel, {0, -100}, true, client, pad_bottom).y(), lowest_top);
    EXPECT_EQ(dragged_panel(panel, {0, 400}, true, client, pad_bottom).y(), lowest_top);

    // The bare panel goes wherever the mouse takes it.
    for (const QPoint offset : {QPoint(-50, -100), QPoint(500, 400), QPoint(30, 40)}) {
        EXPECT_EQ(dragged_panel(panel, offset, false, client, pad_bottom),
                  panel.topLeft() + offset);
    }
}

TEST(Zoom, StepsOnA768PixelScreenGrowToTheLimitAndShrinkBack) {
    std::vector<int> widths;
    int width = 200;
    bool can_magnify = true;
    for (int click = 0; click < 13; ++click) {
        const ZoomStep step = next_zoom(width, can_magnify, 768);
        width = step.width;
        can_magnify = step.can_magnify;
        widths.push_back(width);
    }
    EXPECT_EQ(widths,
              (std::vector<int>{240, 288, 346, 415, 498, 598, 600, 480, 384, 307, 246, 200, 240}));
}

TEST(Zoom, LargestSideFollowsTheScreenHeight) {
    EXPECT_EQ(largest_pad_side(499), 300);
    EXPECT_EQ(largest_pad_side(500), 400);
    EXPECT_EQ(largest_pad_side(650), 600);
    EXPECT_EQ(largest_pad_side(800), 650);
}

}  // namespace
}  // namespace inkwren
