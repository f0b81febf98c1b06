// Drawing a character's records onto bitmaps: the background with its practice grid, record
// lists as lines, fills and marks, and the character at rest. Plain functions of what they are
// given: drawing never touches playback state.
#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>

#include "animation/raster.h"
#include "strokes/linelist.h"

namespace inkwren {

// How a record list is drawn.
struct RecordStyle {
    std::int32_t colour = 0;
    bool set_colour = false;  // the records take colour (they are changed)
    std::int32_t mono_colour = 0;
    bool mono = false;        // drawn in mono_colour
    bool marks = false;       // fill seeds get their triangle marks
    bool beziers = false;     // Bezier elements are drawn as curves
    bool fill_seeds = false;  // fill seeds are flood-filled
    // The editor redraws while the mouse moves: an element's strokes are drawn joined, fill
    // seeds without marks and curves coarser, which is cheaper.
    bool dragging = false;
    double width_scale = 1.0;  // pen widths are drawn at this factor
    SmoothTarget smooth;       // the target's anti-aliased twin
};

// Answers the area of the target it may have changed.
QRect draw_records(QImage& target, TObjList& list, const RecordStyle& style);

// Draws the Bezier element whose first control point is at first; answers the index of its end
// marker. Elements of fewer than three control points draw nothing.
std::size_t draw_bezier_element(QImage& target, const TObjList& element, std::size_t first,
                                double width_scale, bool dragging, SmoothTarget smooth = {});

// The side of the nine-grid square: seven eighths of the pad's height.
int grid_side(int pad_height);

// How the pad's nine-grid is drawn: solid lines, or the lighter dashed inner lines of
// exercise books inside the same solid square.
enum class PadGridStyle { solid, dashed };

// The nine-grid square centred on the pad, with its inner thirds.
void draw_ninegrid(QImage& bitmap, QSize pad, int side, PadGridStyle style = PadGridStyle::solid);

// What the background of a pad is made of.
struct Background {
    QSize pad;
    std::int32_t colour = 0xFFFFFF;
    const QImage* picture = nullptr;  // a background picture, centred where smaller
    bool grid = true;
    PadGridStyle grid_style = PadGridStyle::solid;
    const QImage* model = nullptr;  // the model character, merged centred
};

// The background: the pad's frame, picture, nine-grid and model.
QImage compose_background(const Background& background);

// How the character is drawn at rest.
struct RestStyle {
    double width_scale = 1.0;
    bool fill_seeds = false;
    bool dragging = false;
    const QImage* flashbar_picture = nullptr;  // flash bars are drawn when given
    SmoothTarget smooth;                       // the image's anti-aliased twin
};

// Whether records hold fills or flash bars, which are drawn all-or-nothing from what the bitmap
// holds: their pen lines cannot go to a smooth twin alone.
bool needs_bitmap(const TObjList& records);
bool needs_bitmap(const TLineList& lines);

// The whole character at rest over what image holds, with fill-seed and flash bar marks.
void draw_at_rest(QImage& image, const TLineList& lines, const RestStyle& style);

// The grey of the strokes still to come, and the colour of the stroke being written, in a
// lesson and in the two-colour and grey-first playbacks.
inline constexpr std::int32_t waiting_grey = 0xBBBBBB;
inline constexpr std::int32_t highlight_colour = 0xFF0000;  // blue

// What a learner practising writing sees: the first strokes written (elements before
// written_end) as at rest; the strokes after them in grey when the outline is shown; the
// elements from written_end to hint_end (the next stroke, as a hint) in the highlight colour.
struct PracticeView {
    std::size_t written_end = 0;
    std::size_t hint_end = 0;
    bool outline = true;
    double hint_share = 1;  // how much of the hint is drawn, while it is being played
};
void draw_practice_view(QImage& image, const TLineList& lines, const PracticeView& view,
                        const RestStyle& style);

// The character while a learner steps through it: the elements from newest_end on in grey, the
// newest stroke (elements from earlier_end to newest_end) in the highlight colour, the earlier
// ones as at rest.
void draw_lesson_step(QImage& image, const TLineList& lines, std::size_t earlier_end,
                      std::size_t newest_end, const RestStyle& style);

}  // namespace inkwren
