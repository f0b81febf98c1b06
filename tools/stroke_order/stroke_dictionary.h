// The stroke dictionary of the rime input method (stroke.dict.yaml): for each character the kinds
// of its strokes in writing order, one letter each: h s p n z (橫 豎 撇 捺/點 折). Where it gives a
// character twice, the first entry follows Taiwan's standard (CNS 11643) and the second the
// mainland's; a character given once is written alike in both.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <string>
#include <string_view>

namespace inkwren::tools {

// The kinds' letters; a kind is also named by its place in this list.
inline constexpr std::string_view stroke_kinds = "hspnz";
inline constexpr int stroke_kind_count = 5;

struct StrokeSequences {
    std::string taiwan;
    std::string mainland;
};

using StrokeDictionary = QHash<QString, StrokeSequences>;

// Reads the dictionary's entries of single characters; other lines (the YAML header, comments,
// phrases, codes with other letters) are passed over. Throws Error when the file cannot be read
// or holds no entry.
StrokeDictionary read_stroke_dictionary(const QString& path);

// The same from the file's bytes.
StrokeDictionary parse_stroke_dictionary(const QByteArray& text);

}  // namespace inkwren::tools
