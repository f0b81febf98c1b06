// Character information entries as tests print them: every field, legibly.
#pragma once

#include <QString>

#include <ostream>

#include "charinfo/char_info.h"

namespace inkwren {

inline std::string text_of(const std::vector<char32_t>& characters) {
    return QString::fromUcs4(characters.data(), qsizetype(characters.size())).toStdString();
}

inline void PrintTo(const CharInfo& info, std::ostream* out) {
    *out << text_of({info.character}) << " readings \"" << info.readings.join(u' ').toStdString()
         << "\" definition \"" << info.definition.toStdString() << "\" radical " << info.radical
         << (info.simplified_radical ? "'" : "") << " " << info.radical_form.toStdString()
         << " strokes " << info.strokes_simplified << "/" << info.strokes_traditional
         << " simplified \"" << text_of(info.simplified_forms) << "\" traditional \""
         << text_of(info.traditional_forms) << "\" frequency " << info.frequency << " grade "
         << info.grade << " rank " << info.rank;
}

}  // namespace inkwren
