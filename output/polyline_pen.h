// A pen that draws runs of points as one polyline while its width and colour stay, which is what
// drawing them one segment at a time with round ends and joins comes to: on a sheet's pixels
// (whole-pixel points) and on a worksheet's page (points of any precision) alike.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>

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

}  // namespace inkwren
