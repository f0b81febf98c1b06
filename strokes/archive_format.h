// The layout of a stroke archive index entry, shared by the archive's reader and its writer: a
// Big5 name and a GB name as length-prefixed fields, then the plain and packed sizes of the
// entry's data as 32-bit little-endian integers.
#pragma once

namespace inkwren {

inline constexpr int index_entry_size = 48;

inline constexpr int big5_name_offset = 0;
inline constexpr int big5_name_capacity = 10;
inline constexpr int gb_name_offset = 11;
inline constexpr int gb_name_capacity = 24;
inline constexpr int plain_size_offset = 36;
inline constexpr int packed_size_offset = 40;

}  // namespace inkwren
