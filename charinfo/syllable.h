// One Mandarin syllable and its spellings: pinyin with tone marks or digits, and zhuyin
// (bopomofo) as Taiwan writes it. Readers accept only the syllables Mandarin has.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace inkwren {

struct Syllable {
    QString letters;  // lower-case toneless pinyin, ü written "ü" ("lü", "nüe", "er", "zhi")
    int tone = 0;     // 1–4, 5 for the neutral tone, 0 when not given (a search for any tone)

    bool operator==(const Syllable&) const = default;
};

// Pinyin as people type it or Unihan writes it: "yǒng", "yong3", "lv4", "lu:4", "Yong", "yong"
// (no tone: 0), "yong5" or "yong0" (neutral), blanks around it. nullopt unless it is exactly one
// Mandarin syllable. The interjections m, n, ng, hm and hng are syllables too ("ḿ", "ǹg").
std::optional<Syllable> parse_pinyin(QStringView text);

// Zhuyin: "ㄩㄥˇ", "˙ㄉㄜ" (the neutral tone's dot may also follow). With no tone sign the
// syllable has the first tone, as zhuyin has no way to leave the tone open; "ˉ" marks it too.
std::optional<Syllable> parse_zhuyin(QStringView text);

// Either kind: zhuyin when the text holds a zhuyin letter, else pinyin.
std::optional<Syllable> parse_reading(QStringView text);

// "yǒng", "lǘ", "ér"; the neutral tone and tone 0 carry no mark.
QString marked_pinyin(const Syllable& syllable);

// "ㄩㄥˇ", "˙ㄉㄜ"; the first tone and tone 0 carry no mark. Empty when the letters are not a
// Mandarin syllable.
QString zhuyin_of(const Syllable& syllable);

// A dictionary's reading in zhuyin: "yǒng" -> "ㄩㄥˇ", "de" -> "˙ㄉㄜ" (unmarked is the neutral
// tone). Empty when the text is not a pinyin syllable.
QString zhuyin_of_pinyin(QStringView marked);

// Every Mandarin syllable's toneless letters, in alphabetical order.
const QStringList& mandarin_syllables();

}  // namespace inkwren
