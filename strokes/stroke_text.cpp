#include "strokes/stroke_text.h"

#include <QList>

#include <charconv>
#include <cmath>

#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

constexpr int field_count = 8;
constexpr char tab = '\t';
const QByteArray end_field = "-";

// Characters kept of each field on reading; the rest of a longer field is dropped.
constexpr int field_widths[field_count] = {31, 31, 3, 11, 11, 1, 2, 11};

QByteArray format_number(double value) {
    return QByteArray::number(value, 'g', 15);
}

// The fields go straight onto the text, tab-separated: a character's file is written for every
// character shown.
void append_record_line(QByteArray& text, const PointRecord& record) {
    if (is_end_marker(record)) {
        for (int field = 0; field < 6; ++field) {
            text += end_field;
            text += tab;
        }
        text += QByteArray::number(record.kind);
        text += tab;
        text += end_field;
    } else {
        text += format_number(record.x);
        text += tab;
        text += format_number(record.y);
        text += tab;
        text += QByteArray::number(record.pen_width);
        text += tab;
        text += QByteArray::number(record.pen_color);
        text += tab;
        text += QByteArray::number(record.repeat_count);
        text += tab;
        text += record.instant ? '1' : '0';
        text += tab;
        text += QByteArray::number(record.kind);
        text += tab;
        text += QByteArray::number(record.fill_color);
    }
    text += "\r\n";
}

// Reads stroke text line by line, keeping the line number for messages.
class StrokeTextReader {
public:
    StrokeTextReader(const QString& source, EndMarkerKind end_kind, double offset_x,
                     double offset_y)
        : source_(source), end_kind_(end_kind), offset_x_(offset_x), offset_y_(offset_y) {}

    TObjList read(const QByteArray& text) {
        TObjList records;
        const QList<QByteArray> lines = text.split('\n');
        for (qsizetype index = 0; index < lines.size(); ++index) {
            line_number_ = int(index) + 1;
            QByteArray line = lines[index];
            if (line.endsWith('\r')) {
                line.chop(1);
            }
            if (line.trimmed().isEmpty()) {
                continue;
            }
            records.push_back(read_line(line));
            last_record_line_ = line_number_;
            count_toward_bounds(records.back());
        }
        if (!records.empty() && !is_end_marker(records.back())) {
            line_number_ = last_record_line_;
            fail(QStringLiteral("the last stroke is not closed by an end marker"));
        }
        return records;
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw Error(QStringLiteral("The stroke file \"%1\" is damaged at line %2: %3.")
                        .arg(source_)
                        .arg(line_number_)
                        .arg(what));
    }

    PointRecord read_line(const QByteArray& line) const {
        QList<QByteArray> fields = line.split(tab);
        if (fields.size() != field_count) {
            fail(QStringLiteral("%1 fields instead of %2").arg(fields.size()).arg(field_count));
        }
        for (int index = 0; index < field_count; ++index) {
            fields[index] = fields[index].left(field_widths[index]).trimmed();
        }
        if (fields[0] == end_field) {
            return read_end_marker(fields[6]);
        }
        PointRecord record;
        record.x = coordinate(fields[0]) + offset_x_;
        record.y = coordinate(fields[1]) + offset_y_;
        record.pen_width = to_int(fields[2]);
        if (record.pen_width < min_pen_width || record.pen_width > max_pen_width) {
            fail(QStringLiteral("the pen width %1 is not between %2 and %3")
                     .arg(record.pen_width)
                     .arg(min_pen_width)
                     .arg(max_pen_width));
        }
        record.pen_color = to_int(fields[3]);
        record.repeat_count = fields[4] == end_field ? 0 : to_int(fields[4]);
        if (record.repeat_count < 0 || record.repeat_count > max_repeat_count) {
            fail(QStringLiteral("the repeat count %1 is not between 0 and %2")
                     .arg(record.repeat_count)
                     .arg(max_repeat_count));
        }
        record.instant = fields[5] == "1";
        record.kind = to_int(fields[6]);
        if (record.kind == record_kind::old_pen_point) {
            record.kind = record_kind::pen_point;
        }
        record.fill_color = to_int(fields[7]);
        return record;
    }

    void count_toward_bounds(const PointRecord& record) {
        curve_points_ = !is_end_marker(record) && record.kind == record_kind::bezier_control
                            ? curve_points_ + 1
                            : 0;
        if (curve_points_ > max_curve_points) {
            fail(QStringLiteral("a curve has more than %1 control points").arg(max_curve_points));
        }
        if (is_end_marker(record) && ++strokes_ > max_strokes) {
            fail(QStringLiteral("there are more than %1 strokes").arg(max_strokes));
        }
    }

    PointRecord read_end_marker(const QByteArray& kind_field) const {
        const bool pen_up = end_kind_ == EndMarkerKind::keep_pen_up && kind_field == "99";
        return end_marker(pen_up ? record_kind::pen_up : record_kind::old_pen_point);
    }

    double to_double(QByteArray field) const {
        field.replace(',', '.');
        if (field.startsWith('+')) {
            field.remove(0, 1);
        }
        double value = 0;
        const char* end = field.constData() + field.size();
        const auto [stop, error] = std::from_chars(field.constData(), end, value);
        if (field.isEmpty() || error != std::errc() || stop != end || !std::isfinite(value)) {
            fail(QStringLiteral("\"%1\" is not a number").arg(QString::fromLatin1(field)));
        }
        return value;
    }

    // Checked before the offsets are added: the limits are on what a file may hold.
    double coordinate(const QByteArray& field) const {
        const double value = to_double(field);
        if (std::abs(value) > max_coordinate) {
            fail(QStringLiteral("the coordinate %1 lies beyond ±%2")
                     .arg(QString::fromLatin1(field))
                     .arg(max_coordinate));
        }
        return value;
    }

    std::int32_t to_int(const QByteArray& field) const {
        std::int32_t value = 0;
        const char* begin = field.constData() + (field.startsWith('+') ? 1 : 0);
        const char* end = field.constData() + field.size();
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (begin == end || error != std::errc() || stop != end) {
            fail(QStringLiteral("\"%1\" is not a whole number").arg(QString::fromLatin1(field)));
        }
        return value;
    }

    QString source_;
    EndMarkerKind end_kind_;
    double offset_x_;
    double offset_y_;
    int line_number_ = 0;
    int last_record_line_ = 0;
    int curve_points_ = 0;
    int strokes_ = 0;
};

}  // namespace

QByteArray read_stroke_file(const QString& path) {
    return read_limited_file(path, QStringLiteral("The stroke file"), max_stroke_text_size);
}

QByteArray format_stroke_text(const TLineList& lines) {
    QByteArray text;
    for (const TObjList& stroke : lines.items) {
        for (const PointRecord& record : stroke) {
            append_record_line(text, record);
        }
    }
    return text;
}

TObjList parse_stroke_text(const QByteArray& text, const QString& source, EndMarkerKind end_kind,
                           double offset_x, double offset_y) {
    return StrokeTextReader(source, end_kind, offset_x, offset_y).read(text);
}

QString path_in_folder(const QString& folder, const QString& name, const QString& extension) {
    const bool needs_separator = !folder.isEmpty() && !folder.endsWith(QLatin1Char('/'));
    return folder + (needs_separator ? QStringLiteral("/") : QString()) + name + extension;
}

QByteArray write_strokes(const TLineList& lines, const QString& name, const QString& folder,
                         Durability durability) {
    const QString path = path_in_folder(folder, name, QStringLiteral(".wrt"));
    QByteArray text = format_stroke_text(lines);
    try {
        write_whole_file(path, text, durability);
    } catch (const Error& error) {
        throw Error(QStringLiteral("rewrite failed: ") + error.message());
    }
    return text;
}

void read_records(const QString& path, TObjList& records, double offset_x, double offset_y) {
    const TObjList read = parse_stroke_text(read_stroke_file(path), path,
                                            EndMarkerKind::keep_pen_up, offset_x, offset_y);
    records.insert(records.end(), read.begin(), read.end());
}

TObjList read_record_list(const QString& path, double offset_x, double offset_y) {
    return parse_stroke_text(read_stroke_file(path), path, EndMarkerKind::always_zero, offset_x,
                             offset_y);
}

}  // namespace inkwren
