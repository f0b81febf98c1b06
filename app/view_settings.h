// The view switches kept between runs, in their own small file beside prefer.cfg: key=value
// lines, so that a switch added later needs no new record, and prefer.cfg keeps its fixed one.
#pragma once

#include <QByteArray>
#include <QString>

#include "animation/stroke_rendering.h"
#include "practice/stroke_judge.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

struct ViewSettings {
    bool stroke_numbers = false;
    bool smooth_gif = false;
    bool smooth_ink = true;
    bool character_info = true;    // the information strip under the panel
    bool practice_outline = true;  // practising, the character in grey to write over
    int practice_hint_after = 3;   // mistakes on a stroke before its hint; 0 never
    int practice_give_after = 0;   // further mistakes before the stroke is given; 0 never
    Leniency practice_leniency = Leniency::normal;
    StrokeOrderStandard standard = StrokeOrderStandard::taiwan;
    PadGridStyle grid_style = PadGridStyle::solid;
    bool sheet_info_line = false;  // the reading and meaning under stroke-order sheets

    bool operator==(const ViewSettings&) const = default;
};

// One "key=value" line a setting: a switch 1 for on and 0 for off, the stroke order standard
// "taiwan" or "mainland", the grid style "solid" or "dashed".
QByteArray format_view_settings(const ViewSettings& settings);

// Takes the lines it knows; a line it does not know or a value it does not know leaves that
// setting at its default, so a damaged file never stops the program.
ViewSettings parse_view_settings(const QByteArray& text);

// The switches in the file; the defaults when it is missing, cannot be read or is damaged. A
// view switch is not worth a message at start, so this never throws.
ViewSettings load_view_settings(const QString& path);

// Rewrites the file whole. Throws Error when it cannot be written.
void save_view_settings(const QString& path, const ViewSettings& settings);

}  // namespace inkwren
