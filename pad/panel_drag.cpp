#include "pad/panel_drag.h"

#include <QMouseEvent>
#include <QWidget>

#include "pad/pad_layout.h"

namespace inkwren {

PanelDrag::PanelDrag(QWidget* panel, QWidget* grip, QWidget* pad)
    : QObject(panel), panel_(panel), grip_(grip), pad_(pad) {
    panel_->installEventFilter(this);
    grip_->installEventFilter(this);
}

bool PanelDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != panel_ && watched != grip_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            dragging_ = true;
            last_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            return true;
        case QEvent::MouseMove: {
            if (!dragging_) {
                return false;
            }
            const QPoint now = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            const QWidget* client = panel_->parentWidget();
            panel_->move(dragged_panel(panel_->geometry(), now - last_, watched == grip_,
                                       client->size(), pad_->geometry().bottom()));
            last_ = now;
            return true;
        }
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            return true;
        default:
            return false;
    }
}

}  // namespace inkwren
