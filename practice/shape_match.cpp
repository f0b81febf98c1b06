#include "practice/shape_match.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace inkwren {

Polyline normalised_shape(const Polyline& points, double smallest_size) {
    if (points.empty()) {
        return {};
    }
    QPointF centroid;
    for (const QPointF& point : points) {
        centroid += point;
    }
    centroid /= double(points.size());
    double squares = 0;
    for (const QPointF& point : points) {
        const QPointF offset = point - centroid;
        squares += QPointF::dotProduct(offset, offset);
    }
    const double size = std::max(std::sqrt(squares / double(points.size())), smallest_size);
    Polyline shape;
    shape.reserve(points.size());
    for (const QPointF& point : points) {
        shape.push_back(size > 0 ? (point - centroid) / size : QPointF());
    }
    return shape;
}

double frechet_distance(const Polyline& a, const Polyline& b) {
    // The coupling table a row at a time: leash[j] is the shortest leash that brings the walkers
    // to a[i] and b[j] together.
    std::vector<double> previous(b.size());
    std::vector<double> leash(b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            const double here = QLineF(a[i], b[j]).length();
            if (i == 0 && j == 0) {
                leash[j] = here;
            } else if (i == 0) {
                leash[j] = std::max(leash[j - 1], here);
            } else if (j == 0) {
                leash[j] = std::max(previous[0], here);
            } else {
                leash[j] = std::max(std::min({previous[j], previous[j - 1], leash[j - 1]}), here);
            }
        }
        std::swap(previous, leash);
    }
    return previous.back();
}

double rotated_frechet_distance(const Polyline& drawn_shape, const Polyline& model_shape,
                                double max_degrees, double step_degrees) {
    double best = frechet_distance(drawn_shape, model_shape);
    Polyline turned(drawn_shape.size());
    for (double degrees = step_degrees; degrees <= max_degrees + 1e-9; degrees += step_degrees) {
        for (const double sign : {-1.0, 1.0}) {
            const double radians = sign * degrees * std::numbers::pi / 180;
            const double c = std::cos(radians);
            const double s = std::sin(radians);
            for (std::size_t index = 0; index < drawn_shape.size(); ++index) {
                const QPointF p = drawn_shape[index];
                turned[index] = {c * p.x() - s * p.y(), s * p.x() + c * p.y()};
            }
            best = std::min(best, frechet_distance(turned, model_shape));
        }
    }
    return best;
}

}  // namespace inkwren
