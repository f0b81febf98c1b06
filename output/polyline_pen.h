// A pen that draws runs of points as one polyline while its width and colour stay, which is what
// drawing them one segment at a time with round ends and joins comes to: on a sheet's pixels
// (whole-pixel points) and on a worksheet's page (points of any precision) alike.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>

#include "strokes/linelist.h"

namespace inkwren {

template <typename Polygon, typename Width>
class PolylinePen {
public:
    using Point = typename Polygon::value_type;

    explicit PolylinePen(QPainter& painter) : painter_(painter) {}
    ~PolylinePen() { flush(); }
    PolylinePen(const PolylinePen&) = delete;
    PolylinePen& operator=(const PolylinePen&) = delete;

    void move_to(Point point) {
        flush();
        run_ = {point};
    }

    void line_to(Point point, Width width, const QColor& colour) {
        if (width != width_ || colour != colour_) {
            const Point from = run_.isEmpty() ? point : run_.back();
            flush();
            width_ = width;
            colour_ = colour;
            run_ = {from};
        }
        run_ << point;
    }

private:
    void flush() {
        if (run_.size() >= 2) {
            QPen pen(colour_);
            pen.setWidthF(std::max(double(width_), 1.0));
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            painter_.setPen(pen);
            painter_.drawPolyline(run_);
        }
        const Point last = run_.isEmpty() ? Point() : run_.back();
        run_ = {last};
    }

    QPainter& painter_;
    Polygon run_;
    Width width_ = -1;
    QColor colour_;
};

// One stroke's records as the pad draws them: the first moves the pen, later pen points draw
// lines with the width and colour pen_of gives, pen-ups move; point_of places a record. Answers
// false when the stroke holds a flash step, which draws nothing.
template <typename Polygon, typename Width, typename PointOf, typename PenOf>
bool draw_stroke_records(PolylinePen<Polygon, Width>& pen, const TObjList& stroke, PointOf point_of,
                         PenOf pen_of) {
    bool first = true;
    bool flash_free = true;
    for (const PointRecord& record : stroke) {
        if (is_end_marker(record)) {
            continue;
        }
        const auto at = point_of(record);
        if (first) {
            pen.move_to(at);
            first = false;
        } else if (record.kind == record_kind::pen_point ||
                   record.kind == record_kind::old_pen_point) {
            const auto [width, colour] = pen_of(record);
            pen.line_to(at, width, colour);
        } else if (record.kind == record_kind::pen_up) {
            pen.move_to(at);
        } else if (record.kind == record_kind::flash_step) {
            flash_free = false;
        }
    }
    return flash_free;
}

}  // namespace inkwren
