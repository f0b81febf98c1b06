#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>

#include "animation/raster.h"
#include "output/worksheet.h"

namespace inkwren {
namespace {

// The page count of a PDF's page tree.
int pdf_pages(const QByteArray& pdf) {
    const QRegularExpression count(QStringLiteral("/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"));
    const QRegularExpressionMatch match = count.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

std::vector<WorksheetEntry> entries(int count, int strokes) {
    std::vector<WorksheetEntry> made;
    for (int index = 0; index < count; ++index) {
        WorksheetEntry entry;
        entry.character = QString(QChar(0x6C38 + index));
        for (int stroke = 0; stroke < strokes; ++stroke) {
            entry.sequence.push_back(make_bitmap(80, 88, 0x808080));
        }
        made.push_back(entry);
    }
    return made;
}

// Pages go to the device as they are drawn; no entry writes nothing.
TEST(Worksheet, TakesAsManyPagesAsTheCharactersNeedOnTheChosenPaperWrittenAsTheyAreDrawn) {
    WorksheetOptions options;
    options.title = QStringLiteral("第一課 練習");
    const std::vector<WorksheetEntry> twenty = entries(20, 12);
    const int pages = worksheet_pages(twenty, options);
    EXPECT_GT(pages, 2);
    EXPECT_GT(worksheet_pages(entries(20, 40), options), pages);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WorksheetWriter(buffer, options).finish();
    EXPECT_TRUE(bytes.isEmpty());
    WorksheetWriter writer(buffer, options);
    for (const WorksheetEntry& entry : twenty) {
        writer.add(entry);
    }
    const qsizetype before_the_end = bytes.size();
    writer.finish();
    EXPECT_GT(before_the_end, bytes.size() / 2);
    EXPECT_EQ(pdf_pages(bytes), pages);
    EXPECT_EQ(pdf_pages(worksheet_pdf(entries(1, 5), {})), 1);
    options.paper = QPageSize::Letter;
    const QByteArray letter = worksheet_pdf(entries(1, 3), options);
    EXPECT_TRUE(letter.contains("612") && letter.contains("792")) << "612 × 792 pt";
}

// The squares trace the character as the pad draws it: its ink, however dark, in one grey whose
// opacity follows the ink, and its paper clear for the grid.
TEST(Worksheet, TheTracingIsTheInkInGreyOverClearPaper) {
    QImage ink = make_bitmap(3, 1, 0xFFFFFF);
    ink.setPixel(0, 0, qRgb(0, 0, 0));
    ink.setPixel(1, 0, qRgb(128, 128, 128));
    const QImage tracing = tracing_ink(ink);
    EXPECT_EQ(tracing.pixelColor(0, 0), QColor(200, 200, 200, 255));
    EXPECT_EQ(tracing.pixelColor(1, 0).alpha(), 127);
    EXPECT_EQ(tracing.pixelColor(2, 0).alpha(), 0);
    EXPECT_TRUE(tracing_ink(QImage()).isNull());
}

}  // namespace
}  // namespace inkwren
