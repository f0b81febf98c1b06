// Finding characters by a reading typed into the character field: the characters read as a
// pinyin or zhuyin syllable, most common first.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace inkwren {

class ReadingIndex {
public:
    struct Entry {
        char32_t character;
        QStringList readings;  // marked pinyin ("yǒng"); an unmarked one is the neutral tone
        int rank;              // lower is more common
    };

    ReadingIndex() = default;  // knows no character
    // Readings that are no Mandarin syllable are passed over.
    explicit ReadingIndex(const std::vector<Entry>& entries);

    // A pinyin syllable with or without a tone ("yong3", "yǒng", "yong") or zhuyin ("ㄩㄥˇ"):
    // the characters with that reading, most common first (by rank, then code point), each
    // once, at most `limit`. A query without a tone matches every tone. Empty when the text
    // is not a reading.
    std::vector<char32_t> characters_read_as(QStringView typed, std::size_t limit = 50) const;

private:
    struct Reader {
        int rank;
        char32_t character;
        int tone;  // 1–5
    };
    // By toneless syllable, sorted by rank, then character.
    QHash<QString, std::vector<Reader>> readers_;
};

}  // namespace inkwren
