#include "app/sheet_dialog_rules.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <algorithm>

#include "animation/raster.h"
#include "app/config_files.h"
#include "platform/code_page.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

int nearest_choice(std::int32_t value, int count) {
    return int(std::clamp<std::int32_t>(value, 0, count - 1));
}

bool is_big5_lead_byte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

}  // namespace

SheetDialogEnabling sheet_dialog_enabling(const SheetDialogChoices& choices) {
    return {choices.underlay_on, choices.grid_on, choices.numbers_on,
            choices.color_mode == two_colours_mode};
}

SheetDialogChoices sheet_dialog_choices(const SheetSettings& settings) {
    SheetDialogChoices choices;
    choices.per_row = int(std::clamp<std::int32_t>(settings.per_row, min_per_row, max_per_row));
    choices.underlay_on = settings.underlay_on;
    choices.grid_on = settings.grid_on;
    choices.numbers_on = settings.numbers_on;
    choices.color_mode = nearest_choice(settings.color_mode, 3);
    choices.picture_content = nearest_choice(settings.picture_content, 3);
    choices.grid_style = nearest_choice(settings.grid_style, 3);
    choices.numeral_kind = nearest_choice(settings.numeral_kind, 2);
    choices.number_style = nearest_choice(settings.number_style, 2);
    choices.number_align = nearest_choice(settings.number_align, 3);
    return choices;
}

SheetSlots slots_with_settings(const SheetSlots& record_slots, const SheetSettings& settings) {
    const SheetSlots wanted = sheet_slots(settings);
    const SheetSlots as_read = sheet_slots(sheet_settings_from_slots(record_slots));
    SheetSlots result = record_slots;
    for (int slot = 0; slot < sheet_slot_count; ++slot) {
        if (wanted[slot] != as_read[slot]) {
            result[slot] = wanted[slot];
        }
    }
    return result;
}

SheetSlots slots_with_choices(const SheetSlots& record_slots, const SheetDialogChoices& choices) {
    SheetSettings settings = sheet_settings_from_slots(record_slots);
    settings.per_row = choices.per_row;
    settings.underlay_on = choices.underlay_on;
    settings.grid_on = choices.grid_on;
    settings.numbers_on = choices.numbers_on;
    settings.color_mode = choices.color_mode;
    settings.picture_content = choices.picture_content;
    settings.grid_style = choices.grid_style;
    settings.numeral_kind = choices.numeral_kind;
    settings.number_style = choices.number_style;
    settings.number_align = choices.number_align;
    return slots_with_settings(record_slots, settings);
}

QByteArray record_font_name(const QString& family) {
    const QByteArray bytes = to_code_page(family, big5_code_page);
    qsizetype kept = 0;
    while (kept < bytes.size()) {
        const qsizetype length = is_big5_lead_byte(bytes[kept]) && kept + 1 < bytes.size() ? 2 : 1;
        if (kept + length > font_name_capacity) {
            break;
        }
        kept += length;
    }
    return bytes.left(kept);
}

FontChoice font_of(const SheetSettings& settings) {
    return {from_code_page(settings.font_name, big5_code_page), settings.font_size,
            settings.font_style};
}

SheetSettings with_font(SheetSettings settings, const FontChoice& font) {
    settings.font_name = record_font_name(font.family);
    settings.font_size = font.point_size;
    settings.font_style = font.style;
    return settings;
}

QImage colour_swatch(QSize size, std::int32_t colour) {
    QImage swatch = make_bitmap(size.width(), size.height());
    if (size.width() > 4 && size.height() > 4) {
        QPainter painter(&swatch);
        painter.fillRect(QRect(QPoint(1, 1), QPoint(size.width() - 3, size.height() - 3)),
                         to_qcolor(colour));
    }
    return swatch;
}

QImage grid_line_swatch(QSize size, std::int32_t colour, int grid_style) {
    QImage swatch = make_bitmap(size.width(), size.height());
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
    QPen pen(to_qcolor(colour), 1, styles[std::clamp(grid_style, 0, 2)], Qt::FlatCap);
    QPainter painter(&swatch);
    painter.setPen(pen);
    const int middle = size.height() / 2;
    painter.drawLine(0, middle, size.width(), middle);
    return swatch;
}

QString folder_to_store(const QString& edited) {
    const QString folder = edited.trimmed();
    return folder.isEmpty() ? folder : with_trailing_slash(folder);
}

void store_output_folder(const QString& installation_folder, const QString& folder) {
    save_output_folder(QDir(installation_folder).filePath(QString::fromLatin1(output_folder_file)),
                       folder);
}

}  // namespace inkwren
