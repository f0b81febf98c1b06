// The practice log, "practice.log" beside prefer.cfg: a line for each character a learner has
// finished writing, appended as it is finished, and read back to find the characters worth
// practising again.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace inkwren {

struct PracticeRecord {
    QDateTime finished;  // in UTC, to the second
    QString character;
    std::vector<int> mistakes;  // one count for each stroke, in stroke order
    int seconds = 0;            // from the first stroke begun to the last one accepted
    bool whole = true;          // every stroke written, none skipped or given after mistakes

    int total_mistakes() const;
    bool operator==(const PracticeRecord&) const = default;
};

// One line, fields apart by tabs: the time (ISO 8601, UTC), the character, the number of
// strokes, the mistakes of each stroke apart by commas, the seconds, and 1 when written whole
// or 0; then a line feed.
QByteArray format_practice_record(const PracticeRecord& record);

// A line as written; nothing when it is damaged in any way.
std::optional<PracticeRecord> parse_practice_record(const QByteArray& line);

// Adds the record at the end of the log, made if missing. The line goes whole or not at all: a
// failed write (a full disk) takes back what it added and throws Error, and a line a crash left
// without its end is closed first.
void append_practice_record(const QString& path, const PracticeRecord& record);

// The records of the log in order, damaged lines skipped; none when there is no log. Throws
// Error when the log is there but cannot be read.
std::vector<PracticeRecord> read_practice_log(const QString& path);

// The characters whose last writing had mistakes, the most recently written first.
QStringList characters_to_review(const std::vector<PracticeRecord>& records);

// The characters with the most mistakes over the whole log, at most count of them; among equals,
// the one written last first.
QStringList most_mistaken_characters(const std::vector<PracticeRecord>& records, int count);

}  // namespace inkwren
