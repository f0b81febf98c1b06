#include "output/worksheet.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

#include "animation/raster.h"

namespace inkwren {
namespace {

constexpr int resolution = 600;  // dots per inch of the page's coordinates
constexpr double margin_mm = 15;
constexpr double title_mm = 10;
constexpr double picture_height_mm = 14;
constexpr double square_mm = 18;
constexpr double row_gap_mm = 2;
constexpr double block_gap_mm = 6;
constexpr double note_mm = 4;
constexpr double note_text_mm = 3;
const QColor note_colour(80, 80, 80);
const QColor trace_colour(200, 200, 200);

int dots(double mm) {
    return int(std::lround(mm * resolution / 25.4));
}

// Where everything goes on a page, in dots.
struct PageFrame {
    QRect content;
    int picture_height;
    int square;

    explicit PageFrame(QPageSize::PageSizeId paper, bool titled) {
        const QSize page = QPageSize(paper).sizePixels(resolution);
        const int margin = dots(margin_mm);
        content = QRect(margin, margin + (titled ? dots(title_mm) : 0), page.width() - 2 * margin,
                        page.height() - 2 * margin - (titled ? dots(title_mm) : 0));
        picture_height = dots(picture_height_mm);
        square = dots(square_mm);
    }

    int squares_per_row() const { return std::max(1, content.width() / square); }
};

int picture_width(const QImage& picture, int height) {
    return picture.height() > 0 ? height * picture.width() / picture.height() : height;
}

// Rows of the stroke-order pictures: as many as fit side by side on the content's width.
int sequence_rows(const WorksheetEntry& entry, const PageFrame& frame) {
    int rows = entry.sequence.empty() ? 0 : 1;
    int x = 0;
    for (const QImage& picture : entry.sequence) {
        const int width = picture_width(picture, frame.picture_height);
        if (x > 0 && x + width > frame.content.width()) {
            ++rows;
            x = 0;
        }
        x += width;
    }
    return rows;
}

int note_height(const WorksheetEntry& entry) {
    return entry.note.isEmpty() ? 0 : dots(note_mm);
}

int block_height(const WorksheetEntry& entry, const PageFrame& frame) {
    return note_height(entry) +
           sequence_rows(entry, frame) * (frame.picture_height + dots(row_gap_mm)) + frame.square;
}

// Where an entry starts: its page and its top.
struct Placement {
    int page;
    int top;
};

// Places entries one below the other, starting a new page when one does not fit.
class Placer {
public:
    explicit Placer(const PageFrame& frame) : frame_(frame), top_(frame.content.top()) {}

    Placement next(const WorksheetEntry& entry) {
        const int height = block_height(entry, frame_);
        if (top_ > frame_.content.top() && top_ + height > frame_.content.bottom()) {
            ++page_;
            top_ = frame_.content.top();
        }
        const Placement placement{page_, top_};
        top_ += height + dots(block_gap_mm);
        return placement;
    }

private:
    const PageFrame& frame_;
    int page_ = 0;
    int top_;
};

void draw_square(QPainter& painter, QRect square, const QColor& grid) {
    QPen solid(grid, dots(0.3));
    painter.setPen(solid);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(square);
    QPen dashed(grid, dots(0.15), Qt::DashLine);
    painter.setPen(dashed);
    const int third = square.width() / 3;
    for (const int step : {third, 2 * third}) {
        painter.drawLine(square.left() + step, square.top(), square.left() + step, square.bottom());
        painter.drawLine(square.left(), square.top() + step, square.right(), square.top() + step);
    }
}

void draw_note(QPainter& painter, const WorksheetEntry& entry, int top, const PageFrame& frame,
               const WorksheetOptions& options) {
    QFont font(options.title_family);
    font.setPixelSize(dots(note_text_mm));
    painter.setFont(font);
    painter.setPen(note_colour);
    painter.drawText(QRect(frame.content.left(), top, frame.content.width(), note_height(entry)),
                     Qt::AlignLeft | Qt::AlignTop, entry.note);
}

void draw_entry(QPainter& painter, const WorksheetEntry& entry, int top, const PageFrame& frame,
                const WorksheetOptions& options) {
    if (!entry.note.isEmpty()) {
        draw_note(painter, entry, top, frame, options);
    }
    int x = frame.content.left();
    int y = top + note_height(entry);
    for (const QImage& picture : entry.sequence) {
        const int width = picture_width(picture, frame.picture_height);
        if (x > frame.content.left() && x + width > frame.content.right()) {
            x = frame.content.left();
            y += frame.picture_height + dots(row_gap_mm);
        }
        painter.drawImage(QRect(x, y, width, frame.picture_height), picture);
        x += width;
    }
    if (!entry.sequence.empty()) {
        y += frame.picture_height + dots(row_gap_mm);
    }
    const QColor grid = to_qcolor(options.grid_colour);
    const QImage tracing = tracing_ink(entry.tracing);
    for (int index = 0; index < frame.squares_per_row(); ++index) {
        const QRect square(frame.content.left() + index * frame.square, y, frame.square,
                           frame.square);
        draw_square(painter, square, grid);
        if (index < options.trace && !tracing.isNull()) {
            painter.drawImage(square, tracing);
        }
    }
}

void draw_title(QPainter& painter, const PageFrame& frame, const WorksheetOptions& options) {
    if (options.title.isEmpty()) {
        return;
    }
    QFont heading(options.title_family);
    heading.setPixelSize(dots(6));
    painter.setFont(heading);
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(frame.content.left(), dots(margin_mm), frame.content.width(), dots(title_mm)),
        Qt::AlignLeft | Qt::AlignTop, options.title);
}

}  // namespace

// The PDF being drawn; the painter ends before the writer goes.
struct WorksheetWriter::Pdf {
    QPdfWriter writer;
    PageFrame frame;
    Placer placer{frame};
    QPainter painter;
    int page = 0;

    Pdf(QIODevice& device, const WorksheetOptions& options)
        : writer(&device), frame(options.paper, !options.title.isEmpty()) {
        writer.setResolution(resolution);
        writer.setPageSize(QPageSize(options.paper));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(options.title);
        writer.setCreator(QStringLiteral("Inkwren"));
        painter.begin(&writer);
    }
};

WorksheetWriter::WorksheetWriter(QIODevice& device, WorksheetOptions options)
    : device_(device), options_(std::move(options)) {}

WorksheetWriter::~WorksheetWriter() = default;

void WorksheetWriter::add(const WorksheetEntry& entry) {
    if (!pdf_) {
        pdf_ = std::make_unique<Pdf>(device_, options_);
        draw_title(pdf_->painter, pdf_->frame, options_);
    }
    const Placement placement = pdf_->placer.next(entry);
    while (pdf_->page < placement.page) {
        pdf_->writer.newPage();
        ++pdf_->page;
        draw_title(pdf_->painter, pdf_->frame, options_);
    }
    draw_entry(pdf_->painter, entry, placement.top, pdf_->frame, options_);
    ++entries_;
}

void WorksheetWriter::finish() {
    if (pdf_) {
        pdf_->painter.end();
    }
}

QImage tracing_ink(const QImage& ink) {
    if (ink.isNull()) {
        return {};
    }
    QImage faint(ink.size(), QImage::Format_ARGB32);
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            const int darkness = 255 - qGray(ink.pixel(x, y));
            QColor colour = trace_colour;
            colour.setAlpha(darkness);
            faint.setPixelColor(x, y, colour);
        }
    }
    return faint;
}

QByteArray worksheet_pdf(const std::vector<WorksheetEntry>& entries,
                         const WorksheetOptions& options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WorksheetWriter writer(buffer, options);
    for (const WorksheetEntry& entry : entries) {
        writer.add(entry);
    }
    writer.finish();
    return bytes;
}

int worksheet_pages(const std::vector<WorksheetEntry>& entries, const WorksheetOptions& options) {
    const PageFrame frame(options.paper, !options.title.isEmpty());
    Placer placer(frame);
    int pages = 1;
    for (const WorksheetEntry& entry : entries) {
        pages = placer.next(entry).page + 1;
    }
    return pages;
}

int worksheet_squares_per_row(QPageSize::PageSizeId paper) {
    return PageFrame(paper, false).squares_per_row();
}

}  // namespace inkwren
