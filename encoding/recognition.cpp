#include "encoding/recognition.h"

#include "platform/code_page.h"
#include "strokes/archive_format.h"

#include <algorithm>

namespace inkwren {
namespace {

constexpr std::int32_t detection_order[] = {
    encoding_mode::unicode_simplified,
    encoding_mode::unicode_traditional,
    encoding_mode::gb,
    encoding_mode::big5,
};

int code_page_of_mode(std::int32_t mode, int legacy_code_page) {
    switch (mode) {
        case encoding_mode::unicode_traditional:
            return big5_code_page;
        case encoding_mode::unicode_simplified:
            return gbk_code_page;
        default:
            return legacy_code_page;
    }
}

// An index name holds a few bytes, and every character converts to one byte at least (a
// character a code page lacks becomes "?"); a UTF-16 text has at least half as many characters
// as code units. A longer text can name no entry.
constexpr qsizetype longest_naming_text = 2 * std::max(big5_name_capacity, gb_name_capacity);

// The part of a text a conversion reads: it ends at the first NUL. Only the first few code
// units are looked at, so a text of megabytes costs nothing here.
QStringView converted_part(const QString& text) {
    const QStringView head = QStringView(text).left(longest_naming_text + 1);
    const qsizetype nul = head.indexOf(QChar(0));
    return nul < 0 ? QStringView(text) : head.left(nul);
}

bool key_present(const CharacterKey& key, std::int32_t mode, const QString& index_path) {
    return in_dictionary(index_path, key.archive_key, column_for_mode(mode));
}

}  // namespace

QByteArray archive_key_for(const QString& key_text, int legacy_code_page) {
    return to_code_page(key_text, legacy_code_page) + ".wrt";
}

QString archived_character(const QString& key_text, IndexColumn column, int legacy_code_page) {
    return from_code_page(to_code_page(key_text, legacy_code_page),
                          column == IndexColumn::big5 ? big5_code_page : gbk_code_page);
}

CharacterKey build_key(const QString& text, std::int32_t mode, int legacy_code_page) {
    const QByteArray bytes = to_code_page(text, code_page_of_mode(mode, legacy_code_page));
    CharacterKey key;
    key.key_text = from_code_page(bytes, legacy_code_page);
    key.archive_key = archive_key_for(key.key_text, legacy_code_page);
    return key;
}

std::optional<CharacterKey> recognise_text(const QString& text, EncodingState& state,
                                           const QString& index_path, int legacy_code_page) {
    // A text that cannot name an entry ends where a detection through every reading would, with
    // nothing of it converted (a document of megabytes copied anywhere, say).
    const QStringView part = converted_part(text);
    if (part.size() > longest_naming_text) {
        if (state.autodetect) {
            state.encoding_mode = std::end(detection_order)[-1];
        }
        return std::nullopt;
    }
    const QString convertible = part.toString();
    CharacterKey key = build_key(convertible, state.encoding_mode, legacy_code_page);
    bool present = key_present(key, state.encoding_mode, index_path);
    if (!present && state.autodetect) {
        for (const std::int32_t mode : detection_order) {
            state.encoding_mode = mode;
            key = build_key(convertible, mode, legacy_code_page);
            present = key_present(key, mode, index_path);
            if (present) {
                break;
            }
        }
    }
    // The final presence check of a detection would scan the index once more for the answer
    // already in hand; the index cannot change in between, so the answer is kept instead.
    if (!present) {
        return std::nullopt;
    }
    return key;
}

}  // namespace inkwren
