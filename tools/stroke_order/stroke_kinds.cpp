#include "tools/stroke_order/stroke_kinds.h"

#include <set>

#include <algorithm>
#include <utility>

namespace inkwren::tools {
namespace {

constexpr int tree_depth = 10;

// Two places whose kinds are exchanged between the sequences mean the strokes are written in
// another order there; a kind named differently in one place only is a naming.
bool differs_only_in_naming(const std::string& taiwan, const std::string& mainland) {
    std::set<std::pair<char, char>> differences;
    for (size_t place = 0; place < taiwan.size(); ++place) {
        if (taiwan[place] != mainland[place]) {
            differences.insert({taiwan[place], mainland[place]});
        }
    }
    for (const auto& [ours, theirs] : differences) {
        if (differences.count({theirs, ours}) > 0) {
            return false;
        }
    }
    return true;
}

int kind_index(char letter) {
    return int(stroke_kinds.find(letter));
}

}  // namespace

std::optional<std::string> labels_for(const StrokeSequences& sequences, int stroke_count,
                                      Standard standard) {
    const std::string& wanted =
        standard == Standard::taiwan ? sequences.taiwan : sequences.mainland;
    if (int(wanted.size()) != stroke_count) {
        return std::nullopt;
    }
    if (standard == Standard::taiwan && (sequences.mainland.size() != wanted.size() ||
                                         !differs_only_in_naming(wanted, sequences.mainland))) {
        return std::nullopt;
    }
    return wanted;
}

StrokeKindClassifier StrokeKindClassifier::trained(const std::vector<CharacterFeatures>& characters,
                                                   const StrokeDictionary& dictionary,
                                                   Standard standard) {
    std::vector<LabelledStroke> labelled;
    for (const CharacterFeatures& character : characters) {
        const auto entry = dictionary.constFind(character.character);
        if (entry == dictionary.constEnd()) {
            continue;
        }
        const std::optional<std::string> labels =
            labels_for(*entry, int(character.strokes.size()), standard);
        for (size_t stroke = 0; labels && stroke < labels->size(); ++stroke) {
            labelled.push_back({character.strokes[stroke], kind_index((*labels)[stroke])});
        }
    }
    return StrokeKindClassifier(DecisionTree::grown(labelled, tree_depth));
}

// A leaf's counts as odds, each kind given half a stroke more, so that no kind is impossible.
KindOdds StrokeKindClassifier::odds(const StrokeFeatures& stroke) const {
    const KindCounts& counts = tree_.leaf_counts(stroke);
    double total = 0;
    for (const int count : counts) {
        total += count + 0.5;
    }
    KindOdds odds{};
    for (int kind = 0; kind < stroke_kind_count; ++kind) {
        odds[kind] = (counts[kind] + 0.5) / total;
    }
    return odds;
}

std::string StrokeKindClassifier::kinds(const std::vector<StrokeFeatures>& strokes) const {
    std::string letters;
    for (const StrokeFeatures& stroke : strokes) {
        const KindOdds odds_of = odds(stroke);
        letters += stroke_kinds[std::max_element(odds_of.begin(), odds_of.end()) - odds_of.begin()];
    }
    return letters;
}

}  // namespace inkwren::tools
