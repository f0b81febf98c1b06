#include "tools/stroke_order/decision_tree.h"

#include <algorithm>
#include <optional>

namespace inkwren::tools {
namespace {

constexpr int fewest_to_split = 20;
constexpr int fewest_on_a_side = 6;

double gini(const KindCounts& counts, int total) {
    double impurity = 1;
    for (const int count : counts) {
        const double share = double(count) / total;
        impurity -= share * share;
    }
    return impurity;
}

KindCounts counts_of(const std::vector<LabelledStroke>& strokes, const std::vector<int>& members) {
    KindCounts counts{};
    for (const int member : members) {
        ++counts[strokes[member].kind];
    }
    return counts;
}

bool is_pure(const KindCounts& counts) {
    return std::count_if(counts.begin(), counts.end(), [](int count) { return count > 0; }) <= 1;
}

struct Split {
    double impurity;
    int feature;
    double threshold;
};

// The members of a node sorted by each feature in turn: sorted once at the root, then split
// stably, so no node sorts again.
using SortedMembers = std::array<std::vector<int>, stroke_feature_count>;

// The best threshold on one feature: the kinds counted on each side of every place where the
// value changes.
std::optional<Split> best_split_on(const std::vector<LabelledStroke>& strokes,
                                   const std::vector<int>& sorted, const KindCounts& all,
                                   int feature) {
    const int total = int(sorted.size());
    KindCounts below{};
    KindCounts above = all;
    std::optional<Split> best;
    for (int place = 0; place + 1 < total; ++place) {
        const LabelledStroke& stroke = strokes[sorted[place]];
        ++below[stroke.kind];
        --above[stroke.kind];
        const double value = stroke.features[feature];
        const double next = strokes[sorted[place + 1]].features[feature];
        const int on_below = place + 1;
        if (value == next || on_below < fewest_on_a_side || total - on_below < fewest_on_a_side) {
            continue;
        }
        const double impurity = (on_below * gini(below, on_below) +
                                 (total - on_below) * gini(above, total - on_below)) /
                                total;
        if (!best || impurity < best->impurity) {
            best = Split{impurity, feature, (value + next) / 2};
        }
    }
    return best;
}

}  // namespace

// Grows the tree depth first; each node's members are handed on to its two children.
class DecisionTree::Grower {
public:
    Grower(const std::vector<LabelledStroke>& strokes, std::vector<Node>& nodes)
        : strokes_(strokes), nodes_(nodes) {}

    int grow(SortedMembers members, int depth) {
        const int index = int(nodes_.size());
        nodes_.push_back(Node{});
        const KindCounts all = counts_of(strokes_, members[0]);
        nodes_[index].counts = all;
        if (depth == 0 || int(members[0].size()) < fewest_to_split || is_pure(all)) {
            return index;
        }
        std::optional<Split> best;
        for (int feature = 0; feature < stroke_feature_count; ++feature) {
            const std::optional<Split> split =
                best_split_on(strokes_, members[feature], all, feature);
            if (split && (!best || split->impurity < best->impurity)) {
                best = split;
            }
        }
        if (!best) {
            return index;
        }
        SortedMembers below, above;
        for (int feature = 0; feature < stroke_feature_count; ++feature) {
            for (const int member : members[feature]) {
                (strokes_[member].features[best->feature] <= best->threshold ? below
                                                                             : above)[feature]
                    .push_back(member);
            }
            members[feature] = {};
        }
        const int below_node = grow(std::move(below), depth - 1);
        const int above_node = grow(std::move(above), depth - 1);
        nodes_[index].feature = best->feature;
        nodes_[index].threshold = best->threshold;
        nodes_[index].below = below_node;
        nodes_[index].above = above_node;
        return index;
    }

private:
    const std::vector<LabelledStroke>& strokes_;
    std::vector<Node>& nodes_;
};

DecisionTree DecisionTree::grown(const std::vector<LabelledStroke>& strokes, int depth) {
    std::vector<int> all(strokes.size());
    for (size_t stroke = 0; stroke < strokes.size(); ++stroke) {
        all[stroke] = int(stroke);
    }
    return grown(strokes, all, depth);
}

DecisionTree DecisionTree::grown(const std::vector<LabelledStroke>& strokes,
                                 const std::vector<int>& chosen, int depth) {
    SortedMembers members;
    for (int feature = 0; feature < stroke_feature_count; ++feature) {
        std::vector<int>& sorted = members[feature];
        sorted = chosen;
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            return strokes[a].features[feature] < strokes[b].features[feature];
        });
    }
    DecisionTree tree;
    Grower(strokes, tree.nodes_).grow(std::move(members), depth);
    return tree;
}

const KindCounts& DecisionTree::leaf_counts(const StrokeFeatures& features) const {
    int node = 0;
    while (nodes_[node].feature >= 0) {
        const Node& inner = nodes_[node];
        node = features[inner.feature] <= inner.threshold ? inner.below : inner.above;
    }
    return nodes_[node].counts;
}

}  // namespace inkwren::tools
