#include "pad/player_widget.h"

#include <QPainter>

#include "animation/animationplayer.h"

namespace inkwren {

PlayerWidget::PlayerWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlayerWidget::show_player(TAnimationPlayer* player) {
    player_ = player;
    if (player_ != nullptr) {
        setFixedSize(player_->pad_size());
        player_->on_image_changed = [this] { update(); };
    }
    update();
}

void PlayerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (player_ == nullptr || player_->image().isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(0, 0, player_->image());
}

}  // namespace inkwren
