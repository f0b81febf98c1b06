// inkwren-export info: what each character reads as, means and is built from, as tab-separated
// lines for the shell's tools or as a JSON array for scripts.
#pragma once

#include <QByteArray>
#include <QStringList>

#include "app/export_setup.h"

namespace inkwren {

// One tab-separated line a character, in the order given: character, pinyin, zhuyin, radical,
// strokes in the library in force, meaning; a field not known is empty.
QByteArray info_lines(const QStringList& characters, const ExportSetup& setup);

// The same as a JSON array of objects; a field not known is left out.
QByteArray info_json(const QStringList& characters, const ExportSetup& setup);

}  // namespace inkwren
