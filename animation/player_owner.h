// What the animation player reads from and hands back to the window that owns it: the two
// sliders read live at every tick, the display switches, and the flags the player writes back.
// Keeping them behind this interface lets the player be built and tested without the window.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

#include "strokes/stroke_archive.h"

namespace inkwren {

// One captured frame of an animation and how long it shows, in hundredths of a second.
struct GifFrame {
    QImage bitmap;
    int delay = 0;
};

class PlayerOwner {
public:
    virtual ~PlayerOwner() = default;

    virtual int pen_speed() const = 0;        // points per tick less one, 0 to 100
    virtual int stroke_interval() const = 0;  // pause between strokes in notches, 0 to 30
    // A stroke file's companion settings move the sliders and set the model character's font.
    virtual void set_sliders(int pen_speed, int stroke_interval) = 0;
    virtual void set_model_font(const QString& family, int size, std::uint8_t style) = 0;

    // How characters are keyed: the legacy code page, and the index column of the encoding
    // mode in force.
    virtual int legacy_code_page() const = 0;
    virtual IndexColumn lookup_column() const = 0;

    virtual bool flash_bar_view() const = 0;  // flash bar pictures shown at rest
    virtual int flash_count() const = 0;      // flashes a new flash bar gives

    virtual bool edit_marks() const = 0;
    virtual void set_edit_marks(bool on) = 0;
    virtual bool grey_first_setting() const = 0;
    virtual void set_grey_first_setting(bool on) = 0;
    virtual bool two_color_setting() const = 0;
    virtual void set_two_color_setting(bool on) = 0;

    // An edit changed the strokes.
    virtual void set_modified() = 0;

    // A text of the language table, for the notes the player draws or shows.
    virtual QString text(const QString& key) const = 0;

    // A failure the user should hear about; playback and drawing go on.
    virtual void report(const QString& message) = 0;

    // Playback ran to its end with capture on: the frames go to the animated GIF writer.
    virtual void write_gif(const std::vector<GifFrame>& frames, double scale) = 0;
};

}  // namespace inkwren
