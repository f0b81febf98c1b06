// The widget that shows the animation player's image on the writing pad and hands the mouse
// to the player's stroke editor, or while practising, the mouse and a tablet's pen to the
// practice, with the learner's ink and note over the image. The player itself is recreated for
// every character; the widget stays and is pointed at the new one.
#pragma once

#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace inkwren {

class PracticeMode;
class TAnimationPlayer;

class PlayerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlayerWidget(QWidget* parent = nullptr);

    void show_player(TAnimationPlayer* player);

    // Runs an event's work where errors are caught and shown.
    std::function<void(const std::function<void()>&)> guard;
    // A button went down on the pad: the window's panel takes the keyboard focus.
    std::function<void()> on_pressed;
    // The practice under way, or none; the pen lifted from a practice stroke.
    std::function<PracticeMode*()> practice;
    std::function<void(QPointF)> on_practice_stroke_begin;
    std::function<void(QPointF)> on_practice_stroke_end;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;

private:
    void run(const std::function<void()>& work);
    PracticeMode* practising() const;
    // The pen while practising; false when not practising.
    bool practice_pen(QEvent::Type type, QPointF at);
    void paint_practice(QPainter& painter, const PracticeMode& practice);
    void paint_note(QPainter& painter, const QString& note);
    void practice_step();

    QTimer* practice_timer_;

    TAnimationPlayer* player_ = nullptr;
};

}  // namespace inkwren
