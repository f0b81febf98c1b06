// How a character's Unihan fields become its entry in the character information file: which
// readings come first, which radical form stands for it, and how common it ranks.
#pragma once

#include "charinfo/char_info.h"
#include "tools/char_info/unihan_source.h"

#include <vector>

namespace inkwren::tools {

// The entry of one character, its rank left at 0. Throws Error naming the character when a
// value is malformed or out of range.
CharInfo char_info_of(char32_t character, const UnihanFields& fields, const RadicalForms& radicals);

// Numbers the entries from 0, most common first: by frequency (none counts as 6), school grade
// (none as 7), mainland stroke count (none as 99), then code point.
void rank_by_commonness(std::vector<CharInfo>& entries);

// Every character's entry, ranked, in code point order.
std::vector<CharInfo> char_infos_of(const UnihanTable& table, const RadicalForms& radicals);

}  // namespace inkwren::tools
