// Stroke numbers on the pad: each written stroke's number in small halo-outlined digits, in the
// free space nearest the stroke's start. Placing works on the character's ink and the pad's
// size alone; drawing goes onto a picture already composed, never a layer.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
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

// One number on the pad: the box its digits and their halo take, and the start it belongs to,
// which a small dot marks.
struct NumberMark {
    int number = 0;  // 1 for the stroke written first
    QRectF box;
    double height = 0;  // of the digits
    QPointF start;
};

// Which pixels of a picture hold ink (anything not white), kept as running sums so that the ink
// under any box is counted at once.
class InkMap {
public:
    explicit InkMap(const QImage& character);

    QSize size() const { return size_; }
    // The inked pixels inside the box, clipped to the picture.
    int ink_in(const QRect& box) const;

private:
    int sum_to(int x, int y) const { return sums_[std::size_t(y * (size_.width() + 1) + x)]; }

    QSize size_;
    std::vector<int> sums_;  // ink in [0, x) × [0, y), (width + 1) by (height + 1)
};

// Where each stroke of the character (as CharacterStrokes counts them) begins, in writing order.
std::vector<StrokeStart> stroke_starts(const TLineList& lines);

// The height of the digits, in pixels, for a character of this many strokes on a pad of this
// size: the fewer the strokes, the larger, between a legible least and a share of the pad.
double number_height(QSize pad, int strokes);

// The box one number of this many digits takes with its halo.
QSizeF number_box_size(double height, int digits);

// One mark per start, in the same order, its digits that high. Each box goes to the place
// nearest its start that holds no ink and no earlier number; only where no such place lies within
// reach of the start does it take the least inked one there. Boxes stay inside the pad.
std::vector<NumberMark> place_numbers(const std::vector<StrokeStart>& starts, const InkMap& ink,
                                      double height);

// The marks for a character drawn with strokes this much wider than recorded on a pad of this size.
std::vector<NumberMark> place_stroke_numbers(const TLineList& lines, QSize pad, double width_scale);

// Draws the numbers of the first shown_strokes strokes of lines over a picture drawn again at
// every frame, as the player's. The places are computed for the whole character, so that a number
// never moves as later strokes appear, and kept while the strokes and the pad stay as they were;
// each number is drawn once and copied, since drawing text straight onto the pad's 24-bit
// pictures is slow enough to hold up the pen.
class StrokeNumberPainter {
public:
    void draw(QImage& picture, const TLineList& lines, int shown_strokes, QSize pad,
              double width_scale);

private:
    const std::vector<NumberMark>& marks_for(const TLineList& lines, QSize pad, double width_scale);
    const QImage& sprite(const NumberMark& mark);

    TLineList placed_lines_;  // what marks_ were placed for
    QSize placed_pad_;
    double placed_scale_ = 0;
    std::vector<NumberMark> marks_;
    std::map<int, QImage> sprites_;  // by number, for the marks_ placed
    QImage dot_;                     // the start dot, for the marks_ placed
};

}  // namespace inkwren
