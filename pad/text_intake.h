// The file side of text intake: the two file-name helpers of the drop handler and the line by
// line copy that installs a user language file.
#pragma once

#include <QString>

namespace inkwren {

// The last path component, trimmed; empty for a bare name without any folder.
QString Get_filename(const QString& path);

// What follows the last ".", trimmed; empty when there is no ".".
QString Get_file_extension(const QString& path);

// Copies a text file line by line, each line ended by CR LF, replacing the target whole. Does
// nothing when the source does not exist.
void copy_text_file(const QString& source, const QString& target);

enum class DroppedKind { ignored, stroke_file, user_language, text_file };

// What the first dropped file is: a ".wrt" stroke file, the user language file "mylang.txt"
// (in any letter case), another text file, or something ignored (other kinds, missing files).
DroppedKind classify_dropped_file(const QString& path);

}  // namespace inkwren
