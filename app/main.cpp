// The program entry: the application, its start-up, and the main window with its message loop
// when start-up found what the program needs.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "app/main_window.h"
#include "app/qt_dialogs.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "app/user_folder.h"
#include "output/character_list.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "platform/resident_memory.h"
#include "platform/runtime_folder.h"

namespace {

// The start-up benchmark asks for a line once the first frame is on screen.
void report_first_frame() {
    std::printf("first frame shown; %s\n", inkwren::resident_memory_line().constData());
    std::fflush(stdout);
    QApplication::quit();
}

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application's own title; the window carries the caption of the language table (a
    // display name here would be appended to that caption on Linux desktops).
    QApplication::setApplicationName(QStringLiteral("Chinese characters"));
    inkwren::QtDialogs dialogs;
    const QString registry = inkwren::Registry::default_path();
    // A character given on the command line: "inkwren 永".
    const QStringList given =
        inkwren::cjk_characters(QCoreApplication::arguments().mid(1).join(u' '));
    const QString character = given.isEmpty() ? QString() : given.front();
    // Start-up checks ask to hear when later starts can reach this one, and what they hand over.
    const bool report = qEnvironmentVariableIsSet("INKWREN_REPORT_HANDOVER");
    // Before anything else: of several starts at once, exactly one goes on.
    std::optional<inkwren::FileLock> only_instance;
    std::unique_ptr<inkwren::InstanceServer> later_starts;
    try {
        const inkwren::InstancePaths paths =
            inkwren::instance_paths(inkwren::private_runtime_folder(), registry);
        only_instance = inkwren::become_instance_or_hand_over(paths, character, [report] {
            if (report) {
                say(QStringLiteral("waiting for the running Inkwren"));
            }
        });
        if (!only_instance) {
            return 0;  // the running Inkwren writes it
        }
        later_starts = std::make_unique<inkwren::InstanceServer>(paths.socket);
    } catch (const inkwren::Error& error) {
        dialogs.inform(QStringLiteral("Inkwren"), error.message());
        return 1;
    }
    if (report) {
        say(QStringLiteral("listening"));
    }
    QString working_dir = QDir::currentPath();
    // Installed, each user works in a folder of their own that reaches the shared data.
    if (const auto layout = inkwren::installed_layout(
            QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))) {
        try {
            inkwren::prepare_user_folder(*layout);
            inkwren::record_installation_path(registry, layout->user);
            working_dir = layout->user;
            QDir::setCurrent(working_dir);
        } catch (const inkwren::Error& error) {
            dialogs.inform(QStringLiteral("Inkwren"), error.message());
            return 1;
        }
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    inkwren::StartupResult start = inkwren::run_startup(
        {registry, working_dir, screen != nullptr ? screen->availableSize() : QSize()});
    for (const inkwren::StartupMessage& message : start.messages) {
        dialogs.inform(message.caption, message.text);
    }
    // Start-up ends the program only when it cannot go on, which is a failure.
    if (start.quit) {
        return 1;
    }
    inkwren::TForm1 form(std::move(start), dialogs);
    dialogs.set_window(&form);
    form.show();
    later_starts->deliver_to([&form, report](const QString& text) {
        if (report) {
            say(QStringLiteral("handed over: ") + text);
        }
        form.take_handed_over(text);
    });
    if (!character.isEmpty()) {
        QTimer::singleShot(0, &form, [&form, character] { form.clipboard_changed(character); });
    }
    // What start-up used and let go (the first player, the tables read to check them) goes back
    // to the system, not kept for the program's whole run.
    QTimer::singleShot(0, [] { malloc_trim(0); });
    if (qEnvironmentVariableIsSet("INKWREN_REPORT_FIRST_FRAME")) {
        QTimer::singleShot(0, report_first_frame);
    }
    return QApplication::exec();
}
