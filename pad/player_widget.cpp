#include "pad/player_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "animation/animationplayer.h"
#include "animation/stroke_editor.h"

namespace inkwren {
namespace {

MouseButton button_of(const QMouseEvent& event) {
    switch (event.button()) {
        case Qt::LeftButton:
            return MouseButton::left;
        case Qt::RightButton:
            return MouseButton::right;
        default:
            return MouseButton::other;
    }
}

Qt::CursorShape shape_of(EditCursor cursor) {
    switch (cursor) {
        case EditCursor::resize:
            return Qt::SizeFDiagCursor;
        case EditCursor::move:
            return Qt::SizeAllCursor;
        case EditCursor::arrow:
            break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

PlayerWidget::PlayerWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // a selection carried by the right button follows the bare mouse
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

void PlayerWidget::run(const std::function<void()>& work) {
    if (player_ == nullptr) {
        return;
    }
    if (guard) {
        guard(work);
    } else {
        work();
    }
}

void PlayerWidget::mousePressEvent(QMouseEvent* event) {
    if (on_pressed) {
        on_pressed();
    }
    const QPoint at = event->position().toPoint();
    run([&] { player_->editor().button_down(button_of(*event), at); });
}

void PlayerWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool left_held = event->buttons().testFlag(Qt::LeftButton);
    run([&] { setCursor(shape_of(player_->editor().mouse_move(left_held, at))); });
}

void PlayerWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    run([&] { player_->editor().button_up(button_of(*event), at); });
}

}  // namespace inkwren
