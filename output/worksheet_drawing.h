// How a worksheet draws on its page: practice squares with the inner lines of the chosen grid,
// and a character's strokes as pen paths of their own widths, so that the page prints crisp at
// any size and holds no picture.
#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>

#include <functional>
#include <vector>

#include "strokes/linelist.h"

class QPainter;

namespace inkwren {

// The inner lines of a practice square: 九宮格 thirds, 田字格 halves, 米字格 halves and diagonals.
enum class WorksheetGrid { nine, tian, mi };

std::vector<QLineF> grid_inner_lines(WorksheetGrid grid, const QRectF& square);

// The square's frame solid, its inner lines dashed and thinner; widths in page units.
void draw_practice_square(QPainter& painter, const QRectF& square, WorksheetGrid grid,
                          const QColor& colour, double frame_width);

// The grey of tracing square `index` of `count`: the first darkest, each next one lighter.
QColor trace_grey(int index, int count);

// True when the stroke holds a flash step, which draws nothing and has no picture.
bool has_flash_step(const TObjList& stroke);

// One stroke as the pad draws it, in pad pixels (the painter's transform takes them to the
// page): the first point moves the pen, pen points draw round-ended lines as wide as their
// brush times coord_scale, pen-ups move.
void draw_stroke_paths(QPainter& painter, const TObjList& stroke, double coord_scale,
                       const std::function<QColor(const PointRecord&)>& colour_of);

}  // namespace inkwren
