// Puts a character's strokes into Taiwan's order. Each stroke goes to a place in Taiwan's
// sequence of kinds: the assignment that makes the strokes' kinds likeliest, with a small cost for
// every place a stroke moves, so that strokes of the same kind keep their relative order and a
// stroke whose kind is merely doubtful stays where it is.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "tools/stroke_order/stroke_kinds.h"

namespace inkwren::tools {

struct TaiwanOrder {
    std::vector<int> strokes;  // the data's stroke written at each place
    // Places whose stroke is likeliest of another kind than the sequence names there: the
    // character's form or its strokes differ from Taiwan's there.
    int unlike_places = 0;
    double cost = 0;  // of the kinds at their places and the moves, in nats

    bool moves() const;
};

// Whether the data's order is kept unless another makes each moved stroke's kind clearly
// likelier: so for the data's own strokes, not for a form whose strokes have no order yet.
enum class Moves { only_clear, likeliest };

// The order for strokes of these odds, in the data's order, and Taiwan's sequence of as many
// kinds.
TaiwanOrder taiwan_order(const std::vector<KindOdds>& strokes, std::string_view sequence,
                         Moves moves = Moves::only_clear);

struct KindClassifiers {
    StrokeKindClassifier taiwan;
    StrokeKindClassifier mainland;
};

// Taiwan's order for each character whose Taiwan sequence has as many strokes as its data;
// nothing for the others. Where the dictionary names the same sequence for both standards, only
// some strokes named differently, the data's order is kept when each of its strokes is of the
// kind one standard or the other names at its place. Otherwise the strokes go to the places
// their kinds, as judged by Taiwan's classifier, ask for.
std::vector<std::optional<TaiwanOrder>> taiwan_orders(
    const std::vector<CharacterFeatures>& characters, const KindClassifiers& classifiers,
    const StrokeDictionary& dictionary);

}  // namespace inkwren::tools
