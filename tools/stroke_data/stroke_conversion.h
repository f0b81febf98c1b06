// Turns the open stroke data into our stroke archives: each stroke's median becomes one
// polyline run of pen points on the 200 × 200 pad, drawn with a pen as wide as the stroke's
// outline is on average.
#pragma once

#include <QPointF>

#include <vector>

#include "strokes/archive_writer.h"
#include "strokes/linelist.h"
#include "tools/stroke_data/hanzi_source.h"

namespace inkwren::tools {

// From the data's 1024-unit em square (y up, baseline at 900) to pad pixels (y down).
QPointF to_pad(QPointF em_point);

double polygon_area(const std::vector<QPointF>& polygon);
double polyline_length(const std::vector<QPointF>& points);

// About 0.8 × outline area / median length, in pad pixels, at least 1.
int pen_width_for(const std::vector<QPointF>& outline, const std::vector<QPointF>& median);

TLineList strokes_of(const HanziSource& source);

// The character's archive names: its Big5 and GBK codes followed by ".wrt", empty where it has
// no two-byte code that reads back as the same character.
struct ArchiveNames {
    QByteArray big5_name;
    QByteArray gb_name;
};
ArchiveNames archive_names_of(const QString& character);

enum class ArchiveKind { simplified, traditional };

// The entries of one archive: the characters that have a name in its own column (GB for the
// simplified archive, Big5 for the traditional one), sorted by that name.
std::vector<ArchiveSource> archive_sources(const std::vector<HanziSource>& characters,
                                           ArchiveKind kind);

}  // namespace inkwren::tools
