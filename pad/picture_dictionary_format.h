// The layout of the picture dictionary, shared by the pad that reads it and the tool that writes
// it: the file names, the 44-byte index entry and the code page its keys are in.
#pragma once

#include "platform/code_page.h"

namespace inkwren {

inline constexpr auto picture_index_name = "hk_dict.dat";
inline constexpr auto picture_data_name = "hk_kai.dat";

// Keys are a character's code in this code page whatever the user's legacy code page is, so
// the one dictionary serves every user.
inline constexpr int picture_dictionary_code_page = gbk_code_page;

// An index entry: the key, then the picture's length and its offset in the data file, each a
// length-prefixed field; the numbers are decimal texts.
inline constexpr int picture_entry_size = 44;
inline constexpr int picture_key_offset = 0;
inline constexpr int picture_key_capacity = 21;
inline constexpr int picture_length_offset = 22;
inline constexpr int picture_offset_offset = 33;
inline constexpr int picture_number_capacity = 10;

}  // namespace inkwren
