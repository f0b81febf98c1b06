// A classification tree of stroke kinds, grown on labelled strokes by Gini impurity: each inner
// node splits on one feature at a threshold, each leaf keeps how many strokes of each kind reached
// it. Growing is deterministic, so archives built with it are the same on every machine.
#pragma once

#include <array>
#include <vector>

#include "tools/stroke_order/stroke_dictionary.h"
#include "tools/stroke_order/stroke_features.h"

namespace inkwren::tools {

struct LabelledStroke {
    StrokeFeatures features;
    int kind;  // its place in stroke_kinds
};

using KindCounts = std::array<int, stroke_kind_count>;

class DecisionTree {
public:
    // Splits while a node is deeper than `depth` levels from the root, holds strokes of more than
    // one kind and leaves enough strokes on each side of its best split.
    static DecisionTree grown(const std::vector<LabelledStroke>& strokes, int depth);
    // The same, from the chosen strokes only (their places in `strokes`).
    static DecisionTree grown(const std::vector<LabelledStroke>& strokes,
                              const std::vector<int>& chosen, int depth);

    // How many strokes of each kind reached the leaf these features lead to.
    const KindCounts& leaf_counts(const StrokeFeatures& features) const;

private:
    struct Node {
        int feature = -1;  // -1: a leaf
        double threshold = 0;
        int below = -1;  // the nodes for values at most the threshold, and above it
        int above = -1;
        KindCounts counts{};
    };

    class Grower;

    std::vector<Node> nodes_;
};

}  // namespace inkwren::tools
