#include "app/startup.h"

#include <QDir>
#include <QFileInfo>

#include "app/config_files.h"
#include "langtable/text_keys.h"
#include "pad/palette.h"
#include "pad/writing_pad.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "platform/whole_file.h"
#include "strokes/stroke_archive.h"

namespace inkwren {
namespace {

// The start-up steps, each of which either goes on or ends start-up with a message.
class Startup {
public:
    explicit Startup(const StartupContext& context) : context_(context) {
        result_.screen = context.screen;
    }

    StartupResult run() {
        read_registry();
        read_preferences();
        result_.has_settings_program = installation().exists(QString::fromLatin1(settings_program));
        if (!load_language() || !check_archive()) {
            return std::move(result_);
        }
        QDir::setCurrent(result_.installation_folder);
        remove_leftovers();
        read_output_folder();
        read_sheet_settings();
        result_.view = load_view_settings(file(view_settings_file));
        make_custom_folder();
        if (!read_start_character()) {
            return std::move(result_);
        }
        reset_flag();
        read_palette();
        return std::move(result_);
    }

private:
    QDir installation() const { return QDir(result_.installation_folder); }
    QString file(const char* name) const {
        return installation().filePath(QString::fromLatin1(name));
    }
    QString text(const char* key) const {
        return result_.language.lookup_text(QString::fromLatin1(key));
    }

    void tell(const QString& text) {
        result_.messages.push_back({message_caption(result_.language), text});
    }
    void tell(const QString& caption, const QString& text) {
        result_.messages.push_back({caption, text});
    }
    bool end(const QString& text) {
        tell(text);
        result_.quit = true;
        return false;
    }

    void read_registry() {
        // The settings store answers "-1" for whatever it cannot read, so this never fails.
        const Registry registry(context_.registry_path);
        result_.installation_folder = inkwren::installation_folder(registry, context_.working_dir);
        result_.registry_path = context_.registry_path;
        result_.legacy_code_page = read_legacy_code_page(registry);
    }

    // The record is read where the program was started from; a file that cannot be read or
    // made leaves the defaults in force, and later changes are reported when they fail.
    void read_preferences() {
        const QString path =
            QDir(context_.working_dir).filePath(QString::fromLatin1(preference_file));
        try {
            const PreferenceLoad loaded = load_or_create_preference(path);
            result_.preferences = loaded.record;
            if (!loaded.message.isEmpty()) {
                tell(loaded.message);
            }
        } catch (const Error& error) {
            tell(error.message() + QStringLiteral(" Inkwren starts with its default settings."));
        }
    }

    bool load_language() {
        const QString name = QString::fromLatin1(result_.preferences.language_file).trimmed();
        const QString path = installation().filePath(name);
        if (name.isEmpty() || !QFileInfo(path).isFile()) {
            return end(QString::fromUtf8(start_language_file_missing_message));
        }
        try {
            result_.language.load_language(path, result_.legacy_code_page);
        } catch (const Error& error) {
            return end(error.message());
        }
        return true;
    }

    bool check_archive() {
        if (QFileInfo::exists(file(simplified_archive))) {
            return true;
        }
        tell(text(text_key::file_missing_caption), text(text_key::archive_missing_at_start_text));
        result_.abort = true;
        result_.quit = true;
        return false;
    }

    // Temporary files of saves that were cut short by a crash or a kill.
    void remove_leftovers() {
        for (const char* folder : {"", temp_folder_name, custom_folder_name}) {
            remove_leftover_saves(file(folder));
        }
    }

    void read_output_folder() {
        const ShellFolders folders = system_shell_folders();
        try {
            result_.output_folder = resolve_output_folder(file(output_folder_file), folders);
        } catch (const Error& error) {
            result_.output_folder = folders.desktop.isEmpty() ? QDir::homePath() : folders.desktop;
            tell(error.message() + QStringLiteral(" Sheets and animations are saved in \"%1\".")
                                       .arg(result_.output_folder));
        }
    }

    void read_sheet_settings() {
        try {
            const SheetSettingsLoad loaded =
                load_or_create_sheet_settings(file(sheet_settings_file));
            result_.sheet_slots = loaded.record_slots;
            if (!loaded.message.isEmpty()) {
                tell(loaded.message);
            }
        } catch (const Error& error) {
            tell(error.message() + QStringLiteral(" The sheets use their default settings."));
        }
    }

    void make_custom_folder() {
        const QString folder = file(custom_folder_name);
        if (!QDir().mkpath(folder)) {
            tell(QStringLiteral("The folder \"%1\" for custom characters cannot be created.")
                     .arg(folder));
        }
    }

    bool read_start_character() {
        const QString name = QString::fromLatin1(start_character_file);
        StartCharacter start;
        try {
            start =
                inkwren::read_start_character(file(start_character_file), result_.legacy_code_page);
        } catch (const Error& error) {
            return end(error.message() + QStringLiteral(" Inkwren cannot start without it."));
        }
        switch (start.status) {
            case StartCharacter::Status::missing:
                return end(text(text_key::file_missing_caption) + QStringLiteral(":") + name);
            case StartCharacter::Status::too_short:
                return end(text(text_key::damaged_file_text) + QStringLiteral(":") + name +
                           QStringLiteral("  ") + text(text_key::missing_start_character_text));
            case StartCharacter::Status::ok:
                break;
        }
        result_.start_character = start.text;
        return true;
    }

    void reset_flag() {
        try {
            reset_flag_file(file(flag_file));
        } catch (const Error& error) {
            tell(error.message());
        }
    }

    void read_palette() {
        try {
            QString problems;
            result_.palette = load_palette(file(palette_file), &problems).value_or(QImage());
            if (!problems.isEmpty()) {
                tell(problems);
            }
        } catch (const Error& error) {
            tell(error.message() + QStringLiteral(" The pad is shown without its palette."));
        }
    }

    const StartupContext& context_;
    StartupResult result_;
};

}  // namespace

QString message_caption(const LanguageTable& language) {
    const QString caption = language.lookup_text(QString::fromLatin1(text_key::window_caption));
    return caption.isEmpty() ? QString::fromLatin1(program_name) : caption;
}

StartupResult run_startup(const StartupContext& context) {
    return Startup(context).run();
}

}  // namespace inkwren
