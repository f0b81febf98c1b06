#include "practice/stroke_judge.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <optional>

#include "practice/shape_match.h"

namespace inkwren {
namespace {

// Points a curve is resampled to for the shape, the direction and the mean distance: enough to
// follow a hook, few enough to judge the longest stroke in microseconds.
constexpr int even_points = 24;

// The limits at normal leniency, for the first stroke with no outline shown. Distances are em
// units; the shape's is in units of the curves' size.
constexpr double mean_distance_limit = 300;
constexpr double later_stroke_distance = 0.85;  // the strokes already on the pad place the rest
constexpr double outline_distance = 0.6;        // with the outline to trace over
constexpr double start_end_limit = 250;
constexpr double length_shortfall = 0.35;  // the drawing may be this share of the median shorter
constexpr double shape_limit = 0.6;
constexpr double smallest_shape_size = 50;
constexpr double max_slant_degrees = 15;
constexpr double slant_step_degrees = 5;

// A later stroke is taken for the one written when its mean distance is below this share of the
// expected stroke's, and the expected one fails when judged this much more strictly.
constexpr double clearly_closer = 0.5;
constexpr double tighter = 0.25;

double leniency_factor(Leniency leniency) {
    switch (leniency) {
        case Leniency::strict:
            return 0.7;
        case Leniency::lenient:
            return 1.5;
        case Leniency::normal:
            break;
    }
    return 1.0;
}

struct Limits {
    double mean_distance = 0;
    double start_end = 0;
    double length_ratio = 0;
    double shape = 0;
};

Limits limits_for(double factor, bool outline_shown, int stroke) {
    Limits limits;
    limits.mean_distance = mean_distance_limit * factor * (stroke > 0 ? later_stroke_distance : 1) *
                           (outline_shown ? outline_distance : 1);
    limits.start_end = start_end_limit * factor * (outline_shown ? outline_distance : 1);
    limits.length_ratio = std::max(0.0, 1 - length_shortfall * factor);
    limits.shape = shape_limit * factor;
    return limits;
}

// A curve with what the measures need of it worked out once.
struct Curve {
    Polyline points;
    Polyline even;   // resampled to even_points
    Polyline shape;  // even, centred and scaled to unit size
    double length = 0;

    explicit Curve(Polyline from)
        : points(std::move(from)),
          even(resampled(points, even_points)),
          shape(normalised_shape(even, smallest_shape_size)),
          length(polyline_length(points)) {}

    Curve reversed_curve() const {
        Curve back = *this;
        std::reverse(back.points.begin(), back.points.end());
        std::reverse(back.even.begin(), back.even.end());
        std::reverse(back.shape.begin(), back.shape.end());
        return back;
    }
};

// The mean over the drawing's segments of the best cosine each makes with a segment of the
// median: near 1 along the median, negative against it.
double direction_agreement(const Polyline& drawn, const Polyline& median) {
    double sum = 0;
    int counted = 0;
    for (std::size_t d = 1; d < drawn.size(); ++d) {
        const QLineF segment(drawn[d - 1], drawn[d]);
        if (segment.length() == 0) {
            continue;
        }
        double best = -1;
        for (std::size_t m = 1; m < median.size(); ++m) {
            const QLineF model(median[m - 1], median[m]);
            if (model.length() == 0) {
                continue;
            }
            const double cosine = (segment.dx() * model.dx() + segment.dy() * model.dy()) /
                                  (segment.length() * model.length());
            best = std::max(best, cosine);
        }
        sum += best;
        ++counted;
    }
    return counted > 0 ? sum / counted : 1;
}

// The first measure the drawing misses, none when it passes them all.
Miss first_miss(const Curve& drawn, const Curve& median, const Limits& limits) {
    const bool dot = median.length < dot_length;
    if (QLineF(drawn.points.front(), median.points.front()).length() > limits.start_end) {
        return Miss::start;
    }
    if (!dot) {
        if (QLineF(drawn.points.back(), median.points.back()).length() > limits.start_end) {
            return Miss::end;
        }
        if (drawn.length < median.length * limits.length_ratio) {
            return Miss::length;
        }
        if (direction_agreement(drawn.even, median.even) <= 0) {
            return Miss::direction;
        }
    }
    if (mean_distance(drawn.even, median.points) > limits.mean_distance) {
        return Miss::distance;
    }
    if (!dot && rotated_frechet_distance(drawn.shape, median.shape, max_slant_degrees,
                                         slant_step_degrees) > limits.shape) {
        return Miss::shape;
    }
    return Miss::none;
}

struct Nearest {
    int stroke = -1;
    double distance = 0;  // mean, from the drawing
};

// The stroke after expected, not yet written, that lies closest to the drawing on average.
std::optional<Nearest> nearest_later_stroke(const Curve& drawn, const std::vector<Median>& medians,
                                            int expected) {
    std::optional<Nearest> nearest;
    for (int stroke = expected + 1; stroke < int(medians.size()); ++stroke) {
        const Median& median = medians[std::size_t(stroke)];
        if (median.empty()) {
            continue;
        }
        const double distance = mean_distance(drawn.even, median);
        if (!nearest || distance < nearest->distance) {
            nearest = Nearest{stroke, distance};
        }
    }
    return nearest;
}

class Judge {
public:
    Judge(const std::vector<Median>& medians, const JudgeOptions& options)
        : medians_(medians),
          factor_(leniency_factor(options.leniency)),
          outline_shown_(options.outline_shown) {}

    Judgement judge(const Curve& drawn, int expected) const {
        const Curve median(medians_[std::size_t(expected)]);
        const Miss miss = first_miss(drawn, median, limits(1, expected));
        if (miss != Miss::none) {
            const bool backwards =
                median.length >= dot_length &&
                first_miss(drawn.reversed_curve(), median, limits(1, expected)) == Miss::none;
            if (backwards) {
                return {Verdict::backwards, -1, miss};
            }
            if (const std::optional<int> later = passed_later_stroke(drawn, expected)) {
                return {Verdict::later_stroke, *later, miss};
            }
            return {Verdict::wrong, -1, miss};
        }
        if (const std::optional<int> later = written_ahead(drawn, median, expected)) {
            return {Verdict::later_stroke, *later};
        }
        return {Verdict::correct, expected};
    }

private:
    Limits limits(double tightening, int stroke) const {
        return limits_for(factor_ * tightening, outline_shown_, stroke);
    }

    // A later stroke the drawing passes for, which it follows clearly better than the expected
    // one it only just passes for: of strokes side by side (三, 川), the one meant.
    std::optional<int> written_ahead(const Curve& drawn, const Curve& median, int expected) const {
        const std::optional<Nearest> later = nearest_later_stroke(drawn, medians_, expected);
        if (!later ||
            later->distance >= clearly_closer * mean_distance(drawn.even, median.points) ||
            first_miss(drawn, median, limits(tighter, expected)) == Miss::none ||
            first_miss(drawn, Curve(medians_[std::size_t(later->stroke)]),
                       limits(1, later->stroke)) != Miss::none) {
            return std::nullopt;
        }
        return later->stroke;
    }

    // The nearest later stroke, when the drawing that missed the expected one passes for it: a
    // stroke written before its turn, which the learner is told as such.
    std::optional<int> passed_later_stroke(const Curve& drawn, int expected) const {
        const std::optional<Nearest> later = nearest_later_stroke(drawn, medians_, expected);
        if (!later || first_miss(drawn, Curve(medians_[std::size_t(later->stroke)]),
                                 limits(1, later->stroke)) != Miss::none) {
            return std::nullopt;
        }
        return later->stroke;
    }

    const std::vector<Median>& medians_;
    double factor_;
    bool outline_shown_;
};

}  // namespace

Judgement judge_stroke(const Polyline& drawn_points, const std::vector<Median>& medians,
                       int expected, const JudgeOptions& options) {
    Polyline points = without_repeats(drawn_points);
    if (points.size() < 2) {
        return {Verdict::too_short};
    }
    if (expected < 0 || expected >= int(medians.size())) {
        return {Verdict::wrong};
    }
    if (medians[std::size_t(expected)].empty()) {
        return {Verdict::correct, expected};
    }
    return Judge(medians, options).judge(Curve(std::move(points)), expected);
}

}  // namespace inkwren
