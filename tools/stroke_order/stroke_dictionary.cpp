#include "tools/stroke_order/stroke_dictionary.h"

#include <QFile>
#include <QList>
#include <QSet>

#include "platform/error.h"

namespace inkwren::tools {
namespace {

bool is_one_character(const QString& text) {
    return text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate());
}

bool is_kind_sequence(const QByteArray& code) {
    if (code.isEmpty()) {
        return false;
    }
    for (const char letter : code) {
        if (stroke_kinds.find(letter) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// Entries follow the line "..." that ends the YAML header.
qsizetype first_entry_line(const QList<QByteArray>& lines) {
    for (qsizetype line = 0; line < lines.size(); ++line) {
        if (lines[line].trimmed() == "...") {
            return line + 1;
        }
    }
    return 0;
}

}  // namespace

StrokeDictionary parse_stroke_dictionary(const QByteArray& text) {
    StrokeDictionary dictionary;
    QSet<QString> given_twice;  // a third entry, where there is one, is neither standard's
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype line = first_entry_line(lines); line < lines.size(); ++line) {
        const QList<QByteArray> fields = lines[line].trimmed().split('\t');
        if (fields.size() < 2 || fields[0].startsWith('#')) {
            continue;
        }
        const QString character = QString::fromUtf8(fields[0]);
        if (!is_one_character(character) || !is_kind_sequence(fields[1])) {
            continue;
        }
        const std::string kinds = fields[1].toStdString();
        const auto found = dictionary.find(character);
        if (found == dictionary.end()) {
            dictionary.insert(character, StrokeSequences{kinds, kinds});
        } else if (!given_twice.contains(character)) {
            found->mainland = kinds;
            given_twice.insert(character);
        }
    }
    return dictionary;
}

StrokeDictionary read_stroke_dictionary(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("The stroke dictionary \"%1\" cannot be read: %2.")
                        .arg(path, file.errorString()));
    }
    StrokeDictionary dictionary = parse_stroke_dictionary(file.readAll());
    if (dictionary.isEmpty()) {
        throw Error(QStringLiteral("The stroke dictionary \"%1\" holds no character.").arg(path));
    }
    return dictionary;
}

}  // namespace inkwren::tools
