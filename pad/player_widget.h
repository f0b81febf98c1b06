// The widget that shows the animation player's image on the writing pad and hands the mouse
// to the player's stroke editor. The player itself is recreated for every character; the
// widget stays and is pointed at the new one.
#pragma once

#include <QWidget>

#include <functional>

namespace inkwren {

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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void run(const std::function<void()>& work);

    TAnimationPlayer* player_ = nullptr;
};

}  // namespace inkwren
