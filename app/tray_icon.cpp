#include "app/tray_icon.h"

#include <QMainWindow>
#include <QPainter>
#include <QSystemTrayIcon>

namespace inkwren {
namespace {

// The program's mark while it has no icon of its own: 永 on the window's teal.
QIcon program_icon() {
    QPixmap picture(32, 32);
    picture.fill(QColor(0x00, 0x80, 0x80));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("AR PL UKai TW"), 18));
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("永"));
    painter.end();
    return QIcon(picture);
}

}  // namespace

TrayIcon::TrayIcon(QMainWindow* window) : QObject(window), window_(window) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    if (window->windowIcon().isNull()) {
        window->setWindowIcon(program_icon());
    }
    icon_ = new QSystemTrayIcon(window->windowIcon(), this);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    restore_window();
                }
            });
    icon_->show();
}

void TrayIcon::restore_window() {
    window_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
}

}  // namespace inkwren
