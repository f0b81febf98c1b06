// The parts of Unicode's Han database (Unihan, as plain text files) and of its radical table
// (CJKRadicals.txt) that the character information is made from.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <set>
#include <vector>

namespace inkwren::tools {

// One character's Unihan values by field name ("kMandarin"), each as the file writes it.
using UnihanFields = std::map<QByteArray, QString>;

// The fields of each character that has any.
using UnihanTable = std::map<char32_t, UnihanFields>;

// The Unihan files the character information needs, by name; Unihan 15 keeps the stroke counts
// and radicals among the sources.
inline const std::vector<QString> unihan_file_names = {
    QStringLiteral("Unihan_Readings.txt"), QStringLiteral("Unihan_Variants.txt"),
    QStringLiteral("Unihan_IRGSources.txt"), QStringLiteral("Unihan_DictionaryLikeData.txt")};

// The fields the character information is made of; read_unihan passes over the rest.
inline const std::vector<QByteArray> char_info_fields = {
    "kMandarin",     "kXHC1983",           "kHanyuPinyin",        "kDefinition", "kRSUnicode",
    "kTotalStrokes", "kSimplifiedVariant", "kTraditionalVariant", "kFrequency",  "kGradeLevel"};

// Reads char_info_fields of the wanted characters from the Unihan files in folder. Throws Error
// naming the file when one cannot be read, and its line when a line is malformed.
UnihanTable read_unihan(const QString& folder, const std::set<char32_t>& wanted);

// Each radical number as CJKRadicals writes it ("120", "120'") and the unified ideograph
// made of that radical alone (纟 for 120').
using RadicalForms = std::map<QString, char32_t>;

// Throws Error naming the file when it cannot be read or a line is malformed.
RadicalForms read_radical_forms(const QString& path);

// The character of a "U+6C38" code point; throws Error when it is not one.
char32_t code_point_of(const QString& text);

}  // namespace inkwren::tools
