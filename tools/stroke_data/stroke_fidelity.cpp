#include "tools/stroke_data/stroke_fidelity.h"

#include <QPainter>
#include <QPolygonF>

#include "animation/play_list.h"
#include "animation/stroke_rendering.h"
#include "tools/em_placement.h"

namespace inkwren::tools {
namespace {

constexpr double pad_pixels = 200;

bool is_ink(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

TLineList scaled(const TLineList& lines, double factor) {
    TLineList result = lines;
    for (TObjList& element : result.items) {
        for (PointRecord& record : element) {
            if (!is_end_marker(record)) {
                record.x *= factor;
                record.y *= factor;
            }
        }
    }
    return result;
}

}  // namespace

QImage ink_at_rest(const TLineList& lines, int pad_side) {
    const double factor = pad_side / pad_pixels;
    QImage image(pad_side, pad_side, QImage::Format_RGB888);
    image.fill(Qt::white);
    RestStyle style;
    style.width_scale = factor;
    draw_at_rest(image, scaled(lines, factor), style);
    return image;
}

QImage outline_ink(const HanziSource& source, int pad_side) {
    const double factor = pad_side / pad_pixels;
    QImage image(pad_side, pad_side, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const std::vector<QPointF>& outline : source.outlines) {
        QPolygonF polygon;
        for (const QPointF& point : outline) {
            polygon << to_pad(point) * factor;
        }
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
    return image;
}

double ink_overlap(const QImage& a, const QImage& b) {
    long both = 0, either = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool in_a = is_ink(a, x, y);
            const bool in_b = is_ink(b, x, y);
            both += in_a && in_b;
            either += in_a || in_b;
        }
    }
    return either == 0 ? 1.0 : double(both) / double(either);
}

QImage overlap_picture(const QImage& strokes, const QImage& glyph) {
    QImage picture(strokes.size(), QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool ours = is_ink(strokes, x, y);
            const bool theirs = is_ink(glyph, x, y);
            const QRgb colour = ours && theirs ? qRgb(0, 0, 0)
                                : theirs       ? qRgb(230, 60, 60)
                                : ours         ? qRgb(60, 90, 230)
                                               : qRgb(255, 255, 255);
            picture.setPixel(x, y, colour);
        }
    }
    return picture;
}

std::vector<int> play_steps(const TLineList& lines) {
    std::vector<int> steps;
    for (const TObjList& element : lines.items) {
        const TObjList played = make_play_list(element, {});
        int points = 0;
        for (const PointRecord& record : played) {
            points += !is_end_marker(record);
        }
        steps.push_back(points);
    }
    return steps;
}

TLineList median_strokes(const HanziSource& source) {
    constexpr double first_scale = pad_pixels / em_units;
    TLineList lines;
    for (const std::vector<QPointF>& median : source.medians) {
        TObjList run;
        for (const QPointF& point : median) {
            PointRecord record;
            record.x = point.x() * first_scale;
            record.y = (em_top - point.y()) * first_scale;
            record.pen_width = 1;
            run.push_back(record);
        }
        run.push_back(end_marker(record_kind::pen_point));
        add_line(lines, run);
    }
    return lines;
}

}  // namespace inkwren::tools
