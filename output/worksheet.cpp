#include "output/worksheet.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

#include "animation/raster.h"
#include "output/number_font.h"
#include "output/stroke_order_sheet.h"
#include "output/worksheet_entry_stream.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr int resolution = 600;  // dots per inch of the page's coordinates
constexpr double margin_mm = 15;
constexpr double title_mm = 10;
constexpr double title_text_mm = 6;
constexpr double name_line_mm = 9;
constexpr double name_text_pt = 10;
constexpr double cell_mm = 16;            // a stroke-order picture's width
constexpr double picture_square_mm = 14;  // its practice square
constexpr double label_gap_mm = 0.8;
constexpr double label_pt = 7.5;
constexpr double label_mm = 3.6;  // the line the label takes
constexpr double square_mm = 18;
constexpr double row_gap_mm = 2;
constexpr double block_gap_mm = 6;
constexpr double note_mm = 4;
constexpr double note_text_pt = 8.5;
constexpr double info_mm = 6;
constexpr double info_baseline_share = 0.72;  // of the line, the rest for descenders
constexpr double reading_pt = 12;
constexpr double meaning_pt = 9;
constexpr double meaning_gap_mm = 3;
constexpr double footer_gap_mm = 4;
constexpr double footer_pt = 8;
constexpr double frame_mm = 0.3;
constexpr double picture_frame_mm = 0.2;
constexpr double pad_square_share = 0.875;  // of the pad's width, as the sheets draw it
constexpr auto latin_info_family = "DejaVu Sans";
const QColor note_colour(80, 80, 80);
const QColor line_colour(120, 120, 120);

double dots(double mm) {
    return mm * resolution / 25.4;
}

int pixel_size(double points) {
    return int(std::lround(points * resolution / 72));
}

QFont font_of(const QString& family, double points) {
    QFont font(family);
    font.setPixelSize(pixel_size(points));
    return font;
}

// Pinyin and English meanings read better in a Latin face than in the Kai face's Latin letters;
// zhuyin and anything else the Latin face lacks still comes from the Kai face.
QFont info_font(const QString& family, double points) {
    QFont font = font_of(family, points);
    font.setFamilies({QString::fromLatin1(latin_info_family), family});
    return font;
}

// Where everything goes on a page, in dots.
struct PageFrame {
    QSizeF page;
    QRectF content;
    double header_top;

    PageFrame(QPageSize::PageSizeId paper, bool titled, bool name_line) {
        page = QPageSize(paper).sizePixels(resolution);
        const double margin = dots(margin_mm);
        header_top = margin;
        const double header = (titled ? dots(title_mm) : 0) + (name_line ? dots(name_line_mm) : 0);
        content = QRectF(margin, margin + header, page.width() - 2 * margin,
                         page.height() - 2 * margin - header);
    }
    explicit PageFrame(const WorksheetOptions& options)
        : PageFrame(options.paper, !options.title.isEmpty(), options.name_line) {}

    int squares_per_row() const { return std::max(1, int(content.width() / dots(square_mm))); }
    int pictures_per_row() const { return std::max(1, int(content.width() / dots(cell_mm))); }
    double picture_row() const { return dots(picture_square_mm + label_gap_mm + label_mm); }
};

// The strokes that have a picture of their own: every one for the underlay alone, else those
// without a flash step, as the sheets number them.
std::vector<int> pictured_strokes(const WorksheetEntry& entry, const SheetSettings& settings) {
    std::vector<int> strokes;
    for (int index = 0; index < int(entry.strokes.size()); ++index) {
        if (settings.picture_content == PictureContent::underlay_only ||
            !has_flash_step(entry.strokes[std::size_t(index)])) {
            strokes.push_back(index);
        }
    }
    return strokes;
}

int picture_rows(int pictures, const PageFrame& frame) {
    return (pictures + frame.pictures_per_row() - 1) / frame.pictures_per_row();
}

double note_height(const WorksheetEntry& entry) {
    return entry.note.isEmpty() ? 0 : dots(note_mm);
}

double info_height(const WorksheetEntry& entry) {
    return entry.reading.isEmpty() && entry.meaning.isEmpty() ? 0 : dots(info_mm);
}

// The lines above the pictures.
double heading_height(const WorksheetEntry& entry) {
    return note_height(entry) + info_height(entry);
}

double block_height(const WorksheetEntry& entry, const PageFrame& frame,
                    const SheetSettings& settings) {
    const int rows = picture_rows(int(pictured_strokes(entry, settings).size()), frame);
    return heading_height(entry) + rows * (frame.picture_row() + dots(row_gap_mm)) +
           dots(square_mm);
}

// Where an entry starts: its page and its top.
struct Placement {
    int page;
    double top;
};

// Places entries one below the other, starting a new page when one does not fit.
class Placer {
public:
    Placer(const PageFrame& frame, const SheetSettings& settings)
        : frame_(frame), settings_(settings), top_(frame.content.top()) {}

    Placement next(const WorksheetEntry& entry) {
        const double height = block_height(entry, frame_, settings_);
        if (top_ > frame_.content.top() && top_ + height > frame_.content.bottom()) {
            ++page_;
            top_ = frame_.content.top();
        }
        const Placement placement{page_, top_};
        top_ += height + dots(block_gap_mm);
        return placement;
    }

    int pages() const { return page_ + 1; }

private:
    const PageFrame& frame_;
    const SheetSettings& settings_;
    int page_ = 0;
    double top_;
};

// The painter set so that drawing in the pad's pixels fills `area` with the pad.
class PadArea {
public:
    PadArea(QPainter& painter, const QRectF& area, QSize pad) : painter_(painter) {
        painter_.save();
        painter_.translate(area.topLeft());
        painter_.scale(area.width() / std::max(pad.width(), 1),
                       area.height() / std::max(pad.height(), 1));
    }
    ~PadArea() { painter_.restore(); }
    PadArea(const PadArea&) = delete;
    PadArea& operator=(const PadArea&) = delete;

private:
    QPainter& painter_;
};

// The pad's area whose practice square is the given one.
QRectF pad_area_of(const QRectF& square) {
    const double side = square.width() / pad_square_share;
    return {square.center().x() - side / 2, square.center().y() - side / 2, side, side};
}

void draw_all_strokes(QPainter& painter, const WorksheetEntry& entry, const QColor& colour) {
    for (const TObjList& stroke : entry.strokes) {
        draw_stroke_paths(painter, stroke, entry.coord_scale,
                          [&](const PointRecord&) { return colour; });
    }
}

// What picture `stroke` shows inside its pad area: the underlay, then its strokes.
void draw_picture_ink(QPainter& painter, const WorksheetEntry& entry, int stroke,
                      const SheetSettings& settings) {
    const bool underlay_only = settings.picture_content == PictureContent::underlay_only;
    if (underlay_only || settings.underlay_on) {
        draw_all_strokes(painter, entry, to_qcolor(settings.underlay_color));
    }
    if (underlay_only) {
        return;
    }
    const bool so_far = settings.picture_content != PictureContent::one_stroke;
    for (int index = so_far ? 0 : stroke; index <= stroke; ++index) {
        const bool newest = index == stroke;
        draw_stroke_paths(
            painter, entry.strokes[std::size_t(index)], entry.coord_scale,
            [&](const PointRecord& record) {
                return to_qcolor(picture_stroke_colour(settings, record, so_far, newest));
            });
    }
}

Qt::Alignment label_alignment(NumberAlign align) {
    switch (align) {
        case NumberAlign::left:
            return Qt::AlignLeft;
        case NumberAlign::centre:
            return Qt::AlignHCenter;
        default:  // right, and any unknown value
            return Qt::AlignRight;
    }
}

class EntryPainter {
public:
    EntryPainter(QPainter& painter, const PageFrame& frame, const WorksheetOptions& options)
        : painter_(painter), frame_(frame), options_(options) {
        numbering_.settings = options.sheet;
        numbering_.number_prefix = options.number_prefix;
        numbering_.number_suffix = options.number_suffix;
        label_font_ = number_font(options.sheet);
        label_font_.setPixelSize(pixel_size(label_pt));
    }

    void draw(const WorksheetEntry& entry, double top) {
        if (!entry.note.isEmpty()) {
            painter_.setFont(font_of(options_.title_family, note_text_pt));
            painter_.setPen(note_colour);
            painter_.drawText(
                QRectF(frame_.content.left(), top, frame_.content.width(), note_height(entry)),
                Qt::AlignLeft | Qt::AlignTop, entry.note);
        }
        if (info_height(entry) > 0) {
            draw_info(entry, top + note_height(entry));
        }
        double y = top + heading_height(entry);
        const std::vector<int> strokes = pictured_strokes(entry, options_.sheet);
        for (int n = 0; n < int(strokes.size()); ++n) {
            const int column = n % frame_.pictures_per_row();
            const double row_top =
                y + (n / frame_.pictures_per_row()) * (frame_.picture_row() + dots(row_gap_mm));
            draw_picture(entry, strokes[std::size_t(n)], n + 1,
                         QPointF(frame_.content.left() + column * dots(cell_mm), row_top));
        }
        y += picture_rows(int(strokes.size()), frame_) * (frame_.picture_row() + dots(row_gap_mm));
        draw_practice_row(entry, y);
    }

private:
    // The reading, then the meaning smaller and in grey, cut short with "…" at the margin.
    void draw_info(const WorksheetEntry& entry, double top) {
        const double baseline = top + dots(info_mm) * info_baseline_share;
        double x = frame_.content.left();
        if (!entry.reading.isEmpty()) {
            painter_.setFont(info_font(options_.title_family, reading_pt));
            painter_.setPen(Qt::black);
            painter_.drawText(QPointF(x, baseline), entry.reading);
            x += painter_.fontMetrics().horizontalAdvance(entry.reading) + dots(meaning_gap_mm);
        }
        if (entry.meaning.isEmpty() || x >= frame_.content.right()) {
            return;
        }
        painter_.setFont(info_font(options_.title_family, meaning_pt));
        painter_.setPen(note_colour);
        painter_.drawText(QPointF(x, baseline),
                          painter_.fontMetrics().elidedText(entry.meaning, Qt::ElideRight,
                                                            int(frame_.content.right() - x)));
    }

    void draw_picture(const WorksheetEntry& entry, int stroke, int n, QPointF cell) {
        const double inset = (dots(cell_mm) - dots(picture_square_mm)) / 2;
        const QRectF square(cell.x() + inset, cell.y(), dots(picture_square_mm),
                            dots(picture_square_mm));
        const SheetSettings& settings = options_.sheet;
        const QColor grid = to_qcolor(settings.grid_color);
        if (settings.grid_on) {
            draw_practice_square(painter_, square, options_.grid, grid, dots(picture_frame_mm));
        } else {
            painter_.setPen(QPen(grid, dots(picture_frame_mm)));
            painter_.drawRect(square);
        }
        {
            const PadArea area(painter_, pad_area_of(square), entry.pad);
            draw_picture_ink(painter_, entry, stroke, settings);
        }
        if (settings.numbers_on) {
            painter_.setFont(label_font_);
            painter_.setPen(Qt::black);
            const QRectF line(square.left(), square.bottom() + dots(label_gap_mm), square.width(),
                              dots(label_mm));
            painter_.drawText(
                line, label_alignment(settings.number_align) | Qt::AlignTop | Qt::TextDontClip,
                number_text(numbering_, n).trimmed());
        }
    }

    void draw_practice_row(const WorksheetEntry& entry, double top) {
        const QColor grid = to_qcolor(options_.sheet.grid_color);
        const int squares = frame_.squares_per_row();
        const int traced = std::min(options_.trace, squares);
        for (int index = 0; index < squares; ++index) {
            const QRectF square(frame_.content.left() + index * dots(square_mm), top,
                                dots(square_mm), dots(square_mm));
            draw_practice_square(painter_, square, options_.grid, grid, dots(frame_mm));
            if (index < traced) {
                const PadArea area(painter_, square, entry.pad);
                draw_all_strokes(painter_, entry, trace_grey(index, traced));
            }
        }
    }

    QPainter& painter_;
    const PageFrame& frame_;
    const WorksheetOptions& options_;
    SheetInputs numbering_;
    QFont label_font_;
};

void draw_header(QPainter& painter, const PageFrame& frame, const WorksheetOptions& options) {
    double y = frame.header_top;
    const QRectF width(frame.content.left(), 0, frame.content.width(), 0);
    if (!options.title.isEmpty()) {
        QFont heading(options.title_family);
        heading.setPixelSize(int(dots(title_text_mm)));
        painter.setFont(heading);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(width.left(), y, width.width(), dots(title_mm)),
                         Qt::AlignLeft | Qt::AlignTop, options.title);
        y += dots(title_mm);
    }
    if (!options.name_line) {
        return;
    }
    // 姓名 and 日期 each before a line to write on, the name's line the longer.
    painter.setFont(font_of(options.title_family, name_text_pt));
    const double baseline = y + dots(name_line_mm) * 0.6;
    const double name_end = width.left() + width.width() * 0.62;
    struct Field {
        QString label;
        double left;
        double right;
    };
    for (const Field& field : {Field{QStringLiteral("姓名"), width.left(), name_end - dots(6)},
                               Field{QStringLiteral("日期"), name_end, width.right()}}) {
        painter.setPen(Qt::black);
        painter.drawText(QPointF(field.left, baseline), field.label);
        const double start =
            field.left + painter.fontMetrics().horizontalAdvance(field.label) + dots(2);
        painter.setPen(QPen(line_colour, dots(0.25)));
        painter.drawLine(QPointF(start, baseline + dots(0.8)),
                         QPointF(field.right, baseline + dots(0.8)));
    }
}

void draw_footer(QPainter& painter, const PageFrame& frame, const WorksheetOptions& options,
                 int page, int pages) {
    painter.setFont(font_of(options.title_family, footer_pt));
    painter.setPen(note_colour);
    const double top = frame.page.height() - dots(margin_mm) + dots(footer_gap_mm);
    painter.drawText(QRectF(frame.content.left(), top, frame.content.width(), dots(margin_mm / 2)),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("%1 / %2").arg(page).arg(pages));
}

}  // namespace

// The entries set aside until the page count is known, and where they go.
struct WorksheetWriter::Spool {
    QTemporaryFile file;
    QDataStream stream;
    PageFrame frame;
    Placer placer;

    explicit Spool(const WorksheetOptions& options)
        : file(QDir(options.spool_folder.isEmpty() ? QDir::tempPath() : options.spool_folder)
                   .filePath(QStringLiteral("inkwren-worksheet-XXXXXX"))),
          frame(options),
          placer(frame, options.sheet) {
        if (!file.open()) {
            throw Error(QStringLiteral("Cannot make a temporary file for the worksheet: %1")
                            .arg(file.errorString()));
        }
        stream.setDevice(&file);
    }
};

WorksheetWriter::WorksheetWriter(QIODevice& device, WorksheetOptions options)
    : device_(device), options_(std::move(options)) {}

WorksheetWriter::~WorksheetWriter() = default;

void WorksheetWriter::add(const WorksheetEntry& entry) {
    if (!spool_) {
        spool_ = std::make_unique<Spool>(options_);
    }
    spool_->placer.next(entry);
    write_entry(spool_->stream, entry);
    if (spool_->stream.status() != QDataStream::Ok) {
        throw Error(QStringLiteral("Cannot set the worksheet's characters aside in %1: %2")
                        .arg(spool_->file.fileName(), spool_->file.errorString()));
    }
    ++entries_;
}

void WorksheetWriter::finish() {
    if (!spool_) {
        return;
    }
    const int pages = spool_->placer.pages();
    const PageFrame& frame = spool_->frame;
    spool_->file.seek(0);
    QPdfWriter writer(&device_);
    writer.setResolution(resolution);
    writer.setPageSize(QPageSize(options_.paper));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(options_.title);
    writer.setCreator(QStringLiteral("Inkwren"));
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::Antialiasing);
    EntryPainter entries(painter, frame, options_);
    Placer placer(frame, options_.sheet);
    int page = 0;
    draw_header(painter, frame, options_);
    draw_footer(painter, frame, options_, 1, pages);
    for (int index = 0; index < entries_; ++index) {
        const WorksheetEntry entry = read_entry(spool_->stream);
        const Placement placement = placer.next(entry);
        while (page < placement.page) {
            writer.newPage();
            ++page;
            draw_header(painter, frame, options_);
            draw_footer(painter, frame, options_, page + 1, pages);
        }
        entries.draw(entry, placement.top);
    }
    painter.end();
    spool_.reset();
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
    const PageFrame frame(options);
    Placer placer(frame, options.sheet);
    for (const WorksheetEntry& entry : entries) {
        placer.next(entry);
    }
    return placer.pages();
}

int worksheet_squares_per_row(QPageSize::PageSizeId paper) {
    return PageFrame(paper, false, false).squares_per_row();
}

}  // namespace inkwren
