// Printable practice worksheets: for each character the pictures of its stroke order, then a row
// of practice squares, the first few with the character faintly for tracing, drawn from its
// strokes as the pad shows it, the rest empty with their nine-grid; as many pages as needed.
#pragma once

#include <QImage>
#include <QPageSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QIODevice;

namespace inkwren {

struct WorksheetEntry {
    QString character;
    std::vector<QImage> sequence;  // the stroke-order sheet's pictures, in order
    QImage tracing;  // the whole character dark on white, filling its square; none: no tracing
    QString note;    // a small line above the entry, such as the mainland form's; none when empty
};

struct WorksheetOptions {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QString title;  // a heading line on every page; none when empty
    int trace = 3;  // squares with the character to trace
    QString title_family = QStringLiteral("AR PL UKai TW");
    std::int32_t grid_colour = 0xFFAA00;  // 0x00BBGGRR
};

// Draws a worksheet as PDF onto a device entry by entry, each page going out as soon as the
// next one starts, so that a worksheet of thousands of characters holds no more than one page in
// memory. The PDF starts with the first entry: a writer given none writes nothing. A
// QGuiApplication must exist (fonts).
class WorksheetWriter {
public:
    WorksheetWriter(QIODevice& device, WorksheetOptions options);
    ~WorksheetWriter();
    WorksheetWriter(const WorksheetWriter&) = delete;
    WorksheetWriter& operator=(const WorksheetWriter&) = delete;

    // Draws the entry below the one before, on a new page when it does not fit there.
    void add(const WorksheetEntry& entry);
    // Ends the last page and the PDF; nothing may be added after it.
    void finish();

    int entries() const { return entries_; }

private:
    struct Pdf;
    QIODevice& device_;
    WorksheetOptions options_;
    std::unique_ptr<Pdf> pdf_;
    int entries_ = 0;
};

// The worksheet as PDF bytes.
QByteArray worksheet_pdf(const std::vector<WorksheetEntry>& entries,
                         const WorksheetOptions& options);

// The character's ink (dark on white) in the tracing grey, its paper clear so that the
// square's grid shows through.
QImage tracing_ink(const QImage& ink);

// How many pages the worksheet takes.
int worksheet_pages(const std::vector<WorksheetEntry>& entries, const WorksheetOptions& options);

// How many practice squares a row of the paper holds; more cannot be traced.
int worksheet_squares_per_row(QPageSize::PageSizeId paper);

}  // namespace inkwren
