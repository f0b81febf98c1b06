// The encoding modes: how a received text becomes an archive key and which index column is
// searched. The user picks a mode from the encoding menu or lets the program detect it.
#pragma once

#include <cstdint>
#include <optional>

#include "strokes/stroke_archive.h"

namespace inkwren {

namespace encoding_mode {
inline constexpr std::int32_t autodetect_stored = 0;  // only ever stored, never in force
inline constexpr std::int32_t unicode_traditional = 1;
inline constexpr std::int32_t unicode_simplified = 2;
inline constexpr std::int32_t unnamed = 3;  // no menu item; behaves as big5
inline constexpr std::int32_t big5 = 4;
inline constexpr std::int32_t gb = 5;
}  // namespace encoding_mode

struct EncodingState {
    std::int32_t encoding_mode = encoding_mode::gb;
    bool autodetect = false;
    std::int32_t stored_encoding_mode = encoding_mode::gb;
};

// The five items of the encoding menu.
enum class EncodingItem { autodetect, unicode_traditional, unicode_simplified, big5, gb };

// What choosing an item does to the state; the menu handler then moves the check mark and
// rewrites the preference record, even when the item was already checked.
void choose_encoding_item(EncodingState& state, EncodingItem item);

// The item start-up activates for a stored mode; none for a value without an item (such as 3).
std::optional<EncodingItem> item_for_stored_mode(std::int32_t stored_mode);

IndexColumn column_for_mode(std::int32_t mode);

}  // namespace inkwren
