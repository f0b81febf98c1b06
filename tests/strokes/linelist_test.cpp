#include <gtest/gtest.h>

#include "platform/error.h"
#include "strokes/linelist.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::point;

TEST(SplitStrokes, CutsAtEndMarkersSkipsMarkersThatCloseNothingAndNeedsTheLastOne) {
    const TObjList flat = {point(1, 1),  point(2, 2),
                           end_marker(), end_marker(record_kind::pen_up),
                           point(3, 3),  end_marker(record_kind::pen_up)};
    const TLineList lines = split_strokes(flat);
    ASSERT_EQ(lines.count(), 2);
    EXPECT_EQ(lines.items[0], (TObjList{point(1, 1), point(2, 2), end_marker()}));
    EXPECT_EQ(lines.items[1], (TObjList{point(3, 3), end_marker(record_kind::pen_up)}));
    EXPECT_EQ(flatten_lines(lines), (TObjList{point(1, 1), point(2, 2), end_marker(), point(3, 3),
                                              end_marker(record_kind::pen_up)}));
    EXPECT_EQ(split_strokes({}).count(), 0);
    // A last stroke without its end marker is refused.
    EXPECT_THROW(split_strokes({point(1, 1), end_marker(), point(2, 2)}), Error);
    EXPECT_THROW(split_strokes({point(1, 1)}), Error);
}

}  // namespace
}  // namespace inkwren
