// The kinds of file the kill test has a helper process save over and over, each with the two
// contents the saves alternate between, and the save itself as the program makes it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace inkwren::testing {

struct SaveKind {
    const char* name;
    QStringList files;  // relative to the folder the helper saves in
};

// recent: tmp/recent.wrt extracted from the archive; prefer: prefer.cfg; config: config.dat;
// sys: sys.cfg; strokes: a stroke file with its companion settings.
const std::array<SaveKind, 5>& save_kinds();

// Prepares folder for the kind (an archive to extract from, say).
void prepare_saves(const QString& kind, const QString& folder);

// Saves version 0 or 1 of the kind's files in folder, as the program does.
void save_version(const QString& kind, const QString& folder, int version);

// What file (an index into the kind's files) holds after a whole save of version.
QByteArray saved_content(const QString& kind, int file, int version);

}  // namespace inkwren::testing
