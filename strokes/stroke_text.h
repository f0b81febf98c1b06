// Stroke text, the one serialisation of strokes: one point record per line, eight TAB-separated
// fields, CR LF line ends. Archive entries, ".wrt" stroke files, custom characters and the
// temporary files all hold it.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include "platform/atomic_file.h"
#include "strokes/linelist.h"

namespace inkwren {

// How the readers keep the kind written in an end marker's seventh field.
enum class EndMarkerKind {
    keep_pen_up,  // "99" gives kind 99, anything else kind 0 (the player's reader)
    always_zero,  // every end marker gets kind 0 (the work-list reader used when saving)
};

// What a stroke text may hold. Coordinates are pad pixels and widths pen pixels, far below
// these; a larger number can only be damage, and would have the player draw lines billions of
// pixels long. End markers are written as "-" fields and are not held to them.
inline constexpr double max_coordinate = 100000;
inline constexpr std::int32_t min_pen_width = 0;
inline constexpr std::int32_t max_pen_width = 999;

// What multiplies the work of playing and drawing a character is bounded too, so that any file
// takes little memory and time: a flash bar blinks at most max_repeat_count times, a curve has
// at most max_curve_points control points, a character at most max_strokes strokes (the most
// intricate characters have about sixty), and a stroke file is at most max_stroke_text_size
// bytes long.
inline constexpr std::int32_t max_repeat_count = 100;
inline constexpr int max_curve_points = 100;
inline constexpr int max_strokes = 200;
inline constexpr qint64 max_stroke_text_size = 4 * 1024 * 1024;

QByteArray format_stroke_text(const TLineList& lines);

// Parses a whole stroke text; source names the file in error messages. Offsets are added to
// every ordinary record. Malformed text (not eight fields, a field that is not a number, a
// coordinate beyond ±max_coordinate, a pen width outside min_pen_width to max_pen_width as
// written, a repeat count, curve or stroke count beyond the bounds above, a last stroke without
// its end marker) throws Error naming the source and line; nothing is returned for it.
TObjList parse_stroke_text(const QByteArray& text, const QString& source, EndMarkerKind end_kind,
                           double offset_x = 0, double offset_y = 0);

// Writes the strokes to folder + name + ".wrt", whole or not at all; answers the text written.
QByteArray write_strokes(const TLineList& lines, const QString& name, const QString& folder,
                         Durability durability = Durability::synced);

// The bytes of a stroke file; one larger than max_stroke_text_size is refused with Error.
QByteArray read_stroke_file(const QString& path);

// Reads a stroke file and appends its records to records (the player's flat list). A malformed
// file appends nothing.
void read_records(const QString& path, TObjList& records, double offset_x, double offset_y);

TObjList read_record_list(const QString& path, double offset_x, double offset_y);

// folder + name + extension, with a "/" between folder and name when the folder lacks one.
QString path_in_folder(const QString& folder, const QString& name, const QString& extension);

}  // namespace inkwren
