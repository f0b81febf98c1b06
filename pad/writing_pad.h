// The writing pad without its widgets: which character is shown and where its strokes come
// from, the one animation player (recreated for every character, and always there, empty when
// there is nothing to show), the pad's size and zoom, its settings, and the ways text and files
// reach it. The main window shows what this computes and forwards its events here.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "animation/animationplayer.h"
#include "animation/lesson.h"
#include "animation/player_owner.h"
#include "charinfo/char_info.h"
#include "encoding/encoding_mode.h"
#include "pad/character_info_source.h"
#include "pad/playback_capture.h"
#include "pad/practice_mode.h"
#include "pad/text_intake.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

class Dialogs;
class LanguageTable;

// The folder of the user's custom characters, in the program folder.
inline constexpr auto custom_folder_name = "udefined/";

// The custom file name of a character: its code as four upper-case hex digits, or five or six
// beyond the Basic Multilingual Plane.
QString custom_name_of(const QString& character);

class WritingPad : public PlayerOwner {
public:
    // program_folder: the installation folder, where the data and "tmp/" and "udefined/" are.
    WritingPad(Dialogs& dialogs, const LanguageTable& language, QString program_folder,
               int legacy_code_page);
    ~WritingPad() override;

    // The current character: as a key text, and as it reached the pad.
    const QString& cur_key() const { return cur_key_; }
    const QString& cur_text() const { return cur_text_; }
    // The character shown first, before any text has reached the pad.
    void set_start_character(const QString& key) { cur_key_ = key; }

    int pad_side() const { return pad_side_; }
    double zoom_scale() const { return pad_side_ / double(unzoomed_pad_side); }
    bool can_magnify() const { return can_magnify_; }
    bool archive_present() const { return archive_present_; }
    bool custom_dirty() const { return custom_dirty_; }
    // Whether the character shown is the library's and keeps the mainland's form in Taiwan's
    // order (strokes/mainland_forms.h); never for a custom, dropped or reloaded stroke file.
    bool shows_mainland_form() const { return mainland_form_; }

    // Where characters come from: the library, how texts are read, and whether the user's
    // custom characters come first. A change takes effect with the next character shown.
    const ArchiveChoice& archive() const { return archive_; }
    void set_archive(const ArchiveChoice& archive) { archive_ = archive; }
    const EncodingState& encoding() const { return encoding_; }
    void set_encoding(const EncodingState& encoding) { encoding_ = encoding; }
    void choose_encoding(EncodingItem item);
    bool use_custom() const { return use_custom_; }
    void set_use_custom(bool on) { use_custom_ = on; }

    // Whether newly shown characters start writing at once, and whether the character last
    // shown comes back from the recent file; a pad making files without a window wants neither.
    void set_auto_play(bool on) { auto_play_ = on; }
    void set_reload_recent(bool on) { reload_recent_ = on; }
    // Whether the characters shown from now on get unseen players (animation/player_settings.h):
    // for a pad without a window whose characters are made into files and never played.
    void set_unseen(bool on) { unseen_ = on; }

    TAnimationPlayer& player() { return *player_; }
    const TAnimationPlayer& player() const { return *player_; }

    // How the pad tells its window what changed.
    std::function<void(const QString&)> on_field_text;  // the character field's new text
    std::function<void()> on_player_replaced;           // a new player (and maybe pad size)
    std::function<void()> on_settings_changed;          // a stroke file moved the sliders
    std::function<void(int)> on_keep_on_screen;         // keep the window on screen, by mode

    const QString& program_folder() const { return program_folder_; }
    int legacy_code_page() const { return legacy_cp_; }
    QString temp_folder() const;
    // Temporary stroke files go to folder instead of the program folder's "tmp/".
    void use_temp_folder(const QString& folder) { temp_folder_ = folder; }
    QString custom_folder() const;
    // The custom file name of the current character.
    QString custom_name() const;
    QString custom_file() const;  // the custom folder, the name and ".wrt"
    // Deletes folder + name + ".wrt"; true only when it existed and was deleted.
    bool delete_from_custom_db(const QString& name, const QString& folder) const;

    // Shows the character a text names, when it names exactly one archive entry; answers
    // whether it did.
    bool TextCopyDetected(const QString& text);
    // The same after offering to save an unsaved edit; answers whether it showed one.
    bool select_text(const QString& text);
    // Rebuilds the player and loads the current character.
    void show_ani_writing();
    // The first display at start-up; answers whether the start character was shown.
    bool Display_Writing_Pad();
    // Asks to save an edited custom character before it is left; true when it was saved.
    bool offer_save();
    void save_custom();

    // The zoom button: the next pad size for a screen of this height.
    void toggle_zoom(int screen_height);
    void toggle_grid();
    void set_grid_style(PadGridStyle style);
    void toggle_pen();
    void toggle_flashbars();
    void toggle_grey_first();
    void toggle_two_color();
    // Each stroke's number at its start. While playing, the next frame shows the change.
    void show_stroke_numbers(bool on);
    // Smooth ink: the view is drawn again; a playback starts again.
    void set_smooth_ink(bool on);

    // A colour taken from the palette or the colour chooser becomes the pen colour; a press
    // (not a drag over the palette) also recolours the selected strokes.
    void pick_colour(std::int32_t colour, bool pressed);
    // The colour chooser, opening at the pen colour.
    std::optional<std::int32_t> choose_colour();
    // The pop-up menu's flash bar commands, undo and redo, for the strokes shown.
    void add_flash_bar();
    void delete_flash_bar();
    void undo();
    void redo();

    // The keyboard lesson: play or pause, a step through the stroke order, looping on or off,
    // and the pen speed moved by notches (kept within the slider's range).
    void play_or_pause();
    void step_strokes(StrokeStep step);
    void toggle_looping();
    void change_pen_speed(int notches);
    // The sliders moved.
    void set_pen_speed(int speed);
    void set_stroke_interval(int interval);

    // Practice writing: on, the pad's pen writes the character shown, and every character that
    // comes is practised instead of played. Off, the character is shown whole again.
    void start_practice(const PracticeChoices& choices);
    void stop_practice();
    PracticeMode* practice() const { return practice_.get(); }
    // A character practised to its end, with the score of its writing.
    std::function<void(const QString& character, const PracticeSession&)> on_practice_finished;
    // The pen lifted while practising: the stroke is judged, and a finished character reported.
    // The pen down while practising; on a finished character it first asks for the next one.
    void begin_practice_stroke(QPointF at);
    std::function<bool()> on_practice_next;
    void end_practice_stroke(QPointF at);
    void skip_practice_stroke();

    // What is known of the character shown: its readings, meaning, radical and other forms.
    std::optional<CharInfo> character_info() const;
    // Whether stroke counts are Taiwan's: the traditional library in Taiwan's order.
    bool counts_taiwan_strokes() const { return !archive_.overlay_file.isEmpty(); }
    // The characters of the library in use read as a typed reading, most common first.
    std::vector<CharInfo> characters_read_as(const QString& typed, std::size_t limit) const;
    // Readies the search by reading, as the user enters the character field.
    void prepare_reading_search() const { info_.prepare_search(); }

    // A text copied anywhere on the desktop.
    void clipboard_changed(const QString& text);
    // The first dropped file: a stroke file is loaded; the kind is answered so the window can
    // install a user language. A file that cannot be loaded throws Error and changes nothing.
    DroppedKind drop_file(const QString& path);

    // PlayerOwner
    const PadSettings& settings() const override { return settings_; }
    // Settings as a whole, as start-up reads them or a batch run chooses them; the player reads
    // them from the next frame on.
    void set_settings(const PadSettings& settings) { settings_ = settings; }
    // The highlight colour the sheet settings choose.
    void set_stroke_color(std::int32_t colour) { settings_.stroke_color = colour; }
    void take_companion(const CompanionPad& companion) override;
    void set_modified(bool modified) override { custom_dirty_ = modified; }
    QString text(const QString& key) const override;
    void report(const QString& message) override;
    bool capture_on() const override { return capture && capture->on(); }
    std::unique_ptr<FrameRecorder> start_capture() override;
    void write_gif(std::unique_ptr<FrameRecorder> finished) override;

    // Where playbacks are captured; without it nothing is.
    PlaybackCapture* capture = nullptr;

private:
    void redraw_grid();
    QString archive_path() const;
    QString index_path() const;
    std::unique_ptr<TAnimationPlayer> make_player(QSize size, const QString& character);
    void replace_player(std::unique_ptr<TAnimationPlayer> player);
    void load_current_character(TAnimationPlayer& player);
    void sliders_changed();
    void show_missing_archive();
    void practise_current_character();
    void score_practice(const std::function<void()>& turn);

    QString cur_key_;
    QString cur_text_;
    int pad_side_ = 200;  // the pad is square
    bool can_magnify_ = true;
    bool archive_present_ = false;
    bool reload_recent_ = true;
    bool use_custom_ = true;
    bool custom_dirty_ = false;
    bool mainland_form_ = false;
    bool auto_play_ = true;
    bool unseen_ = false;
    EncodingState encoding_;
    ArchiveChoice archive_;

    Dialogs& dialogs_;
    const LanguageTable& language_;
    QString program_folder_;
    int legacy_cp_;
    PadSettings settings_;
    QString temp_folder_;
    std::unique_ptr<TAnimationPlayer> player_;
    std::optional<PracticeChoices> practice_choices_;  // while practising
    std::unique_ptr<PracticeMode> practice_;           // the character being practised
    CharacterInfoSource info_;
};

}  // namespace inkwren
