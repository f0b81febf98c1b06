// What the animation player shares with the pad that owns it: the pad's settings, which the
// player reads live (the sliders at every tick, the display switches when it draws), and the
// few things it hands back. Keeping them behind this interface lets the player be built and
// tested without the window.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "animation/stroke_rendering.h"
#include "platform/setting_range.h"

namespace inkwren {

// Where the frames of a capture go as the player shows them: to an encoder that keeps them
// compact, so a long capture at a large pad stays small.
class FrameRecorder {
public:
    virtual ~FrameRecorder() = default;

    // One frame of the pad's size as shown, and how long it shows in hundredths of a second.
    virtual void add(const QImage& frame, int delay) = 0;

    // The file the frames make, once the playback ran to its end; throws Error when there is
    // nothing to write.
    virtual QByteArray finish() = 0;
};

// The model character's font, as a stroke file's companion settings give it.
struct ModelFont {
    QString family;
    int size = 0;
    std::uint8_t style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strikeout
};

// The sliders' ranges, and where a new pad starts.
inline constexpr SettingRange pen_speed_range{0, 100, 2};
inline constexpr SettingRange stroke_interval_range{0, 30, 0};

// What a stroke file's companion settings set on the pad.
struct CompanionPad {
    int pen_speed = 0;        // within pen_speed_range
    int stroke_interval = 0;  // within stroke_interval_range
    ModelFont model_font;
};

// The pad's settings: one value, owned by the pad, read by its player.
struct PadSettings {
    int pen_speed = pen_speed_range.initial;              // points per tick less one
    int stroke_interval = stroke_interval_range.initial;  // pause between strokes in notches
    bool show_grid = true;
    PadGridStyle grid_style = PadGridStyle::solid;
    bool show_pen = true;
    bool show_flashbars = true;   // flash bar pictures shown at rest
    bool stroke_numbers = false;  // each stroke's number beside its start
    bool grey_first = true;
    bool two_color = true;
    bool loop_lesson = false;  // a finished playback starts again after a pause
    bool smooth_gif = false;   // captured GIFs keep every second frame, not one in six
    // What is shown is drawn anti-aliased. Off here, as the layers are; the program turns it on
    // unless the user has turned it off.
    bool smooth_ink = false;
    int flash_count = 3;          // flashes a new flash bar gives
    std::int32_t pick_color = 0;  // the pen colour: the palette's or the colour chooser's last
    std::int32_t stroke_color = 0xFF0000;
    ModelFont model_font;
};

class PlayerOwner {
public:
    virtual ~PlayerOwner() = default;

    // Read live: the player never writes them; it asks the owner through the calls below.
    virtual const PadSettings& settings() const = 0;

    // A stroke file's companion settings set the sliders and the model font.
    virtual void take_companion(const CompanionPad& companion) = 0;

    // Whether the strokes differ from the saved ones: set by every edit, cleared when an undo
    // brings back the saved strokes.
    virtual void set_modified(bool modified) = 0;

    // A text of the language table, for the notes the player draws or shows.
    virtual QString text(const QString& key) const = 0;

    // A failure the user should hear about; playback and drawing go on.
    virtual void report(const QString& message) = 0;

    // Whether the frames shown are captured: asked at every frame, so the switch takes effect at
    // once. It belongs to whoever the captures go to, not to the pad.
    virtual bool capture_on() const = 0;

    // A capture begins with its first frame: where its frames go; nothing keeps none.
    virtual std::unique_ptr<FrameRecorder> start_capture() = 0;

    // Playback ran to its end with capture on: the capture goes to the animated GIF writer.
    virtual void write_gif(std::unique_ptr<FrameRecorder> capture) = 0;
};

}  // namespace inkwren
