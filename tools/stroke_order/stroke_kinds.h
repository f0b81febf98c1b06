// Learns the kinds of the data's strokes from the stroke dictionary. Where a standard's sequence
// for a character has as many strokes as the data, the data is taken to write them in that order,
// and each stroke is labelled with the kind in its place. Taiwan and the mainland name some
// strokes differently (Taiwan counts a vertical hook as 折 and the rising last stroke of 氵 as 點,
// the mainland counts them 豎 and 橫), so each standard has a classifier of its own: a small
// forest of decision trees.
#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tools/stroke_order/decision_tree.h"
#include "tools/stroke_order/stroke_dictionary.h"
#include "tools/stroke_order/stroke_features.h"

namespace inkwren::tools {

enum class Standard { taiwan, mainland };

struct CharacterFeatures {
    QString character;
    std::vector<StrokeFeatures> strokes;
};

// The features of every character, worked out on every core.
std::vector<CharacterFeatures> features_of_characters(const std::vector<HanziSource>& characters);

// The kinds a standard gives the character's strokes in the data's order, when the dictionary
// says so: the sequence has the data's count and, for Taiwan, differs from the mainland's only
// in how strokes are named, not in where they are written.
std::optional<std::string> labels_for(const StrokeSequences& sequences, int stroke_count,
                                      Standard standard);

using KindOdds = std::array<double, stroke_kind_count>;

// The letter of the likeliest kind.
char likeliest_kind(const KindOdds& odds);

class StrokeKindClassifier {
public:
    static StrokeKindClassifier trained(const std::vector<CharacterFeatures>& characters,
                                        const StrokeDictionary& dictionary, Standard standard);

    KindOdds odds(const StrokeFeatures& stroke) const;
    // The likeliest kind of each stroke, as letters.
    std::string kinds(const std::vector<StrokeFeatures>& strokes) const;

private:
    StrokeKindClassifier() = default;
    std::vector<DecisionTree> trees_;
};

}  // namespace inkwren::tools
