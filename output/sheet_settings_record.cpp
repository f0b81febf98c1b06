#include "output/sheet_settings_record.h"

#include <QtEndian>

#include <type_traits>

#include "platform/error.h"
#include "platform/length_prefixed.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

// Slot numbers; a slot's byte offset is four times its number.
enum Slot {
    per_row_slot = 0,
    color_mode_slot = 1,
    main_color_slot = 2,
    underlay_color_slot = 3,
    grid_on_slot = 4,
    grid_style_slot = 5,
    grid_color_slot = 6,
    underlay_on_slot = 7,
    picture_content_slot = 8,
    second_color_slot = 9,
    numbers_on_slot = 10,
    numeral_kind_slot = 11,
    number_style_slot = 12,
    font_name_slot = 13,  // one length byte and 40 bytes, filling slots 13 to 23
    font_size_slot = 24,
    font_style_slot = 25,
    number_align_slot = 26,
};
constexpr int font_name_offset = font_name_slot * 4;

std::int32_t get(const QByteArray& record, Slot slot) {
    return qFromLittleEndian<qint32>(record.constData() + slot * 4);
}

void put(QByteArray& record, Slot slot, std::int32_t value) {
    qToLittleEndian<qint32>(value, record.data() + slot * 4);
}

// A choice is its number, whatever the number.
template <typename Choice>
Choice get_choice(const QByteArray& record, Slot slot) {
    return Choice(get(record, slot));
}

template <typename Choice>
requires std::is_enum_v<Choice>
void put(QByteArray& record, Slot slot, Choice value) {
    put(record, slot, std::int32_t(value));
}

// A boolean is the first byte of its slot; the other three are not ours to read.
bool get_flag(const QByteArray& record, Slot slot) {
    return record[slot * 4] != 0;
}

void put_flag(QByteArray& record, Slot slot, bool value) {
    record[slot * 4] = char(value);
}

// Reads a whole record whose size has been checked.
SheetSettings settings_of(const QByteArray& record) {
    SheetSettings settings;
    settings.per_row = get(record, per_row_slot);
    settings.color_mode = get_choice<ColourMode>(record, color_mode_slot);
    settings.main_color = get(record, main_color_slot);
    settings.underlay_color = get(record, underlay_color_slot);
    settings.grid_on = get_flag(record, grid_on_slot);
    settings.grid_style = get_choice<GridStyle>(record, grid_style_slot);
    settings.grid_color = get(record, grid_color_slot);
    settings.underlay_on = get_flag(record, underlay_on_slot);
    settings.picture_content = get_choice<PictureContent>(record, picture_content_slot);
    settings.second_color = get(record, second_color_slot);
    settings.numbers_on = get_flag(record, numbers_on_slot);
    settings.numeral_kind = get_choice<NumeralKind>(record, numeral_kind_slot);
    settings.number_style = get_choice<NumberStyle>(record, number_style_slot);
    settings.font_name =
        length_prefixed(record.constData(), font_name_offset, font_name_capacity).toByteArray();
    settings.font_size = get(record, font_size_slot);
    settings.font_style = get(record, font_style_slot);
    settings.number_align = get_choice<NumberAlign>(record, number_align_slot);
    return settings;
}

}  // namespace

QByteArray format_sheet_settings(const SheetSettings& settings) {
    QByteArray record(sheet_record_size, '\0');
    put(record, per_row_slot, settings.per_row);
    put(record, color_mode_slot, settings.color_mode);
    put(record, main_color_slot, settings.main_color);
    put(record, underlay_color_slot, settings.underlay_color);
    put_flag(record, grid_on_slot, settings.grid_on);
    put(record, grid_style_slot, settings.grid_style);
    put(record, grid_color_slot, settings.grid_color);
    put_flag(record, underlay_on_slot, settings.underlay_on);
    put(record, picture_content_slot, settings.picture_content);
    put(record, second_color_slot, settings.second_color);
    put_flag(record, numbers_on_slot, settings.numbers_on);
    put(record, numeral_kind_slot, settings.numeral_kind);
    put(record, number_style_slot, settings.number_style);
    put_length_prefixed(record.data(), font_name_offset, font_name_capacity, settings.font_name);
    put(record, font_size_slot, settings.font_size);
    put(record, font_style_slot, settings.font_style);
    put(record, number_align_slot, settings.number_align);
    return record;
}

SheetSlots sheet_slots(const SheetSettings& settings) {
    return slots_of_record(format_sheet_settings(settings));
}

SheetSlots slots_of_record(const QByteArray& record) {
    SheetSlots record_slots{};
    for (int slot = 0; slot < sheet_slot_count; ++slot) {
        record_slots[slot] = get(record, Slot(slot));
    }
    return record_slots;
}

QByteArray format_sheet_slots(const SheetSlots& record_slots) {
    QByteArray record(sheet_record_size, '\0');
    for (int slot = 0; slot < sheet_slot_count; ++slot) {
        put(record, Slot(slot), record_slots[slot]);
    }
    return record;
}

SheetSettings sheet_settings_from_slots(const SheetSlots& record_slots) {
    return settings_of(format_sheet_slots(record_slots));
}

SheetSettings parse_sheet_settings(const QByteArray& record, const QString& source) {
    if (record.size() < sheet_record_size) {
        throw Error(
            QStringLiteral("The settings file \"%1\" is damaged: it holds %2 bytes, not %3.")
                .arg(source)
                .arg(record.size())
                .arg(sheet_record_size));
    }
    // Slot records handed over by the dialog may hold any length byte; a file must not.
    checked_length_prefixed(record.constData(), font_name_offset, font_name_capacity,
                            QStringLiteral("The settings file"), source);
    return settings_of(record);
}

void save_sheet_settings(const QString& path, const SheetSettings& settings) {
    write_whole_file(path, format_sheet_settings(settings));
}

void save_sheet_slots(const QString& path, const SheetSlots& record_slots) {
    write_whole_file(path, format_sheet_slots(record_slots));
}

}  // namespace inkwren
