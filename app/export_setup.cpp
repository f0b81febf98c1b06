#include "app/export_setup.h"

#include <QDir>
#include <QFileInfo>

#include "app/config_files.h"
#include "app/practice_log.h"
#include "app/preference_record.h"
#include "app/view_settings.h"
#include "encoding/encoding_mode.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace inkwren {
namespace {

// A record of the installation folder, read as start-up reads it but never written: a file that
// is missing or damaged leaves the defaults.
template <typename Record, typename Parse>
Record read_record(const QDir& folder, const char* name, qsizetype size, Parse parse) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    try {
        if (const std::optional<QByteArray> bytes = read_settings_file(path, size)) {
            return parse(*bytes, path);
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

// Whether the command writes character information, and whether it was asked for outright
// rather than by a default.
struct InfoNeed {
    bool wanted;
    bool demanded;
};

InfoNeed info_need(const ExportOptions& options, const ExportSetup& setup) {
    switch (options.command) {
        case ExportCommand::info:
            return {true, true};
        case ExportCommand::worksheet: {
            const bool demanded =
                options.frequency_order ||
                options.reading_script.value_or(ReadingScript::none) != ReadingScript::none;
            return {demanded || setup.reading_script != ReadingScript::none, demanded};
        }
        case ExportCommand::sheet:
            return {setup.sheet_info_line, options.info_line.value_or(false)};
        default:
            return {false, false};
    }
}

CharInfoTable load_char_info(const ExportOptions& options, const ExportSetup& setup) {
    const InfoNeed need = info_need(options, setup);
    if (!need.wanted) {
        return {};
    }
    try {
        return CharInfoTable::load(setup.installation + QString::fromLatin1(char_info_file_name));
    } catch (const Error&) {
        if (need.demanded) {
            throw;
        }
        return {};
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
    const auto preferences = read_record<PreferenceRecord>(
        folder, preference_file, preference_record_size, parse_preference);
    setup.language.load_language(
        folder.filePath(QString::fromLatin1(preferences.language_file).trimmed()),
        setup.legacy_code_page);
    setup.sheet = read_record<SheetSettings>(folder, sheet_settings_file, sheet_record_size,
                                             parse_sheet_settings);
    apply_overrides(options, setup.sheet);

    const bool traditional =
        options.traditional.value_or(QString::fromLatin1(preferences.archive_name).trimmed() ==
                                     QString::fromLatin1(traditional_archive));
    // The program's view switches, unless the command line says otherwise.
    const ViewSettings view =
        load_view_settings(folder.filePath(QString::fromLatin1(view_settings_file)));
    const StrokeOrderStandard standard = options.standard.value_or(view.standard);
    setup.smooth_ink = options.smooth_ink.value_or(view.smooth_ink);
    if (traditional && !choose_traditional_archive(setup.archive, setup.installation, standard)) {
        throw Error(QStringLiteral("The traditional stroke archive (%1) is not in %2.")
                        .arg(setup.archive.archive_file, setup.installation));
    }
    if (const auto item = item_for_stored_mode(preferences.stored_encoding_mode)) {
        choose_encoding_item(setup.encoding, *item);
    }
    setup.use_custom = !options.no_custom;
    setup.traditional = traditional;
    setup.taiwan_count = !setup.archive.overlay_file.isEmpty();
    setup.reading_script = options.reading_script.value_or(default_script(traditional));
    setup.sheet_info_line = options.info_line.value_or(view.sheet_info_line);
    setup.char_info = load_char_info(options, setup);
    return setup;
}

QStringList practised_characters(const ExportSetup& setup, int count) {
    const QString path = setup.installation + QString::fromLatin1(practice_log_file);
    const QStringList characters = most_mistaken_characters(read_practice_log(path), count);
    if (characters.isEmpty()) {
        throw Error(
            QStringLiteral("The practice log \"%1\" holds no mistakes to practise.").arg(path));
    }
    return characters;
}

}  // namespace inkwren
