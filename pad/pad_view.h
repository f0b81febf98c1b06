// The writing pad's widgets: the player's widget at the top and the control panel under it
// with the two sliders, the six buttons, the character field and the palette, and a small note
// in the pad's corner for a character that keeps the mainland's form. What they do is the
// writing pad's; this view lays them out, shows the pad's state and forwards events.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <array>
#include <functional>

class QCompleter;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QSlider;
class QTimer;
class QToolButton;

namespace inkwren {

class InfoStrip;
class PaletteView;
class PlayerWidget;
class WritingPad;

// Runs an event's work where errors are caught and shown.
using EventGuard = std::function<void(const std::function<void()>&)>;

class PadView : public QWidget {
public:
    PadView(WritingPad& pad, QImage palette, int screen_height, EventGuard guard,
            QWidget* parent = nullptr);

    QLineEdit* character_field() const { return zi_inputfield1_; }
    PaletteView& palette_view() const { return *palette_view_; }

    // Lays the pad out for the pad's size when it changed, and shows its player.
    void show_player();
    // The sliders follow the pad's settings.
    void sync_sliders();
    // The mainland form note, in the language in force, while the pad's character keeps that form.
    void show_mainland_note();
    // The information strip under the panel, on or off; the window grows or shrinks by it.
    void show_info_strip(bool on);
    bool shows_info_strip() const { return info_shown_; }
    InfoStrip& info_strip() const { return *info_strip_; }
    // The strip tells of the character shown.
    void show_character_info();
    // The characters read as the field's text, offered in a list under it; none when the text is
    // no reading.
    void offer_readings(const QString& typed);
    // Made at its first use: the first frame does without it.
    QCompleter& reading_list();

    // The field's Enter, the zoom button and the others, as a click would. A typed text that
    // names no character gets a brief note beside the field.
    void zi_inputfield1Enter();
    void toggle_zoom();
    // The note's timer ran out, or the field's text changed: the note goes.
    void hide_missing_note();
    bool shows_missing_note() const;

    // How long the note beside the field stays.
    static constexpr int missing_note_ms = 3000;

    // Called after the layout changed the view's size.
    std::function<void()> on_resized;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add_writing_pad(QSize pad);
    void build_reading_list();
    void hide_reading_list();
    void write_offered(const QString& character);
    void build_panel();
    void show_missing_note();

    WritingPad& pad_;
    QImage palette_;
    int screen_height_;
    EventGuard guard_;
    QSize laid_out_;

    PlayerWidget* player_widget_;
    QWidget* Panel1_;
    QWidget* Image4_;
    QSlider* TrackBar1_;
    QSlider* TrackBar2_;
    std::array<QToolButton*, 6> buttons_{};
    QLineEdit* zi_inputfield1_;
    PaletteView* palette_view_;
    QLabel* mainland_note_;
    InfoStrip* info_strip_;
    bool info_shown_ = true;
    QCompleter* reading_list_ = nullptr;
    QStandardItemModel* readings_offered_ = nullptr;
    QLabel* missing_note_;
    QTimer* missing_note_timer_;
};

}  // namespace inkwren
