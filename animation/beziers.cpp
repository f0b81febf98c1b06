#include "animation/beziers.h"

#include <algorithm>
#include <cstdlib>

#include "animation/rounding.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr double play_curve_step = 0.1;

// A t this close to 1 counts as 1. Multiples of steps such as 0.1 / 3 or 0.6 / 3 land a hair
// below 1 where decimal arithmetic reaches it exactly, which would add a sample on the curve's end
// point.
constexpr double t_tolerance = 1e-9;

double power(double base, int exponent) {
    double result = 1;  // also makes 0^0 = 1
    for (int i = 0; i < exponent; ++i) {
        result *= base;
    }
    return result;
}

// The binomial coefficients of degree n - 1 at indices 1..n, matching the control points they
// weigh (index 0, the repeated first point, stays out).
std::vector<double> binomial_row(std::size_t n) {
    std::vector<double> row(n + 1, 0);
    row[1] = 1;
    for (std::size_t k = 2; k <= n; ++k) {
        for (std::size_t j = k; j >= 2; --j) {
            row[j] += row[j - 1];
        }
    }
    return row;
}

CurvePoint point_on_curve(const std::vector<CurvePoint>& control_points, std::size_t n,
                          const std::vector<double>& binomials, double t) {
    CurvePoint point;
    for (std::size_t j = 1; j <= n; ++j) {
        const double weight = binomials[j] * power(t, int(j - 1)) * power(1 - t, int(n - j));
        point.x += weight * control_points[j].x;
        point.y += weight * control_points[j].y;
    }
    return point;
}

void check_step_len(int step_len) {
    if (step_len < 1) {
        throw Error(QStringLiteral("Pen points cannot be spaced %1 pixels apart.").arg(step_len));
    }
}

bool run_continues(const TObjList& source, std::size_t index, std::int32_t kind) {
    return index < source.size() && source[index].kind == kind && !is_end_marker(source[index]);
}

// The one-pixel steps from a to b.
int segment_steps(PixelPoint a, PixelPoint b, int step_len) {
    const int distance = std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
    return round_even(double(distance) / step_len);
}

// Every point of a run is drawn with the pen of the run's first record.
PointRecord pen_point_like(const PointRecord& first, int x, int y, std::int32_t kind) {
    PointRecord record = first;
    record.x = x;
    record.y = y;
    record.kind = kind;
    return record;
}

}  // namespace

std::vector<CurvePoint> evaluate_curve(const std::vector<CurvePoint>& control_points, double step) {
    if (!(step > 0)) {
        throw Error(QStringLiteral("A curve cannot be sampled with step %1.").arg(step));
    }
    if (control_points.size() < 2) {
        return {};
    }
    std::size_t n = control_points.size() - 1;
    const double dt = step / double(n);
    // With n = 1 the last point is the first, which its repeat at index 0 always equals.
    if (n >= 2 && control_points[n] == control_points[n - 1]) {
        --n;
    }
    const std::vector<double> binomials = binomial_row(n);

    std::vector<CurvePoint> curve{control_points[1]};
    // t is the step number times dt rather than a running sum, so its error does not grow along a
    // long polygon. With the tolerance above, the samples are the k * dt below 1 in decimal
    // arithmetic: ten per control point at step 0.1.
    for (int k = 0;; ++k) {
        const double t = k * dt;
        if (t >= 1 - t_tolerance) {
            break;
        }
        curve.push_back(point_on_curve(control_points, n, binomials, t));
    }
    curve.push_back(control_points[n]);
    return curve;
}

void expand_bezier_run(const TObjList& source, std::size_t& index, TObjList& destination) {
    const std::size_t first = index;
    TBezier bezier;
    while (run_continues(source, index, record_kind::bezier_control)) {
        if (index == first) {
            bezier.add_control_point(source[index].x, source[index].y);
        }
        bezier.add_control_point(source[index].x, source[index].y);
        ++index;
    }
    if (index == first) {
        return;
    }
    bezier.evaluate(play_curve_step);
    for (const CurvePoint& point : bezier.curve_points) {
        destination.push_back(pen_point_like(source[first], round_even(point.x),
                                             round_even(point.y), record_kind::pen_point));
    }
}

void expand_polyline_run(const TObjList& source, std::size_t& index, TObjList& destination,
                         int step_len) {
    check_step_len(step_len);
    const std::size_t first = index;
    // Each retained point keeps its own pen width, so a stroke that swells and tapers plays as
    // it is drawn at rest: the points up to a retained point take its width, as the segment
    // drawn to it does.
    struct Retained {
        PixelPoint point;
        std::int32_t pen_width;
    };
    std::vector<Retained> retained;
    PixelPoint previous;  // the origin, so a run's leading points there are skipped
    for (; run_continues(source, index, record_kind::pen_point); ++index) {
        const PixelPoint point{round_even(source[index].x), round_even(source[index].y)};
        if (point != previous) {
            retained.push_back({point, source[index].pen_width});
            previous = point;
        } else if (!retained.empty()) {
            retained.back().pen_width =
                std::max(retained.back().pen_width, source[index].pen_width);
        }
    }
    // A run that never leaves the origin has no point to start the pen at, so it draws nothing.
    if (retained.empty()) {
        return;
    }

    auto add = [&](PixelPoint point, std::int32_t pen_width) {
        // Kind 0, so that the play list's next pass takes them as finished pen points.
        PointRecord record =
            pen_point_like(source[first], point.x, point.y, record_kind::old_pen_point);
        record.pen_width = pen_width;
        destination.push_back(record);
    };
    // Counted before any is made: a few far-apart points would otherwise make billions.
    std::size_t needed = destination.size() + 3;
    for (std::size_t i = 1; i < retained.size(); ++i) {
        needed += segment_steps(retained[i - 1].point, retained[i].point, step_len);
        check_play_list_room(needed);
    }
    add(retained.front().point, retained.front().pen_width);
    for (std::size_t i = 1; i < retained.size(); ++i) {
        for (const PixelPoint& point :
             densify_segment(retained[i - 1].point, retained[i].point, step_len)) {
            add(point, retained[i].pen_width);
        }
    }
    add(retained.back().point, retained.back().pen_width);
    add(retained.back().point, retained.back().pen_width);
}

void check_play_list_room(std::size_t size) {
    if (size > max_play_list_size) {
        throw Error(QStringLiteral("These strokes are too long to play: their lines run to more "
                                   "than %1 points.")
                        .arg(max_play_list_size));
    }
}

std::vector<PixelPoint> densify_segment(PixelPoint a, PixelPoint b, int step_len) {
    check_step_len(step_len);
    const int n = segment_steps(a, b, step_len);
    std::vector<PixelPoint> points;
    points.reserve(std::size_t(n));
    for (int i = 1; i <= n; ++i) {
        const double t = i * (1.0 / n);
        points.push_back({round_even(a.x + (b.x - a.x) * t), round_even(a.y + (b.y - a.y) * t)});
    }
    return points;
}

}  // namespace inkwren
