#include "app/practice_log.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <numeric>

#include <unistd.h>

#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

constexpr int field_count = 6;
// Larger than any count a learner makes; larger numbers mark a damaged line.
constexpr int largest_count = 999999;
// A character is one code point, two UTF-16 units at most; a little room is left for a
// character with a variation selector.
constexpr qsizetype longest_character = 4;
// Lines of about forty bytes: millions of characters practised.
constexpr qint64 largest_log = 64 * 1024 * 1024;

std::optional<int> count_of(const QByteArray& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > largest_count || text.startsWith('+')) {
        return std::nullopt;
    }
    return value;
}

[[noreturn]] void throw_write_error(const QString& path, const QString& reason) {
    throw Error(
        QStringLiteral("The practice log \"%1\" could not be written: %2.").arg(path, reason));
}

}  // namespace

int PracticeRecord::total_mistakes() const {
    return std::accumulate(mistakes.begin(), mistakes.end(), 0);
}

QByteArray format_practice_record(const PracticeRecord& record) {
    QList<QByteArray> counts;
    for (const int mistakes : record.mistakes) {
        counts.append(QByteArray::number(mistakes));
    }
    return record.finished.toUTC().toString(Qt::ISODate).toLatin1() + '\t' +
           record.character.toUtf8() + '\t' +
           QByteArray::number(qsizetype(record.mistakes.size())) + '\t' + counts.join(',') + '\t' +
           QByteArray::number(record.seconds) + '\t' + (record.whole ? '1' : '0') + '\n';
}

std::optional<PracticeRecord> parse_practice_record(const QByteArray& line) {
    const QList<QByteArray> fields = line.trimmed().split('\t');
    if (fields.size() != field_count) {
        return std::nullopt;
    }
    PracticeRecord record;
    record.finished = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
    record.character = QString::fromUtf8(fields[1]);
    const std::optional<int> strokes = count_of(fields[2]);
    const std::optional<int> seconds = count_of(fields[4]);
    if (!record.finished.isValid() || record.character.isEmpty() ||
        record.character.size() > longest_character || record.character.contains(QChar(0xFFFD)) ||
        !strokes || *strokes == 0 || !seconds || (fields[5] != "0" && fields[5] != "1")) {
        return std::nullopt;
    }
    const QList<QByteArray> counts = fields[3].split(',');
    if (counts.size() != *strokes) {
        return std::nullopt;
    }
    for (const QByteArray& text : counts) {
        const std::optional<int> mistakes = count_of(text);
        if (!mistakes) {
            return std::nullopt;
        }
        record.mistakes.push_back(*mistakes);
    }
    record.finished = record.finished.toUTC();
    record.seconds = *seconds;
    record.whole = fields[5] == "1";
    return record;
}

void append_practice_record(const QString& path, const PracticeRecord& record) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        throw_write_error(path, file.errorString());
    }
    const qint64 size = file.size();
    QByteArray line = format_practice_record(record);
    char last = '\n';
    if (size > 0 && (!file.seek(size - 1) || !file.getChar(&last))) {
        throw_write_error(path, file.errorString());
    }
    if (last != '\n') {
        line.prepend('\n');
    }
    errno = 0;
    const bool written =
        file.seek(size) && file.write(line) == line.size() && ::fsync(file.handle()) == 0;
    if (!written) {
        // A short write leaves no error of the file's own: the system's reason is in errno.
        const QString reason =
            errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        file.resize(size);
        throw_write_error(path, reason);
    }
}

std::vector<PracticeRecord> read_practice_log(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return {};
    }
    const QByteArray text =
        read_limited_file(path, QStringLiteral("The practice log"), largest_log);
    std::vector<PracticeRecord> records;
    for (const QByteArray& line : text.split('\n')) {
        if (std::optional<PracticeRecord> record = parse_practice_record(line)) {
            records.push_back(std::move(*record));
        }
    }
    return records;
}

QStringList characters_to_review(const std::vector<PracticeRecord>& records) {
    // The log is in the order of writing: the last line of a character is its latest.
    QStringList review;
    QStringList seen;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        if (seen.contains(record->character)) {
            continue;
        }
        seen.append(record->character);
        if (record->total_mistakes() > 0) {
            review.append(record->character);
        }
    }
    return review;
}

QStringList most_mistaken_characters(const std::vector<PracticeRecord>& records, int count) {
    struct Tally {
        int mistakes = 0;
        std::size_t last_line = 0;
    };
    std::map<QString, Tally> tallies;
    for (std::size_t line = 0; line < records.size(); ++line) {
        Tally& tally = tallies[records[line].character];
        tally.mistakes += records[line].total_mistakes();
        tally.last_line = line;
    }
    std::vector<std::pair<QString, Tally>> ranked;
    for (const auto& [character, tally] : tallies) {
        if (tally.mistakes > 0) {
            ranked.emplace_back(character, tally);
        }
    }
    std::ranges::sort(ranked, [](const auto& a, const auto& b) {
        return a.second.mistakes != b.second.mistakes ? a.second.mistakes > b.second.mistakes
                                                      : a.second.last_line > b.second.last_line;
    });
    QStringList characters;
    for (std::size_t at = 0; at < ranked.size() && int(at) < count; ++at) {
        characters.append(ranked[at].first);
    }
    return characters;
}

}  // namespace inkwren
