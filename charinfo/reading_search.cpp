#include "charinfo/reading_search.h"

#include "charinfo/syllable.h"

#include <algorithm>
#include <tuple>

namespace inkwren {

ReadingIndex::ReadingIndex(const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
        for (const QString& reading : entry.readings) {
            const std::optional<Syllable> syllable = parse_pinyin(reading);
            if (syllable) {
                // Unihan leaves the neutral tone unmarked.
                const int tone = syllable->tone == 0 ? 5 : syllable->tone;
                readers_[syllable->letters].push_back({entry.rank, entry.character, tone});
            }
        }
    }
    for (std::vector<Reader>& readers : readers_) {
        std::sort(readers.begin(), readers.end(), [](const Reader& a, const Reader& b) {
            return std::tie(a.rank, a.character, a.tone) < std::tie(b.rank, b.character, b.tone);
        });
    }
}

std::vector<char32_t> ReadingIndex::characters_read_as(QStringView typed, std::size_t limit) const {
    std::vector<char32_t> found;
    const std::optional<Syllable> syllable = parse_reading(typed);
    if (!syllable) {
        return found;
    }
    const auto readers = readers_.constFind(syllable->letters);
    if (readers == readers_.constEnd()) {
        return found;
    }
    for (const Reader& reader : *readers) {
        if (found.size() >= limit) {
            break;
        }
        const bool tone_matches = syllable->tone == 0 || syllable->tone == reader.tone;
        // A character's readings of one syllable lie side by side, being sorted by character.
        const bool seen = !found.empty() && found.back() == reader.character;
        if (tone_matches && !seen) {
            found.push_back(reader.character);
        }
    }
    return found;
}

}  // namespace inkwren
