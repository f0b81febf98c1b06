#include "app/sheet_dialog_rules.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include "animation/raster.h"
#include "app/config_files.h"
#include "output/sheet_grid.h"
#include "platform/code_page.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

bool is_big5_lead_byte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

}  // namespace

SheetDialogEnabling sheet_dialog_enabling(const SheetSettings& chosen) {
    return {chosen.underlay_on, chosen.grid_on, chosen.numbers_on,
            chosen.color_mode == ColourMode::two_colours};
}

SheetSettings shown_settings(SheetSettings settings) {
    settings.per_row = pictures_per_row.clamped(settings.per_row);
    settings.color_mode = nearest_choice(settings.color_mode);
    settings.picture_content = nearest_choice(settings.picture_content);
    settings.grid_style = nearest_choice(settings.grid_style);
    settings.numeral_kind = nearest_choice(settings.numeral_kind);
    settings.number_style = nearest_choice(settings.number_style);
    settings.number_align = nearest_choice(settings.number_align);
    return settings;
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

QImage grid_line_swatch(QSize size, std::int32_t colour, GridStyle grid_style) {
    QImage swatch = make_bitmap(size.width(), size.height());
    QPen pen(to_qcolor(colour), 1, grid_pen_style(grid_style), Qt::FlatCap);
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
