#include "pad/practice_session.h"

#include <numeric>

#include "langtable/text_keys.h"

namespace inkwren {

PracticeSession::PracticeSession(std::vector<Median> medians, PracticeRules rules,
                                 std::function<std::int64_t()> now)
    : medians_(std::move(medians)),
      rules_(rules),
      now_(std::move(now)),
      mistakes_(medians_.size(), 0) {
    pass_strokes_with_nothing_to_follow();
}

bool PracticeSession::hinting() const {
    return !finished() && rules_.hint_after > 0 &&
           mistakes_[std::size_t(expected_)] >= rules_.hint_after;
}

int PracticeSession::total_mistakes() const {
    return std::accumulate(mistakes_.begin(), mistakes_.end(), 0);
}

int PracticeSession::seconds() const {
    if (started_ < 0) {
        return 0;
    }
    const std::int64_t end = ended_ >= 0 ? ended_ : now_();
    return int((end - started_ + 500) / 1000);
}

void PracticeSession::pen_down() {
    if (started_ < 0) {
        started_ = now_();
    }
}

PracticeTurn PracticeSession::write(const Polyline& points) {
    PracticeTurn turn;
    turn.stroke = expected_;
    if (finished()) {
        turn.judgement.verdict = Verdict::too_short;
        return turn;
    }
    pen_down();
    turn.judgement = judge_stroke(points, medians_, expected_, rules_.judging);
    if (turn.judgement.verdict == Verdict::correct) {
        turn.accepted = true;
        accept();
        return turn;
    }
    if (!is_mistake(turn.judgement.verdict)) {
        return turn;
    }
    const bool was_hinting = hinting();
    int& made = mistakes_[std::size_t(expected_)];
    ++made;
    turn.hint = !was_hinting && hinting();
    if (rules_.hint_after > 0 && rules_.give_after > 0 &&
        made >= rules_.hint_after + rules_.give_after) {
        turn.given = turn.accepted = true;
        whole_ = false;
        accept();
    }
    return turn;
}

void PracticeSession::skip() {
    if (finished()) {
        return;
    }
    pen_down();
    ++mistakes_[std::size_t(expected_)];
    whole_ = false;
    accept();
}

bool PracticeSession::take_back() {
    int previous = expected_ - 1;
    while (previous >= 0 && medians_[std::size_t(previous)].empty()) {
        --previous;
    }
    if (previous < 0) {
        return false;
    }
    expected_ = previous;
    ended_ = -1;
    return true;
}

void PracticeSession::accept() {
    ++expected_;
    pass_strokes_with_nothing_to_follow();
    if (finished() && started_ >= 0) {
        ended_ = now_();
    }
}

// A fill or a flash bar has no line to write: it comes by itself once the stroke before it is.
void PracticeSession::pass_strokes_with_nothing_to_follow() {
    while (!finished() && medians_[std::size_t(expected_)].empty()) {
        ++expected_;
    }
}

QString practice_note(const PracticeTurn& turn, const std::function<QString(const char*)>& texts) {
    const QString expected = QString::number(turn.stroke + 1);
    if (turn.given) {
        return texts(text_key::practice_given_note).arg(expected);
    }
    if (turn.hint) {
        return texts(text_key::practice_hint_note).arg(expected);
    }
    switch (turn.judgement.verdict) {
        case Verdict::backwards:
            return texts(text_key::practice_backwards_note).arg(expected);
        case Verdict::later_stroke:
            return texts(text_key::practice_ahead_note)
                .arg(turn.judgement.matched_stroke + 1)
                .arg(expected);
        case Verdict::wrong:
            return texts(text_key::practice_wrong_note).arg(expected);
        case Verdict::correct:
        case Verdict::too_short:
            break;
    }
    return {};
}

}  // namespace inkwren
