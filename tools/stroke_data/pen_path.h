// The path a round pen takes to paint one stroke of the open data: along the stroke's median,
// moved to the middle of its outline, each point as wide as the outline is there. Drawn as a
// run of round-capped segments, the path swells, tapers and hooks as the outline does.
#pragma once

#include <QPointF>

#include <optional>
#include <vector>

namespace inkwren::tools {

using Polygon = std::vector<QPointF>;

struct PenSample {
    QPointF centre;
    double width = 0;  // the diameter of the pen here
};

// Where the line through point along direction runs inside the polygon: the interval of
// distances along direction (from point) whose middle is nearest to the point. Nothing when the
// line misses the polygon.
struct CrossSection {
    double from = 0;
    double to = 0;
};
std::optional<CrossSection> cross_section(const Polygon& polygon, QPointF point, QPointF direction);

// The distance from point to the polygon's outline.
double distance_to_outline(const Polygon& polygon, QPointF point);

// Even-odd inside test.
bool inside(const Polygon& polygon, QPointF point);

// The pen path in the outline's units: dense samples along the median (every few units),
// each moved across the stroke to the point deepest inside the outline and as wide as the
// largest circle there that stays inside; the path then goes on past the median's ends as long
// as a pen of some width still fits. A median that misses its outline gives an empty path.
std::vector<PenSample> trace_pen_path(const Polygon& outline, const std::vector<QPointF>& median);

// Fewer samples drawing the same band: a sample is dropped when the straight segment that
// replaces it stays within position_tolerance of every sample it replaces, and the width at the
// segment's end (with which the segment is drawn) within width_tolerance of theirs.
std::vector<PenSample> simplify_pen_path(const std::vector<PenSample>& path,
                                         double position_tolerance, double width_tolerance);

}  // namespace inkwren::tools
