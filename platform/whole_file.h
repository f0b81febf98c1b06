// Whole files in and out. Files the program writes are written whole or not at all: the bytes go
// to a temporary file beside the target, which replaces the target only once everything is
// written. Files it reads are read whole, with one set of messages for every kind of file.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

#include "platform/atomic_file.h"

namespace inkwren {

// The name with the ending (".jpg") added, unless it already ends so in any letter case.
QString with_file_ending(const QString& name, const QString& ending);

// Throws Error naming the file with the system's reason when it cannot be written whole; the
// old file is then left as it was.
void write_whole_file(const QString& path, const QByteArray& bytes,
                      Durability durability = Durability::synced);

struct FileToWrite {
    QString path;
    QByteArray bytes;
};

// Several files, each written whole as write_whole_file writes it, but waiting for the disk once
// for all of them: each file's bytes are synced before it takes its name, and each folder is
// synced once after the last rename. Answers, for each file in order, nothing when it was written
// or the reason it could not be (its old file then left as it was).
std::vector<std::optional<QString>> write_whole_files(const std::vector<FileToWrite>& files);

// A save cut short (the program killed while writing) can leave its temporary file beside the
// target, named after it with a dot and six letters or digits ("config.dat.Ab12Cd"). Removes
// such leftovers of the kinds of file the program writes from folder; answers how many.
int remove_leftover_saves(const QString& folder);

// The bytes of the file at path; with max_size of 0 or more, only its first max_size bytes.
// role names the file at the start of a sentence, as in "The stroke file". A missing file, a
// folder, anything but an ordinary file (a FIFO, a device) or a failed read throws Error naming
// role and path.
QByteArray read_whole_file(const QString& path, const QString& role, qint64 max_size = -1);

// The same, but a file of more than limit bytes is refused with Error instead of being read.
QByteArray read_limited_file(const QString& path, const QString& role, qint64 limit);

}  // namespace inkwren
