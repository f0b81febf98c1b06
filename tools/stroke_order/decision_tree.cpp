#include "tools/stroke_order/decision_tree.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace inkwren::tools {
namespace {

constexpr int fewest_to_split = 20;
constexpr int fewest_on_a_side = 6;

bool is_pure(const KindCounts& counts) {
    return std::count_if(counts.begin(), counts.end(), [](int count) { return count > 0; }) <= 1;
}

// A member of a node as one feature's list holds it: the list is read front to back, so each
// member carries its value and kind rather than sending the reader to the stroke.
struct Member {
    double value;
    int kind;
    int stroke;
};

// The members of a node sorted by each feature in turn: sorted once at the root, then split
// stably, so no node sorts again.
using SortedMembers = std::array<std::vector<Member>, stroke_feature_count>;

KindCounts counts_of(const std::vector<Member>& members) {
    KindCounts counts{};
    for (const Member& member : members) {
        ++counts[member.kind];
    }
    return counts;
}

struct Split {
    // The sum over both sides of each kind's count squared over the side's count: the larger,
    // the purer (the weighted Gini impurity is 1 minus this over the node's count).
    double purity;
    int feature;
    double threshold;
};

std::int64_t sum_of_squares(const KindCounts& counts) {
    std::int64_t sum = 0;
    for (const int count : counts) {
        sum += std::int64_t(count) * count;
    }
    return sum;
}

// The best threshold on one feature: the kinds counted on each side of every place where the
// value changes, their squares kept up to date one member at a time.
std::optional<Split> best_split_on(const std::vector<Member>& sorted, const KindCounts& all,
                                   int feature) {
    const int total = int(sorted.size());
    KindCounts below{};
    KindCounts above = all;
    std::int64_t below_squares = 0;
    std::int64_t above_squares = sum_of_squares(all);
    std::optional<Split> best;
    for (int place = 0; place + 1 < total; ++place) {
        const int kind = sorted[place].kind;
        below_squares += 2 * below[kind] + 1;
        ++below[kind];
        above_squares -= 2 * above[kind] - 1;
        --above[kind];
        const double value = sorted[place].value;
        const double next = sorted[place + 1].value;
        const int on_below = place + 1;
        if (value == next || on_below < fewest_on_a_side || total - on_below < fewest_on_a_side) {
            continue;
        }
        const double purity =
            double(below_squares) / on_below + double(above_squares) / (total - on_below);
        if (!best || purity > best->purity) {
            best = Split{purity, feature, (value + next) / 2};
        }
    }
    return best;
}

}  // namespace

// Grows the tree depth first; each node's members are handed on to its two children.
class DecisionTree::Grower {
public:
    Grower(std::size_t stroke_count, std::vector<Node>& nodes)
        : goes_below_(stroke_count), nodes_(nodes) {}

    int grow(SortedMembers members, int depth) {
        const int index = int(nodes_.size());
        nodes_.push_back(Node{});
        const KindCounts all = counts_of(members[0]);
        nodes_[index].counts = all;
        if (depth == 0 || int(members[0].size()) < fewest_to_split || is_pure(all)) {
            return index;
        }
        std::optional<Split> best;
        for (int feature = 0; feature < stroke_feature_count; ++feature) {
            const std::optional<Split> split = best_split_on(members[feature], all, feature);
            if (split && (!best || split->purity > best->purity)) {
                best = split;
            }
        }
        if (!best) {
            return index;
        }
        for (const Member& member : members[best->feature]) {
            goes_below_[member.stroke] = member.value <= best->threshold;
        }
        SortedMembers below, above;
        for (int feature = 0; feature < stroke_feature_count; ++feature) {
            for (const Member& member : members[feature]) {
                (goes_below_[member.stroke] ? below : above)[feature].push_back(member);
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
    std::vector<char> goes_below_;  // by stroke, for the node being split
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
        std::vector<Member>& sorted = members[feature];
        sorted.reserve(chosen.size());
        for (const int stroke : chosen) {
            sorted.push_back({strokes[stroke].features[feature], strokes[stroke].kind, stroke});
        }
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Member& a, const Member& b) { return a.value < b.value; });
    }
    DecisionTree tree;
    Grower(strokes.size(), tree.nodes_).grow(std::move(members), depth);
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
