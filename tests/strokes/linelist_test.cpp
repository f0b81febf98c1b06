#include <gtest/gtest.h>

#include "platform/error.h"
#include "strokes/linelist.h"

namespace inkwren {
namespace {

PointRecord pen(double x, double y) {
    PointRecord record;
    record.x = x;
    record.y = y;
    record.pen_width = 8;
    return record;
}

TEST(SplitStrokes, CutsAtEndMarkersAndSkipsMarkersThatCloseNothing) {
    const TObjList flat = {pen(1, 1),    pen(2, 2),
                           end_marker(), end_marker(record_kind::pen_up),
                           pen(3, 3),    end_marker(record_kind::pen_up)};
    const TLineList lines = split_strokes(flat);
    ASSERT_EQ(lines.count(), 2);
    EXPECT_EQ(lines.items[0], (TObjList{pen(1, 1), pen(2, 2), end_marker()}));
    EXPECT_EQ(lines.items[1], (TObjList{pen(3, 3), end_marker(record_kind::pen_up)}));
    EXPECT_EQ(flatten_lines(lines), (TObjList{pen(1, 1), pen(2, 2), end_marker(), pen(3, 3),
                                              end_marker(record_kind::pen_up)}));
    EXPECT_EQ(split_strokes({}).count(), 0);
}

TEST(SplitStrokes, RefusesAListWhoseLastStrokeHasNoEndMarker) {
    EXPECT_THROW(split_strokes({pen(1, 1), end_marker(), pen(2, 2)}), Error);
    EXPECT_THROW(split_strokes({pen(1, 1)}), Error);
}

}  // namespace
}  // namespace inkwren
