#include "app/config_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/stroke_archive.h"

namespace inkwren {
namespace {

// Room left to the right of and under a parked window; the bottom one clears the task bar.
constexpr int right_margin = 3;
constexpr int bottom_margin = 35;
constexpr int top_when_too_tall = 5;

std::optional<QByteArray> first_line_of(const QString& path) {
    std::optional<QByteArray> bytes = read_settings_file(path, -1);
    if (!bytes) {
        return std::nullopt;
    }
    const qsizetype end = bytes->indexOf('\n');
    QByteArray line = end >= 0 ? bytes->left(end) : *bytes;
    const qsizetype carriage_return = line.indexOf('\r');
    return carriage_return >= 0 ? line.left(carriage_return) : line;
}

}  // namespace

QString with_trailing_slash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

std::optional<QByteArray> read_settings_file(const QString& path, qsizetype max_size) {
    if (!QFileInfo::exists(path)) {
        return std::nullopt;
    }
    return read_whole_file(path, QStringLiteral("The settings file"), max_size);
}

QString reset_message(const QString& path) {
    return QStringLiteral(
               "The settings file \"%1\" was damaged and has been reset to the defaults.")
        .arg(path);
}

QString installation_folder(const Registry& registry, const QString& working_dir) {
    const QString value = registry
                              .extract_keyvalue(QString::fromLatin1(app_key_path),
                                                QStringLiteral("installation path"))
                              .trimmed();
    // An empty value names no folder either; both fall back to where the program was started.
    // So does a folder without the stroke archive: a value left behind by an installation since
    // removed would otherwise stop every later start, also one from a folder that has the data.
    if (value == QLatin1String(absent_value) || value.isEmpty() ||
        !QFileInfo::exists(QDir(value).filePath(QString::fromLatin1(simplified_archive)))) {
        return with_trailing_slash(working_dir);
    }
    return with_trailing_slash(value);
}

QString default_output_folder(const ShellFolders& shell_folders) {
    for (const QString& folder : {shell_folders.desktop, shell_folders.pictures}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            return folder;
        }
    }
    return QDir::homePath();
}

ShellFolders system_shell_folders() {
    return {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
            QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)};
}

void save_output_folder(const QString& sys_cfg_path, const QString& folder) {
    write_whole_file(sys_cfg_path, QFile::encodeName(folder) + "\r\n");
}

QString resolve_output_folder(const QString& sys_cfg_path, const ShellFolders& shell_folders) {
    const std::optional<QByteArray> line = first_line_of(sys_cfg_path);
    if (!line) {
        const QString folder = default_output_folder(shell_folders);
        save_output_folder(sys_cfg_path, folder);
        return folder;
    }
    const QString folder = QFile::decodeName(*line).trimmed();
    if (folder.isEmpty() || folder.toLower() == QLatin1String("personal")) {
        return with_trailing_slash(shell_folders.personal);
    }
    // A folder typed by the user is used as written; whoever saves into it adds the "/".
    return QFileInfo(folder).isDir() ? folder : default_output_folder(shell_folders);
}

void reset_flag_file(const QString& path) {
    const std::optional<QByteArray> line = first_line_of(path);
    if (line && line->trimmed() == "1") {
        write_whole_file(path, "0\r\n");
    }
}

StartCharacter read_start_character(const QString& path, int legacy_code_page) {
    const std::optional<QByteArray> line = first_line_of(path);
    if (!line) {
        return {StartCharacter::Status::missing, {}};
    }
    const QByteArray pairs = line->trimmed();
    if (pairs.size() < 4) {
        return {StartCharacter::Status::too_short, {}};
    }
    // The GB pair, because the pad starts in the GB encoding mode.
    return {StartCharacter::Status::ok, from_code_page(pairs.mid(2, 2), legacy_code_page)};
}

QPoint keep_on_screen(QRect window, QSize screen, int mode) {
    const int left_when_parked = screen.width() - window.width() - right_margin;
    const int top_when_parked = screen.height() - window.height() - bottom_margin;
    if (mode == 1) {
        return {left_when_parked, top_when_parked};
    }
    QPoint corner = window.topLeft();
    if (window.x() + window.width() > screen.width() - right_margin) {
        corner.setX(left_when_parked);
    }
    if (window.y() + window.height() > screen.height() - bottom_margin) {
        corner.setY(top_when_parked);
    }
    if (corner.y() < 0) {
        corner.setY(top_when_too_tall);
    }
    return corner;
}

SheetSettingsLoad load_or_create_sheet_settings(const QString& path) {
    const std::optional<QByteArray> bytes = read_settings_file(path, sheet_record_size);
    if (!bytes) {
        save_sheet_settings(path, {});
        return {{}, sheet_slots({}), LoadOutcome::created, {}};
    }
    try {
        return {parse_sheet_settings(*bytes, path), slots_of_record(*bytes), LoadOutcome::read, {}};
    } catch (const Error&) {
        save_sheet_settings(path, {});
        return {{}, sheet_slots({}), LoadOutcome::replaced, reset_message(path)};
    }
}

}  // namespace inkwren
