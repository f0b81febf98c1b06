// A small installation folder with its settings store, and the program's start as main() makes
// it: start-up, its messages shown through scripted dialogs, then the window when it may run.
#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QDir>

#include <memory>

#include "app/main_window.h"
#include "app/startup.h"
#include "tests/support/fixtures.h"
#include "tests/support/player_fixture.h"
#include "tests/support/scripted_dialogs.h"

namespace inkwren::testing {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        installation = folder.path() + QStringLiteral("墨鷦/");
        QDir().mkpath(installation);
        make_installation(installation);
        write_file(folder.file("registry.ini"),
                   "[Software\\Marlowen Technology\\inkwren\\iwren1.0]\ninstallation path=" +
                       installation.toUtf8() + "\n");
        working_dir = installation;
    }

    StartupResult start_up() {
        StartupResult result =
            run_startup({folder.file("registry.ini"), working_dir, QSize(1024, 768)});
        for (const StartupMessage& message : result.messages) {
            dialogs.inform(message.caption, message.text);
        }
        return result;
    }

    // The window, or nothing when start-up ended the program.
    std::unique_ptr<TForm1> start() {
        StartupResult result = start_up();
        if (result.quit) {
            return nullptr;
        }
        return std::make_unique<TForm1>(std::move(result), dialogs);
    }

    QString file(const char* name) const { return installation + QString::fromUtf8(name); }

    TempFolder folder;
    QString installation;
    QString working_dir;
    ScriptedDialogs dialogs;
};

// The same, with the window started and its start-up messages forgotten.
class WindowTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        window = start();
        ASSERT_TRUE(window);
        dialogs.shown.clear();
    }

    QAction* item(const char* name) const { return window->item(QString::fromLatin1(name)); }

    // Plays the shown character from the start to its end; what the end offers (a save dialog)
    // comes after the tick that ended it.
    void play_through() {
        TAnimationPlayer& player = window->pad().player();
        player.stop_play();
        player.replay();
        run_to_end(player);
        window->shell().wait_for_gifs();
        QCoreApplication::processEvents();
    }
    int strokes_shown() const { return window->pad().player().lines().count(); }

    std::unique_ptr<TForm1> window;
};

}  // namespace inkwren::testing
