#include "output/character_list.h"

#include "platform/whole_file.h"

namespace inkwren {

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
    const QString text =
        QString::fromUtf8(read_whole_file(path, QStringLiteral("The character list")));
    QStringList characters;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        characters << cjk_characters(line.section(QLatin1Char('#'), 0, 0));
    }
    return characters;
}

}  // namespace inkwren
