#include "tools/stroke_data/pen_path.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/stroke_data/outline_grid.h"

namespace inkwren::tools {
namespace {

// In the outline's units (1024 an em; a pad pixel is about six).
constexpr double sample_step = 4;
constexpr double tangent_reach = 24;
constexpr int ridge_probes = 9;
constexpr int ridge_refinements = 4;
// A pen narrower than a pixel of the pad draws nothing worth extending the path for.
constexpr double min_radius = 3;
constexpr double max_extension = 400;
// A median point this far outside its outline is not on the stroke.
constexpr double max_reach_outside = 24;
// The middle of the stroke is looked for this far either side of the median at most: where
// the line across a turn runs on along the next limb, its deepest point lies in that limb.
constexpr double max_shift = 40;
constexpr double off_middle_cost = 0.1;  // units of depth a unit off the middle costs
constexpr int smoothing_reach = 2;       // samples each side

double cross(QPointF a, QPointF b) {
    return a.x() * b.y() - a.y() * b.x();
}
double dot(QPointF a, QPointF b) {
    return a.x() * b.x() + a.y() * b.y();
}
double length(QPointF v) {
    return std::hypot(v.x(), v.y());
}
QPointF unit(QPointF v) {
    const double l = length(v);
    return l > 0 ? v / l : QPointF(1, 0);
}
QPointF normal_of(QPointF direction) {
    return {-direction.y(), direction.x()};
}

double distance_to_segment(QPointF point, QPointF a, QPointF b) {
    return std::sqrt(squared_distance_to_segment(point, a, b));
}

// A median measured along its length.
class Median {
public:
    explicit Median(const std::vector<QPointF>& points) : points_(points) {
        lengths_.push_back(0);
        for (std::size_t i = 1; i < points_.size(); ++i) {
            lengths_.push_back(lengths_.back() + length(points_[i] - points_[i - 1]));
        }
    }

    double total() const { return lengths_.back(); }

    QPointF at(double s) const {
        s = std::clamp(s, 0.0, total());
        const auto after = std::upper_bound(lengths_.begin(), lengths_.end(), s);
        if (after == lengths_.end()) {
            return points_.back();
        }
        const std::size_t i = std::size_t(after - lengths_.begin());
        const double span = lengths_[i] - lengths_[i - 1];
        const double t = span > 0 ? (s - lengths_[i - 1]) / span : 0;
        return points_[i - 1] + t * (points_[i] - points_[i - 1]);
    }

    QPointF direction_at(double s) const {
        return unit(at(s + tangent_reach) - at(s - tangent_reach));
    }

private:
    std::vector<QPointF> points_;
    std::vector<double> lengths_;
};

// The direction in which a polygon is longest, for strokes whose median is a single point.
QPointF principal_direction(const Polygon& polygon) {
    QPointF mean;
    for (const QPointF& point : polygon) {
        mean += point;
    }
    mean /= double(polygon.size());
    double xx = 0, xy = 0, yy = 0;
    for (const QPointF& point : polygon) {
        const QPointF d = point - mean;
        xx += d.x() * d.x();
        xy += d.x() * d.y();
        yy += d.y() * d.y();
    }
    const double angle = 0.5 * std::atan2(2 * xy, xx - yy);
    return {std::cos(angle), std::sin(angle)};
}

// The deepest point of the stroke on the line through point across direction, with the
// radius of the largest circle that fits there.
std::optional<PenSample> ridge_across(OutlineGrid& outline, QPointF point, QPointF direction) {
    const QPointF across = normal_of(direction);
    const std::optional<CrossSection> section = cross_section(outline.outline(), point, across);
    if (!section) {
        return std::nullopt;
    }
    const bool reaches_point = section->from <= 0 && section->to >= 0;
    if (!reaches_point &&
        std::min(std::abs(section->from), std::abs(section->to)) > max_reach_outside) {
        return std::nullopt;
    }
    const double from = std::max(section->from, -max_shift);
    const double to = std::min(section->to, max_shift);
    if (from >= to) {
        return std::nullopt;
    }
    // Where the stroke is about as deep over a stretch (near a blunt end), the point nearest
    // the middle of the line across wins.
    const double middle = std::clamp((section->from + section->to) / 2, from, to);
    auto depth = [&](double u) { return outline.distance_to(point + u * across); };
    auto score = [&](double u, double d) { return d - off_middle_cost * std::abs(u - middle); };
    double step = (to - from) / (ridge_probes + 1);
    double best = middle;
    double best_depth = depth(best);
    for (int probe = 1; probe <= ridge_probes; ++probe) {
        const double u = from + probe * step;
        if (const double d = depth(u); score(u, d) > score(best, best_depth)) {
            best = u;
            best_depth = d;
        }
    }
    for (int round = 0; round < ridge_refinements; ++round) {
        step /= 2;
        for (const double u : {best - step, best + step}) {
            if (u < from || u > to) {
                continue;
            }
            if (const double d = depth(u); score(u, d) > score(best, best_depth)) {
                best = u;
                best_depth = d;
            }
        }
    }
    return PenSample{point + best * across, 2 * best_depth};
}

// Samples past an end of the median, going outward from the last centre while a pen of some
// width still fits, nearest first.
std::vector<PenSample> extension(OutlineGrid& outline, PenSample from, QPointF outward) {
    std::vector<PenSample> samples;
    for (double gone = 0; gone < max_extension; gone += sample_step) {
        const QPointF ahead = from.centre + sample_step * outward;
        if (!inside(outline.outline(), ahead)) {
            break;
        }
        const std::optional<PenSample> next = ridge_across(outline, ahead, outward);
        if (!next || next->width < 2 * min_radius ||
            dot(next->centre - from.centre, outward) < sample_step / 2) {
            break;
        }
        samples.push_back(*next);
        from = *next;
    }
    return samples;
}

// Samples along the median itself, dropping those that are off the stroke or step backwards.
std::vector<PenSample> along_median(OutlineGrid& outline, const Median& median,
                                    QPointF fixed_direction) {
    std::vector<PenSample> samples;
    const int count = std::max(1, int(std::ceil(median.total() / sample_step)));
    for (int i = 0; i <= count; ++i) {
        const double s = median.total() * i / count;
        const QPointF direction = median.total() > 0 ? median.direction_at(s) : fixed_direction;
        const std::optional<PenSample> sample = ridge_across(outline, median.at(s), direction);
        if (!sample || sample->width <= 0) {
            continue;
        }
        if (!samples.empty() && dot(sample->centre - samples.back().centre, direction) <= 0) {
            continue;
        }
        samples.push_back(*sample);
    }
    return samples;
}

// A moving average over a few samples each side takes out the jitter of the probing; the
// ends stay where they are, and no pen grows wider than fits where it now lies.
std::vector<PenSample> smoothed(OutlineGrid& outline, const std::vector<PenSample>& path) {
    std::vector<PenSample> result = path;
    const int n = int(path.size());
    for (int i = 1; i + 1 < n; ++i) {
        const int reach = std::min({smoothing_reach, i, n - 1 - i});
        PenSample sum;
        for (int k = i - reach; k <= i + reach; ++k) {
            sum.centre += path[std::size_t(k)].centre;
            sum.width += path[std::size_t(k)].width;
        }
        const double count = 2 * reach + 1;
        result[std::size_t(i)].centre = sum.centre / count;
        result[std::size_t(i)].width =
            std::min(sum.width / count, 2 * outline.distance_to(sum.centre / count));
    }
    return result;
}

}  // namespace

std::optional<CrossSection> cross_section(const Polygon& polygon, QPointF point,
                                          QPointF direction) {
    std::vector<double> crossings;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i];
        const QPointF edge = polygon[i + 1 < polygon.size() ? i + 1 : 0] - a;
        const double denominator = cross(direction, edge);
        if (std::abs(denominator) < 1e-12) {
            continue;
        }
        // Most edges are far off the line: the division would give at least 2 in size.
        const double numerator = cross(a - point, direction);
        if (std::abs(numerator) >= 2 * std::abs(denominator)) {
            continue;
        }
        const double along_edge = numerator / denominator;
        if (along_edge >= 0 && along_edge < 1) {
            crossings.push_back(cross(a - point, edge) / denominator);
        }
    }
    std::sort(crossings.begin(), crossings.end());
    std::optional<CrossSection> nearest;
    double nearest_distance = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        const CrossSection section{crossings[i], crossings[i + 1]};
        const double distance = section.from <= 0 && section.to >= 0
                                    ? 0
                                    : std::min(std::abs(section.from), std::abs(section.to));
        if (!nearest || distance < nearest_distance) {
            nearest = section;
            nearest_distance = distance;
        }
    }
    return nearest;
}

double distance_to_outline(const Polygon& polygon, QPointF point) {
    double nearest = std::numeric_limits<double>::infinity();
    QPointF previous = polygon.back();
    for (const QPointF& corner : polygon) {
        nearest = std::min(nearest, squared_distance_to_segment(point, previous, corner));
        previous = corner;
    }
    return std::sqrt(nearest);
}

bool inside(const Polygon& polygon, QPointF point) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const QPointF a = polygon[i];
        const QPointF b = polygon[j];
        if ((a.y() > point.y()) != (b.y() > point.y()) &&
            point.x() < (b.x() - a.x()) * (point.y() - a.y()) / (b.y() - a.y()) + a.x()) {
            in = !in;
        }
    }
    return in;
}

std::vector<PenSample> trace_pen_path(const Polygon& outline, const std::vector<QPointF>& median) {
    if (outline.size() < 3 || median.empty()) {
        return {};
    }
    const Median measured(median);
    const QPointF fixed_direction = principal_direction(outline);
    OutlineGrid grid(outline);
    std::vector<PenSample> middle = along_median(grid, measured, fixed_direction);
    if (middle.empty()) {
        return {};
    }
    const QPointF start_direction =
        measured.total() > 0 ? measured.direction_at(0) : fixed_direction;
    const QPointF end_direction =
        measured.total() > 0 ? measured.direction_at(measured.total()) : fixed_direction;
    std::vector<PenSample> path = extension(grid, middle.front(), -start_direction);
    std::reverse(path.begin(), path.end());
    path.insert(path.end(), middle.begin(), middle.end());
    const std::vector<PenSample> tail = extension(grid, middle.back(), end_direction);
    path.insert(path.end(), tail.begin(), tail.end());
    return smoothed(grid, path);
}

std::vector<PenSample> simplify_pen_path(const std::vector<PenSample>& path,
                                         double position_tolerance, double width_tolerance) {
    if (path.size() < 3) {
        return path;
    }
    auto replaces = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = from + 1; k < to; ++k) {
            if (distance_to_segment(path[k].centre, path[from].centre, path[to].centre) >
                    position_tolerance ||
                std::abs(path[k].width - path[to].width) > width_tolerance) {
                return false;
            }
        }
        return true;
    };
    std::vector<PenSample> kept{path.front()};
    std::size_t at = 0;
    while (at + 1 < path.size()) {
        std::size_t reach = at + 1;
        while (reach + 1 < path.size() && replaces(at, reach + 1)) {
            ++reach;
        }
        kept.push_back(path[reach]);
        at = reach;
    }
    return kept;
}

}  // namespace inkwren::tools
