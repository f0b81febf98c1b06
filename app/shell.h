// The application shell without its window: the settings records, the language table, the
// folders and the writing pad, and what every menu command does to them. The main window
// calls these from its menu handlers and shows the state they leave, check marks included.
#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <variant>

#include "app/preference_record.h"
#include "app/startup.h"
#include "encoding/encoding_mode.h"
#include "langtable/language_table.h"
#include "output/character_files.h"
#include "output/gif_capture.h"
#include "output/sheet_settings_record.h"
#include "pad/writing_pad.h"

namespace inkwren {

class Dialogs;
class GifOffers;

enum class LibraryItem { traditional, simplified };

// What a choice item of the menus chooses: a built-in language by its file, an encoding, a
// stroke library, the scale of recorded GIFs, the stroke order standard or the pad's grid style.
// Nothing for the other items.
struct LanguageFile {
    const char* file;
};
struct GifScale {
    double scale;
};
// Practising: the mistakes on a stroke before its hint, and the further mistakes before it is
// given; 0 for never.
struct HintAfter {
    int mistakes;
};
struct GiveAfter {
    int mistakes;
};
using MenuChoice = std::variant<std::monostate, LanguageFile, EncodingItem, LibraryItem, GifScale,
                                StrokeOrderStandard, PadGridStyle, HintAfter, GiveAfter, Leniency>;

// Opens a page in the desktop's browser; answers false when none could be opened.
using UrlOpener = std::function<bool(const QUrl&)>;

class Shell {
public:
    Shell(StartupResult start, Dialogs& dialogs);
    ~Shell();

    WritingPad& pad() { return *pad_; }
    const WritingPad& pad() const { return *pad_; }
    LanguageTable& language() { return language_; }
    const PreferenceRecord& preferences() const { return preferences_; }
    const SheetSlots& sheet_slots() const { return sheet_slots_; }
    SheetSettings sheet_settings() const { return sheet_settings_from_slots(sheet_slots_); }
    const QString& installation_folder() const { return installation_folder_; }
    // Where the save dialogs of sheets and GIFs open.
    const QString& output_folder() const { return output_folder_; }
    const GifSettings& gif_settings() const { return gif_capture_->settings; }
    // Offers the GIFs of the captures that have ended, waiting for those still being made.
    void wait_for_gifs() { gif_capture_->wait_for_gifs(); }
    bool has_settings_program() const { return has_settings_program_; }
    const QImage& palette() const { return palette_; }

    QString text(const char* key) const;
    QString caption() const { return message_caption(language_); }
    // The user-language item's caption; empty while there is none.
    QString user_language_caption() const;

    // The first display; tells the user when the start character cannot be shown.
    void show_start_character();

    // Language items: a built-in language by its file, or the user's own.
    void choose_language(const QString& file);
    void choose_user_language();
    // Installs a dropped user language file and chooses it.
    void install_user_language(const QString& dropped);
    void choose_encoding(EncodingItem item);
    // The archive menu items re-select the character named by the field's text. Answers false,
    // telling the user, when the library's archive is missing.
    bool choose_library(LibraryItem item, const QString& field_text);
    // The archive stored in the preferences, at start-up, without re-selecting.
    void apply_stored_library();
    // The traditional library's stroke order, stored in "view.cfg" at once; the character named
    // by the field's text is shown again in it.
    void choose_standard(StrokeOrderStandard standard, const QString& field_text);
    bool traditional_library() const { return library_item_ == LibraryItem::traditional; }
    void toggle_use_custom();
    // The stroke numbers switch, stored in "view.cfg" at once.
    void toggle_stroke_numbers();
    // Captured GIFs keep every second frame of the playback instead of one in six.
    void toggle_smooth_gif();
    void toggle_smooth_ink();
    // The information strip under the panel, kept in the view settings.
    void toggle_character_info();
    bool character_info() const { return view_.character_info; }
    // Practice writing on the pad, with the character in grey or not; each character finished
    // is added to the practice log.
    void toggle_practice();
    void stop_practice();
    void toggle_practice_outline();
    void choose_practice_rule(const MenuChoice& rule);
    bool practising() const;
    bool practice_outline() const { return view_.practice_outline; }
    // The characters whose last writing had mistakes: practised one after another, or printed
    // on a worksheet.
    void review_practice();
    // The pen comes down on a finished character: the next one queued for practice comes.
    bool practise_next();
    // The pad's nine-grid drawn solid or dashed, stored in "view.cfg" at once.
    void choose_grid_style(PadGridStyle style);
    // The custom character commands: save the shown strokes as the current character's custom
    // file, and delete it by the menu or by the pop-up menu, each after its question.
    void save_custom();
    void delete_custom_by_menu();
    void delete_custom_by_popup();
    void toggle_record_gif();
    void choose_gif_scale(double scale);
    void set_stay_on_top(bool on) { stay_on_top_ = on; }
    bool stay_on_top() const { return stay_on_top_; }

    // Takes the output folder and the sheet settings from the sheet settings dialog, stores them
    // in "config.dat" and hands the stroke colour and the folder to the pad.
    void updatecfg(const QString& folder, const SheetSlots& record_slots);
    // The reading and meaning under sheets, a setting of the same dialog kept in "view.cfg"
    // (config.dat keeps its fixed record); stored at once when it changes.
    bool sheet_info_line() const { return view_.sheet_info_line; }
    void set_sheet_info_line(bool on);
    // The line under the sheet of the character shown: its reading, in the script of the
    // library in force, and its meaning; empty when sheets have none or nothing is known of it.
    QString sheet_info_line_text() const;

    QString about_text() const;
    // The user manual's page for the language in force (English for a user's own language),
    // and opening it; the opener is the desktop's unless a test gives its own.
    QString manual_page() const;
    void open_manual();
    void set_url_opener(UrlOpener opener) { open_url_ = std::move(opener); }
    void run_settings_program() const;

    // Whether a choice is the one in force: the check mark of its item.
    bool in_force(const MenuChoice& choice) const;
    // Whether start-up chooses it again through its item: the stored encoding and language.
    // The stored library is applied without its item, by apply_stored_library.
    bool chosen_at_start(const MenuChoice& choice) const;

private:
    void save_preferences();
    void save_view_settings() const;
    PracticeChoices practice_choices() const;
    void write_review_worksheet(const QStringList& characters);
    QStringList practice_queue_;
    void log_practice(const QString& character, const PracticeSession& session);
    QString practice_log_path() const;
    bool reload_language(const QString& file);

    Dialogs& dialogs_;
    LanguageTable language_;
    PreferenceRecord preferences_;
    PreferenceRecord on_disk_;  // as last read or written
    SheetSlots sheet_slots_;
    QString installation_folder_;
    QString registry_path_;  // the settings store the exporter's code reads
    bool has_settings_program_;
    QImage palette_;
    QString output_folder_;
    ViewSettings view_;
    std::unique_ptr<WritingPad> pad_;
    std::unique_ptr<GifOffers> gif_offers_;
    std::unique_ptr<GifCapture> gif_capture_;  // of the pad's playbacks, while the pad lives

    QString built_in_language_;  // the built-in language last chosen; none at first
    EncodingItem encoding_item_ = EncodingItem::gb;
    LibraryItem library_item_ = LibraryItem::simplified;
    bool stay_on_top_ = true;
    UrlOpener open_url_;
};

}  // namespace inkwren
