// Stroke numbers on the pad: each written stroke's number in a small circle at its start point,
// moved aside where it would cover the number of another stroke. Placing is plain geometry of
// the strokes and the pad's size; drawing goes onto a picture already composed, never a layer.
#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>

#include <map>
#include <vector>

#include "strokes/linelist.h"

namespace inkwren {

// Where a stroke begins and which way the pen first moves (a unit vector; zero for a dot).
struct StrokeStart {
    QPointF point;
    QPointF direction;
};

// One number's circle on the pad, and the start it belongs to: a small dot marks the start, and
// a circle moved aside is tied to its dot by a thin line.
struct NumberMark {
    int number = 0;  // 1 for the stroke written first
    QPointF centre;
    double radius = 0;
    QPointF start;
};

// Where each stroke of the character (as CharacterStrokes counts them) begins, in writing order.
std::vector<StrokeStart> stroke_starts(const TLineList& lines);

// The circle's radius on a pad of this size: a fixed share of its smaller side, never too small
// for two digits.
double number_radius(QSize pad);

// One circle per start, in the same order. Each sits on its start when that place is free;
// otherwise at the nearest free place around the start, looking behind the stroke first so the
// circle leaves the stroke's own line visible. Circles stay inside the pad and never overlap
// while the pad has room for them; where it has none the least covered place is taken.
std::vector<NumberMark> place_numbers(const std::vector<StrokeStart>& starts, QSize pad);

// Whether two circles share any pixel.
bool circles_overlap(const NumberMark& first, const NumberMark& second);

// Draws the start marks and circles of the first shown marks over the picture, antialiased.
void draw_number_marks(QImage& picture, const std::vector<NumberMark>& marks, int shown);

// The numbers of the first shown_strokes strokes of lines, placed for all of them so that a
// number never moves as later strokes appear.
void draw_stroke_numbers(QImage& picture, const TLineList& lines, int shown_strokes, QSize pad);

// The same for a picture drawn again at every frame, as the player's: the places are kept while
// the strokes and the pad stay as they were, and each number's circle is drawn once and copied,
// since drawing text straight onto the pad's 24-bit pictures is slow enough to hold up the pen.
class StrokeNumberPainter {
public:
    void draw(QImage& picture, const TLineList& lines, int shown_strokes, QSize pad);

private:
    const std::vector<NumberMark>& marks_for(const TLineList& lines, QSize pad);
    const QImage& sprite(const NumberMark& mark);
    const QImage& dot_sprite(const NumberMark& mark);

    TLineList placed_lines_;  // what marks_ were placed for
    QSize placed_pad_;
    std::vector<NumberMark> marks_;
    double sprite_radius_ = 0;       // the size the kept circles are drawn for
    std::map<int, QImage> sprites_;  // by number
    QImage dot_;                     // the start dot, drawn for dot_radius_
    double dot_radius_ = 0;
};

}  // namespace inkwren
