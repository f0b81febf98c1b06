// Dragging the control panel under the pad: a press on the panel or its grip starts a drag,
// moving the mouse with the button held moves the panel, release ends it.
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace inkwren {

class PanelDrag : public QObject {
public:
    // pad: the player's widget the panel stays under when dragged by its grip.
    PanelDrag(QWidget* panel, QWidget* grip, QWidget* pad);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* panel_;
    QWidget* grip_;
    QWidget* pad_;
    bool dragging_ = false;
    QPoint last_;
};

}  // namespace inkwren
