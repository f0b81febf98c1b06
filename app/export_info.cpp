#include "app/export_info.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

#include "charinfo/info_text.h"
#include "charinfo/syllable.h"

namespace inkwren {
namespace {

std::optional<CharInfo> info_of(const QString& character, const ExportSetup& setup) {
    return setup.char_info.find(first_character(character));
}

// A definition may hold anything; a tab or a line end would break the line into fields.
QString field(QString text) {
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            c = u' ';
        }
    }
    return text;
}

QString strokes_field(const CharInfo& info, const ExportSetup& setup) {
    const int strokes = stroke_count(info, setup.taiwan_count);
    return strokes > 0 ? QString::number(strokes) : QString();
}

// Readings the syllable tables know, in zhuyin; for data a pinyin stand-in would mislead.
QStringList zhuyin_readings(const CharInfo& info) {
    QStringList zhuyin;
    for (const QString& reading : info.readings) {
        if (const QString written = zhuyin_of_pinyin(reading); !written.isEmpty()) {
            zhuyin << written;
        }
    }
    return zhuyin;
}

QJsonObject info_object(const QString& character, const ExportSetup& setup) {
    QJsonObject object{{QStringLiteral("character"), character}};
    const std::optional<CharInfo> info = info_of(character, setup);
    if (!info) {
        return object;
    }
    const auto put = [&object](const char* key, const QJsonValue& value, bool known) {
        if (known) {
            object.insert(QLatin1String(key), value);
        }
    };
    const QStringList zhuyin = zhuyin_readings(*info);
    put("pinyin", QJsonArray::fromStringList(info->readings), !info->readings.isEmpty());
    put("zhuyin", QJsonArray::fromStringList(zhuyin), !zhuyin.isEmpty());
    put("radical", info->radical_form, !info->radical_form.isEmpty());
    put("radical_number", info->radical, info->radical > 0);
    put("simplified_radical", info->simplified_radical, info->radical > 0);
    const int strokes = stroke_count(*info, setup.taiwan_count);
    put("strokes", strokes, strokes > 0);
    put("meaning", info->definition, !info->definition.isEmpty());
    return object;
}

}  // namespace

QByteArray info_lines(const QStringList& characters, const ExportSetup& setup) {
    QStringList lines;
    for (const QString& character : characters) {
        QStringList fields{character};
        if (const std::optional<CharInfo> info = info_of(character, setup)) {
            fields << info->readings.join(u", ") << zhuyin_readings(*info).join(u", ")
                   << radical_text(*info) << strokes_field(*info, setup) << field(info->definition);
        } else {
            fields << QString() << QString() << QString() << QString() << QString();
        }
        lines << fields.join(u'\t') + u'\n';
    }
    return lines.join(QString()).toUtf8();
}

QByteArray info_json(const QStringList& characters, const ExportSetup& setup) {
    QJsonArray array;
    for (const QString& character : characters) {
        array.append(info_object(character, setup));
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

}  // namespace inkwren
