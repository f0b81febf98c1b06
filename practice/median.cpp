#include "practice/median.h"

#include "animation/beziers.h"
#include "animation/stroke_model.h"
#include "strokes/em_square.h"

namespace inkwren {
namespace {

bool is_pen_point(const PointRecord& record) {
    return !is_end_marker(record) &&
           (record.kind == record_kind::pen_point || record.kind == record_kind::old_pen_point);
}

// The pen's positions along one element, curves evaluated as the player draws them.
TObjList pen_points_of(const TObjList& element) {
    TObjList points;
    for (std::size_t index = 0; index < element.size();) {
        const PointRecord& record = element[index];
        if (!is_end_marker(record) && record.kind == record_kind::bezier_control) {
            expand_bezier_run(element, index, points);
            continue;
        }
        if (is_pen_point(record)) {
            points.push_back(record);
        }
        ++index;
    }
    return points;
}

}  // namespace

QPointF em_of_pad_point(QPointF pad_point, double scale) {
    return from_pad(pad_point / scale);
}

QPointF pad_point_of_em(QPointF em_point, double scale) {
    return to_pad(em_point) * scale;
}

std::vector<Median> medians_of(const TLineList& lines, double scale) {
    const CharacterStrokes strokes(lines);
    std::vector<Median> medians;
    medians.reserve(std::size_t(strokes.count()));
    for (const Stroke& stroke : strokes.strokes()) {
        Median median;
        for (int element = stroke.first_element; element < stroke.end_element; ++element) {
            for (const PointRecord& point : pen_points_of(lines.items[std::size_t(element)])) {
                median.push_back(em_of_pad_point({point.x, point.y}, scale));
            }
        }
        medians.push_back(without_repeats(median));
    }
    return medians;
}

}  // namespace inkwren
