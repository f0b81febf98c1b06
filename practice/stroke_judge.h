// Judges one stroke a learner wrote against the stroke expected next: right, wrong, written
// backwards, or a later stroke of the character written ahead of its turn. Everything is in em
// units (practice/median.h).
#pragma once

#include <vector>

#include "practice/median.h"

namespace inkwren {

enum class Leniency { strict, normal, lenient };

struct JudgeOptions {
    Leniency leniency = Leniency::normal;
    // The character's outline is on the pad to trace over, so the learner is held closer to it.
    bool outline_shown = false;
};

enum class Verdict {
    correct,       // the expected stroke (also any stroke with nothing to follow)
    wrong,         // not the expected stroke
    backwards,     // the expected stroke from its end to its start
    later_stroke,  // a stroke after the expected one, written ahead of its turn
    too_short,     // a click or a twitch rather than a stroke; not held against the learner
};

// A median shorter than this (em units) is a dot: a dab, judged by where it is and starts only.
inline constexpr double dot_length = 100;

// Which measure turned a stroke down, the first of them in the order the judge takes them.
enum class Miss { none, start, end, length, direction, distance, shape };

struct Judgement {
    Verdict verdict = Verdict::wrong;
    int matched_stroke = -1;  // the expected stroke when correct, the later one when ahead
    Miss miss = Miss::none;   // for a wrong or backwards stroke, what the forward judgement missed
};

// Whether the verdict counts as a mistake of the learner.
inline bool is_mistake(Verdict verdict) {
    return verdict != Verdict::correct && verdict != Verdict::too_short;
}

// Judges the learner's points (em units, in the order written) against the stroke at index
// expected of the character's medians; the strokes after it are the ones not yet written.
Judgement judge_stroke(const Polyline& drawn, const std::vector<Median>& medians, int expected,
                       const JudgeOptions& options = {});

}  // namespace inkwren
