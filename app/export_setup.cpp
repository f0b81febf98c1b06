#include "app/export_setup.h"

#include <QDir>
#include <QFileInfo>

#include "app/config_files.h"
#include "app/preference_record.h"
#include "encoding/encoding_mode.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

PreferenceRecord read_preferences(const QDir& folder) {
    const QString path = folder.filePath(QString::fromLatin1(preference_file));
    try {
        if (QFileInfo::exists(path)) {
            return parse_preference(read_whole_file(path, QStringLiteral("The settings file")),
                                    path);
        }
    } catch (const Error&) {
        // A damaged file leaves the defaults, as the program would after replacing it.
    }
    return {};
}

SheetSettings read_sheet_settings(const QDir& folder) {
    const QString path = folder.filePath(QString::fromLatin1(sheet_settings_file));
    try {
        if (QFileInfo::exists(path)) {
            return parse_sheet_settings(
                read_whole_file(path, QStringLiteral("The settings file"), sheet_record_size),
                path);
        }
    } catch (const Error&) {
    }
    return {};
}

void apply_overrides(const ExportOptions& options, SheetSettings& sheet) {
    if (options.per_row) {
        sheet.per_row = *options.per_row;
    }
    if (options.numeral_kind) {
        sheet.numeral_kind = *options.numeral_kind;
        sheet.numbers_on = true;
    }
    if (options.numbers_off) {
        sheet.numbers_on = false;
    }
    if (options.content) {
        sheet.picture_content = *options.content;
    }
    if (options.grid_style) {
        sheet.grid_style = *options.grid_style;
        sheet.grid_on = true;
    }
    if (options.grid_off) {
        sheet.grid_on = false;
    }
    if (options.colour_mode) {
        sheet.color_mode = *options.colour_mode;
    }
}

}  // namespace

ExportSetup export_setup(const ExportOptions& options, const QString& registry_path,
                         const QString& working_dir) {
    ExportSetup setup;
    const Registry registry(registry_path);
    setup.legacy_code_page = read_legacy_code_page(registry);
    setup.installation = options.data.isEmpty()
                             ? installation_folder(registry, working_dir)
                             : with_trailing_slash(QDir(options.data).absolutePath());
    const QDir folder(setup.installation);
    if (!QFileInfo::exists(folder.filePath(QString::fromLatin1(simplified_archive)))) {
        throw Error(QStringLiteral("There is no stroke archive (%1) in %2.")
                        .arg(QString::fromLatin1(simplified_archive), setup.installation));
    }
    const PreferenceRecord preferences = read_preferences(folder);
    setup.language.load_language(
        folder.filePath(QString::fromLatin1(preferences.language_file).trimmed()),
        setup.legacy_code_page);
    setup.sheet = read_sheet_settings(folder);
    apply_overrides(options, setup.sheet);

    const bool traditional =
        options.traditional.value_or(QString::fromLatin1(preferences.archive_name).trimmed() ==
                                     QString::fromLatin1(traditional_archive));
    if (traditional && !choose_traditional_archive(setup.archive, setup.installation)) {
        throw Error(QStringLiteral("The traditional stroke archive (%1) is not in %2.")
                        .arg(QString::fromLatin1(traditional_archive), setup.installation));
    }
    if (const auto item = item_for_stored_mode(preferences.stored_encoding_mode)) {
        choose_encoding_item(setup.encoding, *item);
    }
    setup.use_custom = !options.no_custom;
    return setup;
}

}  // namespace inkwren
