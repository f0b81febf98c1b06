// A learner writing one character on the pad, stroke by stroke: which stroke comes next, the
// mistakes made on each, the hint and the stroke given after too many, skips and take-backs, and
// the time taken. The judging itself is the stroke judge's; this keeps the score.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "practice/median.h"
#include "practice/stroke_judge.h"

namespace inkwren {

struct PracticeRules {
    int hint_after = 3;  // mistakes on a stroke before it is shown as a hint; 0 never
    int give_after = 0;  // further mistakes after the hint before the stroke is given; 0 never
    JudgeOptions judging;
};

// What became of a stroke written.
struct PracticeTurn {
    Judgement judgement;
    int stroke = 0;      // the stroke that was expected
    bool hint = false;   // that stroke is to be shown as a hint from now on
    bool given = false;  // it is accepted after too many mistakes
    bool accepted = false;
};

class PracticeSession {
public:
    // now answers milliseconds on a steady clock; the time runs from the first stroke begun.
    PracticeSession(std::vector<Median> medians, PracticeRules rules,
                    std::function<std::int64_t()> now);

    int stroke_count() const { return int(medians_.size()); }
    // The stroke to write next; stroke_count() once all are written.
    int expected() const { return expected_; }
    bool finished() const { return expected_ >= stroke_count(); }
    // Whether the expected stroke is shown as a hint.
    bool hinting() const;
    const std::vector<int>& mistakes() const { return mistakes_; }
    int total_mistakes() const;
    // No stroke skipped or given.
    bool whole() const { return whole_; }
    int seconds() const;

    // A stroke begins: the clock starts with the first.
    void pen_down();
    // Judges the points written (em units) against the expected stroke.
    PracticeTurn write(const Polyline& points);
    // The expected stroke is passed over as a mistake and shown.
    void skip();
    // The last stroke accepted is expected again; false when none is.
    bool take_back();

private:
    void accept();
    void pass_strokes_with_nothing_to_follow();

    std::vector<Median> medians_;
    PracticeRules rules_;
    std::function<std::int64_t()> now_;
    std::vector<int> mistakes_;
    int expected_ = 0;
    bool whole_ = true;
    std::int64_t started_ = -1;
    std::int64_t ended_ = -1;
};

// The note the pad shows for a turn; empty when there is nothing to say. texts gives the
// language's text of a key, with %1 and %2 to fill.
QString practice_note(const PracticeTurn& turn, const std::function<QString(const char*)>& texts);

}  // namespace inkwren
