// Where everything of the writing pad goes, and how the pad grows and shrinks: pure geometry,
// computed without the window so it can be tested.
#pragma once

#include <QRect>
#include <QSize>

#include <array>

namespace inkwren {

inline constexpr int pad_base_size = 200;
inline constexpr int pad_button_size = 26;
inline constexpr int pad_button_count = 6;
// The character information strip under the panel: a few lines of small text.
inline constexpr int info_strip_height = 86;

struct PadLayout {
    QSize window;  // the client area
    QRect player;
    QRect panel;
    // Inside the panel:
    QRect pen_speed_slider;
    QRect interval_slider;
    std::array<QRect, pad_button_count> buttons;
    QRect character_field;
    QRect swatch;      // empty without a palette
    QRect palette;     // empty without a palette
    QRect bevel;       // the frame around the palette
    QRect info_strip;  // empty when the strip is hidden
};

// The pad, the panel under it and, when shown, the information strip under the panel. The
// strip only adds to the window's height: the pad and the panel keep their places.
PadLayout lay_out_pad(int pad_width, int pad_height, bool with_palette, bool with_info_strip);

// Where the panel goes when the mouse drags it by offset. A drag on the grip keeps the panel
// inside the client area and under the pad: a move past a side stops there, and a move that
// would lift it to the pad or drop it to the bottom puts its top just under the pad. A drag on
// the bare panel is not limited.
QPoint dragged_panel(QRect panel, QPoint offset, bool on_grip, QSize client, int pad_bottom);

struct ZoomStep {
    int width;
    bool can_magnify;
};

// The largest pad side a screen of this height allows.
int largest_pad_side(int screen_height);

// The next pad width of the zoom button: 1.2 times larger up to the largest side, then 0.8 times
// smaller down to 200, turning round at either end.
ZoomStep next_zoom(int width, bool can_magnify, int screen_height);

}  // namespace inkwren
