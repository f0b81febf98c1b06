#include "charinfo/info_text.h"

#include <QStringList>

#include "charinfo/syllable.h"

namespace inkwren {
namespace {

// Two spaces between the readings and the meaning set them apart more clearly than one.
constexpr auto reading_meaning_gap = "  ";

QString zhuyin_or_pinyin(const QString& reading) {
    const QString zhuyin = zhuyin_of_pinyin(reading);
    return zhuyin.isEmpty() ? reading : zhuyin;
}

QString reading_in(const QString& reading, ReadingScript script) {
    switch (script) {
        case ReadingScript::pinyin:
            return reading;
        case ReadingScript::zhuyin:
            return zhuyin_or_pinyin(reading);
        case ReadingScript::both: {
            const QString zhuyin = zhuyin_of_pinyin(reading);
            return zhuyin.isEmpty() ? reading : reading + u' ' + zhuyin;
        }
        case ReadingScript::none:
            break;
    }
    return {};
}

}  // namespace

QString readings_text(const CharInfo& info, ReadingScript script) {
    if (script == ReadingScript::none) {
        return {};
    }
    QStringList written;
    for (const QString& reading : info.readings) {
        written << reading_in(reading, script);
    }
    return written.join(u", ");
}

QString info_line(const CharInfo& info, ReadingScript script) {
    QStringList parts;
    for (const QString& part : {readings_text(info, script), info.definition.trimmed()}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QLatin1String(reading_meaning_gap));
}

QString radical_text(const CharInfo& info) {
    if (info.radical <= 0) {
        return {};
    }
    QString number = QString::number(info.radical);
    if (info.simplified_radical) {
        number += u'\'';
    }
    return info.radical_form.isEmpty() ? number : info.radical_form + u' ' + number;
}

int stroke_count(const CharInfo& info, bool taiwan_count) {
    return taiwan_count && info.strokes_traditional > 0 ? info.strokes_traditional
                                                        : info.strokes_simplified;
}

ReadingScript default_script(bool traditional_library) {
    return traditional_library ? ReadingScript::zhuyin : ReadingScript::pinyin;
}

char32_t first_character(const QString& text) {
    const QList<uint> points = QStringView(text).trimmed().left(2).toUcs4();
    return points.isEmpty() ? 0 : char32_t(points.front());
}

}  // namespace inkwren
