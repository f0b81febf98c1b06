// What inkwren-export works with: the installation folder the program uses (or the one given),
// its settings read without changing them, and the command line's overrides applied.
#pragma once

#include <QString>

#include "app/export_options.h"
#include "charinfo/char_info.h"
#include "charinfo/info_text.h"
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
    bool traditional = false;   // the library in force
    bool taiwan_count = false;  // strokes counted as Taiwan's standard does, as the window does
    ReadingScript reading_script = ReadingScript::pinyin;
    bool sheet_info_line = false;
    // Loaded when the command writes character information; it knows no character when the
    // file is missing and nobody asked for information outright.
    CharInfoTable char_info;
};

// The count characters with the most mistakes in the installation's practice log. Throws Error
// when the log cannot be read or holds no mistakes.
QStringList practised_characters(const ExportSetup& setup, int count);

// Reads the installation's settings (config.dat, prefer.cfg, its language file); a file that is
// missing or damaged leaves the defaults, and nothing is written. Throws Error when the
// installation folder has no stroke archive, and when information is asked for outright (the
// info command, --info, --order frequency, --info-line on) and the character information file
// is missing or damaged.
ExportSetup export_setup(const ExportOptions& options, const QString& registry_path,
                         const QString& working_dir);

}  // namespace inkwren
