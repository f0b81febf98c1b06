#include "app/tray_icon.h"

#include <QMainWindow>
#include <QSystemTrayIcon>

namespace inkwren {

TrayIcon::TrayIcon(QMainWindow* window) : QObject(window), window_(window) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
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
