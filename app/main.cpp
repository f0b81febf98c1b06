// The program entry: the application, its main window (whose creation runs the whole start-up)
// and the message loop, which runs only when start-up found the stroke archive.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTimer>

#include <cstdio>

#include "app/main_window.h"
#include "platform/qt_dialogs.h"
#include "platform/registry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application's own title; the window carries the caption of the language table (a
    // display name here would be appended to that caption on Linux desktops).
    QApplication::setApplicationName(QStringLiteral("Chinese characters"));
    inkwren::QtDialogs dialogs;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const inkwren::StartupContext context{inkwren::Registry::default_path(), QDir::currentPath(),
                                          screen != nullptr ? screen->availableSize() : QSize()};
    inkwren::TForm1 form(context, dialogs);
    if (form.abort_flag || form.quit_requested) {
        return form.abort_flag ? 1 : 0;
    }
    form.show();
    // The start-up benchmark asks for a line once the first frame is on screen.
    if (qEnvironmentVariableIsSet("INKWREN_REPORT_FIRST_FRAME")) {
        QTimer::singleShot(0, [] {
            QFile status(QStringLiteral("/proc/self/status"));
            status.open(QIODevice::ReadOnly);
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmRSS:")) {
                    std::printf("first frame shown; %s\n", line.simplified().constData());
                }
            }
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
