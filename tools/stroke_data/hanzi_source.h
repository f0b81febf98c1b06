// One character of the open stroke data (hanzi-writer-data): its stroke outlines as SVG paths
// and its stroke medians, both in a 1024-unit em square with y pointing up (baseline at 900).
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <vector>

namespace inkwren::tools {

struct HanziSource {
    QString character;
    std::vector<std::vector<QPointF>> outlines;  // one closed polygon per stroke
    std::vector<std::vector<QPointF>> medians;   // one centre line per stroke
};

// Parses the JSON of one character; throws Error naming the character when it is malformed
// (not JSON, missing arrays, strokes and medians of different counts, a median without points,
// a coordinate that is not a number).
HanziSource parse_hanzi_source(const QString& character, const QByteArray& json);

// Every character file of the unpacked package, in file-name order. Malformed ones are skipped,
// each with a warning on standard error naming it, and counted. Throws Error when the folder does
// not exist.
std::vector<HanziSource> read_hanzi_package(const QString& folder, int& skipped);

// The outline as a closed polygon: curves are flattened into short segments.
std::vector<QPointF> flatten_outline(const QByteArray& svg_path);

}  // namespace inkwren::tools
