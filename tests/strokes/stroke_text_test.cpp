#include <gtest/gtest.h>

#include <QDir>

#include "platform/error.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

PointRecord record(double x, double y, std::int32_t kind) {
    PointRecord r;
    r.x = x;
    r.y = y;
    r.pen_width = 12;
    r.pen_color = 0x0000FF;
    r.kind = kind;
    return r;
}

TEST(StrokeText, WritesOneTabSeparatedLinePerRecordWithCrLf) {
    PointRecord flash = record(10.5, 20, record_kind::flash_bar);
    flash.repeat_count = 3;
    flash.instant = true;
    flash.fill_color = 255;
    TLineList lines;
    add_line(lines, {record(0.1, 123.456789012345678, record_kind::pen_point), end_marker(2)});
    add_line(lines, {flash, end_marker(record_kind::pen_up)});
    EXPECT_EQ(format_stroke_text(lines), QByteArray("0.1\t123.456789012346\t12\t255\t0\t0\t2\t0\r\n"
                                                    "-\t-\t-\t-\t-\t-\t2\t-\r\n"
                                                    "10.5\t20\t12\t255\t3\t1\t5\t255\r\n"
                                                    "-\t-\t-\t-\t-\t-\t99\t-\r\n"));
}

TEST(StrokeText, OrdinaryRecordsSurviveAWriteAndReadBack) {
    PointRecord seed = record(-3.25, 180, record_kind::fill_seed);
    seed.fill_color = 0x00C0FFEE;
    seed.pen_color = -1;
    PointRecord instant = record(7, 8, record_kind::bezier_control);
    instant.instant = true;
    // y at 99999 does not make an end marker: only x does.
    const PointRecord tall = record(4, end_marker_coord, record_kind::pen_point);
    const TObjList stroke = {seed, instant, tall, end_marker()};
    TLineList lines;
    add_line(lines, stroke);

    TempFolder folder;
    write_strokes(lines, QStringLiteral("永字"), folder.path());
    TObjList read;
    read_records(folder.file("永字.wrt"), read, 0, 0);
    EXPECT_EQ(read, stroke);
}

TEST(StrokeText, EndMarkersKeepOnlyPenUpAndOnlyInThePlayersReader) {
    PointRecord decorated = end_marker(record_kind::flash_bar);
    decorated.instant = true;
    decorated.repeat_count = 4;
    decorated.pen_color = 77;
    decorated.fill_color = 88;
    TLineList lines;
    add_line(lines, {record(1, 1, 2), decorated});
    add_line(lines, {record(2, 2, 2), end_marker(record_kind::pen_up)});
    const QByteArray text = format_stroke_text(lines);

    const TObjList players = parse_stroke_text(text, "t", EndMarkerKind::keep_pen_up);
    EXPECT_EQ(players[1], end_marker(record_kind::old_pen_point));
    EXPECT_EQ(players[3], end_marker(record_kind::pen_up));
    const TObjList work = parse_stroke_text(text, "t", EndMarkerKind::always_zero);
    EXPECT_EQ(work[3], end_marker(record_kind::old_pen_point));
}

TEST(StrokeText, ReadingAppliesTheOlderKindWidthsDecimalCommaAndOffsets) {
    const QByteArray text =
        "10\t20\t1234\t5\t-\t1\t0\t6\r\n"     // 4-digit pen width keeps 3 digits; kind 0 is 2
        " 1,5 \t2.5\t 7 \t0\t0\t0\t123\t0\n"  // comma decimal, blanks, kind cut to "12"
        "-\t-\t-\t-\t-\t-\t99\t-";            // the last line needs no line break
    const TObjList read = parse_stroke_text(text, "t", EndMarkerKind::keep_pen_up, 100, 200);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].x, 110);
    EXPECT_EQ(read[0].y, 220);
    EXPECT_EQ(read[0].pen_width, 123);
    EXPECT_EQ(read[0].repeat_count, 0);
    EXPECT_TRUE(read[0].instant);
    EXPECT_EQ(read[0].kind, record_kind::pen_point);
    EXPECT_EQ(read[1].x, 101.5);
    EXPECT_EQ(read[1].pen_width, 7);
    EXPECT_EQ(read[1].kind, 12);
    EXPECT_EQ(read[2], end_marker(record_kind::pen_up));  // offsets never move end markers
}

QString message_for(const QByteArray& text, const QString& source) {
    try {
        parse_stroke_text(text, source, EndMarkerKind::keep_pen_up);
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("accepted");
}

const QByteArray closing_marker = "-\t-\t-\t-\t-\t-\t2\t-\r\n";

TEST(StrokeText, MalformedTextIsRefusedWithFileAndLine) {
    const QString source = QStringLiteral("/課本/損壞.wrt");
    const QByteArray good = "1\t2\t3\t0\t0\t0\t2\t0\r\n";
    EXPECT_TRUE(
        message_for(good + "1\t2\t3\t0\t0\t0\t2\r\n" + closing_marker, source).contains("line 2"));
    EXPECT_TRUE(message_for(good + good + "x\t2\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, source)
                    .contains("line 3"));
    EXPECT_TRUE(message_for(good + "1\t2\t3.5\t0\t0\t0\t2\t0\r\n" + closing_marker, source)
                    .contains("line 2"));
    EXPECT_TRUE(message_for(good + "1\tnan\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, source)
                    .contains("line 2"));
    EXPECT_TRUE(message_for(good + closing_marker + good + good, source).contains("line 4"));
    EXPECT_TRUE(message_for(good + closing_marker + good, source).contains(source));
    EXPECT_EQ(message_for(good + closing_marker + "\r\n", source), QStringLiteral("accepted"));
    EXPECT_EQ(message_for("", source), QStringLiteral("accepted"));
}

// A record of 2981015625 had the player expand a line billions of pixels long.
TEST(StrokeText, ACoordinateOfBillionsOfPixelsOrANegativePenWidthIsRefusedWithFileAndLine) {
    const QString source = QStringLiteral("/課本/巨大.wrt");
    const QByteArray good = "1\t2\t3\t0\t0\t0\t2\t0\r\n";
    for (const QByteArray& line :
         {QByteArray("2981015625\t2\t3\t0\t0\t0\t2\t0\r\n"),
          QByteArray("1\t2981015625\t3\t0\t0\t0\t2\t0\r\n"),
          QByteArray("-100000.5\t2\t3\t0\t0\t0\t2\t0\r\n"),
          QByteArray("1\t1e300\t3\t0\t0\t0\t2\t0\r\n"),
          // pen widths outside 0 to 999
          QByteArray("1\t2\t-1\t0\t0\t0\t2\t0\r\n"), QByteArray("1\t2\t-99\t0\t0\t0\t2\t0\r\n")}) {
        const QString message = message_for(good + line + closing_marker, source);
        EXPECT_TRUE(message.contains(source) && message.contains("line 2"))
            << message.toStdString();
    }
    // The limit holds for the file; offsets added by the reader do not count against it.
    EXPECT_EQ(parse_stroke_text("100000\t2\t3\t0\t0\t0\t2\t0\r\n" + closing_marker, "t",
                                EndMarkerKind::keep_pen_up, 500, 0)[0]
                  .x,
              100500);
}

TEST(StrokeText, CoordinatesOfPlusOrMinus100000AndWidthsOf0And999AreAccepted) {
    const QByteArray text =
        "100000\t-100000\t0\t0\t0\t0\t2\t0\r\n"
        "-100000\t100000\t999\t0\t0\t0\t2\t0\r\n"
        "99999\t99999\t0\t0\t0\t0\t2\t0\r\n";  // an end marker written as numbers
    const TObjList read = parse_stroke_text(text, "t", EndMarkerKind::keep_pen_up);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].y, -100000);
    EXPECT_EQ(read[1].pen_width, 999);
    EXPECT_TRUE(is_end_marker(read[2]));
}

// A flash bar repeated 2,000,000,000 times took gigabytes before the window appeared; each
// count that multiplies the work of playing or drawing is bounded where the file is read.
TEST(StrokeText, CountsThatMultiplyTheWorkAreBoundedWithFileAndLine) {
    const QString source = QStringLiteral("/課本/閃爍.wrt");
    const QByteArray pen = "1\t2\t3\t0\t0\t0\t2\t0\r\n";
    const QByteArray curve_point = "5\t6\t3\t0\t0\t0\t3\t0\r\n";
    const auto repeated = [](const QByteArray& text, int times) { return text.repeated(times); };
    const struct {
        QByteArray text;
        const char* line;
    } refused[] = {
        {pen + "9\t9\t3\t0\t2000000000\t0\t5\t255\r\n" + closing_marker, "line 2"},
        {pen + "9\t9\t3\t0\t101\t0\t5\t255\r\n" + closing_marker, "line 2"},
        {pen + "9\t9\t3\t0\t-1\t0\t5\t255\r\n" + closing_marker, "line 2"},
        {repeated(curve_point, max_curve_points + 1) + closing_marker, "line 101"},
        {repeated(pen + closing_marker, max_strokes + 1), "line 402"},
    };
    for (const auto& damaged : refused) {
        const QString message = message_for(damaged.text, source);
        EXPECT_TRUE(message.contains(source) && message.contains(damaged.line))
            << message.toStdString();
    }
    const QByteArray at_the_bounds = "9\t9\t3\t0\t100\t0\t5\t255\r\n" +
                                     repeated(curve_point, max_curve_points) + closing_marker +
                                     repeated(pen + closing_marker, max_strokes - 1);
    EXPECT_EQ(message_for(at_the_bounds, source), QStringLiteral("accepted"));
}

TEST(StrokeText, AStrokeFileLargerThanAnyCharacterIsRefusedUnread) {
    TempFolder folder;
    const QString path = folder.file("巨大.wrt");
    testing::write_file(path, QByteArray(max_stroke_text_size + 1, '\n'));
    TObjList records;
    EXPECT_THROW(read_records(path, records, 0, 0), Error);
    EXPECT_TRUE(records.empty());
}

TEST(StrokeText, AFileThatFailsToReadAddsNothingToTheList) {
    TempFolder folder;
    write_file(folder.file("壞.wrt"),
               "1\t2\t3\t0\t0\t0\t2\t0\r\n-\t-\t-\t-\t-\t-\t2\t-\r\n5\t5\r\n");
    TObjList records = {record(1, 1, 2), end_marker()};
    EXPECT_THROW(read_records(folder.file("壞.wrt"), records, 0, 0), Error);
    EXPECT_EQ(records.size(), 2u);
    EXPECT_THROW(read_records(folder.file("沒有.wrt"), records, 0, 0), Error);
    EXPECT_EQ(records.size(), 2u);
}

TEST(StrokeText, AFolderNamedLikeAStrokeFileIsAnErrorNotAnEmptyFile) {
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("資料夾.wrt")));
    try {
        read_record_list(folder.file("資料夾.wrt"), 0, 0);
        FAIL() << "a folder was read as a stroke file";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(folder.file("資料夾.wrt")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("folder")));
    }
}

TEST(StrokeText, WritingIntoAMissingFolderFailsAndCreatesNothing) {
    TempFolder folder;
    try {
        write_strokes(testing::sample_lines(1), QStringLiteral("永"), folder.file("沒有/"));
        FAIL() << "write into a missing folder succeeded";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("rewrite failed")));
    }
}

TEST(StrokeText, RewritingReplacesTheWholeFile) {
    TempFolder folder;
    write_strokes(testing::sample_lines(5), QStringLiteral("字"), folder.path());
    write_strokes(testing::sample_lines(1), QStringLiteral("字"), folder.path());
    EXPECT_EQ(read_file(folder.file("字.wrt")), testing::sample_stroke_text(1));
}

}  // namespace
}  // namespace inkwren
