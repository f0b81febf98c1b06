// Stroke-order sheets: one small picture per stroke of a character, each on a practice square
// with its stroke number under it, laid out in rows, and a picture of the character's colour
// groups side by side when it has more than one. Built from the strokes and the sheet settings
// alone, without a window, so the program and the command-line exporter make the same sheets.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

#include "output/sheet_settings_record.h"
#include "strokes/linelist.h"

namespace inkwren {

class NumberRenderer;
class TAnimationPlayer;

// A character's strokes as the sheet draws them: curves and lines expanded into points, flash
// bars left out, one list a stroke, the marks that come with it included.
TLines export_strokes(const TObjList& records);

struct SheetInputs {
    SheetSettings settings;
    QSize picture{200, 200};   // the pad's size: every picture is drawn this size, then reduced
    TLines strokes;            // from export_strokes
    double coord_scale = 1.0;  // stroke coordinates to pad pixels
    QString number_prefix;     // the texts around a number in the "第…劃" style
    QString number_suffix;
    QString note;         // a line under the pictures, such as the mainland form's; none when empty
    QString info_line;    // the reading and meaning under the note, cut at a row of pictures' width
    bool smooth = false;  // strokes drawn anti-aliased, as the pad draws them with smooth ink
};

// The inputs of the sheet of the character a player holds: its records as loaded, at its pad's
// size and scale.
SheetInputs sheet_inputs(const TAnimationPlayer& player, const SheetSettings& settings,
                         const QString& number_prefix, const QString& number_suffix);

// Sheet pictures are drawn at pad size and reduced to this share.
inline constexpr double sheet_picture_scale = 0.4;
// Extra height every new row adds, which collects as white space at the bottom.
inline constexpr int sheet_row_gap = 15;
// Printed at the resolution a sheet states, its practice squares are this wide, and its numbers
// at least this many points high.
inline constexpr double printed_square_mm = 18.0;
inline constexpr double smallest_printed_number_pt = 9.0;

// The colour of a point in a stroke-order picture: its own, black, or in two colours the newest
// stroke in the second colour and the earlier ones (of pictures showing the strokes so far) in
// the main one.
std::int32_t picture_stroke_colour(const SheetSettings& settings, const PointRecord& record,
                                   bool so_far, bool newest);

// The resolution, in dots per inch, a sheet of pictures drawn on a pad this size states.
int sheet_dots_per_inch(QSize picture);
// The smallest pixel size, on a pad this size, of numbers that print legibly on its sheet.
int smallest_number_pixels(QSize picture);

struct StrokeOrderSheet {
    QImage sheet;                  // stating the sheet's resolution in its dots per metre
    std::vector<QImage> pictures;  // the reduced pictures, in order
    QSize picture_size;            // of each of them
    int group_count = 0;  // colour groups with ink; none counted for a character of one colour
};

// The picture of stroke j alone (one_stroke) or of strokes 0 to j (strokes_so_far); a null
// picture when the stroke holds a flash step.
QImage draw_stroke_picture(const SheetInputs& inputs, int j, PictureContent content);

// The whole character in one colour.
QImage draw_underlay(const SheetInputs& inputs, std::int32_t colour);

struct ColourGroups {
    QImage picture;  // null when no group holds ink
    int count = 0;
};
// The strokes cut into groups where the pen colour changes, drawn side by side in black with
// grey lines between them.
ColourGroups draw_components(const SheetInputs& inputs);

// The settings' number font, raised where needed to print legibly on the sheet.
QFont sheet_number_font(const SheetInputs& inputs);

// The number text of picture n as the settings write it.
QString number_text(const SheetInputs& inputs, int n);

// The sheet; nothing when the character gives no picture at all. A note and an info line each
// add their line at the bottom and change nothing above them.
std::optional<StrokeOrderSheet> make_sheet(const SheetInputs& inputs,
                                           const NumberRenderer& numbers);

// The sheet as the step-by-step window shows it: a band one picture high (and the row gap) at
// its bottom, where the pictures are played one by one.
QImage sheet_with_animation_band(const StrokeOrderSheet& sheet);

}  // namespace inkwren
