// The strokes of one character in memory: a flat list of point records and the line list that
// holds them cut into strokes. Lists hold their records by value, so a copy is always deep and
// nothing is shared between a list and the list it was built from.
#pragma once

#include <vector>

#include "strokes/point_record.h"

namespace inkwren {

using TObjList = std::vector<PointRecord>;
using TLines = std::vector<TObjList>;

struct TLineList {
    TLines items;

    int count() const { return int(items.size()); }
};

// Appends a copy of the records as the new last stroke.
void add_line(TLineList& lines, const TObjList& stroke);

TObjList copy_list(const TObjList& records);

// All strokes laid end to end, end markers included.
TObjList flatten_lines(const TLineList& lines);

// Cuts a flat list into strokes, each ending with its end marker; end markers that close
// nothing are skipped. Throws Error when the list does not end with an end marker.
TLineList split_strokes(const TObjList& records);

// Records and strokes scaled about the origin, as the pad's zoom holds them; end markers stay
// at their mark.
TObjList scaled_records(const TObjList& records, double factor);
TLineList scaled_lines(const TLineList& lines, double factor);

void release_records(TObjList& records);

}  // namespace inkwren
