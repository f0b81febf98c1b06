// The writing pad without its widgets: which character is shown and where its strokes come
// from, the one animation player (recreated for every character), the pad's size and zoom, its
// display switches and sliders, and the ways text and files reach it. The main window shows
// what this computes and forwards its events here.
#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "animation/animationplayer.h"
#include "animation/player_owner.h"
#include "encoding/encoding_mode.h"
#include "pad/text_intake.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

class Dialogs;
class LanguageTable;

class WritingPad : public PlayerOwner {
public:
    // program_folder: the installation folder, where the data and "tmp/" and "udefined/" are.
    WritingPad(Dialogs& dialogs, const LanguageTable& language, QString program_folder);
    ~WritingPad() override;

    // The current character: as a key text, and as it reached the pad.
    QString cur_key;
    QString cur_text;

    int pad_w = 200;
    int pad_h = 200;
    double zoom_scale = 1.0;
    bool can_magnify = true;
    bool pad_ready = true;
    bool archive_present = false;
    bool reload_recent = true;
    bool use_custom = true;
    bool custom_dirty = false;

    EncodingState encoding;
    ArchiveChoice archive;
    int legacy_cp = 936;

    // Display switches and the owner's settings the player reads.
    bool show_grid = true;
    bool show_pen = true;
    bool show_flashbars = true;
    bool grey_first = true;
    bool two_color = true;
    bool marks = false;
    int flashes = 3;
    std::int32_t stroke_color = 0xFF0000;
    bool record_gif = false;
    double gif_scale = 1.0;
    QString output_folder;
    int speed = 2;     // pen-speed slider, 0 to 100
    int interval = 0;  // stroke-interval slider, 0 to 30

    // Whether newly shown characters start writing at once.
    bool auto_play = true;

    std::unique_ptr<TAnimationPlayer> player;

    // How the pad tells its window what changed.
    std::function<void(const QString&)> on_field_text;  // the character field's new text
    std::function<void()> on_player_replaced;           // a new player (and maybe pad size)
    std::function<void()> on_sliders_changed;           // a stroke file moved the sliders
    std::function<void(int)> on_keep_on_screen;         // keep the window on screen, by mode

    const QString& program_folder() const { return program_folder_; }
    QString temp_folder() const;
    QString custom_folder() const;
    // The custom file name of the current character: its first code unit as four hex digits.
    QString custom_name() const;

    // Shows the character a text names, when it names exactly one archive entry; answers
    // whether it did.
    bool TextCopyDetected(const QString& text);
    // The same after offering to save an unsaved edit.
    void select_text(const QString& text);
    // Rebuilds the player and loads the current character.
    void show_ani_writing();
    // The first display at start-up.
    void Display_Writing_Pad();
    // Asks to save an edited custom character before it is left; true when it was saved.
    bool offer_save();
    void save_custom();

    // The zoom button: the next pad size for a screen of this height.
    void toggle_zoom(int screen_height);
    void toggle_grid();
    void toggle_pen();
    void toggle_flashbars();

    // A text copied anywhere on the desktop.
    void clipboard_changed(const QString& text);
    // The first dropped file: a stroke file is loaded; the kind is answered so the window can
    // install a user language.
    DroppedKind drop_file(const QString& path);

    // PlayerOwner
    int pen_speed() const override { return speed; }
    int stroke_interval() const override { return interval; }
    void set_sliders(int pen_speed, int stroke_interval) override;
    void set_model_font(const QString& family, int size, std::uint8_t style) override;
    int legacy_code_page() const override { return legacy_cp; }
    IndexColumn lookup_column() const override { return column_for_mode(encoding.encoding_mode); }
    bool flash_bar_view() const override { return show_flashbars; }
    int flash_count() const override { return flashes; }
    bool edit_marks() const override { return marks; }
    void set_edit_marks(bool on) override { marks = on; }
    bool grey_first_setting() const override { return grey_first; }
    void set_grey_first_setting(bool on) override { grey_first = on; }
    bool two_color_setting() const override { return two_color; }
    void set_two_color_setting(bool on) override { two_color = on; }
    void set_modified() override { custom_dirty = true; }
    QString text(const QString& key) const override;
    void report(const QString& message) override;
    void write_gif(const std::vector<GifFrame>& frames, double scale) override;

    // The model character's font from the last stroke file's settings.
    QString model_font_family;
    int model_font_size = 0;
    std::uint8_t model_font_style = 0;

private:
    QString archive_path() const;
    QString index_path() const;
    void rebuild_player();
    void load_current_character();
    void show_missing_archive();

    Dialogs& dialogs_;
    const LanguageTable& language_;
    QString program_folder_;
};

}  // namespace inkwren
