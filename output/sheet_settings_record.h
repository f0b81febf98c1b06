// The sheet settings record, "config.dat": how stroke-order sheets look, as one 108-byte record
// of 27 four-byte slots. The sheet settings dialog hands the record over as slots.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace inkwren {

inline constexpr int sheet_slot_count = 27;
inline constexpr int sheet_record_size = sheet_slot_count * 4;
inline constexpr int font_name_capacity = 40;

using SheetSlots = std::array<std::int32_t, sheet_slot_count>;

// Colours are 0x00BBGGRR.
struct SheetSettings {
    std::int32_t per_row = 8;     // pictures per row, 1 to 15
    std::int32_t color_mode = 1;  // 0 each stroke's own colour, 1 two colours, 2 black
    std::int32_t main_color = 0x000000;
    std::int32_t underlay_color = 0xC0C0C0;
    bool grid_on = true;
    std::int32_t grid_style = 2;  // inner lines: 0 solid, 1 dashed, 2 dotted
    std::int32_t grid_color = 0xFFAA00;
    bool underlay_on = true;
    std::int32_t picture_content = 2;  // 0 underlay only, 1 one stroke, 2 strokes so far
    std::int32_t second_color = 0xFF0000;
    bool numbers_on = true;
    std::int32_t numeral_kind = 0;  // 0 Chinese, 1 Arabic
    std::int32_t number_style = 0;  // 0 between the texts "第" and "劃", 1 the number alone
    QByteArray font_name = "\xB2\xD3\xA9\xFA\xC5\xE9";  // Big5; 細明體
    std::int32_t font_size = 16;
    std::int32_t font_style = 0;    // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    std::int32_t number_align = 2;  // 0 left, 1 centre, 2 right

    bool operator==(const SheetSettings&) const = default;
};

// The slots as the record stores them; a font name longer than its field is cut to 40 bytes.
SheetSlots sheet_slots(const SheetSettings& settings);

// The slots of a record's bytes, every byte kept, and the record of slots.
SheetSlots slots_of_record(const QByteArray& record);
QByteArray format_sheet_slots(const SheetSlots& record_slots);

// Booleans are read from the first byte of their slot; a font name length beyond the field is
// taken as the whole field.
SheetSettings sheet_settings_from_slots(const SheetSlots& record_slots);

// The 108 record bytes.
QByteArray format_sheet_settings(const SheetSettings& settings);

// Throws Error naming source when the record is short or its font name claims more than its
// field.
SheetSettings parse_sheet_settings(const QByteArray& record, const QString& source);

// Rewrites the file whole. Throws Error when it cannot be written.
void save_sheet_settings(const QString& path, const SheetSettings& settings);
// The same from slots as the dialog hands them over, bytes the program does not use included.
void save_sheet_slots(const QString& path, const SheetSlots& record_slots);

}  // namespace inkwren
