// What Inkwren knows about a character beyond its strokes: its readings, meaning, radical,
// stroke counts, other forms and how common it is. The build extracts it from Unihan into one
// compact file (charinfo_format.h); the program only reads that file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QFile;

namespace inkwren {

struct CharInfo {
    char32_t character = 0;
    QStringList readings;             // pinyin with tone marks ("yǒng"), the most common first
    QString definition;               // a short English meaning; empty when none is known
    int radical = 0;                  // the Kangxi radical's number, 1–214; 0 when unknown
    bool simplified_radical = false;  // the radical's simplified form (讠 rather than 言)
    QString radical_form;             // the radical as a character (水, 讠)
    int strokes_simplified = 0;       // strokes as the mainland's standard counts them; 0 unknown
    int strokes_traditional = 0;      // as Taiwan's standard counts them; 0 unknown
    std::vector<char32_t> simplified_forms;  // other forms, never the character itself
    std::vector<char32_t> traditional_forms;
    int frequency = 0;  // 1 (most common) to 5; 0 when unknown
    int grade = 0;      // the school grade it is taught in, 1–6; 0 when unknown
    int rank = 0;       // its place when every character is sorted most common first, from 0

    bool operator==(const CharInfo&) const = default;
};

// The character information file, checked whole once and then looked up by character in a
// read-only mapping of it, so that only the pages looked up take memory.
class CharInfoTable {
public:
    CharInfoTable() = default;  // knows no character

    // Reads the file; a missing, short or damaged file throws Error naming it.
    static CharInfoTable load(const QString& path);

    std::optional<CharInfo> find(char32_t character) const;
    // Every entry, in code point order.
    std::size_t size() const;
    CharInfo at(std::size_t index) const;
    // The same with only the character, its readings and its rank, for building an index of
    // readings without decoding every meaning.
    CharInfo readings_at(std::size_t index) const;

private:
    CharInfoTable(QByteArray bytes, std::shared_ptr<QFile> mapping);
    const char* entry(std::size_t index) const;
    QString pool_text(const char* entry, int field) const;

    std::shared_ptr<QFile> mapping_;  // keeps the mapped file while bytes_ point into it
    QByteArray bytes_;                // the whole file, checked by load()
    std::size_t count_ = 0;
};

// Writes entries (in any order) to a character information file, as the build's tool does.
void write_char_info(std::vector<CharInfo> entries, const QString& path);

// The file's name in the installation folder.
inline constexpr auto char_info_file_name = "charinfo.dat";

}  // namespace inkwren
