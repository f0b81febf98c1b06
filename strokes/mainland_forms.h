// The traditional characters that keep the mainland's strokes in Taiwan's order: Taiwan writes
// them with another number of strokes than the stroke data holds, so the program says so wherever
// such a character is shown or printed. The archive builder lists them beside the archives.
#pragma once

#include <QString>

#include "strokes/stroke_archive.h"

namespace inkwren {

// UTF-8 text, one character a line; an installation without it marks nothing.
inline constexpr auto mainland_forms_file = "tstrokes-mainland-forms.txt";

// Whether the character keeps the mainland's form in the library the choice reads from folder:
// only the traditional library in Taiwan's order can say so. A missing or unreadable list marks
// nothing; its lines that are not exactly one character are passed over.
bool keeps_mainland_form(const QString& character, const ArchiveChoice& choice,
                         const QString& folder);

}  // namespace inkwren
