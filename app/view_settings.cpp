#include "app/view_settings.h"

#include <QList>

#include <array>
#include <optional>

#include "app/config_files.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

constexpr auto stroke_numbers_key = "stroke_numbers";
constexpr auto smooth_gif_key = "smooth_gif";
constexpr auto smooth_ink_key = "smooth_ink";
constexpr auto practice_outline_key = "practice_outline";
constexpr auto sheet_info_line_key = "sheet_info_line";
constexpr auto character_info_key = "character_info";
constexpr auto hint_after_key = "practice_hint_after";
constexpr auto give_after_key = "practice_give_after";
constexpr auto leniency_key = "practice_leniency";
constexpr std::array<const char*, 3> leniency_values = {"strict", "normal", "lenient"};
constexpr int most_mistakes_setting = 9;
constexpr auto standard_key = "stroke_order";
constexpr auto taiwan_value = "taiwan";
constexpr auto mainland_value = "mainland";
constexpr auto grid_style_key = "grid_style";
constexpr auto solid_value = "solid";
constexpr auto dashed_value = "dashed";
// More than any file the program writes; a larger one is not read past this.
constexpr qsizetype largest_read = 4096;

std::optional<bool> switch_value(const QByteArray& value) {
    if (value == "1") {
        return true;
    }
    if (value == "0") {
        return false;
    }
    return std::nullopt;
}

// A count of mistakes from 0 (never) to 9, one digit.
std::optional<int> mistakes_setting(const QByteArray& value) {
    if (value.size() != 1 || value[0] < '0' || value[0] > char('0' + most_mistakes_setting)) {
        return std::nullopt;
    }
    return value[0] - '0';
}

}  // namespace

QByteArray format_view_settings(const ViewSettings& settings) {
    const char* standard =
        settings.standard == StrokeOrderStandard::taiwan ? taiwan_value : mainland_value;
    return QByteArray(stroke_numbers_key) + '=' + (settings.stroke_numbers ? "1" : "0") + "\r\n" +
           standard_key + '=' + standard + "\r\n" + smooth_gif_key + '=' +
           (settings.smooth_gif ? "1" : "0") + "\r\n" + grid_style_key + '=' +
           (settings.grid_style == PadGridStyle::dashed ? dashed_value : solid_value) + "\r\n" +
           smooth_ink_key + '=' + (settings.smooth_ink ? "1" : "0") + "\r\n" +
           practice_outline_key + '=' + (settings.practice_outline ? "1" : "0") + "\r\n" +
           character_info_key + '=' + (settings.character_info ? "1" : "0") + "\r\n" +
           hint_after_key + '=' + QByteArray::number(settings.practice_hint_after) + "\r\n" +
           give_after_key + '=' + QByteArray::number(settings.practice_give_after) + "\r\n" +
           leniency_key + '=' + leniency_values[std::size_t(settings.practice_leniency)] + "\r\n" +
           sheet_info_line_key + '=' + (settings.sheet_info_line ? "1" : "0") + "\r\n";
}

ViewSettings parse_view_settings(const QByteArray& text) {
    ViewSettings settings;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) {
            continue;
        }
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray text = line.mid(equals + 1).trimmed();
        const std::optional<bool> value = switch_value(text);
        if (key == stroke_numbers_key && value) {
            settings.stroke_numbers = *value;
        } else if (key == smooth_gif_key && value) {
            settings.smooth_gif = *value;
        } else if (key == smooth_ink_key && value) {
            settings.smooth_ink = *value;
        } else if (key == practice_outline_key && value) {
            settings.practice_outline = *value;
        } else if (key == sheet_info_line_key && value) {
            settings.sheet_info_line = *value;
        } else if (key == character_info_key && value) {
            settings.character_info = *value;
        } else if (key == hint_after_key && mistakes_setting(text)) {
            settings.practice_hint_after = *mistakes_setting(text);
        } else if (key == give_after_key && mistakes_setting(text)) {
            settings.practice_give_after = *mistakes_setting(text);
        } else if (key == leniency_key) {
            for (std::size_t at = 0; at < leniency_values.size(); ++at) {
                if (text == leniency_values[at]) {
                    settings.practice_leniency = Leniency(at);
                }
            }
        } else if (key == standard_key && (text == taiwan_value || text == mainland_value)) {
            settings.standard =
                text == taiwan_value ? StrokeOrderStandard::taiwan : StrokeOrderStandard::mainland;
        } else if (key == grid_style_key && (text == solid_value || text == dashed_value)) {
            settings.grid_style = text == dashed_value ? PadGridStyle::dashed : PadGridStyle::solid;
        }
    }
    return settings;
}

ViewSettings load_view_settings(const QString& path) {
    try {
        const std::optional<QByteArray> text = read_settings_file(path, largest_read);
        return text ? parse_view_settings(*text) : ViewSettings{};
    } catch (const Error&) {
        return {};
    }
}

void save_view_settings(const QString& path, const ViewSettings& settings) {
    write_whole_file(path, format_view_settings(settings));
}

}  // namespace inkwren
