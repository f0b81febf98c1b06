// The characters a batch of output is made for: every Chinese character of a text, in order,
// everything else (blanks, Latin letters, punctuation) left out.
#pragma once

#include <QString>
#include <QStringList>

namespace inkwren {

// A list is text typed or pasted by a teacher; anything larger is a file given by mistake.
inline constexpr qint64 character_list_limit = 16 * 1024 * 1024;

// Each Han character of the text, one entry per character (a character beyond the Basic
// Multilingual Plane is one entry of two UTF-16 units).
QStringList cjk_characters(const QString& text);

// The characters of a UTF-8 list file (a byte order mark allowed): "#" starts a comment that
// runs to the end of its line, blank lines are ignored. Throws Error naming the file when it
// cannot be read, is not an ordinary file, is larger than character_list_limit, or is not UTF-8.
QStringList read_character_list(const QString& path);

}  // namespace inkwren
