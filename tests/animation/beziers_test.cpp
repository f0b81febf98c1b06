#include <gtest/gtest.h>

#include "animation/beziers.h"
#include "platform/error.h"

namespace inkwren {
namespace {

PointRecord point(double x, double y, std::int32_t kind, std::int32_t pen_width = 6) {
    return {x, y, pen_width, 0x123456, 2, true, kind, 0x00FF00};
}

std::vector<PixelPoint> pixels_of(const TObjList& records) {
    std::vector<PixelPoint> pixels;
    for (const PointRecord& record : records) {
        pixels.push_back({int(record.x), int(record.y)});
    }
    return pixels;
}

// Ten samples per control point between the curve's exact ends; the weights are the binomial
// row, and a repeated last point is dropped but the longer list's step kept.
TEST(EvaluateCurve, TakesTenSamplesPerControlPointAndCurveRunsBecomeRoundedPenPoints) {
    const CurvePoint a{1.3, 2.7}, b{50.1, 80.2}, c{120.7, 3.3};
    EXPECT_EQ(evaluate_curve({a, a}, 0.1).size(), 12u);  // not 13 for t = 0.9999999999999999
    const std::vector<CurvePoint> curve = evaluate_curve({a, a, b, c}, 0.1);
    ASSERT_EQ(curve.size(), 32u);
    EXPECT_EQ(curve.front(), a);
    EXPECT_EQ(curve.back(), c);
    EXPECT_EQ(evaluate_curve({a, a, b, c}, 0.6).size(), 7u);  // t = 0, 0.2, ... 0.8
    // No point after the repeat means no curve, and the step must be positive.
    EXPECT_TRUE(evaluate_curve({{4, 4}}, 0.1).empty());
    EXPECT_THROW(evaluate_curve({{4, 4}, {4, 4}}, 0), Error);

    // At t = 0.5 (sample 25 of 50) the weights are 1 4 6 4 1 over 16.
    const std::vector<CurvePoint> quartic =
        evaluate_curve({{0, 0}, {0, 0}, {16, 0}, {0, 16}, {32, 0}, {0, 32}}, 0.1);
    EXPECT_NEAR(quartic[26].x, (4 * 16 + 4 * 32) / 16.0, 1e-9);
    EXPECT_NEAR(quartic[26].y, (6 * 16 + 32) / 16.0, 1e-9);
    const std::vector<CurvePoint> line = evaluate_curve({{0, 0}, {0, 0}, {30, 60}, {30, 60}}, 0.1);
    ASSERT_EQ(line.size(), 32u);
    EXPECT_NEAR(line[16].x, 15, 1e-9);  // a straight line, not a quadratic with a doubled end
    EXPECT_NEAR(line[16].y, 30, 1e-9);
    // A run of curve points appends rounded pen points with the first record's pen up to its end
    // marker.
    const TObjList source = {point(2.5, 3.5, record_kind::bezier_control),
                             point(2.5, 3.5, record_kind::bezier_control, 9),
                             end_marker(record_kind::bezier_control)};
    TObjList destination = {end_marker()};
    std::size_t index = 0;
    expand_bezier_run(source, index, destination);
    EXPECT_EQ(index, 2u);
    ASSERT_EQ(destination.size(), 1u + 22u);
    for (std::size_t i = 1; i < destination.size(); ++i) {
        EXPECT_EQ(destination[i], point(2, 4, record_kind::pen_point));
    }
}

// Expands a run of pen points followed by the record after, from the start; the pens widen along
// the run so that copying the first one shows.
TObjList polyline(const std::vector<CurvePoint>& points, const PointRecord& after,
                  std::size_t& index) {
    TObjList source;
    for (const CurvePoint& p : points) {
        source.push_back(point(p.x, p.y, record_kind::pen_point, 3 + int(source.size())));
    }
    source.push_back(after);
    TObjList destination;
    index = 0;
    expand_polyline_run(source, index, destination);
    return destination;
}

TEST(ExpandPolylineRun, DensifiesAlongTheMajorAxisAndEndsOnTheLastThreeTimes) {
    std::size_t index = 0;
    const TObjList out = polyline({{1.4, 1}, {1, 1}, {4.5, 1}}, end_marker(), index);
    EXPECT_EQ(index, 3u);
    EXPECT_EQ(pixels_of(out),
              (std::vector<PixelPoint>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 1}, {4, 1}}));
    // Colour, repeat count, instant flag and fill come from the run's first record; the width
    // from the point each step leads to (two source points on one pixel give the wider).
    EXPECT_EQ(out[5], point(4, 1, record_kind::old_pen_point, 5));
    EXPECT_EQ(out[0].pen_width, 4);

    EXPECT_EQ(pixels_of(polyline({{0, 0}, {10, 0}}, point(0, 0, record_kind::fill_seed), index)),
              (std::vector<PixelPoint>{{10, 0}, {10, 0}, {10, 0}}));
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(pixels_of(polyline({{6, 2}}, end_marker(record_kind::pen_point), index)),
              (std::vector<PixelPoint>{{6, 2}, {6, 2}, {6, 2}}));
    EXPECT_EQ(index, 1u);
    // A run that stays at the origin draws nothing but is passed.
    EXPECT_TRUE(polyline({{0, 0}, {0, 0}}, end_marker(), index).empty());
    EXPECT_EQ(index, 2u);

    // A stroke that tapers plays tapering as it is drawn at rest.
    const TObjList tapering = {point(10, 10, record_kind::pen_point, 12),
                               point(14, 10, record_kind::pen_point, 8),
                               point(16, 12, record_kind::pen_point, 2), end_marker()};
    TObjList played;
    index = 0;
    expand_polyline_run(tapering, index, played);
    std::vector<std::int32_t> widths;
    for (const PointRecord& record : played) {
        widths.push_back(record.pen_width);
    }
    EXPECT_EQ(widths, (std::vector<std::int32_t>{12, 8, 8, 8, 8, 2, 2, 2, 2}));
    // Segments step along the major axis, rounding ties to even.
    EXPECT_EQ(
        densify_segment({0, 0}, {3, 10}, 1),
        (std::vector<PixelPoint>{
            {0, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 5}, {2, 6}, {2, 7}, {2, 8}, {3, 9}, {3, 10}}));
    EXPECT_EQ(densify_segment({5, 5}, {1, 4}, 1),
              (std::vector<PixelPoint>{{4, 5}, {3, 4}, {2, 4}, {1, 4}}));
    EXPECT_EQ(densify_segment({0, 0}, {7, 0}, 2),
              (std::vector<PixelPoint>{{2, 0}, {4, 0}, {5, 0}, {7, 0}}));
    EXPECT_TRUE(densify_segment({7, 7}, {7, 7}, 1).empty());
    EXPECT_THROW(densify_segment({0, 0}, {5, 0}, 0), Error);
}

}  // namespace
}  // namespace inkwren
