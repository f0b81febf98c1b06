// The layout of the character information file, shared by the program's reader and the build's
// writer. A 16-byte header, then one 32-byte entry per character in rising code point order,
// then a pool of NUL-terminated UTF-8 texts the entries point into. Numbers are little-endian;
// a pool offset of 0 is the empty text.
#pragma once

#include <cstdint>

namespace inkwren {

inline constexpr char char_info_magic[4] = {'I', 'W', 'C', 'I'};
inline constexpr std::uint16_t char_info_version = 1;

inline constexpr int char_info_header_size = 16;
inline constexpr int char_info_magic_offset = 0;
inline constexpr int char_info_version_offset = 4;  // 16 bits, then 16 bits kept at 0
inline constexpr int char_info_count_offset = 8;    // 32 bits: the number of entries
inline constexpr int char_info_pool_size_offset = 12;

inline constexpr int char_info_entry_size = 32;
// 32-bit fields of an entry:
inline constexpr int entry_character_offset = 0;
inline constexpr int entry_readings_offset = 4;  // the readings, separated by single spaces
inline constexpr int entry_definition_offset = 8;
inline constexpr int entry_simplified_offset = 12;  // the other forms, written one after another
inline constexpr int entry_traditional_offset = 16;
inline constexpr int entry_radical_form_offset = 20;
// 8-bit fields, then the 16-bit rank:
inline constexpr int entry_radical_offset = 24;
inline constexpr int entry_flags_offset = 25;
inline constexpr int entry_strokes_simplified_offset = 26;
inline constexpr int entry_strokes_traditional_offset = 27;
inline constexpr int entry_frequency_offset = 28;
inline constexpr int entry_grade_offset = 29;
inline constexpr int entry_rank_offset = 30;

inline constexpr std::uint8_t flag_simplified_radical = 1;

inline constexpr int largest_radical = 214;
inline constexpr int largest_frequency = 5;
inline constexpr int largest_grade = 12;

}  // namespace inkwren
