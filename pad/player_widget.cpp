#include "pad/player_widget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTabletEvent>

#include <algorithm>

#include "animation/animationplayer.h"
#include "animation/stroke_editor.h"
#include "pad/practice_mode.h"

namespace inkwren {
namespace {

// The fading, the hint played and the flashing of practice move on with this timer.
constexpr int practice_step_ms = 40;

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

PlayerWidget::PlayerWidget(QWidget* parent) : QWidget(parent), practice_timer_(new QTimer(this)) {
    practice_timer_->setInterval(practice_step_ms);
    connect(practice_timer_, &QTimer::timeout, this, [this] { practice_step(); });
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
    if (const PracticeMode* practice = practising()) {
        paint_practice(painter, *practice);
    }
}

PracticeMode* PlayerWidget::practising() const {
    return practice ? practice() : nullptr;
}

void PlayerWidget::paint_practice(QPainter& painter, const PracticeMode& practice) {
    painter.setRenderHint(QPainter::Antialiasing);
    if (practice.fading_ink().size() > 1) {
        QColor faded(0xB0, 0x20, 0x20);
        faded.setAlphaF(float(0.6 * practice.fading_left()));
        painter.setPen(
            QPen(faded, practice.ink_width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(practice.fading_ink());
    }
    if (practice.ink().size() > 1) {
        QPen pen(Qt::black, practice.ink_width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawPolyline(practice.ink());
    }
    if (!practice.note().isEmpty()) {
        paint_note(painter, practice.note());
    }
}

// The note on a pale band at the pad's foot, its type made smaller until it fits the pad.
void PlayerWidget::paint_note(QPainter& painter, const QString& note) {
    constexpr int margin = 4;
    QFont font = painter.font();
    font.setPixelSize(std::max(11, height() / 16));
    while (QFontMetrics(font).horizontalAdvance(note) > width() - 4 * margin &&
           font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    const QFontMetrics metrics(font);
    QRect band(0, 0, metrics.horizontalAdvance(note) + 2 * margin, metrics.height() + margin);
    band.moveCenter(QPoint(width() / 2, height() - margin - band.height() / 2 - 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRoundedRect(band, margin, margin);
    painter.setFont(font);
    painter.setPen(QColor(0xB0, 0x20, 0x20));
    painter.drawText(band, Qt::AlignCenter, note);
}

bool PlayerWidget::practice_pen(QEvent::Type type, QPointF at) {
    PracticeMode* practice = practising();
    if (practice == nullptr) {
        return false;
    }
    run([&] {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::TabletPress:
                if (on_practice_stroke_begin) {
                    on_practice_stroke_begin(at);  // may bring the next character
                }
                break;
            case QEvent::MouseMove:
            case QEvent::TabletMove:
                practice->pen_move(at);
                break;
            default:
                if (on_practice_stroke_end) {
                    on_practice_stroke_end(at);
                }
                if (PracticeMode* now = practising(); now != nullptr && now->animating()) {
                    practice_timer_->start();
                }
                break;
        }
    });
    update();
    return true;
}

void PlayerWidget::practice_step() {
    PracticeMode* practice = practising();
    if (practice == nullptr || !practice->animation_step()) {
        practice_timer_->stop();
    }
    update();
}

void PlayerWidget::tabletEvent(QTabletEvent* event) {
    const QEvent::Type type = event->type();
    const bool pen_moves = type != QEvent::TabletMove || event->buttons() != Qt::NoButton;
    if (pen_moves && practice_pen(type, event->position())) {
        event->accept();
        return;
    }
    event->ignore();  // the mouse events Qt makes of it go to the editor
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
    if (practising() != nullptr) {  // the pen writes; other buttons do nothing
        if (event->button() == Qt::LeftButton) {
            practice_pen(QEvent::MouseButtonPress, event->position());
        }
        return;
    }
    const QPoint at = event->position().toPoint();
    run([&] { player_->editor().button_down(button_of(*event), at); });
}

void PlayerWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool left_held = event->buttons().testFlag(Qt::LeftButton);
    if (practising() != nullptr) {
        if (left_held) {
            practice_pen(QEvent::MouseMove, event->position());
        }
        return;
    }
    run([&] { setCursor(shape_of(player_->editor().mouse_move(left_held, at))); });
}

void PlayerWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (practising() != nullptr) {
        if (event->button() == Qt::LeftButton) {
            practice_pen(QEvent::MouseButtonRelease, event->position());
        }
        return;
    }
    const QPoint at = event->position().toPoint();
    run([&] { player_->editor().button_up(button_of(*event), at); });
}

}  // namespace inkwren
