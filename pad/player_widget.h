// The widget that shows the animation player's image on the writing pad. The player itself is
// recreated for every character; the widget stays and is pointed at the new one.
#pragma once

#include <QWidget>

namespace inkwren {

class TAnimationPlayer;

class PlayerWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlayerWidget(QWidget* parent = nullptr);

    void show_player(TAnimationPlayer* player);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TAnimationPlayer* player_ = nullptr;
};

}  // namespace inkwren
