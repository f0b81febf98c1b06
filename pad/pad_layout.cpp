#include "pad/pad_layout.h"

#include <algorithm>

#include "animation/rounding.h"

namespace inkwren {
namespace {

constexpr int window_margin = 20;        // the window is this much wider than the pad
constexpr int panel_gap = 8;             // between the pad and the panel under it
constexpr int zoomed_panel_width = 210;  // the panel of a pad larger than 200
constexpr int slider_left = 5;
constexpr int slider_top = 10;
constexpr int slider_height = 24;
constexpr int row_gap = 5;
constexpr int button_gap = 2;
constexpr int field_width = 34;
constexpr int swatch_side = 30;
constexpr QSize palette_size(160, 30);
constexpr int palette_gap = 10;
constexpr int bottom_margin = 5;

}  // namespace

PadLayout lay_out_pad(int pad_width, int pad_height, bool with_palette, bool with_info_strip) {
    PadLayout layout;
    const int window_width = pad_width + window_margin;
    layout.player = QRect((window_width - pad_width) / 2, 0, pad_width, pad_height);

    // The controls line up under the pad's left edge, as laid out before the panel is centred.
    const int left = layout.player.left();
    const int buttons_top = slider_top + slider_height + row_gap;
    for (int index = 0; index < pad_button_count; ++index) {
        layout.buttons[std::size_t(index)] = QRect(left + index * (pad_button_size + button_gap),
                                                   buttons_top, pad_button_size, pad_button_size);
    }
    const QRect& last_button = layout.buttons.back();
    layout.character_field =
        QRect(last_button.right() + 1 + button_gap, buttons_top, field_width, pad_button_size);
    int content_bottom = last_button.bottom() + 1;
    if (with_palette) {
        const int row_top = content_bottom + row_gap;
        layout.swatch = QRect(left, row_top, swatch_side, swatch_side);
        layout.palette =
            QRect(QPoint(layout.swatch.right() + 1 + palette_gap, row_top), palette_size);
        layout.bevel = layout.palette.adjusted(-1, -1, 1, 1);
        content_bottom = layout.bevel.bottom() + 1;
    }

    // A zoomed pad keeps a narrow panel, still wide enough for the character field.
    const int panel_width =
        pad_width < pad_base_size + 1
            ? window_width
            : std::max(zoomed_panel_width, layout.character_field.right() + 1 + bottom_margin);
    const int slider_width = (panel_width - 2 * slider_left) / 2;
    layout.pen_speed_slider = QRect(slider_left, slider_top, slider_width, slider_height);
    layout.interval_slider =
        QRect(slider_left + slider_width, slider_top, slider_width, slider_height);

    const int panel_height = content_bottom + bottom_margin;
    layout.panel =
        QRect((window_width - panel_width) / 2, pad_height + panel_gap, panel_width, panel_height);
    int bottom = layout.panel.bottom() + 1;
    if (with_info_strip) {
        layout.info_strip = QRect(0, bottom + bottom_margin, window_width, info_strip_height);
        bottom = layout.info_strip.bottom() + 1;
    }
    layout.window = QSize(window_width, bottom + bottom_margin);
    return layout;
}

QPoint dragged_panel(QRect panel, QPoint offset, bool on_grip, QSize client, int pad_bottom) {
    QRect moved = panel.translated(offset);
    if (on_grip) {
        moved.moveLeft(std::clamp(moved.left(), 0, std::max(0, client.width() - moved.width())));
        const int lowest_top = pad_bottom + 1 + panel_gap;
        if (moved.top() <= lowest_top || moved.bottom() >= client.height() - bottom_margin) {
            moved.moveTop(lowest_top);
        }
    }
    return moved.topLeft();
}

int largest_pad_side(int screen_height) {
    if (screen_height < 500) {
        return 300;
    }
    if (screen_height < 650) {
        return 400;
    }
    if (screen_height < 800) {
        return 600;
    }
    return 650;
}

ZoomStep next_zoom(int width, bool can_magnify, int screen_height) {
    if (can_magnify) {
        const int largest = largest_pad_side(screen_height);
        const int grown = std::min(round_even(width * 1.2), largest);
        return {grown, grown < largest};
    }
    const int shrunk = std::max(round_even(width * 0.8), pad_base_size);
    return {shrunk, shrunk <= pad_base_size};
}

}  // namespace inkwren
