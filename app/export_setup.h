// What inkwren-export works with: the installation folder the program uses (or the one given),
// its settings read without changing them, and the command line's overrides applied.
#pragma once

#include <QString>

#include "app/export_options.h"
#include "encoding/encoding_mode.h"
#include "langtable/language_table.h"
#include "output/sheet_settings_record.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

struct ExportSetup {
    QString installation;  // with a trailing "/"
    int legacy_code_page = 936;
    LanguageTable language;
    SheetSettings sheet;
    ArchiveChoice archive;
    EncodingState encoding;
    bool use_custom = true;
    bool smooth_ink = true;
};

// The count characters with the most mistakes in the installation's practice log. Throws Error
// when the log cannot be read or holds no mistakes.
QStringList practised_characters(const ExportSetup& setup, int count);

// Reads the installation's settings (config.dat, prefer.cfg, its language file); a file that is
// missing or damaged leaves the defaults, and nothing is written. Throws Error when the
// installation folder has no stroke archive.
ExportSetup export_setup(const ExportOptions& options, const QString& registry_path,
                         const QString& working_dir);

}  // namespace inkwren
