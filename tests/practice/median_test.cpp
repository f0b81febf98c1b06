#include <gtest/gtest.h>

#include <cmath>

#include "practice/median.h"
#include "practice/shape_match.h"
#include "strokes/em_square.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::point;

constexpr double scale = 3.25;  // a pad of 650

// A pen element through em points, as a pad of the zoom above holds it.
TObjList pen_element(const Polyline& em, std::int32_t end_kind = record_kind::pen_point,
                     std::int32_t kind = record_kind::pen_point) {
    TObjList element;
    for (const QPointF& at : em) {
        const QPointF pad = pad_point_of_em(at, scale);
        element.push_back(point(pad.x(), pad.y(), kind));
    }
    element.push_back(end_marker(end_kind));
    return element;
}

void expect_near(const Polyline& actual, const Polyline& expected, double tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t index = 0; index < actual.size(); ++index) {
        EXPECT_NEAR(actual[index].x(), expected[index].x(), tolerance) << index;
        EXPECT_NEAR(actual[index].y(), expected[index].y(), tolerance) << index;
    }
}

TEST(Medians, OneAStrokeInEmUnitsPenLiftsJoinedMarksLeftOut) {
    TLineList lines;
    add_line(lines, pen_element({{100, 800}, {100, 800}, {900, 800}}));  // a repeat dropped
    add_line(lines, pen_element({{200, 600}, {500, 600}}, record_kind::pen_up));
    add_line(lines, pen_element({{500, 500}, {500, 100}}));  // goes on from the pen lift
    add_line(lines, pen_element({{300, 300}}, record_kind::fill_seed, record_kind::fill_seed));
    add_line(lines, pen_element({{100, 50}, {400, 300}, {700, 50}}, record_kind::bezier_control,
                                record_kind::bezier_control));
    const std::vector<Median> medians = medians_of(lines, scale);
    ASSERT_EQ(medians.size(), 3u);
    expect_near(medians[0], {{100, 800}, {900, 800}}, 1e-9);
    expect_near(medians[1], {{200, 600}, {500, 600}, {500, 500}, {500, 100}}, 1e-9);
    // The curve is followed from its first control point to its last, through the middle.
    const Median& curve = medians[2];
    ASSERT_GT(curve.size(), 3u);
    const double pixel = 1 / (scale * pixels_per_unit);  // the curve's points are whole pixels
    expect_near({curve.front(), curve.back()}, {{100, 50}, {700, 50}}, pixel);
    EXPECT_NEAR(distance_to_polyline({400, 175}, curve), 0, 2 * pixel);
}

TEST(Polylines, ResampledEvenlyAroundCorners) {
    expect_near(resampled({{0, 0}, {10, 0}, {10, 10}}, 5),
                {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}}, 1e-9);
    expect_near(resampled({{3, 4}}, 2), {{3, 4}, {3, 4}}, 0);
}

TEST(ShapeMatch, FrechetDistanceWalksBothCurvesForwards) {
    struct Case {
        Polyline a;
        Polyline b;
        double distance;
    };
    const Case cases[] = {
        {{{0, 0}, {1, 0}, {2, 0}}, {{0, 0}, {1, 0}, {2, 0}}, 0},
        {{{0, 0}, {1, 0}, {2, 0}}, {{0, 1}, {1, 1}, {2, 1}}, 1},
        {{{0, 0}, {1, 0}, {2, 0}}, {{2, 0}, {1, 0}, {0, 0}}, 2},  // ends must meet ends
        {{{0, 0}, {1, 0}, {2, 0}}, {{0, 0}, {1, 3}, {2, 0}}, 3},  // a bump is felt in full
        {{{0, 0}, {1, 0}, {1, 0}, {2, 0}}, {{0, 0}, {2, 0}}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(frechet_distance(c.a, c.b), c.distance, 1e-9);
    }
}

TEST(ShapeMatch, ASlantWithinTheTurnsIsForgiven) {
    const Polyline corner = normalised_shape({{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}}, 0);
    Polyline slanted;
    const double c = std::cos(0.17);  // about 10°
    const double s = std::sin(0.17);
    for (const QPointF& p : corner) {
        slanted.push_back({c * p.x() - s * p.y(), s * p.x() + c * p.y()});
    }
    EXPECT_GT(frechet_distance(slanted, corner), 0.2);
    EXPECT_LT(rotated_frechet_distance(slanted, corner, 15, 5), 0.05);
}

}  // namespace
}  // namespace inkwren
