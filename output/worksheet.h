// Printable practice worksheets: for each character its reading and meaning when known, the
// pictures of its stroke order, then a row
// of practice squares, the first few with the character in fading greys for tracing, the rest
// empty with their grid; as many pages as needed, numbered "n / N". Everything on a page is drawn
// as vector paths from the strokes, so the PDF holds no picture and prints crisp at any size.
#pragma once

#include <QPageSize>
#include <QSize>
#include <QString>

#include <memory>

#include "output/sheet_settings_record.h"
#include "output/worksheet_drawing.h"
#include "strokes/linelist.h"

class QIODevice;

namespace inkwren {

struct WorksheetEntry {
    QString character;
    TLines strokes;            // from export_strokes: one list a stroke, flash bars left out
    double coord_scale = 1.0;  // stroke coordinates to pad pixels
    QSize pad{200, 200};       // the pad the strokes are drawn on; it fills a square
    QString note;  // a small line above the entry, such as the mainland form's; none when empty
    // What the character reads as, above its pictures, and its meaning beside that; the line
    // is left out when both are empty.
    QString reading;
    QString meaning;
};

struct WorksheetOptions {
    QPageSize::PageSizeId paper = QPageSize::A4;
    QString title;  // a heading line on every page; none when empty
    int trace = 3;  // squares with the character to trace
    WorksheetGrid grid = WorksheetGrid::nine;
    bool name_line = false;  // a line for the learner's name and the date under the heading
    QString title_family = QStringLiteral("AR PL UKai TW");
    // The stroke-order pictures' content, colours, numbers and grid colour, as the sheets have.
    SheetSettings sheet;
    QString number_prefix;  // the texts around a number in the "第…劃" style
    QString number_suffix;
    // Where the entries are set aside until the page count is known; the system's temporary
    // folder when empty. A caller that cleans up after killed runs gives a folder of its own.
    QString spool_folder;
};

// Draws a worksheet as PDF onto a device. The entries are set aside in a temporary file as they
// come, so that a worksheet of thousands of characters holds no more than one of them in memory,
// and drawn once the page count is known. The PDF starts with the first entry: a writer given
// none writes nothing. A QGuiApplication must exist (fonts).
class WorksheetWriter {
public:
    WorksheetWriter(QIODevice& device, WorksheetOptions options);
    ~WorksheetWriter();
    WorksheetWriter(const WorksheetWriter&) = delete;
    WorksheetWriter& operator=(const WorksheetWriter&) = delete;

    // Places the entry below the one before, on a new page when it does not fit there.
    void add(const WorksheetEntry& entry);
    // Draws the pages and ends the PDF; nothing may be added after it.
    void finish();

    int entries() const { return entries_; }

private:
    struct Spool;
    QIODevice& device_;
    WorksheetOptions options_;
    std::unique_ptr<Spool> spool_;
    int entries_ = 0;
};

// The worksheet as PDF bytes.
QByteArray worksheet_pdf(const std::vector<WorksheetEntry>& entries,
                         const WorksheetOptions& options);

// How many pages the worksheet takes.
int worksheet_pages(const std::vector<WorksheetEntry>& entries, const WorksheetOptions& options);

// How many practice squares a row of the paper holds; more cannot be traced.
int worksheet_squares_per_row(QPageSize::PageSizeId paper);

}  // namespace inkwren
