// Practice writing on the pad: the learner writes each stroke with the mouse or a tablet pen,
// and each is judged as the pen lifts. The pad shows the strokes written in their brush shape,
// the rest in grey or not at all, the next one as a hint after mistakes, the stroke being
// written as the learner's own ink, and a note of what went wrong.
#pragma once

#include <QPolygonF>
#include <QString>

#include <cstdint>
#include <functional>

#include "pad/practice_session.h"

namespace inkwren {

class TAnimationPlayer;

struct PracticeChoices {
    bool outline = true;  // the character in grey to write over
    PracticeRules rules;
};

class PracticeMode {
public:
    // texts gives the language's text of a key; now answers milliseconds on a steady clock.
    PracticeMode(TAnimationPlayer& player, PracticeChoices choices,
                 std::function<QString(const char*)> texts, std::function<std::int64_t()> now);

    const PracticeSession& session() const { return session_; }
    bool finished() const { return session_.finished(); }
    // The stroke being written, in pad pixels, and the width of the learner's ink.
    const QPolygonF& ink() const { return ink_; }
    double ink_width() const { return ink_width_; }
    const QString& note() const { return note_; }
    // A stroke turned down fades away over a few steps of the pad's timer: its points and how
    // much of it is left (1 to 0).
    const QPolygonF& fading_ink() const { return fading_; }
    double fading_left() const { return fading_left_; }
    // A finished character flashes in the highlight colour a few times.
    bool flashing() const { return flashes_left_ > 0; }
    // One step of the pad's timer: the fading and the flashing go on; false once both are over.
    bool animation_step();
    bool animating() const;

    // The pen on the pad, in pad pixels.
    void pen_down(QPointF at);
    void pen_move(QPointF at);
    PracticeTurn pen_up(QPointF at);
    // Space skips the stroke expected; Backspace takes back the last one written.
    void skip();
    void take_back();

private:
    void show();
    QString summary() const;

    TAnimationPlayer& player_;
    PracticeChoices choices_;
    std::function<QString(const char*)> texts_;
    PracticeSession session_;
    double scale_;
    double ink_width_;
    QPolygonF ink_;
    QPolygonF fading_;
    double fading_left_ = 0;
    int flashes_left_ = 0;
    int hint_steps_ = 1000;  // of the hint being played; any number past its steps once whole
    QString note_;
};

}  // namespace inkwren
