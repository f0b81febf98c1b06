// What the information strip under the panel says of the character shown: its readings in
// pinyin and zhuyin, its meaning, its radical and stroke count, and its other forms. Lines with
// nothing to say are empty; the strip shows no placeholder.
#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "charinfo/char_info.h"

namespace inkwren {

struct OtherForms {
    QString label;  // "Simplified: %1", in the language in force
    std::vector<QString> characters;

    bool operator==(const OtherForms&) const = default;
};

struct InfoStripText {
    QString readings;  // "yù ㄩˋ", the most common reading first
    QString meaning;
    QString radical_and_strokes;  // "Radical 鬯 192 · 29 strokes"
    std::vector<OtherForms> other_forms;

    bool operator==(const InfoStripText&) const = default;
};

// taiwan_count: the stroke count of Taiwan's standard rather than the mainland's. text gives the
// words of the language in force by their keys.
InfoStripText info_strip_text(const CharInfo& info, bool taiwan_count,
                              const std::function<QString(const char*)>& text);

}  // namespace inkwren
