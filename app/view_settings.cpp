#include "app/view_settings.h"

#include <QList>

#include <array>
#include <iterator>
#include <optional>

#include "app/config_files.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

// More than any file the program writes; a larger one is not read past this.
constexpr qsizetype largest_read = 4096;
constexpr int most_mistakes_setting = 9;

// A setting's line: how its value is written, and read back when the text is one it knows
// (otherwise the setting keeps its default).
struct Field {
    const char* key;
    QByteArray (*write)(const ViewSettings&);
    void (*read)(ViewSettings&, const QByteArray&);
};

// A switch: 1 for on, 0 for off.
template <bool ViewSettings::*setting>
constexpr Field switch_field(const char* key) {
    return {key,
            [](const ViewSettings& settings) { return QByteArray(settings.*setting ? "1" : "0"); },
            [](ViewSettings& settings, const QByteArray& text) {
                if (text == "1" || text == "0") {
                    settings.*setting = text == "1";
                }
            }};
}

// One of a few words, in the order of the setting's values.
template <typename Choice, Choice ViewSettings::*setting, const auto& words>
constexpr Field choice_field(const char* key) {
    return {key,
            [](const ViewSettings& settings) {
                return QByteArray(words[std::size_t(settings.*setting)]);
            },
            [](ViewSettings& settings, const QByteArray& text) {
                for (std::size_t at = 0; at < std::size(words); ++at) {
                    if (text == words[at]) {
                        settings.*setting = Choice(at);
                    }
                }
            }};
}

// A count of mistakes from 0 (never) to 9, one digit.
template <int ViewSettings::*setting>
constexpr Field mistakes_field(const char* key) {
    return {key, [](const ViewSettings& settings) { return QByteArray::number(settings.*setting); },
            [](ViewSettings& settings, const QByteArray& text) {
                if (text.size() == 1 && text[0] >= '0' &&
                    text[0] <= char('0' + most_mistakes_setting)) {
                    settings.*setting = text[0] - '0';
                }
            }};
}

constexpr std::array<const char*, 2> standard_words = {"taiwan", "mainland"};
constexpr std::array<const char*, 2> grid_style_words = {"solid", "dashed"};
constexpr std::array<const char*, 3> leniency_words = {"strict", "normal", "lenient"};

// In the order the file lists them; later settings come last, so older files read as before.
const Field fields[] = {
    switch_field<&ViewSettings::stroke_numbers>("stroke_numbers"),
    choice_field<StrokeOrderStandard, &ViewSettings::standard, standard_words>("stroke_order"),
    switch_field<&ViewSettings::smooth_gif>("smooth_gif"),
    choice_field<PadGridStyle, &ViewSettings::grid_style, grid_style_words>("grid_style"),
    switch_field<&ViewSettings::smooth_ink>("smooth_ink"),
    switch_field<&ViewSettings::practice_outline>("practice_outline"),
    switch_field<&ViewSettings::character_info>("character_info"),
    mistakes_field<&ViewSettings::practice_hint_after>("practice_hint_after"),
    mistakes_field<&ViewSettings::practice_give_after>("practice_give_after"),
    choice_field<Leniency, &ViewSettings::practice_leniency, leniency_words>("practice_leniency"),
    switch_field<&ViewSettings::sheet_info_line>("sheet_info_line"),
};

}  // namespace

QByteArray format_view_settings(const ViewSettings& settings) {
    QByteArray text;
    for (const Field& field : fields) {
        text += QByteArray(field.key) + '=' + field.write(settings) + "\r\n";
    }
    return text;
}

ViewSettings parse_view_settings(const QByteArray& text) {
    ViewSettings settings;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) {
            continue;
        }
        const QByteArray key = line.left(equals).trimmed();
        for (const Field& field : fields) {
            if (key == field.key) {
                field.read(settings, line.mid(equals + 1).trimmed());
            }
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
