// How close a character drawn from our strokes comes to the glyph it was traced from: its ink at
// rest against the source outlines filled in the same place, and how long its strokes take to
// play against a pen that simply follows the medians.
#pragma once

#include <QImage>

#include "strokes/linelist.h"
#include "tools/stroke_data/hanzi_source.h"

namespace inkwren::tools {

// The character's strokes at rest on a white pad of this side, as the pad draws them.
QImage ink_at_rest(const TLineList& lines, int pad_side);

// The source outlines filled black on a white pad of this side, at the place the strokes have.
QImage outline_ink(const HanziSource& source, int pad_side);

// Intersection over union of the non-white pixels of two pictures of one size.
double ink_overlap(const QImage& a, const QImage& b);

// The two pictures laid over each other: black where both have ink, red where only the glyph
// has (the strokes miss it), blue where only the strokes have (they spill over it).
QImage overlap_picture(const QImage& strokes, const QImage& glyph);

// The one-pixel pen steps each stroke takes to play on the 200-pixel pad.
std::vector<int> play_steps(const TLineList& lines);

// The strokes a pen following the medians at one constant width draws, placed as the first
// archives placed them (200 pixels an em, the em's top at the pad's top): the pace to keep.
TLineList median_strokes(const HanziSource& source);

}  // namespace inkwren::tools
