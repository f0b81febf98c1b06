// A character's information as the worksheets, the sheets, the exporter and the window write it:
// its readings in the script chosen, its radical and a line of reading and meaning.
#pragma once

#include <QString>

#include "charinfo/char_info.h"

namespace inkwren {

enum class ReadingScript { pinyin, zhuyin, both, none };

// Every reading, the most common first, ", " between them; with both scripts each reading is
// its pinyin and its zhuyin ("yǒng ㄩㄥˇ"). A reading without a zhuyin form keeps its pinyin.
QString readings_text(const CharInfo& info, ReadingScript script);

// The readings, then the meaning: the line under a character's sheet ("yǒng  long, eternal").
// Whatever is unknown or not wanted is left out with its separator.
QString info_line(const CharInfo& info, ReadingScript script);

// The radical as a character and its number, a simplified radical's number marked with an
// apostrophe ("水 85", "讠 149'"); empty when unknown.
QString radical_text(const CharInfo& info);

// The stroke count as Taiwan's standard counts it (the traditional library in Taiwan's order)
// or as the mainland's does; a count Taiwan's standard lacks is the mainland's. 0 when unknown.
int stroke_count(const CharInfo& info, bool taiwan_count);

// Readers of the traditional library read zhuyin, those of the simplified one pinyin.
ReadingScript default_script(bool traditional_library);

// The first character of a text past any blanks, for looking it up; 0 for a blank text.
char32_t first_character(const QString& text);

}  // namespace inkwren
