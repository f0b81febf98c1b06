#include "strokes/companion_settings.h"

#include <QFileInfo>
#include <QtEndian>

#include "platform/error.h"
#include "platform/length_prefixed.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

struct TextField {
    int offset;
    int capacity;
};
constexpr TextField model_field{4, 10};
constexpr TextField font_field{15, 32};
constexpr TextField picture_field{53, 202};
constexpr int font_size_offset = 48;
constexpr int font_style_offset = 52;
constexpr int pen_speed_offset = 256;
constexpr int interval_offset = 260;

QByteArray text_at(const QByteArray& record, TextField field, const QString& source) {
    return checked_length_prefixed(record.constData(), field.offset, field.capacity,
                                   QStringLiteral("The settings file"), source)
        .toByteArray();
}

void put_text(QByteArray& record, TextField field, const QByteArray& text) {
    put_length_prefixed(record.data(), field.offset, field.capacity, text);
}

}  // namespace

QString companion_path(const QString& stroke_path) {
    const qsizetype name_start = stroke_path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = stroke_path.indexOf(QLatin1Char('.'), name_start);
    return (dot >= 0 ? stroke_path.left(dot) : stroke_path) + QStringLiteral(".def");
}

CompanionSettings parse_companion(const QByteArray& record, const QString& source) {
    if (record.size() < companion_record_size) {
        throw Error(
            QStringLiteral("The settings file \"%1\" is damaged: it holds %2 bytes, not %3.")
                .arg(source)
                .arg(record.size())
                .arg(companion_record_size));
    }
    CompanionSettings settings;
    settings.show_grid = record[1] != 0;
    settings.grey_first = record[2] != 0;
    settings.show_model = record[3] != 0;
    settings.model_text = text_at(record, model_field, source).trimmed();
    settings.font_name = text_at(record, font_field, source);
    settings.font_size = qFromLittleEndian<qint32>(record.constData() + font_size_offset);
    settings.font_style = std::uint8_t(record[font_style_offset]);
    settings.back_pic_file = text_at(record, picture_field, source).trimmed();
    settings.pen_speed = qFromLittleEndian<qint32>(record.constData() + pen_speed_offset);
    settings.stroke_interval = qFromLittleEndian<qint32>(record.constData() + interval_offset);
    return settings;
}

std::optional<CompanionSettings> read_companion(const QString& stroke_path) {
    const QString path = companion_path(stroke_path);
    if (!QFileInfo::exists(path)) {
        return std::nullopt;
    }
    return parse_companion(
        read_whole_file(path, QStringLiteral("The settings file"), companion_record_size), path);
}

QByteArray format_companion(const CompanionSettings& settings) {
    QByteArray record(companion_record_size, '\0');
    record[1] = char(settings.show_grid);
    record[2] = char(settings.grey_first);
    record[3] = char(settings.show_model);
    put_text(record, model_field, settings.model_text);
    put_text(record, font_field, settings.font_name);
    qToLittleEndian<qint32>(settings.font_size, record.data() + font_size_offset);
    record[font_style_offset] = char(settings.font_style);
    put_text(record, picture_field, settings.back_pic_file);
    qToLittleEndian<qint32>(settings.pen_speed, record.data() + pen_speed_offset);
    qToLittleEndian<qint32>(settings.stroke_interval, record.data() + interval_offset);
    return record;
}

}  // namespace inkwren
