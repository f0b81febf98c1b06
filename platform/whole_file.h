// Files the program writes are written whole or not at all: the bytes go to a temporary file
// beside the target, which replaces the target only once everything is written.
#pragma once

#include <QByteArray>
#include <QString>

namespace inkwren {

// Throws Error naming the file when it cannot be written; the old file is then left as it was.
void write_whole_file(const QString& path, const QByteArray& bytes);

}  // namespace inkwren
