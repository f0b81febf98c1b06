#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "practice/stroke_judge.h"

namespace inkwren {
namespace {

// Hand-made strokes in em units (y up).
const Median heng{{200, 500}, {800, 500}};
const Median shu{{500, 800}, {500, 100}};
const std::vector<Median> san{{{300, 700}, {700, 700}},  // 三: three parallel 橫
                              {{330, 450}, {670, 450}},
                              {{200, 150}, {800, 150}}};
const Median dot{{480, 700}, {530, 650}};
const Median ti{{300, 300}, {450, 400}};  // a short 提: its ends are within reach of each other
const Median hengzhe{{250, 700}, {700, 700}, {700, 200}};  // 橫折

// A 撇 bowed well out to the right of its chord from (600, 800) to (250, 150).
Median pie() {
    Median arc;
    for (int step = 0; step <= 12; ++step) {
        const double t = step / 12.0;
        const double bow = 180 * std::sin(std::numbers::pi * t);
        arc.push_back({600 - 350 * t + bow * 0.88, 800 - 650 * t + bow * -0.47});
    }
    return arc;
}

Polyline shifted(const Polyline& points, double dx, double dy) {
    Polyline moved;
    for (const QPointF& point : points) {
        moved.push_back(point + QPointF(dx, dy));
    }
    return moved;
}

// As a hand gives it: many points, each a little off the line, some repeated.
Polyline by_hand(const Polyline& line) {
    Polyline points;
    int wobble = 0;
    for (const QPointF& point : resampled(line, 40)) {
        const double off = (wobble++ % 3 - 1) * 8.0;
        points.push_back(point + QPointF(off, -off));
        points.push_back(points.back());
    }
    return points;
}

struct Case {
    std::string name;
    std::vector<Median> medians;
    int expected;
    Polyline drawn;
    Verdict verdict;
    int matched = -1;
    Miss miss = Miss::none;  // the measure that must turn the stroke down, when one must
    JudgeOptions options = {};
};

TEST(StrokeJudge, TellsRightWrongBackwardsAndAheadOfTurn) {
    const Case cases[] = {
        {"heng by hand", {heng}, 0, by_hand(heng), Verdict::correct, 0},
        {"heng backwards", {heng}, 0, reversed(by_hand(heng)), Verdict::backwards},
        {"shu for a heng", {heng}, 0, shu, Verdict::wrong},
        {"shu before its heng", {heng, shu}, 0, shu, Verdict::later_stroke, 1},
        {"heng stopping short",
         {heng},
         0,
         {{200, 500}, {560, 500}},
         Verdict::wrong,
         -1,
         Miss::length},
        {"ti backwards", {ti}, 0, reversed(ti), Verdict::backwards, -1, Miss::direction},
        {"pie by hand", {pie()}, 0, by_hand(pie()), Verdict::correct, 0},
        {"pie backwards", {pie()}, 0, reversed(by_hand(pie())), Verdict::backwards},
        {"hengzhe cutting its corner",
         {hengzhe},
         0,
         {{250, 700}, {700, 200}},
         Verdict::wrong,
         -1,
         Miss::shape},
        {"san first", san, 0, by_hand(san[0]), Verdict::correct, 0},
        {"san second ahead of the first", san, 0, by_hand(san[1]), Verdict::later_stroke, 1},
        {"san last ahead of the first", san, 0, by_hand(san[2]), Verdict::later_stroke, 2},
        {"san second a little low", san, 1, shifted(san[1], 0, -60), Verdict::correct, 1},
        {"san first once written", san, 1, by_hand(san[0]), Verdict::wrong},
        {"dot", {dot}, 0, {{470, 705}, {500, 680}, {540, 640}}, Verdict::correct, 0},
        {"dot dabbed the other way", {dot}, 0, reversed(dot), Verdict::correct, 0},
        {"dot a stroke away", {dot, heng}, 0, shifted(dot, 0, -300), Verdict::wrong},
        {"a click", {heng}, 0, {{200, 500}}, Verdict::too_short},
        {"a click held still", {heng}, 0, {{200, 500}, {200, 500}}, Verdict::too_short},
        {"nothing to follow", {{}, heng}, 0, shu, Verdict::correct, 0},
        {"beyond the last stroke", {heng}, 1, heng, Verdict::wrong},
    };
    for (const Case& c : cases) {
        const Judgement judgement = judge_stroke(c.drawn, c.medians, c.expected, c.options);
        EXPECT_EQ(judgement.verdict, c.verdict) << c.name;
        EXPECT_EQ(judgement.matched_stroke, c.matched) << c.name;
        if (c.miss != Miss::none) {
            EXPECT_EQ(judgement.miss, c.miss) << c.name;
        }
    }
}

TEST(StrokeJudge, LeniencyAndTheOutlineMoveTheLimits) {
    // A 橫 written 200 units low, then one written 350 units low.
    const Polyline low = shifted(heng, 0, -200);
    const Polyline far = shifted(heng, 0, -350);
    const Case cases[] = {
        {"low, normal", {heng}, 0, low, Verdict::correct, 0, Miss::none, {Leniency::normal, false}},
        {"low, strict", {heng}, 0, low, Verdict::wrong, -1, Miss::none, {Leniency::strict, false}},
        {"low, outline shown",
         {heng},
         0,
         low,
         Verdict::wrong,
         -1,
         Miss::none,
         {Leniency::normal, true}},
        {"low, lenient, outline",
         {heng},
         0,
         low,
         Verdict::correct,
         0,
         Miss::none,
         {Leniency::lenient, true}},
        {"far, normal", {heng}, 0, far, Verdict::wrong, -1, Miss::none, {Leniency::normal, false}},
        {"far, lenient",
         {heng},
         0,
         far,
         Verdict::correct,
         0,
         Miss::none,
         {Leniency::lenient, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(judge_stroke(c.drawn, c.medians, c.expected, c.options).verdict, c.verdict)
            << c.name;
    }
}

}  // namespace
}  // namespace inkwren
