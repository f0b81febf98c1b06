// The companion settings of a stroke file: a ".def" file beside it holding one 264-byte record
// of display settings (nine-grid, grey first, model character and its font, background
// picture, slider positions). The program reads these files and never writes them.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace inkwren {

inline constexpr int companion_record_size = 264;

struct CompanionSettings {
    bool show_grid = true;
    bool grey_first = true;
    bool show_model = false;
    QByteArray model_text;  // in the legacy code page, trimmed
    QByteArray font_name;
    std::int32_t font_size = 0;
    std::uint8_t font_style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strikeout
    QByteArray back_pic_file;     // trimmed
    std::int32_t pen_speed = 0;
    std::int32_t stroke_interval = 0;
};

// The stroke file's path cut at the first "." of its own name, then ".def"; dots in folder
// names are kept.
QString companion_path(const QString& stroke_path);

// Parses a record; one that is too short or whose length bytes exceed their fields throws Error
// naming source.
CompanionSettings parse_companion(const QByteArray& record, const QString& source);

// The companion settings of a stroke file, or nothing when it has no companion file.
std::optional<CompanionSettings> read_companion(const QString& stroke_path);

// The record bytes of settings, for tools and tests that make companion files.
QByteArray format_companion(const CompanionSettings& settings);

}  // namespace inkwren
