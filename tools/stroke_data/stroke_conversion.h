// Turns the open stroke data into our stroke archives: each stroke becomes one polyline run of
// pen points on the 200 × 200 pad, following the middle of its outline, each point as wide as
// the outline is there.
#pragma once

#include <QPoint>
#include <QPointF>

#include <vector>

#include "strokes/archive_writer.h"
#include "strokes/linelist.h"
#include "tools/stroke_data/hanzi_source.h"

namespace inkwren::tools {

// How closely the pen points follow the traced path, in pad pixels: a point is left out where
// the segment replacing it strays less than this from the path, and the width it is drawn with
// less than width_tolerance from the path's.
inline constexpr double position_tolerance = 0.2;
inline constexpr double width_tolerance = 0.6;

// The one-pixel steps a pen takes along these pad points, as the player counts them: the
// points rounded to whole pixels, each step one pixel along the longer axis.
int pen_steps(const std::vector<QPointF>& pad_points);

// The steps the stroke took to play in the first archives, whose pen followed the bare median
// with 200 pixels an em: no stroke may take longer to write than that.
int median_pen_steps(const std::vector<QPointF>& median);

// The stroke's run of pen points: its pen path on the pad, coordinates to a tenth of a pixel,
// widths to whole pixels (at least 1), its thinner end trimmed while the stroke would take
// longer to play than its median did. A stroke whose median misses its outline keeps its
// median, drawn one pixel wide, so that no stroke of the order is lost.
TObjList pen_points_of(const std::vector<QPointF>& outline, const std::vector<QPointF>& median);

TLineList strokes_of(const HanziSource& source);

// The character's archive names: its Big5 and GBK codes followed by ".wrt", empty where it has
// no two-byte code that reads back as the same character.
struct ArchiveNames {
    QByteArray big5_name;
    QByteArray gb_name;
};
ArchiveNames archive_names_of(const QString& character);

struct ConvertedCharacter {
    ArchiveNames names;
    TLineList strokes;  // as traced, kept for writing them in another order
    QByteArray stroke_text;
};

// Every character's names and stroke text, converted once for both archives.
std::vector<ConvertedCharacter> convert_characters(const std::vector<HanziSource>& characters);

enum class ArchiveKind { simplified, traditional };

// The entries of one archive: the characters that have a name in its own column (GB for the
// simplified archive, Big5 for the traditional one), sorted by that name.
std::vector<ArchiveSource> archive_sources(const std::vector<ConvertedCharacter>& characters,
                                           ArchiveKind kind);

}  // namespace inkwren::tools
