// Where the stroke data's em square lies on the 200 × 200 writing pad. The stroke archives, the
// model pictures and the practice judge all place characters by it, so strokes, models and a
// learner's writing line up.
#pragma once

#include <QPointF>

namespace inkwren {

// The data's em square is 1024 units with its top 900 units above the baseline (y points up).
inline constexpr double em_units = 1024;
inline constexpr double em_top = 900;

// 168 pixels an em keep every character, and every glyph of the Kai face, a pixel or two inside
// the nine-grid's square (175 pixels, centred); the em's left edge sits 16 pixels in, so the em
// is centred across. The baseline is a whole pixel, so the face's glyphs need no sub-pixel
// shift down, which leaves the em centred to within half a pixel.
inline constexpr double em_pixels = 168;
inline constexpr double em_left = 16;
inline constexpr double pad_baseline = 164;

inline constexpr double pixels_per_unit = em_pixels / em_units;

// From em units (y up) to pixels of the unzoomed pad (y down).
inline QPointF to_pad(QPointF em_point) {
    return {em_left + em_point.x() * pixels_per_unit,
            pad_baseline - em_point.y() * pixels_per_unit};
}

// From pixels of the unzoomed pad back to em units.
inline QPointF from_pad(QPointF pad_point) {
    return {(pad_point.x() - em_left) / pixels_per_unit,
            (pad_baseline - pad_point.y()) / pixels_per_unit};
}

}  // namespace inkwren
