#include "tools/char_info/unihan_source.h"

#include <QByteArrayView>
#include <QDir>

#include <algorithm>

#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren::tools {
namespace {

// The largest Unihan file is some 12 MB.
constexpr qint64 largest_source = 256 * 1024 * 1024;

[[noreturn]] void malformed(const QString& path, int line) {
    throw Error(QStringLiteral("%1, line %2: the line is malformed.").arg(path).arg(line));
}

// Calls take(line_number, text) for each line of the bytes that is neither empty nor a comment.
template <typename Take>
void for_each_data_line(const QByteArray& bytes, Take take) {
    int number = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        ++number;
        QByteArrayView line(bytes.constData() + start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (!line.isEmpty() && !line.startsWith('#')) {
            take(number, line);
        }
        start = end + 1;
    }
}

bool is_char_info_field(QByteArrayView name) {
    return std::find(char_info_fields.begin(), char_info_fields.end(), name) !=
           char_info_fields.end();
}

void read_unihan_file(const QString& path, const std::set<char32_t>& wanted, UnihanTable& table) {
    const QByteArray bytes =
        read_limited_file(path, QStringLiteral("The Unihan file"), largest_source);
    for_each_data_line(bytes, [&](int number, QByteArrayView line) {
        const qsizetype first_tab = line.indexOf('\t');
        const qsizetype second_tab = first_tab < 0 ? -1 : line.indexOf('\t', first_tab + 1);
        if (second_tab < 0) {
            malformed(path, number);
        }
        const QByteArrayView field = line.sliced(first_tab + 1, second_tab - first_tab - 1);
        if (!is_char_info_field(field)) {
            return;
        }
        char32_t character = 0;
        try {
            character = code_point_of(QString::fromLatin1(line.first(first_tab)));
        } catch (const Error&) {
            malformed(path, number);
        }
        if (wanted.contains(character)) {
            table[character][field.toByteArray()] = QString::fromUtf8(line.sliced(second_tab + 1));
        }
    });
}

}  // namespace

char32_t code_point_of(const QString& text) {
    bool ok = false;
    const uint code =
        text.startsWith(QLatin1String("U+")) && text.size() <= 8 ? text.mid(2).toUInt(&ok, 16) : 0;
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        throw Error(QStringLiteral("\"%1\" is not a code point.").arg(text));
    }
    return char32_t(code);
}

UnihanTable read_unihan(const QString& folder, const std::set<char32_t>& wanted) {
    UnihanTable table;
    for (const QString& name : unihan_file_names) {
        read_unihan_file(QDir(folder).filePath(name), wanted, table);
    }
    return table;
}

RadicalForms read_radical_forms(const QString& path) {
    const QByteArray bytes =
        read_limited_file(path, QStringLiteral("The radical table"), largest_source);
    RadicalForms forms;
    for_each_data_line(bytes, [&](int number, QByteArrayView line) {
        const QStringList parts = QString::fromUtf8(line).split(u';');
        if (parts.size() != 3 || parts[0].trimmed().isEmpty()) {
            malformed(path, number);
        }
        try {
            forms[parts[0].trimmed()] = code_point_of(QStringLiteral("U+") + parts[2].trimmed());
        } catch (const Error&) {
            malformed(path, number);
        }
    });
    return forms;
}

}  // namespace inkwren::tools
