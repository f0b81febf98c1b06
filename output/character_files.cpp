#include "output/character_files.h"

#include <cmath>

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "output/jpeg_writer.h"
#include "output/number_font.h"
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

}  // namespace inkwren
