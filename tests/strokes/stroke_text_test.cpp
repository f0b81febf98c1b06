#include <gtest/gtest.h>

#include <QDir>

#include "platform/error.h"
#include "strokes/stroke_text.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::point;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

TEST(StrokeText, WritesOneTabSeparatedLinePerRecordAndReadsOlderKindsWidthsAndCommas) {
    PointRecord flash = point(10.5, 20, record_kind::flash_bar);
    flash.repeat_count = 3;
    flash.instant = true;
    flash.fill_color = 255;
    TLineList lines;
    add_line(lines, {point(0.1, 123.456789012345678), end_marker(2)});
    add_line(lines, {flash, end_marker(record_kind::pen_up)});
    EXPECT_EQ(format_stroke_text(lines), QByteArray("0.1\t123.456789012346\t4\t255\t0\t0\t2\t0\r\n"
                                                    "-\t-\t-\t-\t-\t-\t2\t-\r\n"
                                                    "10.5\t20\t4\t255\t3\t1\t5\t255\r\n"
                                                    "-\t-\t-\t-\t-\t-\t99\t-\r\n"));
    // Reading applies the older kind widths, the decimal comma and the offsets.
    const QByteArray text =
        "10\t20\t1234\t5\t-\t1\t0\t6\r\n"     // 4-digit pen width keeps 3 digits; kind 0 is 2
        " 1,5 \t2.5\t 7 \t0\t0\t0\t123\t0\n"  // comma decimal, blanks, kind cut to "12"
        "-\t-\t-\t-\t-\t-\t99\t-";            // the last line needs no line break
    const TObjList read = parse_stroke_text(text, "t", EndMarkerKind::keep_pen_up, 100, 200);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(QPointF(read[0].x, read[0].y), QPointF(110, 220));
    EXPECT_EQ(read[0].pen_width, 123);
    EXPECT_EQ(read[0].repeat_count, 0);
    EXPECT_TRUE(read[0].instant);
    EXPECT_EQ(read[0].kind, record_kind::pen_point);
    EXPECT_EQ(read[1].x, 101.5);
    EXPECT_EQ(read[1].pen_width, 7);
    EXPECT_EQ(read[1].kind, 12);
    EXPECT_EQ(read[2], end_marker(record_kind::pen_up));  // offsets never move end markers
}

TEST(StrokeText, RecordsSurviveAWriteAndReadBackButEndMarkersKeepOnlyPenUp) {
    PointRecord seed = point(-3.25, 180, record_kind::fill_seed);
    seed.fill_color = 0x00C0FFEE;
    seed.pen_color = -1;
    PointRecord instant = point(7, 8, record_kind::bezier_control);
    instant.instant = true;
    // y at 99999 does not make an end marker: only x does.
    const TObjList stroke = {seed, instant, point(4, end_marker_coord), end_marker()};
    EXPECT_EQ(parse_stroke_text(format_stroke_text(split_strokes(stroke)), "t",
                                EndMarkerKind::keep_pen_up),
              stroke);

    // End markers keep only a pen-up kind, and only in the player's reader.
    PointRecord decorated = end_marker(record_kind::flash_bar);
    decorated.instant = true;
    decorated.repeat_count = 4;
    decorated.pen_color = 77;
    decorated.fill_color = 88;
    TLineList lines;
    add_line(lines, {point(1, 1), decorated});
    add_line(lines, {point(2, 2), end_marker(record_kind::pen_up)});
    const QByteArray text = format_stroke_text(lines);
    const TObjList players = parse_stroke_text(text, "t", EndMarkerKind::keep_pen_up);
    EXPECT_EQ(players[1], end_marker(record_kind::old_pen_point));
    EXPECT_EQ(players[3], end_marker(record_kind::pen_up));
    const TObjList work = parse_stroke_text(text, "t", EndMarkerKind::always_zero);
    EXPECT_EQ(work[3], end_marker(record_kind::old_pen_point));
}

const QByteArray pen_line = "1\t2\t3\t0\t0\t0\t2\t0\r\n";
const QByteArray closing_marker = "-\t-\t-\t-\t-\t-\t2\t-\r\n";

// A record of 2981015625 had the player expand a line billions of pixels long, and a flash bar
// repeated 2,000,000,000 times took gigabytes before the window appeared: each number that
// multiplies the work of playing or drawing is bounded where the file is read.
TEST(StrokeText, MalformedOrAbsurdTextIsRefusedWithFileAndLineAndTextAtTheBoundsIsNot) {
    const QString source = QStringLiteral("/課本/損壞.wrt");
    const QByteArray curve_point = "5\t6\t3\t0\t0\t0\t3\t0\r\n";
    const struct {
        QByteArray text;
        const char* line;
    } refused[] = {
        {pen_line + "1\t2\t3\t0\t0\t0\t2\r\n" + closing_marker, "line 2"},
        {pen_line + pen_line + "x\t2\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 3"},
        {pen_line + "1\t2\t3.5\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 2"},
        {pen_line + "1\tnan\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 2"},
        {pen_line + closing_marker + pen_line + pen_line, "line 4"},  // no end marker
        {pen_line + "2981015625\t2\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 2"},
        {pen_line + "1\t2981015625\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 2"},
        {pen_line + "-100000.5\t2\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 2"},
        {pen_line + "1\t2\t-1\t0\t0\t0\t2\t0\r\n" + closing_marker, "line 2"},
        {pen_line + "9\t9\t3\t0\t2000000000\t0\t5\t255\r\n" + closing_marker, "line 2"},
        {pen_line + "9\t9\t3\t0\t101\t0\t5\t255\r\n" + closing_marker, "line 2"},
        {pen_line + "9\t9\t3\t0\t-1\t0\t5\t255\r\n" + closing_marker, "line 2"},
        {curve_point.repeated(max_curve_points + 1) + closing_marker, "line 101"},
        {(pen_line + closing_marker).repeated(max_strokes + 1), "line 402"},
    };
    for (const auto& damaged : refused) {
        const QString message = testing::error_of(
            [&] { parse_stroke_text(damaged.text, source, EndMarkerKind::keep_pen_up); });
        EXPECT_TRUE(message.contains(source) && message.contains(damaged.line))
            << qPrintable(message);
    }

    // Text at every bound is accepted.
    const QByteArray text =
        "100000\t-100000\t0\t0\t0\t0\t2\t0\r\n"
        "-100000\t100000\t999\t0\t0\t0\t2\t0\r\n"
        "99999\t99999\t0\t0\t0\t0\t2\t0\r\n"  // an end marker as numbers
        "9\t9\t3\t0\t100\t0\t5\t255\r\n" +
        QByteArray("5\t6\t3\t0\t0\t0\t3\t0\r\n").repeated(max_curve_points) + closing_marker +
        (pen_line + closing_marker).repeated(max_strokes - 2);
    const TObjList read = parse_stroke_text(text, "t", EndMarkerKind::keep_pen_up);
    EXPECT_EQ(read[1].pen_width, 999);
    EXPECT_TRUE(is_end_marker(read[2]));
    EXPECT_TRUE(parse_stroke_text({}, "t", EndMarkerKind::keep_pen_up).empty());
    EXPECT_EQ(parse_stroke_text(pen_line + closing_marker + "\r\n", "t", EndMarkerKind::keep_pen_up)
                  .size(),
              2u);
    // The limit holds for the file; offsets added by the reader do not count against it.
    EXPECT_EQ(parse_stroke_text("100000\t2\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "t",
                                EndMarkerKind::keep_pen_up, 500, 0)[0]
                  .x,
              100500);
}

TEST(StrokeText, StrokeFilesAreRewrittenWholeAndAFileThatFailsToReadAddsNothing) {
    TempFolder folder;
    write_strokes(testing::sample_lines(5), QStringLiteral("字"), folder.path());
    write_strokes(testing::sample_lines(1), QStringLiteral("字"), folder.path());
    EXPECT_EQ(read_file(folder.file("字.wrt")), testing::sample_stroke_text(1));
    EXPECT_TRUE(testing::error_of([&] {
                    write_strokes(testing::sample_lines(1), QStringLiteral("永"),
                                  folder.file("沒有/"));
                }).startsWith(QStringLiteral("rewrite failed")));

    write_file(folder.file("壞.wrt"), pen_line + closing_marker + "5\t5\r\n");
    write_file(folder.file("巨大.wrt"), QByteArray(max_stroke_text_size + 1, '\n'));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("資料夾.wrt")));
    TObjList records = {point(1, 1), end_marker()};
    for (const char* name : {"壞.wrt", "巨大.wrt", "資料夾.wrt", "沒有.wrt"}) {
        EXPECT_TRUE(testing::error_of([&] {
                        read_records(folder.file(name), records, 0, 0);
                    }).contains(folder.file(name)))
            << name;
    }
    EXPECT_EQ(records.size(), 2u);
}

}  // namespace
}  // namespace inkwren
