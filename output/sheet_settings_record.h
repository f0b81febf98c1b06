// The sheet settings record, "config.dat": how stroke-order sheets look, as one 108-byte record
// of 27 four-byte slots. The sheet settings dialog hands the record over as slots.
#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/setting_range.h"

namespace inkwren {

inline constexpr int sheet_slot_count = 27;
inline constexpr int sheet_record_size = sheet_slot_count * 4;
inline constexpr int font_name_capacity = 40;

using SheetSlots = std::array<std::int32_t, sheet_slot_count>;

// What the record's choices mean, each value as the record stores it. An edited file may hold any
// number in these slots: what an unknown one does is decided where it is read.
enum class ColourMode : std::int32_t {
    own_colours,  // each stroke in the colour it was drawn with
    two_colours,  // earlier strokes in the main colour, the newest in the second colour
    black,
};
enum class PictureContent : std::int32_t { underlay_only, one_stroke, strokes_so_far };
enum class GridStyle : std::int32_t { solid, dashed, dotted };  // the inner lines
enum class NumeralKind : std::int32_t { chinese, arabic };
enum class NumberStyle : std::int32_t {
    labelled,  // between the texts "第" and "劃"
    number_alone,
};
enum class NumberAlign : std::int32_t { left, centre, right };

// The last value of each choice.
constexpr ColourMode last_choice(ColourMode) {
    return ColourMode::black;
}
constexpr PictureContent last_choice(PictureContent) {
    return PictureContent::strokes_so_far;
}
constexpr GridStyle last_choice(GridStyle) {
    return GridStyle::dotted;
}
constexpr NumeralKind last_choice(NumeralKind) {
    return NumeralKind::arabic;
}
constexpr NumberStyle last_choice(NumberStyle) {
    return NumberStyle::number_alone;
}
constexpr NumberAlign last_choice(NumberAlign) {
    return NumberAlign::right;
}

template <typename Choice>
inline constexpr int choice_count = int(last_choice(Choice{})) + 1;

// An unknown value taken to the nearest choice.
template <typename Choice>
constexpr Choice nearest_choice(Choice value) {
    return Choice(std::clamp(std::int32_t(value), 0, std::int32_t(last_choice(Choice{}))));
}

inline constexpr SettingRange pictures_per_row{1, 15, 8};
// Also the size numbers are drawn at when a record holds none.
inline constexpr std::int32_t initial_font_size = 16;

// Colours are 0x00BBGGRR.
struct SheetSettings {
    std::int32_t per_row = pictures_per_row.initial;  // may lie outside the range in a file
    ColourMode color_mode = ColourMode::two_colours;
    std::int32_t main_color = 0x000000;
    std::int32_t underlay_color = 0xC0C0C0;
    bool grid_on = true;
    GridStyle grid_style = GridStyle::dotted;
    std::int32_t grid_color = 0xFFAA00;
    bool underlay_on = true;
    PictureContent picture_content = PictureContent::strokes_so_far;
    std::int32_t second_color = 0xFF0000;
    bool numbers_on = true;
    NumeralKind numeral_kind = NumeralKind::chinese;
    NumberStyle number_style = NumberStyle::labelled;
    QByteArray font_name = "\xB2\xD3\xA9\xFA\xC5\xE9";  // Big5; 細明體
    std::int32_t font_size = initial_font_size;
    std::int32_t font_style = 0;  // font style bits, as font_style.h reads them
    NumberAlign number_align = NumberAlign::right;

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
