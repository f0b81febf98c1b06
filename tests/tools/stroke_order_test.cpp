#include <gtest/gtest.h>

#include "tools/stroke_order/cheapest_assignment.h"
#include "tools/stroke_order/stroke_dictionary.h"
#include "tools/stroke_order/taiwan_form.h"
#include "tools/stroke_order/taiwan_order.h"

namespace inkwren::tools {
namespace {

TEST(StrokeDictionary, TheFirstEntryIsTaiwansTheSecondTheMainlands) {
    const StrokeDictionary dictionary = parse_stroke_dictionary(
        "# 五筆畫\n---\nname: stroke\n...\n\n"
        "里\tszhhhsh\n里\tszhhshh\n里\thhh\n"  // a third entry is neither standard's
        "木\thspn\n"
        "木頭\thspnh\n"  // phrases are passed over
        "永\tnzzpx\n");  // so are letters that name no kind
    ASSERT_EQ(dictionary.size(), 2);
    EXPECT_EQ(dictionary["里"].taiwan, "szhhhsh");
    EXPECT_EQ(dictionary["里"].mainland, "szhhshh");
    EXPECT_EQ(dictionary["木"].taiwan, "hspn");
    EXPECT_EQ(dictionary["木"].mainland, "hspn");
}

// Taiwan names a vertical hook 折 where the mainland says 豎: such a character still teaches
// Taiwan's kinds in the data's order, one whose strokes are exchanged does not.
TEST(StrokeKinds, TaiwansLabelsComeOnlyFromCharactersWrittenInTheSameOrder) {
    const struct {
        StrokeSequences sequences;
        int count;
        std::optional<std::string> taiwan;
    } cases[] = {{{"zpn", "spn"}, 3, "zpn"},       // 小: a naming
                 {{"szhhhsh", "szhhshh"}, 7, {}},  // 里: an exchange
                 {{"hspn", "hspn"}, 4, "hspn"},
                 {{"hspn", "hspn"}, 5, {}}};
    for (const auto& example : cases) {
        EXPECT_EQ(labels_for(example.sequences, example.count, Standard::taiwan), example.taiwan)
            << example.sequences.taiwan;
    }
    EXPECT_EQ(labels_for({"szhhhsh", "szhhshh"}, 7, Standard::mainland), "szhhshh");
}

TEST(CheapestAssignment, FindsTheCheapestOfAllPermutations) {
    const std::vector<std::vector<double>> cost = {{4, 1, 3}, {2, 0, 5}, {3, 2, 2}};
    EXPECT_EQ(cheapest_assignment(cost), (std::vector<int>{1, 0, 2}));  // 1 + 2 + 2
}

KindOdds sure(char kind) {
    KindOdds odds;
    odds.fill(0.01);
    odds[stroke_kinds.find(kind)] = 0.96;
    return odds;
}

TEST(TaiwanOrder, StrokesMoveOnlyWhereTheirKindsClearlyAskIt) {
    // 國's last four strokes: the mainland writes 戈's 撇 before its dot, Taiwan after.
    const TaiwanOrder swapped = taiwan_order({sure('z'), sure('p'), sure('n'), sure('h')}, "znph");
    EXPECT_EQ(swapped.strokes, (std::vector<int>{0, 2, 1, 3}));
    EXPECT_EQ(swapped.unlike_places, 0);
    // The last stroke is of another kind than Taiwan's; trading it for the doubtful stroke three
    // places away would gain too little, so nothing moves.
    KindOdds doubtful;
    doubtful.fill(0.2);
    const TaiwanOrder kept =
        taiwan_order({sure('s'), doubtful, sure('h'), sure('s'), sure('h')}, "shhsn");
    EXPECT_FALSE(kept.moves());
    EXPECT_EQ(kept.unlike_places, 1);
    // 艹 cut into four: the halves of its 橫 keep their order behind the left 豎.
    const TaiwanOrder grass =
        taiwan_order({sure('h'), sure('h'), sure('s'), sure('s')}, "shhs", Moves::likeliest);
    EXPECT_EQ(grass.strokes, (std::vector<int>{2, 0, 1, 3}));
}

std::pair<double, double> x_range(const std::vector<QPointF>& outline) {
    const auto [least, most] =
        std::ranges::minmax_element(outline, [](QPointF a, QPointF b) { return a.x() < b.x(); });
    return {least->x(), most->x()};
}

TEST(TaiwanForm, ACutPartsTheMedianAtItsPlaceAndTheOutlineWhereItsPointsLieNearest) {
    HanziSource grass{QStringLiteral("艹"),
                      {{{100, 480}, {900, 480}, {900, 520}, {100, 520}},
                       {{290, 300}, {310, 300}, {310, 700}, {290, 700}}},
                      {{{100, 500}, {900, 500}}, {{300, 700}, {300, 300}}}};
    const HanziSource cut = with_stroke_cut(grass, 0, 400);
    ASSERT_EQ(cut.medians.size(), 3);
    EXPECT_EQ(cut.medians[0], (std::vector<QPointF>{{100, 500}, {500, 500}}));
    EXPECT_EQ(cut.medians[1], (std::vector<QPointF>{{500, 500}, {900, 500}}));
    EXPECT_EQ(cut.medians[2], grass.medians[1]);
    EXPECT_EQ(x_range(cut.outlines[0]), std::pair(100.0, 500.0));
    EXPECT_EQ(x_range(cut.outlines[1]), std::pair(500.0, 900.0));
    EXPECT_EQ(cut.outlines[2], grass.outlines[1]);
    // At a corner (之's 橫撇) the parts meet at the corner.
    const HanziSource turn{
        QStringLiteral("之"), {{{0, 0}, {1, 0}, {1, 1}}}, {{{100, 800}, {500, 800}, {200, 300}}}};
    const HanziSource parts = with_stroke_cut(turn, 0, 400);
    EXPECT_EQ(parts.medians[0].back(), QPointF(500, 800));
    EXPECT_EQ(parts.medians[1], (std::vector<QPointF>{{500, 800}, {200, 300}}));
}

}  // namespace
}  // namespace inkwren::tools
