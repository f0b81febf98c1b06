#include "app/shell.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "app/config_files.h"
#include "app/export_run.h"
#include "app/export_setup.h"
#include "app/gif_export.h"
#include "app/practice_log.h"
#include "charinfo/info_text.h"
#include "langtable/text_keys.h"
#include "pad/text_intake.h"
#include "platform/dialogs.h"
#include "platform/error.h"

namespace inkwren {

Shell::Shell(StartupResult start, Dialogs& dialogs)
    : dialogs_(dialogs),
      language_(std::move(start.language)),
      preferences_(start.preferences),
      on_disk_(start.preferences),
      sheet_slots_(start.sheet_slots),
      installation_folder_(start.installation_folder),
      registry_path_(start.registry_path),
      has_settings_program_(start.has_settings_program),
      palette_(start.palette),
      output_folder_(start.output_folder),
      view_(start.view),
      pad_(std::make_unique<WritingPad>(dialogs, language_, installation_folder_,
                                        start.legacy_code_page)),
      open_url_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    PadSettings settings = pad_->settings();
    settings.stroke_color = sheet_settings().second_color;
    settings.stroke_numbers = view_.stroke_numbers;
    settings.smooth_gif = view_.smooth_gif;
    settings.smooth_ink = view_.smooth_ink;
    settings.grid_style = view_.grid_style;
    pad_->set_settings(settings);
    EncodingState encoding;
    encoding.encoding_mode = encoding_mode::gb;
    pad_->set_encoding(encoding);
    pad_->set_start_character(start.start_character);
    pad_->on_practice_next = [this] { return practise_next(); };
    pad_->on_practice_finished = [this](const QString& character, const PracticeSession& session) {
        log_practice(character, session);
    };
    gif_offers_ = std::make_unique<GifOffers>(dialogs_, language_);
    gif_capture_ = std::make_unique<GifCapture>(*pad_);
    gif_capture_->on_gif = [this](const QString& character, QByteArray gif) {
        gif_offers_->take({character, std::move(gif), output_folder_});
    };
}

Shell::~Shell() = default;

QString Shell::text(const char* key) const {
    return language_.lookup_text(QString::fromLatin1(key));
}

QString Shell::user_language_caption() const {
    return QString::fromUtf8(preferences_.user_language_caption).trimmed();
}

void Shell::show_start_character() {
    if (!pad_->Display_Writing_Pad() && pad_->archive_present()) {
        // The archive lacks the start character: the pad stays empty and says why.
        dialogs_.inform(caption(), text(text_key::damaged_file_text) + QStringLiteral(":") +
                                       QString::fromLatin1(start_character_file) +
                                       QStringLiteral("  ") +
                                       text(text_key::missing_start_character_text));
    }
}

// A record that did not change is not written again, so applying the stored choices at start
// writes nothing.
void Shell::save_preferences() {
    if (preferences_ == on_disk_) {
        return;
    }
    save_preference(QDir(installation_folder_).filePath(QString::fromLatin1(preference_file)),
                    preferences_);
    on_disk_ = preferences_;
}

bool Shell::reload_language(const QString& file) {
    const QString path = QDir(installation_folder_).filePath(file);
    if (!QFileInfo(path).isFile()) {
        dialogs_.inform(caption(), QString::fromUtf8(chosen_language_file_missing_message));
        return false;
    }
    // Loaded aside, so a file that cannot be read leaves the language in force.
    LanguageTable loaded;
    loaded.load_language(path, pad_->legacy_code_page());
    language_ = std::move(loaded);
    return true;
}

void Shell::choose_language(const QString& file) {
    if (!reload_language(file)) {
        return;
    }
    built_in_language_ = file;
    preferences_.language_file = file.toUtf8().left(preference_text_capacity);
    save_preferences();
}

void Shell::choose_user_language() {
    if (!reload_language(QString::fromLatin1(user_language_file))) {
        return;
    }
    preferences_.language_file = QByteArray(user_language_file);
    preferences_.user_language_caption = caption_bytes(text(text_key::user_language_caption));
    save_preferences();
}

void Shell::install_user_language(const QString& dropped) {
    if (!QDir(installation_folder_).exists()) {
        return;
    }
    copy_text_file(dropped,
                   QDir(installation_folder_).filePath(QString::fromLatin1(user_language_file)));
    choose_user_language();
}

void Shell::choose_encoding(EncodingItem item) {
    pad_->choose_encoding(item);
    encoding_item_ = item;
    preferences_.stored_encoding_mode = pad_->encoding().stored_encoding_mode;
    save_preferences();
}

bool Shell::choose_library(LibraryItem item, const QString& field_text) {
    ArchiveChoice choice;
    if (item == LibraryItem::traditional &&
        !choose_traditional_archive(choice, installation_folder_, view_.standard)) {
        // The library in force stays; the user hears why the choice was not taken.
        dialogs_.inform(
            text(text_key::file_missing_caption),
            text(text_key::archive_missing_for_character_text) + text(text_key::reinstall_advice));
        return false;
    }
    if (item == LibraryItem::simplified) {
        choose_simplified_archive(choice);
    }
    pad_->set_archive(choice);
    library_item_ = item;
    pad_->select_text(field_text);
    // The library, whatever the order it teaches: the standard is kept in view.cfg.
    preferences_.archive_name =
        item == LibraryItem::traditional ? traditional_archive : simplified_archive;
    save_preferences();
    return true;
}

void Shell::choose_standard(StrokeOrderStandard standard, const QString& field_text) {
    const StrokeOrderStandard before = view_.standard;
    view_.standard = standard;
    if (library_item_ == LibraryItem::traditional &&
        !choose_library(LibraryItem::traditional, field_text)) {
        view_.standard = before;  // its archive is missing: the order in force stays
        return;
    }
    save_view_settings();
}

void Shell::apply_stored_library() {
    const QString stored = QString::fromLatin1(preferences_.archive_name).trimmed();
    ArchiveChoice choice = pad_->archive();
    if (stored == QString::fromLatin1(traditional_archive)) {
        choose_traditional_archive(choice, installation_folder_, view_.standard);
        library_item_ = LibraryItem::traditional;
    } else if (stored == QString::fromLatin1(simplified_archive)) {
        choose_simplified_archive(choice);
        library_item_ = LibraryItem::simplified;
    }
    pad_->set_archive(choice);
}

void Shell::toggle_use_custom() {
    pad_->set_use_custom(!pad_->use_custom());
    pad_->select_text(pad_->cur_key());
}

void Shell::save_custom() {
    pad_->save_custom();
}

void Shell::delete_custom_by_menu() {
    const QString name = pad_->custom_name();
    if (name.isEmpty() || !QFileInfo::exists(pad_->custom_file())) {
        dialogs_.inform(caption(), text(text_key::no_custom_to_delete_notice));
        return;
    }
    if (!dialogs_.ask(caption(), text(text_key::delete_custom_question))) {
        return;
    }
    if (pad_->delete_from_custom_db(name, pad_->custom_folder())) {
        dialogs_.inform(caption(), text(text_key::custom_deleted_notice));
    }
    pad_->select_text(pad_->cur_key());
}

void Shell::delete_custom_by_popup() {
    if (!dialogs_.ask(caption(), text(text_key::delete_custom_question))) {
        return;
    }
    if (!pad_->custom_name().isEmpty() &&
        pad_->delete_from_custom_db(pad_->custom_name(), pad_->custom_folder())) {
        dialogs_.inform(caption(), text(text_key::custom_deleted_notice));
        pad_->TextCopyDetected(pad_->cur_key());
    } else {
        dialogs_.inform(caption(), text(text_key::custom_not_deleted_notice));
    }
}

void Shell::toggle_record_gif() {
    gif_capture_->settings.record = !gif_capture_->settings.record;
}

void Shell::choose_gif_scale(double scale) {
    gif_capture_->settings.scale = scale;
}

void Shell::updatecfg(const QString& folder, const SheetSlots& record_slots) {
    output_folder_ = folder.isEmpty() ? folder : with_trailing_slash(folder);
    sheet_slots_ = record_slots;
    pad_->set_stroke_color(sheet_settings().second_color);
    save_sheet_slots(QDir(installation_folder_).filePath(QString::fromLatin1(sheet_settings_file)),
                     sheet_slots_);
}

void Shell::set_sheet_info_line(bool on) {
    if (view_.sheet_info_line != on) {
        view_.sheet_info_line = on;
        save_view_settings();
    }
}

QString Shell::sheet_info_line_text() const {
    if (!view_.sheet_info_line) {
        return {};
    }
    const std::optional<CharInfo> info = pad_->character_info();
    return info ? info_line(*info, default_script(traditional_library())) : QString();
}

QString Shell::about_text() const {
    return text(text_key::window_caption) + QStringLiteral("  , ") + text(text_key::about_text);
}

QString Shell::manual_page() const {
    const QString language = QString::fromLatin1(preferences_.language_file).trimmed();
    const char* page = "index-en.html";
    if (language == QLatin1String(traditional_language_file)) {
        page = "index.html";
    } else if (language == QLatin1String(simplified_language_file)) {
        page = "index-gb.html";
    }
    return QDir(installation_folder_).filePath(QStringLiteral("manual/") + QLatin1String(page));
}

// There is no text for these failures of their own: the path tells the user what to look for.
void Shell::open_manual() {
    const QString page = manual_page();
    if (!QFileInfo(page).isFile()) {
        dialogs_.inform(text(text_key::file_missing_caption), QDir::toNativeSeparators(page));
        return;
    }
    if (!open_url_(QUrl::fromLocalFile(page))) {
        dialogs_.inform(caption(), QDir::toNativeSeparators(page));
    }
}

void Shell::run_settings_program() const {
    const QString program =
        QDir(installation_folder_).filePath(QString::fromLatin1(settings_program));
    if (QFileInfo::exists(program)) {
        QProcess::startDetached(program, {}, installation_folder_);
    }
}

// Shown at once; a file that cannot be written is reported and the switch stays as chosen.
void Shell::toggle_stroke_numbers() {
    view_.stroke_numbers = !pad_->settings().stroke_numbers;
    pad_->show_stroke_numbers(view_.stroke_numbers);
    save_view_settings();
}

void Shell::toggle_smooth_gif() {
    view_.smooth_gif = !pad_->settings().smooth_gif;
    PadSettings settings = pad_->settings();
    settings.smooth_gif = view_.smooth_gif;
    pad_->set_settings(settings);
    save_view_settings();
}

void Shell::toggle_smooth_ink() {
    view_.smooth_ink = !pad_->settings().smooth_ink;
    pad_->set_smooth_ink(view_.smooth_ink);
    save_view_settings();
}

void Shell::toggle_character_info() {
    view_.character_info = !view_.character_info;
    save_view_settings();
}

PracticeChoices Shell::practice_choices() const {
    PracticeChoices choices;
    choices.outline = view_.practice_outline;
    choices.rules.hint_after = view_.practice_hint_after;
    choices.rules.give_after = view_.practice_give_after;
    choices.rules.judging.leniency = view_.practice_leniency;
    return choices;
}

// A practice under way starts again under the new rule.
void Shell::choose_practice_rule(const MenuChoice& rule) {
    if (const auto* hint = std::get_if<HintAfter>(&rule)) {
        view_.practice_hint_after = hint->mistakes;
    } else if (const auto* give = std::get_if<GiveAfter>(&rule)) {
        view_.practice_give_after = give->mistakes;
    } else if (const auto* leniency = std::get_if<Leniency>(&rule)) {
        view_.practice_leniency = *leniency;
    }
    if (practising()) {
        pad_->start_practice(practice_choices());
    }
    save_view_settings();
}

bool Shell::practising() const {
    return pad_->practice() != nullptr;
}

void Shell::toggle_practice() {
    if (practising()) {
        stop_practice();
    } else {
        pad_->start_practice(practice_choices());
    }
}

void Shell::stop_practice() {
    if (practising()) {
        pad_->stop_practice();
    }
}

void Shell::toggle_practice_outline() {
    view_.practice_outline = !view_.practice_outline;
    if (practising()) {
        pad_->start_practice(practice_choices());
    }
    save_view_settings();
}

QString Shell::practice_log_path() const {
    return QDir(installation_folder_).filePath(QString::fromLatin1(practice_log_file));
}

void Shell::log_practice(const QString& character, const PracticeSession& session) {
    PracticeRecord record;
    record.finished = QDateTime::currentDateTimeUtc();
    record.character = character;
    record.mistakes = session.mistakes();
    record.seconds = session.seconds();
    record.whole = session.whole();
    append_practice_record(practice_log_path(), record);
}

void Shell::review_practice() {
    const std::vector<PracticeRecord> records = read_practice_log(practice_log_path());
    const QStringList characters = characters_to_review(records);
    const QString caption = text(text_key::practice_review_item).remove(QStringLiteral("..."));
    if (characters.isEmpty()) {
        dialogs_.inform(caption, text(text_key::no_mistakes_notice));
        return;
    }
    ListReview review{caption,
                      text(text_key::practice_review_text),
                      {},
                      text(text_key::practise_these_button),
                      text(text_key::worksheet_of_these_button),
                      text(text_key::close_button)};
    for (const QString& character : characters) {
        const auto last = std::find_if(records.rbegin(), records.rend(), [&](const auto& record) {
            return record.character == character;
        });
        review.lines << text(text_key::practice_review_line)
                            .arg(character)
                            .arg(last->total_mistakes())
                            .arg(last->finished.toLocalTime().toString(
                                QStringLiteral("yyyy-MM-dd")));
    }
    switch (dialogs_.review_list(review)) {
        case ReviewAnswer::first_action:
            practice_queue_ = characters;
            if (!practising()) {
                pad_->start_practice(practice_choices());
            }
            practise_next();
            break;
        case ReviewAnswer::second_action:
            write_review_worksheet(characters);
            break;
        case ReviewAnswer::close:
            break;
    }
}

bool Shell::practise_next() {
    while (!practice_queue_.isEmpty()) {
        if (pad_->select_text(practice_queue_.takeFirst())) {
            return true;
        }
    }
    return false;
}

// Made by the exporter's code, with the program's settings, into a folder the user chooses.
void Shell::write_review_worksheet(const QStringList& characters) {
    const std::optional<QString> folder = dialogs_.choose_folder(output_folder_);
    if (!folder) {
        return;
    }
    ExportOptions options;
    options.command = ExportCommand::worksheet;
    options.characters = characters;
    options.data = installation_folder_;
    options.out = *folder;
    options.quiet = true;
    const ExportSetup setup = export_setup(options, registry_path_, QDir::currentPath());
    if (run_export(options, setup, stderr, false) != 0) {
        throw Error(QStringLiteral("The worksheet could not be written in \"%1\".").arg(*folder));
    }
    dialogs_.inform(text(text_key::practice_review_item).remove(QStringLiteral("...")),
                    text(text_key::worksheet_written_notice)
                        .arg(QDir(*folder).filePath(QStringLiteral("worksheet.pdf"))));
}

void Shell::choose_grid_style(PadGridStyle style) {
    view_.grid_style = style;
    pad_->set_grid_style(style);
    save_view_settings();
}

void Shell::save_view_settings() const {
    inkwren::save_view_settings(
        QDir(installation_folder_).filePath(QString::fromLatin1(view_settings_file)), view_);
}

bool Shell::in_force(const MenuChoice& choice) const {
    if (const auto* language = std::get_if<LanguageFile>(&choice)) {
        return built_in_language_ == QLatin1String(language->file);
    }
    if (const auto* encoding = std::get_if<EncodingItem>(&choice)) {
        return encoding_item_ == *encoding;
    }
    if (const auto* library = std::get_if<LibraryItem>(&choice)) {
        return library_item_ == *library;
    }
    if (const auto* gif = std::get_if<GifScale>(&choice)) {
        return gif_settings().scale == gif->scale;
    }
    if (const auto* standard = std::get_if<StrokeOrderStandard>(&choice)) {
        return view_.standard == *standard;
    }
    if (const auto* grid_style = std::get_if<PadGridStyle>(&choice)) {
        return pad_->settings().grid_style == *grid_style;
    }
    if (const auto* hint = std::get_if<HintAfter>(&choice)) {
        return view_.practice_hint_after == hint->mistakes;
    }
    if (const auto* give = std::get_if<GiveAfter>(&choice)) {
        return view_.practice_give_after == give->mistakes;
    }
    if (const auto* leniency = std::get_if<Leniency>(&choice)) {
        return view_.practice_leniency == *leniency;
    }
    return false;
}

bool Shell::chosen_at_start(const MenuChoice& choice) const {
    if (const auto* language = std::get_if<LanguageFile>(&choice)) {
        return QString::fromLatin1(preferences_.language_file).trimmed() ==
               QLatin1String(language->file);
    }
    if (const auto* encoding = std::get_if<EncodingItem>(&choice)) {
        return item_for_stored_mode(preferences_.stored_encoding_mode) == *encoding;
    }
    return false;
}

}  // namespace inkwren
