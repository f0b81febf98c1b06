// Printable practice worksheets: for each character the pictures of its stroke order, then a row
// of practice squares, the first few with the character printed faintly for tracing, the rest
// empty with their nine-grid; as many pages as the characters need.
#pragma once

#include <QImage>
#include <QPageSize>
#include <QString>

#include <cstdint>
#include <vector>

namespace inkwren {

struct WorksheetEntry {
    QString character;
    std::vector<QImage> sequence;  // the stroke-order sheet's pictures, in order
};

struct WorksheetOptions {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QString title;  // a heading line on every page; none when empty
    int trace = 3;  // squares with the character to trace
    QString trace_family = QStringLiteral("AR PL UKai TW");
    std::int32_t grid_colour = 0xFFAA00;  // 0x00BBGGRR
};

// The worksheet as PDF bytes; a QGuiApplication must exist (fonts).
QByteArray worksheet_pdf(const std::vector<WorksheetEntry>& entries,
                         const WorksheetOptions& options);

// How many pages the worksheet takes.
int worksheet_pages(const std::vector<WorksheetEntry>& entries, const WorksheetOptions& options);

}  // namespace inkwren
