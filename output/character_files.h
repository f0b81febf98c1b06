// A character's stroke-order sheet and animated GIF as the program's files, made from the pad
// that shows it. The program's menus and inkwren-export both make their files here, so one
// character with the same settings gives the same bytes either way.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "output/sheet_settings_record.h"
#include "output/stroke_order_sheet.h"
#include "pad/playback_capture.h"

namespace inkwren {

class LanguageTable;
class TAnimationPlayer;
class WritingPad;

// The sheet of the character the player holds, its stroke numbers (and, for a character that
// keeps the mainland's form, its note saying so) worded in the language, the info line under
// it unless empty; nothing when the character gives no picture.
std::optional<StrokeOrderSheet> character_sheet(const TAnimationPlayer& player,
                                                const SheetSettings& settings,
                                                const LanguageTable& language, bool mainland_form,
                                                const QString& info_line);

// What the sheets and worksheets write beside a character that keeps the mainland's form; empty
// for any other.
QString mainland_form_note(const LanguageTable& language, bool mainland_form);

// A sheet picture as the JPEG file the program saves, and saving it there whole; a file that
// cannot be written throws Error naming it and leaves nothing behind.
QByteArray sheet_jpeg(const QImage& sheet);
void save_sheet_jpeg(const QImage& sheet, const QString& path);

// What playbacks are captured with: the GIF switch and the GIF's size against the pad's.
struct GifSettings {
    bool record = false;
    double scale = 1.0;
};

// The GIF capture of a pad's playbacks, attached to the pad while it lives: each capture is
// encoded as its frames are shown, and one whose playback ran to its end becomes a GIF.
class GifCapture : public PlaybackCapture {
public:
    explicit GifCapture(WritingPad& pad);
    ~GifCapture() override;
    GifCapture(const GifCapture&) = delete;
    GifCapture& operator=(const GifCapture&) = delete;

    GifSettings settings;
    // Takes each finished GIF, the whole file.
    std::function<void(QByteArray gif)> on_gif;

    bool on() const override { return settings.record; }
    std::unique_ptr<FrameRecorder> start() override;
    void finished(std::unique_ptr<FrameRecorder> capture) override;

private:
    WritingPad& pad_;
};

// Plays the pad's character from its start to its end, captured at the scale, and answers its
// GIF; throws Error when the character has no strokes to write.
QByteArray play_gif(WritingPad& pad, double scale);

}  // namespace inkwren
