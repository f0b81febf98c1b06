#include <gtest/gtest.h>

#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"
#include "tools/examples/example_strokes.h"

namespace inkwren::tools {
namespace {

TObjList line(QPointF from, QPointF to) {
    return {testing::point(from.x(), from.y()), testing::point(to.x(), to.y()),
            end_marker(record_kind::pen_point)};
}

// A square box from 50 to 150; with a gap its right side stops short of the bottom.
TLineList box(bool with_gap) {
    TLineList lines;
    add_line(lines, line({50, 50}, {150, 50}));
    add_line(lines, line({150, 50}, {150.0, with_gap ? 130.0 : 150.0}));
    add_line(lines, line({150, 150}, {50, 150}));
    add_line(lines, line({50, 150}, {50, 50}));
    return lines;
}

TEST(ExampleStrokes, OnlyPaperClosedOffByStrokesIsEnclosed) {
    EXPECT_TRUE(encloses(box(false), {100, 100}));
    EXPECT_TRUE(encloses(box(false), {146, 146}));  // a corner of the inside
    EXPECT_FALSE(encloses(box(true), {100, 100}));
    EXPECT_FALSE(encloses(box(false), {20, 20}));
    EXPECT_FALSE(encloses(box(false), {150, 100}));  // on the ink
    EXPECT_FALSE(encloses(box(false), {250, 100}));  // off the pad
}

TEST(ExampleStrokes, SeedAndBarStayElementsOfTheirOwnThroughAStrokeFile) {
    testing::TempFolder folder;
    TLineList lines = box(false);
    const TObjList closing = line({50.4, 150.6}, {50, 50});
    add_line(lines, fill_seed_element({100.5, 99}, 0xA8EEFF));
    add_line(lines, flash_bar_element(closing, 3, 0x0000FF));
    write_strokes(lines, QStringLiteral("口"), folder.path());

    TObjList records;
    read_records(folder.file(QStringLiteral("口.wrt")), records, 0, 0);
    const TLineList read = split_strokes(records);
    ASSERT_EQ(read.count(), 6);
    const TObjList& seed = read.items[4];
    ASSERT_EQ(seed.size(), 2u);
    EXPECT_EQ(seed[0].kind, record_kind::fill_seed);
    EXPECT_EQ(seed[0].x, 100.5);
    EXPECT_EQ(seed[0].fill_color, 0xA8EEFF);
    const TObjList& bar = read.items[5];
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].kind, record_kind::flash_bar);
    EXPECT_EQ(QPointF(bar[0].x, bar[0].y), QPointF(50, 151));  // the first point, rounded
    EXPECT_EQ(bar[0].repeat_count, 3);
    EXPECT_EQ(bar[0].fill_color, 0x0000FF);
    EXPECT_TRUE(is_end_marker(bar[1]));
}

}  // namespace
}  // namespace inkwren::tools
