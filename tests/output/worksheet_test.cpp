#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>

#include "output/worksheet.h"

namespace inkwren {
namespace {

// The page count of a PDF's page tree.
int pdf_pages(const QByteArray& pdf) {
    const QRegularExpression count(QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"));
    const QRegularExpressionMatch match = count.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

TObjList stroke(double x) {
    TObjList records;
    for (const double y : {20.0, 100.0, 180.0}) {
        PointRecord point;
        point.x = x;
        point.y = y;
        point.pen_width = 12;
        records.push_back(point);
    }
    records.push_back(end_marker());
    return records;
}

std::vector<WorksheetEntry> entries(int count, int strokes) {
    std::vector<WorksheetEntry> made;
    for (int index = 0; index < count; ++index) {
        WorksheetEntry entry;
        entry.character = QString(QChar(0x6C38 + index));
        for (int n = 0; n < strokes; ++n) {
            entry.strokes.push_back(stroke(20 + n * 5));
        }
        made.push_back(entry);
    }
    return made;
}

// The pages hold no picture: strokes, tracing and grids are all paths.
TEST(Worksheet, TakesAsManyPagesAsTheCharactersNeedOnTheChosenPaperDrawnAsPaths) {
    WorksheetOptions options;
    options.title = QStringLiteral("第一課 練習");
    options.name_line = true;
    const std::vector<WorksheetEntry> twenty = entries(20, 12);
    const int pages = worksheet_pages(twenty, options);
    EXPECT_GT(pages, 2);
    EXPECT_GT(worksheet_pages(entries(20, 40), options), pages);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WorksheetWriter(buffer, options).finish();
    EXPECT_TRUE(bytes.isEmpty());
    const QByteArray pdf = worksheet_pdf(twenty, options);
    EXPECT_EQ(pdf_pages(pdf), pages);
    EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "no raster on any page";
    EXPECT_EQ(pdf_pages(worksheet_pdf(entries(1, 5), {})), 1);
    options.paper = QPageSize::Letter;
    const QByteArray letter = worksheet_pdf(entries(1, 3), options);
    EXPECT_TRUE(letter.contains("612") && letter.contains("792")) << "612 × 792 pt";
}

// The line of reading and meaning above an entry takes its room on the page; the pages
// counted and the pages drawn agree.
TEST(Worksheet, ReadingAndMeaningLinesAreCountedInThePages) {
    WorksheetOptions options;
    const std::vector<WorksheetEntry> plain = entries(20, 12);
    std::vector<WorksheetEntry> informed = plain;
    for (WorksheetEntry& entry : informed) {
        entry.reading = QStringLiteral("yǒng ㄩㄥˇ");
        entry.meaning = QStringLiteral("long, perpetual, eternal, forever; ").repeated(20);
    }
    informed.back().reading.clear();  // the meaning alone
    const int pages = worksheet_pages(informed, options);
    EXPECT_GT(pages, worksheet_pages(plain, options));
    EXPECT_EQ(pdf_pages(worksheet_pdf(informed, options)), pages);
}

TEST(Worksheet, EachGridDrawsItsInnerLines) {
    const QRectF square(0, 0, 90, 90);
    const struct {
        WorksheetGrid grid;
        std::vector<QLineF> lines;
    } cases[] = {
        {WorksheetGrid::nine, {{30, 0, 30, 90}, {0, 30, 90, 30}, {60, 0, 60, 90}, {0, 60, 90, 60}}},
        {WorksheetGrid::tian, {{45, 0, 45, 90}, {0, 45, 90, 45}}},
        {WorksheetGrid::mi, {{45, 0, 45, 90}, {0, 45, 90, 45}, {0, 0, 90, 90}, {90, 0, 0, 90}}},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(grid_inner_lines(each.grid, square), each.lines) << int(each.grid);
    }
}

// The first square to trace is the darkest, the last the lightest; one alone is dark.
TEST(Worksheet, TracingSquaresFadeFromDarkToLight) {
    const struct {
        int index;
        int count;
        int grey;
    } cases[] = {{0, 1, 140}, {0, 4, 140}, {1, 4, 165}, {3, 4, 215}, {9, 10, 215}};
    for (const auto& each : cases) {
        EXPECT_EQ(trace_grey(each.index, each.count), QColor(each.grey, each.grey, each.grey))
            << each.index << " of " << each.count;
    }
}

}  // namespace
}  // namespace inkwren
