#include "output/character_files.h"

#include <cmath>

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "output/gif_recorder.h"
#include "output/jpeg_writer.h"
#include "output/number_font.h"
#include "pad/writing_pad.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr int sheet_quality = 80;

// The resolution a sheet states, in the JPEG's unit.
int stated_dots_per_inch(const QImage& sheet) {
    return int(std::lround(sheet.dotsPerMeterX() * 0.0254));
}

}  // namespace

std::optional<StrokeOrderSheet> character_sheet(const TAnimationPlayer& player,
                                                const SheetSettings& settings,
                                                const LanguageTable& language, bool mainland_form,
                                                const QString& info_line) {
    SheetInputs inputs = sheet_inputs(
        player, settings, language.lookup_text(QString::fromLatin1(text_key::sheet_number_prefix)),
        language.lookup_text(QString::fromLatin1(text_key::sheet_number_suffix)));
    inputs.note = mainland_form_note(language, mainland_form);
    inputs.info_line = info_line;
    return make_sheet(inputs, FontNumberRenderer(sheet_number_font(inputs)));
}

QString mainland_form_note(const LanguageTable& language, bool mainland_form) {
    return mainland_form ? language.lookup_text(QString::fromLatin1(text_key::mainland_form_note))
                         : QString();
}

QByteArray sheet_jpeg(const QImage& sheet) {
    return jpeg_bytes(sheet, sheet_quality, QString(), stated_dots_per_inch(sheet));
}

void save_sheet_jpeg(const QImage& sheet, const QString& path) {
    jpegsave(sheet, path, sheet_quality, stated_dots_per_inch(sheet));
}

GifCapture::GifCapture(WritingPad& pad) : pad_(pad) {
    pad_.capture = this;
}

GifCapture::~GifCapture() {
    pad_.capture = nullptr;
}

std::unique_ptr<FrameRecorder> GifCapture::start() {
    return std::make_unique<GifRecorder>(settings.scale);
}

void GifCapture::finished(std::unique_ptr<FrameRecorder> capture) {
    QByteArray gif = capture->finish();
    if (on_gif) {
        on_gif(std::move(gif));
    }
}

QByteArray play_gif(WritingPad& pad, double scale) {
    GifCapture capture(pad);
    capture.settings = {true, scale};
    std::optional<QByteArray> gif;
    capture.on_gif = [&gif](QByteArray finished) { gif = std::move(finished); };
    TAnimationPlayer& player = pad.player();
    player.replay();
    while (player.playing()) {
        player.play_tick();
    }
    if (!gif) {
        throw Error(QStringLiteral("The character has no strokes to write."));
    }
    return std::move(*gif);
}

}  // namespace inkwren
