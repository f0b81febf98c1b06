// The command line of inkwren-export: a subcommand, the characters (as arguments or from a list
// file), where the files go, and the settings that override the installation's own.
#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

#include "charinfo/info_text.h"
#include "output/sheet_settings_record.h"
#include "output/worksheet_drawing.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

enum class ExportCommand { sheet, gif, strokes, worksheet, info };
enum class GifDisplay { program, normal, grey_first, two_colour };

struct ExportOptions {
    ExportCommand command = ExportCommand::sheet;
    QStringList characters;  // every CJK character of the arguments and the list, in order
    // Characters taken from the practice log as well: this many of those with the most mistakes.
    int from_practice = 0;
    QString out = QStringLiteral(".");
    QString data;  // the installation folder; the program's own when empty
    int jobs = 0;  // 0: one a core
    bool quiet = false;
    bool verbose = false;  // each file's name on standard output once it is written
    // The readings of worksheets and sheets' lines; the library's usual script when not given.
    std::optional<ReadingScript> reading_script;
    bool frequency_order = false;  // worksheets: the most common characters first

    // Sheets.
    bool png = false;
    std::optional<int> per_row;
    std::optional<NumeralKind> numeral_kind;
    bool numbers_off = false;
    std::optional<PictureContent> content;
    std::optional<GridStyle> grid_style;
    bool grid_off = false;
    std::optional<ColourMode> colour_mode;
    std::optional<bool> traditional;              // the library
    std::optional<StrokeOrderStandard> standard;  // the traditional library's order
    std::optional<bool> smooth_ink;               // sheets' and GIFs' ink anti-aliased
    std::optional<bool> info_line;                // sheets: the reading and meaning under them
    bool no_custom = false;

    // GIFs.
    double scale = 1.0;
    std::optional<int> speed;
    std::optional<int> interval;
    GifDisplay display = GifDisplay::program;
    bool smooth = false;  // every second playback frame kept, not one in six

    // Worksheets.
    QPageSize::PageSizeId paper = QPageSize::A4;
    QString title;
    int trace = 3;
    std::optional<WorksheetGrid> worksheet_grid;
    bool name_line = false;

    // Character information.
    bool json = false;
};

struct ExportHelp {
    QString text;
};
struct ExportVersion {
    QString text;
};
struct ExportUsageError {
    QString message;
};

using ExportRequest = std::variant<ExportOptions, ExportHelp, ExportVersion, ExportUsageError>;

// The arguments after the program's name. A list file that cannot be read is a usage error.
ExportRequest parse_export_arguments(const QStringList& arguments);

QString export_help_text();

}  // namespace inkwren
