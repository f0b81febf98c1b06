#include "pad/character_info_source.h"

#include <QDebug>
#include <QFileInfo>

#include "platform/code_page.h"
#include "platform/error.h"

namespace inkwren {
namespace {

// Readings found are filtered by the library's code page, so more are asked of the index than
// are shown.
constexpr std::size_t candidates_per_shown = 4;

// Each library holds the characters that have a code in its code page.
bool in_library(const QString& character, bool simplified_library) {
    return to_code_page(character, simplified_library ? gbk_code_page : big5_code_page) != "?";
}

// A traditional form has a simplified form besides it, and the other way round.
bool of_other_standard(const CharInfo& info, bool simplified_library) {
    return simplified_library ? !info.simplified_forms.empty() : !info.traditional_forms.empty();
}

}  // namespace

const CharInfoTable& CharacterInfoSource::table() const {
    // An installation without the file has no information to show; a damaged one is told of
    // once, on the terminal, as the pad goes on without it.
    if (!table_) {
        table_.emplace();
        if (QFileInfo::exists(path_)) {
            try {
                table_ = CharInfoTable::load(path_);
            } catch (const Error& error) {
                qWarning().noquote() << error.message();
            }
        }
    }
    return *table_;
}

std::optional<CharInfo> CharacterInfoSource::info_of(const QString& character) const {
    const QList<uint> code = character.toUcs4();
    if (code.size() != 1) {
        return std::nullopt;
    }
    return table().find(code.front());
}

void CharacterInfoSource::prepare_search() const {
    if (!index_) {
        const CharInfoTable& known = table();
        std::vector<ReadingIndex::Entry> entries;
        entries.reserve(known.size());
        for (std::size_t index = 0; index < known.size(); ++index) {
            CharInfo info = known.readings_at(index);
            entries.push_back({info.character, std::move(info.readings), info.rank});
        }
        index_ = std::make_unique<ReadingIndex>(entries);
        // Opening a code page's converter takes milliseconds the first time: not as a key is typed.
        in_library(QStringLiteral("永"), true);
        in_library(QStringLiteral("永"), false);
    }
}

std::vector<CharInfo> CharacterInfoSource::characters_read_as(const QString& typed,
                                                              bool simplified_library,
                                                              std::size_t limit) const {
    prepare_search();
    std::vector<CharInfo> own;
    std::vector<CharInfo> others;
    for (char32_t code : index_->characters_read_as(typed, limit * candidates_per_shown)) {
        // The index is built from the table, so every character it gives is there.
        std::optional<CharInfo> info = table().find(code);
        if (!info || !in_library(QString::fromUcs4(&code, 1), simplified_library)) {
            continue;
        }
        (of_other_standard(*info, simplified_library) ? others : own).push_back(std::move(*info));
    }
    own.insert(own.end(), others.begin(), others.end());
    own.resize(std::min(own.size(), limit));
    return own;
}

}  // namespace inkwren
