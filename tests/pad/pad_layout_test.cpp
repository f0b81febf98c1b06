#include <gtest/gtest.h>

#include "pad/pad_layout.h"

namespace inkwren {
namespace {

// A small pad sits above a full-width panel: six buttons 2 pixels apart from the pad's left edge,
// then the field; the palette row has the swatch under the first button and the palette 10
// pixels further. Without a palette the panel ends under the buttons; a zoomed pad has a narrow
// centred panel. The information strip goes under the panel, the full width of the window.
TEST(PadLayout, EveryPartLiesWhereTheWindowPutsIt) {
    const PadLayout small = lay_out_pad(200, 200, true, false);
    const PadLayout bare = lay_out_pad(200, 200, false, false);
    const PadLayout zoomed = lay_out_pad(650, 650, true, false);
    const PadLayout informed = lay_out_pad(650, 650, true, true);
    const struct {
        const char* part;
        QRect actual, expected;
    } parts[] = {{"player", small.player, {10, 0, 200, 200}},
                 {"panel", small.panel, {0, 208, 220, 106}},
                 {"pen speed", small.pen_speed_slider, {5, 10, 105, 24}},
                 {"interval", small.interval_slider, {110, 10, 105, 24}},
                 {"first button", small.buttons[0], {10, 39, 26, 26}},
                 {"last button", small.buttons[5], {150, 39, 26, 26}},
                 {"field", small.character_field, {178, 39, 34, 26}},
                 {"swatch", small.swatch, {10, 70, 30, 30}},
                 {"palette", small.palette, {50, 70, 160, 30}},
                 {"bevel", small.bevel, {49, 69, 162, 32}},
                 {"window", QRect(QPoint(0, 0), small.window), {0, 0, 220, 319}},
                 {"bare panel", bare.panel, {0, 208, 220, 70}},
                 {"bare palette", bare.palette, {}},
                 {"zoomed panel", zoomed.panel, {226, 658, 217, 106}},
                 {"zoomed window", QRect(QPoint(0, 0), zoomed.window), {0, 0, 670, 769}},
                 {"no strip", zoomed.info_strip, {}},
                 {"strip", informed.info_strip, {0, 769, 670, info_strip_height}},
                 {"panel over the strip", informed.panel, zoomed.panel},
                 {"window with the strip",
                  QRect(QPoint(0, 0), informed.window),
                  {0, 0, 670, 769 + info_strip_height + 5}}};
    for (const auto& each : parts) {
        EXPECT_EQ(each.actual, each.expected) << each.part;
    }
    // A drag on the grip keeps the panel inside a window larger than the layout (as after a resize)
    // and under the pad: past a side it stops there, and lifted to the pad or dropped to the bottom
    // its top goes just under the pad, where the layout puts it. The bare panel goes wherever the
    // mouse takes it.
    const PadLayout layout = lay_out_pad(200, 200, true, false);
    const struct {
        QPoint offset;
        bool on_grip;
        QPoint panel;
    } drags[] = {{{30, 40}, true, {30, 248}},   {{-50, 40}, true, {0, 248}},
                 {{500, 40}, true, {180, 248}}, {{0, -100}, true, {0, 208}},
                 {{0, 400}, true, {0, 208}},    {{500, 400}, false, {500, 608}}};
    for (const auto& drag : drags) {
        EXPECT_EQ(dragged_panel(layout.panel, drag.offset, drag.on_grip, {400, 500},
                                layout.player.bottom()),
                  drag.panel)
            << drag.offset.x() << "," << drag.offset.y() << (drag.on_grip ? " on the grip" : "");
    }
}

TEST(Zoom, StepsGrowToTheLimitTheScreenHeightSetsAndShrinkBack) {
    std::vector<int> widths;
    ZoomStep step{200, true};
    for (int click = 0; click < 13; ++click) {
        step = next_zoom(step.width, step.can_magnify, 768);
        widths.push_back(step.width);
    }
    EXPECT_EQ(widths,
              (std::vector<int>{240, 288, 346, 415, 498, 598, 600, 480, 384, 307, 246, 200, 240}));
    // The largest side follows the screen height.
    EXPECT_EQ(largest_pad_side(499), 300);
    EXPECT_EQ(largest_pad_side(500), 400);
    EXPECT_EQ(largest_pad_side(650), 600);
    EXPECT_EQ(largest_pad_side(800), 650);
}

}  // namespace
}  // namespace inkwren
