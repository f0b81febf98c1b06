#include "pad/practice_mode.h"

#include <QStringList>

#include <algorithm>
#include <vector>

#include "animation/animationplayer.h"
#include "langtable/text_keys.h"

namespace inkwren {
namespace {

// The learner's ink is a little finer than the character's typical stroke.
constexpr double ink_share_of_stroke = 0.8;
constexpr double thinnest_ink = 2;
// A stroke turned down is gone after eight steps of the pad's timer; a finished character
// flashes three times in six.
constexpr double fade_per_step = 0.125;
constexpr int flash_steps = 6;
// A hint is played, the pen going along the stroke, in ten steps.
constexpr int hint_play_steps = 10;

double typical_width(const TLineList& lines, double scale) {
    std::vector<double> widths;
    for (const TObjList& element : lines.items) {
        for (const PointRecord& record : element) {
            if (record.kind == record_kind::pen_point && !is_end_marker(record)) {
                widths.push_back(record.pen_width);
            }
        }
    }
    if (widths.empty()) {
        return thinnest_ink;
    }
    std::ranges::nth_element(widths, widths.begin() + std::ptrdiff_t(widths.size() / 2));
    return std::max(thinnest_ink, widths[widths.size() / 2] * scale * ink_share_of_stroke);
}

}  // namespace

PracticeMode::PracticeMode(TAnimationPlayer& player, PracticeChoices choices,
                           std::function<QString(const char*)> texts,
                           std::function<std::int64_t()> now)
    : player_(player),
      choices_(choices),
      texts_(std::move(texts)),
      session_(medians_of(player.lines(), player.settings().scale), choices.rules, std::move(now)),
      scale_(player.settings().scale),
      ink_width_(typical_width(player.lines(), scale_)) {
    player_.stop_play();
    show();
}

void PracticeMode::pen_down(QPointF at) {
    session_.pen_down();
    ink_ = {at};
    note_.clear();
}

void PracticeMode::pen_move(QPointF at) {
    if (!ink_.isEmpty() && ink_.back() != at) {
        ink_ << at;
    }
}

PracticeTurn PracticeMode::pen_up(QPointF at) {
    pen_move(at);
    Polyline points;
    for (const QPointF& point : std::as_const(ink_)) {
        points.push_back(em_of_pad_point(point, scale_));
    }
    const PracticeTurn turn = session_.write(points);
    if (is_mistake(turn.judgement.verdict)) {
        fading_ = ink_;
        fading_left_ = 1;
    }
    ink_.clear();
    note_ = practice_note(turn, texts_);
    hint_steps_ = turn.hint ? 0 : hint_play_steps;
    if (session_.finished()) {
        note_ = summary();
        flashes_left_ = flash_steps;
    }
    show();
    return turn;
}

bool PracticeMode::animation_step() {
    fading_left_ = std::max(0.0, fading_left_ - fade_per_step);
    if (fading_left_ == 0) {
        fading_.clear();
    }
    if (flashes_left_ > 0) {
        --flashes_left_;
        show();
    }
    if (hint_steps_ < hint_play_steps) {
        ++hint_steps_;
        show();
    }
    return animating();
}

bool PracticeMode::animating() const {
    return fading_left_ > 0 || flashes_left_ > 0 || hint_steps_ < hint_play_steps;
}

void PracticeMode::skip() {
    session_.skip();
    note_.clear();
    show();
}

void PracticeMode::take_back() {
    if (session_.take_back()) {
        note_.clear();
        show();
    }
}

// On odd steps of a flash the whole character is in the highlight colour.
void PracticeMode::show() {
    if (flashes_left_ % 2 == 1) {
        player_.show_practice(0, false, session_.stroke_count());
        return;
    }
    player_.show_practice(session_.expected(), choices_.outline, session_.hinting() ? 1 : 0,
                          std::min(1.0, double(hint_steps_) / hint_play_steps));
}

// The time, the mistakes, and the strokes that had them.
QString PracticeMode::summary() const {
    const QString text =
        texts_(text_key::practice_done_note).arg(session_.seconds()).arg(session_.total_mistakes());
    QStringList strokes;
    for (std::size_t stroke = 0; stroke < session_.mistakes().size(); ++stroke) {
        if (session_.mistakes()[stroke] > 0) {
            strokes << texts_(text_key::practice_stroke_mistakes)
                           .arg(stroke + 1)
                           .arg(session_.mistakes()[stroke]);
        }
    }
    return strokes.isEmpty() ? text
                             : text + QStringLiteral(": ") + strokes.join(QStringLiteral(", "));
}

}  // namespace inkwren
