// Curves and pen runs: turns a stroke's Bezier and polyline runs into dense pen points one pixel
// apart, so that the pen moves at an even speed of one pixel per record while playing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "strokes/linelist.h"

namespace inkwren {

// More pen points than this (about 50 MB) come only from absurd strokes, which are refused.
inline constexpr std::size_t max_play_list_size = 1'000'000;

// Throws Error when a play list of size points is more than max_play_list_size.
void check_play_list_room(std::size_t size);

struct CurvePoint {
    double x = 0;
    double y = 0;

    bool operator==(const CurvePoint&) const = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// Evaluates the Bezier curve of a control polygon P[0..N] whose element 0 repeats element 1.
// The result starts with P[1], samples the curve at t = 0, dt, 2dt, ... below 1 with
// dt = step / N, and ends with the last control point. A last point that repeats the one before
// it takes no part in the curve, though dt is still taken over the full polygon.
// A polygon without a point after the repeated one has no curve. Throws Error for a step that is
// not positive.
std::vector<CurvePoint> evaluate_curve(const std::vector<CurvePoint>& control_points, double step);

// The data of one Bezier element: its control polygon (first point repeated, as evaluate_curve
// takes it), its evaluated curve and the pen it is drawn with.
struct TBezier {
    std::vector<CurvePoint> control_points;
    std::vector<CurvePoint> curve_points;
    std::int32_t pen_color = 0;  // 0x00BBGGRR
    std::int32_t pen_width = 0;

    int point_count() const { return int(control_points.size()); }
    void add_control_point(double x, double y) { control_points.push_back({x, y}); }
    void evaluate(double step) { curve_points = evaluate_curve(control_points, step); }
};

// The Bezier run (kind-3 records) that starts at index becomes its curve at step 0.1, appended
// to destination as kind-2 records at whole pixels; index ends at the first record after the
// run. The records take their pen from the run's first record.
void expand_bezier_run(const TObjList& source, std::size_t& index, TObjList& destination);

// The polyline run (kind-2 records) that starts at index becomes kind-0 records step_len pixels
// apart, appended to destination; index ends at the first record after the run. The last point
// comes three times, so the player sees the stroke's end marker two records ahead exactly when
// the pen arrives. The records take their pen from the run's first record.
void expand_polyline_run(const TObjList& source, std::size_t& index, TObjList& destination,
                         int step_len = 1);

// The points from a to b, step_len pixels apart along the axis of larger change: those after a,
// up to and including b. Nothing when a and b are no more than half a step apart. Throws Error
// for a step length below 1.
std::vector<PixelPoint> densify_segment(PixelPoint a, PixelPoint b, int step_len);

}  // namespace inkwren
