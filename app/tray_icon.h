// The tray icon: a click or a double click brings the window back to the front and makes it
// stay on top again (the stay-on-top item keeps its check mark as it was). Where the desktop
// has no tray, there is no icon and the program runs as before.
#pragma once

#include <QObject>

class QMainWindow;
class QSystemTrayIcon;

namespace inkwren {

class TrayIcon : public QObject {
public:
    explicit TrayIcon(QMainWindow* window);

    // What a click on the icon does.
    void restore_window();

private:
    QMainWindow* window_;
    QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace inkwren
