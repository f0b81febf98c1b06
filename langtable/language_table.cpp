#include "langtable/language_table.h"

#include <QFileInfo>
#include <QStringDecoder>

#include "platform/code_page.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

// Only ASCII blanks and control characters are trimmed: a translator may mean a full-width
// space at either end of a text.
bool is_blank_or_control(QChar c) {
    return c == u' ' || c.category() == QChar::Other_Control;
}

QString trimmed_of_blanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && is_blank_or_control(text[begin])) {
        ++begin;
    }
    while (end > begin && is_blank_or_control(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin).toString();
}

bool is_comment(const QString& trimmed_line) {
    return trimmed_line.size() <= 1 || trimmed_line.startsWith(u'*');
}

// Our own files are UTF-8; a user's file written by an older editor is in the legacy code
// page. The decoder is stateless so that a cut-off sequence at the end counts as invalid; a
// leading byte-order mark is dropped, so the first key is found like any other.
QString decode_language_file(const QByteArray& bytes, int legacy_code_page) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        return from_code_page(bytes, legacy_code_page);
    }
    return text;
}

// Lines end in LF, CR LF or a lone CR; the empty pieces this leaves are comment lines.
QList<QStringView> split_lines(const QString& text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' || text[i] == u'\r') {
            lines.append(QStringView(text).sliced(start, i - start));
            start = i + 1;
        }
    }
    lines.append(QStringView(text).sliced(start));
    return lines;
}

}  // namespace

std::optional<LanguageEntry> split_entry(const QString& line) {
    const QString trimmed = trimmed_of_blanks(line);
    if (is_comment(trimmed)) {
        return std::nullopt;
    }
    const qsizetype space = trimmed.indexOf(u' ');
    if (space < 0) {
        return std::nullopt;
    }
    return LanguageEntry{trimmed_of_blanks(QStringView(trimmed).first(space)),
                         trimmed_of_blanks(QStringView(trimmed).sliced(space + 1))};
}

QString LanguageTable::lookup_text(const QString& key) const {
    for (const LanguageEntry& entry : entries_) {
        if (entry.key == key) {
            return entry.text;
        }
    }
    return {};
}

bool LanguageTable::load_language(const QString& path, int legacy_code_page) {
    if (!QFileInfo::exists(path)) {
        return false;
    }
    const QString text = decode_language_file(
        read_whole_file(path, QStringLiteral("The language file")), legacy_code_page);
    for (QStringView line : split_lines(text)) {
        if (auto entry = split_entry(line.toString())) {
            entries_.push_back(std::move(*entry));
        }
    }
    return true;
}

void LanguageTable::clear() {
    entries_.clear();
}

}  // namespace inkwren
