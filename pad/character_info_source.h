// Where the pad's character information comes from: the information file of the installation
// folder, read at its first use, and the index of readings built at the first search. A missing
// or damaged file leaves the pad without information rather than stopping it.
#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "charinfo/char_info.h"
#include "charinfo/reading_search.h"

namespace inkwren {

class CharacterInfoSource {
public:
    explicit CharacterInfoSource(QString path) : path_(std::move(path)) {}

    // What is known of a text of one character; nothing for anything else.
    std::optional<CharInfo> info_of(const QString& character) const;

    // The characters read as a typed reading that the library holds, with what is known of
    // them, most common first, the
    // other standard's forms (愛 for the simplified library, 爱 for the traditional) after
    // the library's own; none when the text is not a reading.
    std::vector<CharInfo> characters_read_as(const QString& typed, bool simplified_library,
                                             std::size_t limit) const;

    // Builds the index of readings ahead of the first search, as the field is entered.
    void prepare_search() const;

private:
    const CharInfoTable& table() const;

    QString path_;
    mutable std::optional<CharInfoTable> table_;
    mutable std::unique_ptr<ReadingIndex> index_;
};

}  // namespace inkwren
