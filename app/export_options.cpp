#include "app/export_options.h"

#include <QHash>

#include <algorithm>
#include <functional>

#include "animation/player_owner.h"
#include "output/character_list.h"
#include "output/worksheet.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr auto version_text = "inkwren-export 1.0";

struct UsageError {
    QString message;
};

// The choices of a word option.
int choice(const QString& option, const QString& value, const QStringList& words) {
    const qsizetype index = words.indexOf(value);
    if (index < 0) {
        throw UsageError{QStringLiteral("%1 takes one of: %2").arg(option, words.join(u", "))};
    }
    return int(index);
}

int number(const QString& option, const QString& value, int low, int high) {
    bool ok = false;
    const int parsed = value.toInt(&ok);
    if (!ok || parsed < low || parsed > high) {
        throw UsageError{
            QStringLiteral("%1 takes a number from %2 to %3").arg(option).arg(low).arg(high)};
    }
    return parsed;
}

// An override of a setting, within the range the program keeps it to.
int number(const QString& option, const QString& value, SettingRange range) {
    return number(option, value, range.low, range.high);
}

QString folder(const QString& option, const QString& value) {
    if (value.isEmpty()) {
        throw UsageError{QStringLiteral("%1 needs a folder").arg(option)};
    }
    return value;
}

// Squares to trace: at most a row of them, which depends on the paper.
int most_traced() {
    return std::max(worksheet_squares_per_row(QPageSize::A4),
                    worksheet_squares_per_row(QPageSize::Letter));
}

void check_trace(const ExportOptions& options) {
    const int squares = worksheet_squares_per_row(options.paper);
    if (options.trace > squares) {
        throw UsageError{QStringLiteral("--trace takes a number from 0 to %1, the squares of a row")
                             .arg(squares)};
    }
}

// The words of --grid: a sheet's style of the inner lines, or a worksheet's 九宮格, 田字格, 米字格.
const QStringList sheet_grids = {QStringLiteral("solid"), QStringLiteral("dashed"),
                                 QStringLiteral("dotted"), QStringLiteral("off")};
const QStringList worksheet_grids = {QStringLiteral("nine"), QStringLiteral("tian"),
                                     QStringLiteral("mi")};

void check_grid(const ExportOptions& options) {
    const bool worksheet = options.command == ExportCommand::worksheet;
    if (worksheet ? options.grid_style || options.grid_off : options.worksheet_grid.has_value()) {
        throw UsageError{QStringLiteral("--grid of a %1 takes one of: %2")
                             .arg(worksheet ? QStringLiteral("worksheet") : QStringLiteral("sheet"))
                             .arg((worksheet ? worksheet_grids : sheet_grids).join(u", "))};
    }
}

ExportCommand command_of(const QString& word) {
    static const QHash<QString, ExportCommand> commands = {
        {QStringLiteral("sheet"), ExportCommand::sheet},
        {QStringLiteral("gif"), ExportCommand::gif},
        {QStringLiteral("strokes"), ExportCommand::strokes},
        {QStringLiteral("worksheet"), ExportCommand::worksheet},
        {QStringLiteral("info"), ExportCommand::info}};
    if (!commands.contains(word)) {
        throw UsageError{QStringLiteral("unknown command \"%1\"; the commands are sheet, gif, "
                                        "strokes, worksheet and info")
                             .arg(word)};
    }
    return commands.value(word);
}

// Options that take a value, and what each does with it.
using Setter = std::function<void(ExportOptions&, const QString& option, const QString& value)>;

const QHash<QString, Setter>& valued_options() {
    static const QHash<QString, Setter> options = {
        {QStringLiteral("--out"),
         [](ExportOptions& o, const QString& n, const QString& v) { o.out = folder(n, v); }},
        {QStringLiteral("--data"),
         [](ExportOptions& o, const QString& n, const QString& v) { o.data = folder(n, v); }},
        {QStringLiteral("--list"),
         [](ExportOptions& o, const QString&, const QString& v) {
             try {
                 o.characters << read_character_list(v);
             } catch (const Error& error) {
                 throw UsageError{error.message()};
             }
         }},
        {QStringLiteral("--from-practice"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.from_practice = number(n, v, 1, 10000);
         }},
        {QStringLiteral("--jobs"), [](ExportOptions& o, const QString& n,
                                      const QString& v) { o.jobs = number(n, v, 1, 256); }},
        {QStringLiteral("--per-row"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.per_row = number(n, v, pictures_per_row);
         }},
        {QStringLiteral("--numbers"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             const int kind = choice(
                 n, v,
                 {QStringLiteral("chinese"), QStringLiteral("arabic"), QStringLiteral("off")});
             if (kind == 2) {
                 o.numbers_off = true;
             } else {
                 o.numeral_kind = NumeralKind(kind);
             }
         }},
        {QStringLiteral("--content"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.content =
                 PictureContent(choice(n, v,
                                       {QStringLiteral("underlay"), QStringLiteral("stroke"),
                                        QStringLiteral("cumulative")}));
         }},
        {QStringLiteral("--grid"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             // A sheet's grid style, or a worksheet's kind of square; check_grid tells which.
             const int style = choice(n, v, sheet_grids + worksheet_grids);
             if (style >= sheet_grids.size()) {
                 o.worksheet_grid = WorksheetGrid(style - int(sheet_grids.size()));
             } else if (style == 3) {
                 o.grid_off = true;
             } else {
                 o.grid_style = GridStyle(style);
             }
         }},
        {QStringLiteral("--colours"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.colour_mode = ColourMode(choice(
                 n, v, {QStringLiteral("own"), QStringLiteral("two"), QStringLiteral("black")}));
         }},
        {QStringLiteral("--library"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.traditional =
                 choice(n, v, {QStringLiteral("simplified"), QStringLiteral("traditional")}) == 1;
         }},
        {QStringLiteral("--standard"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.standard = StrokeOrderStandard(
                 choice(n, v, {QStringLiteral("taiwan"), QStringLiteral("mainland")}));
         }},
        {QStringLiteral("--ink"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.smooth_ink = choice(n, v, {QStringLiteral("smooth"), QStringLiteral("plain")}) == 0;
         }},
        {QStringLiteral("--scale"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.scale = choice(n, v, {QStringLiteral("100"), QStringLiteral("50")}) == 0 ? 1.0 : 0.5;
         }},
        {QStringLiteral("--speed"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.speed = number(n, v, pen_speed_range);
         }},
        {QStringLiteral("--interval"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.interval = number(n, v, stroke_interval_range);
         }},
        {QStringLiteral("--display"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             const int display = choice(n, v,
                                        {QStringLiteral("normal"), QStringLiteral("grey-first"),
                                         QStringLiteral("two-colour")});
             o.display = display == 0   ? GifDisplay::normal
                         : display == 1 ? GifDisplay::grey_first
                                        : GifDisplay::two_colour;
         }},
        {QStringLiteral("--paper"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.paper = choice(n, v, {QStringLiteral("a4"), QStringLiteral("letter")}) == 0
                           ? QPageSize::A4
                           : QPageSize::Letter;
         }},
        {QStringLiteral("--title"),
         [](ExportOptions& o, const QString&, const QString& v) { o.title = v; }},
        {QStringLiteral("--info"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.reading_script =
                 ReadingScript(choice(n, v,
                                      {QStringLiteral("pinyin"), QStringLiteral("zhuyin"),
                                       QStringLiteral("both"), QStringLiteral("none")}));
         }},
        {QStringLiteral("--info-line"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.info_line = choice(n, v, {QStringLiteral("on"), QStringLiteral("off")}) == 0;
         }},
        {QStringLiteral("--order"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.frequency_order =
                 choice(n, v, {QStringLiteral("given"), QStringLiteral("frequency")}) == 1;
         }},
        {QStringLiteral("--trace"),
         [](ExportOptions& o, const QString& n, const QString& v) {
             o.trace = number(n, v, 0, most_traced());
         }},
    };
    return options;
}

ExportRequest parse(const QStringList& arguments) {
    ExportOptions options;
    bool have_command = false;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        QString argument = arguments[index];
        if (argument == u"--help" || argument == u"-h") {
            return ExportHelp{export_help_text()};
        }
        if (argument == u"--version") {
            return ExportVersion{QString::fromLatin1(version_text)};
        }
        if (argument == u"--quiet" || argument == u"-q") {
            options.quiet = true;
        } else if (argument == u"--verbose" || argument == u"-v") {
            options.verbose = true;
        } else if (argument == u"--png") {
            options.png = true;
        } else if (argument == u"--no-custom") {
            options.no_custom = true;
        } else if (argument == u"--smooth") {
            options.smooth = true;
        } else if (argument == u"--name-line") {
            options.name_line = true;
        } else if (argument == u"--json") {
            options.json = true;
        } else if (argument.startsWith(u"--")) {
            QString value;
            const qsizetype equals = argument.indexOf(u'=');
            if (equals > 0) {
                value = argument.mid(equals + 1);
                argument = argument.left(equals);
            } else if (index + 1 < arguments.size()) {
                value = arguments[++index];
            } else if (valued_options().contains(argument)) {
                throw UsageError{QStringLiteral("%1 needs a value").arg(argument)};
            }
            const auto setter = valued_options().find(argument);
            if (setter == valued_options().end()) {
                throw UsageError{QStringLiteral("unknown option %1").arg(argument)};
            }
            (*setter)(options, argument, value);
        } else if (!have_command) {
            options.command = command_of(argument);
            have_command = true;
        } else {
            options.characters << cjk_characters(argument);
        }
    }
    if (!have_command) {
        throw UsageError{QStringLiteral("no command given")};
    }
    if (options.characters.isEmpty() && options.from_practice == 0) {
        throw UsageError{QStringLiteral("no Chinese characters given")};
    }
    check_trace(options);
    check_grid(options);
    return options;
}

}  // namespace

ExportRequest parse_export_arguments(const QStringList& arguments) {
    try {
        return parse(arguments);
    } catch (const UsageError& error) {
        return ExportUsageError{error.message};
    }
}

QString export_help_text() {
    const QString text = QStringLiteral(
        "Usage: inkwren-export COMMAND [OPTIONS] CHARACTERS...\n"
        "Makes the stroke-order pictures Inkwren makes, without a window, one file a character\n"
        "(the worksheet: one PDF for all of them).\n"
        "\n"
        "Commands:\n"
        "  sheet       the stroke-order sheet as a JPEG (永.jpg), or PNG with --png\n"
        "  gif         the animated GIF of the character being written (永.gif)\n"
        "  strokes     the stroke text of the character (永.wrt)\n"
        "  worksheet   a printable PDF practice worksheet of all the characters\n"
        "  info        what each character reads as and means, on standard output: a line a\n"
        "              character, its fields separated by tabs: character,\n"
        "              pinyin, zhuyin (each every reading, \", \" between), radical (\"水 85\";\n"
        "              a simplified radical \"讠 149'\"), strokes (Taiwan's count for the\n"
        "              traditional library in Taiwan's order, else the mainland's), meaning.\n"
        "              A field not known is empty; a character without information has only\n"
        "              its character and empty fields. No header line.\n"
        "\n"
        "Characters: every Chinese character of the arguments, or of --list FILE (UTF-8, # starts\n"
        "a comment). Settings default to those of the installation folder. Readings, meanings\n"
        "and radicals come from its character information file (charinfo.dat).\n"
        "\n"
        "Options:\n"
        "  --out DIR           where the files go (made when missing; default: here)\n"
        "  --list FILE         read the characters from FILE\n"
        "  --from-practice N   the N characters with the most mistakes in the practice log\n"
        "  --data DIR          the installation folder to use\n"
        "  --jobs N            work on N characters at once (default and most: one a core)\n"
        "  --quiet, -q         print nothing but errors\n"
        "  --verbose, -v       name each file on standard output once it is written\n"
        "  --library simplified|traditional   --no-custom (skip custom characters)\n"
        "  --standard taiwan|mainland   the traditional library's stroke order\n"
        "  --ink smooth|plain  sheets' and GIFs' strokes anti-aliased or in whole pixels\n"
        "  --info pinyin|zhuyin|both|none   how worksheets and sheets write readings\n"
        "                      (default: zhuyin for the traditional library, else pinyin)\n"
        "  sheet:     --png  --per-row N  --numbers chinese|arabic|off\n"
        "             --content underlay|stroke|cumulative  --grid solid|dashed|dotted|off\n"
        "             --colours own|two|black\n"
        "             --info-line on|off (the reading and meaning under the sheet; default:\n"
        "             the program's setting)\n"
        "  gif:       --scale 100|50  --speed %2-%3  --interval %4-%5\n"
        "             --display normal|grey-first|two-colour  --smooth (about 15 frames a second)\n"
        "  worksheet: --paper a4|letter  --title TEXT  --name-line (name and date)\n"
        "             --grid nine|tian|mi (the squares' inner lines; default nine)\n"
        "             --trace 0-%1 (squares to trace in each row, fading; default 3)\n"
        "             --order given|frequency (the most common characters first)\n"
        "  info:      --order given|frequency, as worksheets\n"
        "             --json (a JSON array of objects instead: \"character\", \"pinyin\" and\n"
        "             \"zhuyin\" (arrays), \"radical\", \"radical_number\",\n"
        "             \"simplified_radical\", \"strokes\", \"meaning\"; a field not known is\n"
        "             left out, so a character without information has only \"character\")\n"
        "  --help, --version\n"
        "\n"
        "Files are written whole or not at all: a run cut short leaves the files it finished and\n"
        "no half-written one; an interrupted worksheet is not written, an old one stays as it "
        "was.\n"
        "\n"
        "Exit status:\n"
        "  0    everything made\n"
        "  1    some characters are not in the library, or a file could not be written, or\n"
        "       the character information file is missing or damaged\n"
        "  2    bad usage\n"
        "  130  interrupted (Ctrl+C)\n");
    return text.arg(most_traced())
        .arg(pen_speed_range.low)
        .arg(pen_speed_range.high)
        .arg(stroke_interval_range.low)
        .arg(stroke_interval_range.high);
}

}  // namespace inkwren
