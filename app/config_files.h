// The small files start-up reads and keeps beside the program (installation folder, output
// folder, flag file, start character) and the helpers the two settings records share.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

#include "platform/whole_file.h"

#include "platform/registry.h"

#include "output/sheet_settings_record.h"

namespace inkwren {

// The files the program keeps in its installation folder.
inline constexpr auto preference_file = "prefer.cfg";
inline constexpr auto practice_log_file = "practice.log";  // a line for each character practised
inline constexpr auto view_settings_file = "view.cfg";     // the view switches kept between runs
inline constexpr auto sheet_settings_file = "config.dat";
inline constexpr auto output_folder_file = "sys.cfg";
inline constexpr auto flag_file = "1.txt";
inline constexpr auto start_character_file = "textlist.txt";
inline constexpr auto palette_file = "c.cfg";

// The folder with a "/" at its end.
QString with_trailing_slash(const QString& folder);

// What start-up found when it loaded a settings record.
enum class LoadOutcome {
    created,   // the file was missing and now holds the defaults
    read,      // the file held a record
    replaced,  // the file could not be read as a record and now holds the defaults
};

// The first max_size bytes of a settings file, or nothing when the file does not exist.
// Throws Error when it exists but cannot be read.
std::optional<QByteArray> read_settings_file(const QString& path, qsizetype max_size);

// The message shown when a damaged settings file has been replaced by the defaults.
QString reset_message(const QString& path);

// The registry value "installation path" under the program's key, trimmed, always ending in
// "/"; the working directory when the value is absent or empty.
QString installation_folder(const Registry& registry, const QString& working_dir);

// The user's documents, desktop and pictures folders, as the system names them; they need not
// exist.
struct ShellFolders {
    QString personal;
    QString desktop;
    QString pictures;
};
ShellFolders system_shell_folders();

// Where sheets and animations go when no folder is chosen: the desktop folder, or where there is
// none (many desktops make no such folder) the pictures folder, else the home folder.
QString default_output_folder(const ShellFolders& shell_folders);

// Rewrites "sys.cfg" whole with the folder as its only line.
void save_output_folder(const QString& sys_cfg_path, const QString& folder);

// The folder sheets and animations are saved to, from the first line of "sys.cfg". A missing
// file is created holding the desktop folder, or where there is none the pictures folder or
// the home folder; a folder that no longer exists gives the same. Throws Error when the file cannot
// be read or created.
QString resolve_output_folder(const QString& sys_cfg_path, const ShellFolders& shell_folders);

// A flag file whose first line is "1" is rewritten to hold "0"; any other file is left alone.
void reset_flag_file(const QString& path);

// The character the writing pad shows first, from "textlist.txt": its first line holds one
// character in Big5 (bytes 1-2) and in GB (bytes 3-4); the GB pair is used.
struct StartCharacter {
    enum class Status { ok, missing, too_short };
    Status status = Status::missing;
    QString text;
};
StartCharacter read_start_character(const QString& path, int legacy_code_page);

// The window's new top-left corner on a screen of the given size. Mode 1 parks it in the lower
// right corner; any other mode moves it only as far as needed to bring it back on screen.
QPoint keep_on_screen(QRect window, QSize screen, int mode);

struct SheetSettingsLoad {
    SheetSettings settings;
    SheetSlots record_slots{};  // the record as read, every byte kept
    LoadOutcome outcome = LoadOutcome::read;
    QString message;  // for the user; set only when a damaged file was replaced
};

// Start-up: reads the file, or writes the defaults when it is missing or cannot be read as a
// record. Throws Error when the file cannot be opened or written.
SheetSettingsLoad load_or_create_sheet_settings(const QString& path);

}  // namespace inkwren
