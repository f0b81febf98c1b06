// The kinds of file the program and the exporter write, each with the two contents its saves
// alternate between and the save itself as the program makes it: what the kill test has a
// helper process save over and over, and the full-disk test once on a full file system.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace inkwren::testing {

struct SaveKind {
    const char* name;
    QStringList files;  // relative to the folder the helper saves in
    bool killed;        // part of the kill test, which takes a while for each kind
};

// recent: tmp/recent.wrt extracted from the archive; prefer: prefer.cfg; config: config.dat;
// strokes: a stroke file with its companion settings; view: view.cfg; registry:
// the settings store; custom: a custom character saved by the player; workbook: the player's
// tmp/tmp.wrt; sheet: a JPEG picture; gif: an animated GIF; practice: a line added to the
// practice log.
const std::array<SaveKind, 11>& save_kinds();

// Prepares folder for the kind (an archive to extract from, say).
void prepare_saves(const QString& kind, const QString& folder);

// Saves version 0 or 1 of the kind's files in folder, as the program does.
void save_version(const QString& kind, const QString& folder, int version);

// What file (an index into the kind's files) holds after a whole save of version.
QByteArray saved_content(const QString& kind, int file, int version);

}  // namespace inkwren::testing
