#include "tools/stroke_order/stroke_features.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/stroke_data/pen_path.h"
#include "tools/stroke_order/median_geometry.h"

namespace inkwren::tools {
namespace {

using Path = std::vector<QPointF>;

double degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}

// The signed change of direction from one heading to the next, in -180..180 degrees.
double turn(double from, double to) {
    double change = to - from;
    while (change > 180) {
        change -= 360;
    }
    while (change < -180) {
        change += 360;
    }
    return change;
}

// The median without points that repeat the one before.
Path without_repeats(const Path& median) {
    Path path;
    for (const QPointF point : median) {
        if (path.empty() || distance(point, path.back()) > 1) {
            path.push_back(point);
        }
    }
    return path;
}

double distance_to_line(QPointF point, QPointF from, QPointF to) {
    const double chord = distance(from, to);
    if (chord == 0) {
        return distance(point, from);
    }
    const QPointF along = to - from;
    const QPointF off = point - from;
    return std::abs(along.x() * off.y() - along.y() * off.x()) / chord;
}

// Douglas–Peucker: the corners of the path that stray more than the tolerance from a straight line.
void keep_corners(const Path& path, size_t first, size_t last, double tolerance, Path& corners) {
    double farthest = -1;
    size_t at = first;
    for (size_t point = first + 1; point < last; ++point) {
        const double away = distance_to_line(path[point], path[first], path[last]);
        if (away > farthest) {
            farthest = away;
            at = point;
        }
    }
    if (farthest > tolerance) {
        keep_corners(path, first, at, tolerance, corners);
        keep_corners(path, at, last, tolerance, corners);
    } else {
        corners.push_back(path[last]);
    }
}

struct Segment {
    double heading;  // degrees, 0 to the right, 90 up
    double length;
};

Path corners_of(const Path& path, double tolerance) {
    Path corners{path.front()};
    if (path.size() > 1) {
        keep_corners(path, 0, path.size() - 1, tolerance, corners);
    }
    return corners;
}

double corner_tolerance(double length) {
    return std::max(18.0, length * 0.05);
}

std::vector<Segment> segments_of(const Path& path, double tolerance) {
    const Path corners = corners_of(path, tolerance);
    std::vector<Segment> segments;
    for (size_t corner = 1; corner < corners.size(); ++corner) {
        const QPointF step = corners[corner] - corners[corner - 1];
        segments.push_back({degrees(std::atan2(step.y(), step.x())),
                            distance(corners[corner], corners[corner - 1])});
    }
    if (segments.empty()) {
        segments.push_back({0, 0});
    }
    return segments;
}

// The median's shape: its straight parts after the pen's landing at the start, and the hook at
// its end, if any, kept apart.
struct MedianShape {
    double length = 0;
    std::vector<Segment> body;
    double hook_turn = 0;
    double hook_length = 0;
};

MedianShape median_shape(const Path& median) {
    MedianShape shape;
    shape.length = length_of(median);
    std::vector<Segment> segments = segments_of(median, corner_tolerance(shape.length));
    while (segments.size() > 1 && segments[0].length < std::min(0.25 * shape.length, 90.0) &&
           std::abs(turn(segments[0].heading, segments[1].heading)) > 25) {
        segments.erase(segments.begin());
    }
    if (segments.size() > 1) {
        const Segment& end = segments.back();
        const double end_turn = turn(segments[segments.size() - 2].heading, end.heading);
        if (end.length < std::min(0.3 * shape.length, 160.0) && std::abs(end_turn) > 70) {
            shape.hook_turn = end_turn;
            shape.hook_length = end.length;
            segments.pop_back();
        }
    }
    shape.body = segments;
    return shape;
}

Path resampled(const Path& path, int count) {
    const double total = length_of(path);
    Path points{path.front()};
    double walked = 0;
    double next = total / (count - 1);
    for (size_t point = 1; point < path.size() && total > 0; ++point) {
        const double step = distance(path[point - 1], path[point]);
        while (step > 0 && next <= walked + step + 1e-9 && int(points.size()) < count) {
            const double t = (next - walked) / step;
            points.push_back(path[point - 1] + t * (path[point] - path[point - 1]));
            next += total / (count - 1);
        }
        walked += step;
    }
    while (int(points.size()) < count) {
        points.push_back(path.back());
    }
    return points;
}

double distance_to_ink(QPointF point, const Path& outline) {
    return inside(outline, point) ? 0 : distance_to_outline(outline, point);
}

// The outline's width at seven points spread along the median.
std::vector<double> widths_along(const Path& median, const Path& outline) {
    const Path points = resampled(median, 9);
    std::vector<double> widths;
    for (size_t point = 1; point + 1 < points.size(); ++point) {
        widths.push_back(2 * distance_to_outline(outline, points[point]));
    }
    return widths;
}

double area_of(const Path& outline) {
    double twice = 0;
    for (size_t corner = 0; corner < outline.size(); ++corner) {
        const QPointF& previous = outline[(corner + outline.size() - 1) % outline.size()];
        twice += outline[corner].x() * previous.y() - previous.x() * outline[corner].y();
    }
    return std::abs(twice) / 2;
}

// How near the end of one stroke comes to the ink of the others: a dot stands free, a stroke of
// a frame starts and ends on its neighbours.
double distance_to_other_strokes(QPointF point, const HanziSource& character, size_t stroke) {
    double nearest = 999;
    for (size_t other = 0; other < character.outlines.size(); ++other) {
        if (other != stroke && !character.outlines[other].empty()) {
            nearest = std::min(nearest, distance_to_ink(point, character.outlines[other]));
        }
    }
    return nearest;
}

struct CharacterFrame {
    QRectF box;             // around every median point
    double typical_length;  // the median length of its strokes' medians
};

CharacterFrame frame_of(const std::vector<Path>& medians) {
    std::vector<double> lengths;
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    for (const Path& median : medians) {
        lengths.push_back(length_of(median));
        for (const QPointF point : median) {
            left = std::min(left, point.x());
            right = std::max(right, point.x());
            bottom = std::min(bottom, point.y());
            top = std::max(top, point.y());
        }
    }
    std::sort(lengths.begin(), lengths.end());
    return {QRectF(left, bottom, std::max(1.0, right - left), std::max(1.0, top - bottom)),
            lengths[lengths.size() / 2]};
}

StrokeFeatures features_of(const HanziSource& character, const std::vector<Path>& medians,
                           const CharacterFrame& frame, size_t stroke) {
    const Path& median = medians[stroke];
    const Path& outline = character.outlines[stroke];
    const MedianShape shape = median_shape(median);
    double largest_turn = 0, total_turn = 0, body = 0;
    QPointF reach;
    for (size_t part = 0; part < shape.body.size(); ++part) {
        const Segment& segment = shape.body[part];
        body += segment.length;
        reach += segment.length * QPointF(std::cos(segment.heading * std::numbers::pi / 180),
                                          std::sin(segment.heading * std::numbers::pi / 180));
        if (part > 0) {
            const double change = turn(shape.body[part - 1].heading, segment.heading);
            largest_turn = std::max(largest_turn, std::abs(change));
            total_turn += change;
        }
    }
    const double length = std::max(shape.length, 1.0);
    const std::vector<double> widths = widths_along(median, outline);
    const auto [thinnest, widest] = std::minmax_element(widths.begin(), widths.end());
    QPointF centre;
    for (const QPointF point : median) {
        centre += point / double(median.size());
    }
    const double chord = std::hypot(reach.x(), reach.y());
    const double angle = std::atan2(reach.y(), reach.x());
    StrokeFeatures features{};
    features[heading] = degrees(angle);
    features[first_heading] = shape.body.front().heading;
    features[last_heading] = shape.body.back().heading;
    features[median_length] = shape.length;
    features[mean_width] = area_of(outline) / length;
    features[width_spread] = *widest / std::max(*thinnest, 1.0);
    features[Feature::largest_turn] = largest_turn;
    features[Feature::total_turn] = total_turn;
    features[straight_parts] = double(shape.body.size());
    features[hook_turn] = shape.hook_turn;
    features[hook_length] = shape.hook_length;
    features[start_over_end_width] = widths.front() / std::max(widths.back(), 1.0);
    features[body_share] = body / length;
    features[straightness] = chord / std::max(body, 1.0);
    features[start_gap] = distance_to_other_strokes(median.front(), character, stroke);
    features[end_gap] = distance_to_other_strokes(median.back(), character, stroke);
    features[relative_length] = shape.length / std::max(frame.typical_length, 1.0);
    features[centre_x] = (centre.x() - frame.box.left()) / frame.box.width();
    features[centre_y] = (centre.y() - frame.box.top()) / frame.box.height();
    features[start_width_share] = widths.front() / std::max(*widest, 1.0);
    features[end_width_share] = widths.back() / std::max(*widest, 1.0);
    features[widest_place] = double(widest - widths.begin()) / double(widths.size() - 1);
    features[heading_sine] = std::sin(angle);
    features[heading_cosine] = std::cos(angle);
    return features;
}

// Which component a stroke belongs to shows in its neighbours: the left dot of 忄 comes first,
// the same dot in 小 after the vertical hook.
void add_neighbours(std::vector<StrokeFeatures>& strokes) {
    for (size_t stroke = 0; stroke < strokes.size(); ++stroke) {
        StrokeFeatures& features = strokes[stroke];
        features[previous_heading] = -360;
        features[next_heading] = -360;
        if (stroke > 0) {
            const StrokeFeatures& previous = strokes[stroke - 1];
            features[previous_heading] = previous[heading];
            features[previous_relative_length] = previous[relative_length];
            features[offset_x_from_previous] = features[centre_x] - previous[centre_x];
            features[offset_y_from_previous] = features[centre_y] - previous[centre_y];
        }
        if (stroke + 1 < strokes.size()) {
            features[next_heading] = strokes[stroke + 1][heading];
            features[next_relative_length] = strokes[stroke + 1][relative_length];
        }
    }
}

}  // namespace

std::vector<QPointF> median_corners(const std::vector<QPointF>& median) {
    const Path path = without_repeats(median);
    return corners_of(path, corner_tolerance(length_of(path)));
}

std::vector<StrokeFeatures> stroke_features(const HanziSource& character) {
    std::vector<Path> medians;
    for (const Path& median : character.medians) {
        medians.push_back(without_repeats(median));
    }
    const CharacterFrame frame = frame_of(medians);
    std::vector<StrokeFeatures> features;
    for (size_t stroke = 0; stroke < medians.size(); ++stroke) {
        features.push_back(features_of(character, medians, frame, stroke));
    }
    add_neighbours(features);
    return features;
}

}  // namespace inkwren::tools
