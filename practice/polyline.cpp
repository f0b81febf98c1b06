#include "practice/polyline.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace inkwren {

Polyline without_repeats(const Polyline& points) {
    Polyline kept;
    kept.reserve(points.size());
    for (const QPointF& point : points) {
        if (kept.empty() || kept.back() != point) {
            kept.push_back(point);
        }
    }
    return kept;
}

double polyline_length(const Polyline& points) {
    double length = 0;
    for (std::size_t index = 1; index < points.size(); ++index) {
        length += QLineF(points[index - 1], points[index]).length();
    }
    return length;
}

Polyline resampled(const Polyline& points, int count) {
    if (points.empty() || count < 1) {
        return {};
    }
    const double length = polyline_length(points);
    if (count == 1 || length == 0) {
        return Polyline(std::size_t(count), points.front());
    }
    Polyline even;
    even.reserve(std::size_t(count));
    even.push_back(points.front());
    const double spacing = length / (count - 1);
    double wanted = spacing;  // distance along the line of the next point to place
    double walked = 0;        // distance along the line to the start of the current segment
    for (std::size_t index = 1; index < points.size() && int(even.size()) < count - 1; ++index) {
        const QPointF from = points[index - 1];
        const QPointF to = points[index];
        const double segment = QLineF(from, to).length();
        while (int(even.size()) < count - 1 && wanted <= walked + segment) {
            const double t = segment > 0 ? (wanted - walked) / segment : 0;
            even.push_back(from + (to - from) * t);
            wanted += spacing;
        }
        walked += segment;
    }
    // Rounding may leave the last point or two short of their place: they sit at the end.
    while (int(even.size()) < count) {
        even.push_back(points.back());
    }
    return even;
}

double distance_to_segment(QPointF point, QPointF a, QPointF b) {
    const QPointF along = b - a;
    const double squared = QPointF::dotProduct(along, along);
    const double t =
        squared > 0 ? std::clamp(QPointF::dotProduct(point - a, along) / squared, 0.0, 1.0) : 0;
    return QLineF(point, a + along * t).length();
}

double distance_to_polyline(QPointF point, const Polyline& line) {
    if (line.size() == 1) {
        return QLineF(point, line.front()).length();
    }
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t index = 1; index < line.size(); ++index) {
        nearest = std::min(nearest, distance_to_segment(point, line[index - 1], line[index]));
    }
    return nearest;
}

double mean_distance(const Polyline& points, const Polyline& line) {
    if (points.empty()) {
        return 0;
    }
    double sum = 0;
    for (const QPointF& point : points) {
        sum += distance_to_polyline(point, line);
    }
    return sum / double(points.size());
}

Polyline reversed(Polyline points) {
    std::reverse(points.begin(), points.end());
    return points;
}

}  // namespace inkwren
