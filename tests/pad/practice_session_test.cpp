#include <gtest/gtest.h>

#include <algorithm>

#include "langtable/text_keys.h"
#include "pad/practice_session.h"

namespace inkwren {
namespace {

// 三 in em units: three strokes from left to right, the middle one shortest; and a fill that
// has nothing to follow after the first.
Median across(double height, double left, double right) {
    Median line;
    for (double x = left; x <= right; x += 20) {
        line.push_back({x, height});
    }
    return line;
}

std::vector<Median> three_across() {
    return {across(700, 250, 750), {}, across(450, 300, 700), across(150, 150, 850)};
}

class PracticeSessionTest : public ::testing::Test {
protected:
    PracticeSession session(PracticeRules rules = {}) {
        return PracticeSession(three_across(), rules, [this] { return clock; });
    }
    std::int64_t clock = 1000;
};

TEST_F(PracticeSessionTest, StrokesAreAcceptedInOrderAndFillsComeByThemselves) {
    PracticeSession writing = session();
    EXPECT_EQ(writing.stroke_count(), 4);
    EXPECT_TRUE(writing.write(across(700, 250, 750)).accepted);
    EXPECT_EQ(writing.expected(), 2);  // the fill after the first stroke is passed
    // The last stroke written before the middle one, and the middle one from its end.
    const PracticeTurn ahead = writing.write(across(150, 150, 850));
    EXPECT_EQ(ahead.judgement.verdict, Verdict::later_stroke);
    EXPECT_EQ(ahead.judgement.matched_stroke, 3);
    Median backwards = across(450, 300, 700);
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_EQ(writing.write(backwards).judgement.verdict, Verdict::backwards);
    EXPECT_EQ(writing.mistakes(), (std::vector<int>{0, 0, 2, 0}));
    clock = 43400;
    EXPECT_TRUE(writing.write(across(450, 300, 700)).accepted);
    EXPECT_TRUE(writing.write(across(150, 150, 850)).accepted);
    EXPECT_TRUE(writing.finished());
    EXPECT_TRUE(writing.whole());
    clock = 99000;  // the time stops with the last stroke
    EXPECT_EQ(writing.seconds(), 42);
    EXPECT_EQ(writing.total_mistakes(), 2);
}

TEST_F(PracticeSessionTest, MistakesBringTheHintThenTheStrokeAndSkipsAndTakeBacksCount) {
    const Median scribble = {{500, 900}, {520, 100}};
    PracticeRules rules;
    rules.hint_after = 2;
    rules.give_after = 1;
    PracticeSession writing = session(rules);
    EXPECT_FALSE(writing.write(scribble).hint);
    const PracticeTurn second = writing.write(scribble);
    EXPECT_TRUE(second.hint);
    EXPECT_TRUE(writing.hinting());
    const PracticeTurn third = writing.write(scribble);
    EXPECT_TRUE(third.given && third.accepted && !third.hint);
    EXPECT_EQ(writing.expected(), 2);
    EXPECT_FALSE(writing.whole());

    // A click is no mistake; a skip is.
    EXPECT_EQ(writing.write({{400, 450}}).judgement.verdict, Verdict::too_short);
    writing.skip();
    EXPECT_EQ(writing.mistakes(), (std::vector<int>{3, 0, 1, 0}));
    EXPECT_TRUE(writing.take_back());
    EXPECT_EQ(writing.expected(), 2);
    EXPECT_TRUE(writing.take_back());
    EXPECT_EQ(writing.expected(), 0);  // over the fill
    EXPECT_FALSE(writing.take_back());

    // Without a hint setting mistakes only count.
    rules.hint_after = 0;
    PracticeSession patient = session(rules);
    for (int tries = 0; tries < 12; ++tries) {
        EXPECT_FALSE(patient.write(scribble).accepted);
    }
    EXPECT_FALSE(patient.hinting());
}

TEST(PracticeNote, TellsWhatWasWrongInTheLanguagesWords) {
    const auto texts = [](const char* key) {
        const QLatin1String asked(key);
        return QString::fromUtf8(
            asked == QLatin1String(text_key::practice_ahead_note) ? "這是第%1筆；先寫第%2筆"
            : asked == QLatin1String(text_key::practice_backwards_note) ? "第%1筆寫反了"
                                                                        : "其他 %1");
    };
    PracticeTurn turn;
    turn.stroke = 2;
    turn.judgement = {Verdict::later_stroke, 4};
    EXPECT_EQ(practice_note(turn, texts), QStringLiteral("這是第5筆；先寫第3筆"));
    turn.judgement = {Verdict::backwards, -1};
    EXPECT_EQ(practice_note(turn, texts), QStringLiteral("第3筆寫反了"));
    turn.judgement = {Verdict::correct, 2};
    EXPECT_TRUE(practice_note(turn, texts).isEmpty());
}

}  // namespace
}  // namespace inkwren
