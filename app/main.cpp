// The program entry: the application, its main window (whose creation runs the whole start-up)
// and the message loop, which runs only when start-up found the stroke archive.
#include <QApplication>
#include <QDir>
#include <QScreen>

#include "app/main_window.h"
#include "platform/qt_dialogs.h"
#include "platform/registry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("inkwren"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chinese characters"));
    inkwren::QtDialogs dialogs;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const inkwren::StartupContext context{inkwren::Registry::default_path(), QDir::currentPath(),
                                          screen != nullptr ? screen->availableSize() : QSize()};
    inkwren::TForm1 form(context, dialogs);
    if (form.abort_flag || form.quit_requested) {
        return form.abort_flag ? 1 : 0;
    }
    form.show();
    return QApplication::exec();
}
