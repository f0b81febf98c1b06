#include "output/character_list.h"

#include <QStringDecoder>

#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

// UTF-16 gives itself away by the zero byte of every ASCII character (a newline included) or
// by its byte order mark; GBK and Big5 by byte sequences UTF-8 does not allow.
QString utf8_list_text(const QByteArray& bytes, const QString& path) {
    const bool utf16 =
        bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.contains('\0');
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (utf16 || decoder.hasError()) {
        throw Error(QStringLiteral("The character list \"%1\" is not UTF-8 text%2; save it as "
                                   "UTF-8 and try again.")
                        .arg(path, utf16 ? QStringLiteral(" (it looks like UTF-16)")
                                         : QStringLiteral(" (it may be GBK or Big5)")));
    }
    return text;
}

}  // namespace

QStringList cjk_characters(const QString& text) {
    QStringList characters;
    for (const char32_t code : text.toUcs4()) {
        if (QChar::script(code) == QChar::Script_Han && QChar::isPrint(code)) {
            characters << QString::fromUcs4(&code, 1);
        }
    }
    return characters;
}

QStringList read_character_list(const QString& path) {
    const QString text = utf8_list_text(
        read_limited_file(path, QStringLiteral("The character list"), character_list_limit), path);
    QStringList characters;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        characters << cjk_characters(line.section(QLatin1Char('#'), 0, 0));
    }
    return characters;
}

}  // namespace inkwren
