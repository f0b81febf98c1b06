// Start-up as core code: finds the installation folder, reads or creates the settings files,
// checks the data the program needs and loads the language, then answers with everything the
// main window is built from, the messages to show and whether the program must end instead.
// Every failure becomes either a message and an end, or a message and a usable default.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

#include "app/preference_record.h"
#include "app/view_settings.h"
#include "langtable/language_table.h"
#include "output/sheet_settings_record.h"

namespace inkwren {

// Where the program starts from: the per-user settings store, the working directory at launch
// and the size of the screen the window is kept on.
struct StartupContext {
    QString registry_path;
    QString working_dir;
    QSize screen;
};

struct StartupMessage {
    QString caption;
    QString text;
};

struct StartupResult {
    bool abort = false;  // the stroke archive is missing: the program ends without running
    bool quit = false;   // the program ends after the messages
    std::vector<StartupMessage> messages;  // shown in order, before the window or the end

    QSize screen;
    QString installation_folder;
    QString registry_path;  // the settings store the program was started with
    int legacy_code_page = 936;
    PreferenceRecord preferences;
    ViewSettings view;
    LanguageTable language;
    SheetSlots sheet_slots = inkwren::sheet_slots(SheetSettings{});
    QString output_folder;
    QString start_character;
    bool has_settings_program = false;
    QImage palette;  // null without a palette file
};

StartupResult run_startup(const StartupContext& context);

// The caption of a box: the window caption of the language table, or the program's name while
// there is no table to take it from.
QString message_caption(const LanguageTable& language);

inline constexpr auto program_name = "Inkwren";
inline constexpr auto settings_program = "config.exe";

}  // namespace inkwren
