// Taiwan's form of a character that Taiwan writes with one stroke more than the data: one of the
// data's strokes cut in two where its median turns a corner (之's 橫撇 into 橫 and 撇, 阝's
// first stroke into two) or, for a straight stroke, at its middle (艹's long 橫 into two). The
// cut is made only where the two parts and the other strokes take Taiwan's kinds in an order.
#pragma once

#include <optional>
#include <string_view>

#include "tools/stroke_data/hanzi_source.h"
#include "tools/stroke_order/stroke_kinds.h"
#include "tools/stroke_order/taiwan_order.h"

namespace inkwren::tools {

struct TaiwanForm {
    HanziSource source;   // the data's strokes with the cut stroke's two parts in its place
    int cut_stroke = -1;  // the data's stroke cut in two: its parts are this stroke and the next
    TaiwanOrder order;    // of the source's strokes
};

// The character with stroke cut at a length along its median (in em units): the median's two
// parts share the cut point; the outline is parted where its points lie nearest the median.
HanziSource with_stroke_cut(const HanziSource& character, int stroke, double at);

// The likeliest cut, of a stroke where the dictionary's two sequences differ, that writes its
// parts one after the other at places of kinds their shapes allow, the other strokes at places of
// their kinds; nothing unless Taiwan's sequence has exactly one stroke more than the data and the
// mainland's as many, or no cut fits.
std::optional<TaiwanForm> taiwan_form(const HanziSource& character,
                                      const StrokeKindClassifier& classifier,
                                      const StrokeSequences& sequences);

}  // namespace inkwren::tools
