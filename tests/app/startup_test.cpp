#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QToolButton>

#include <functional>

#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::red_pixels;
using testing::write_file;

class StartupTest : public testing::AppTest {
protected:
    // A usable window: every pad button can be clicked and the window closes cleanly.
    void expect_usable(std::unique_ptr<TForm1> window) {
        ASSERT_TRUE(window);
        for (int index = 1; index <= 6; ++index) {
            auto* button = qobject_cast<QToolButton*>(
                window->named(QStringLiteral("SpeedButton%1").arg(index)));
            ASSERT_NE(button, nullptr);
            button->click();
        }
        window->close();
    }

    // A new installation folder in place of the last one.
    void reinstall() {
        QDir(installation).removeRecursively();
        SetUp();
        dialogs.shown.clear();
    }

    static int strokes_shown(TForm1& window) { return window.pad().player().lines().count(); }

    void replace_with_folder(const char* name) {
        QFile::remove(file(name));
        ASSERT_TRUE(QDir().mkpath(file(name)));
    }
};

TEST_F(StartupTest, AFirstStartCreatesTheSettingsFilesAndWritesTheStartCharacter) {
    auto window = start();
    ASSERT_TRUE(window);
    EXPECT_EQ(QString::fromUtf8(read_file(file("sys.cfg"))).trimmed(),
              default_output_folder(system_shell_folders()));
    EXPECT_TRUE(QDir(file("udefined")).exists());
    EXPECT_EQ(strokes_shown(*window), 5);
    EXPECT_TRUE(window->pad().player().playing());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Unreadable start files or a missing archive end the program with the message instead.
TEST_F(StartupTest, AnUnusableFileIsNamedInOneMessageAndTheWindowStartsWithoutIt) {
    constexpr int ends = -1;
    const struct {
        const char* named;
        std::function<void()> damage;
        int strokes;
    } cases[] = {
        {"config.dat", [&] { replace_with_folder("config.dat"); }, 5},
        {"prefer.cfg", [&] { write_file(file("prefer.cfg"), "\x01\x08lang.txt"); }, 5},
        {"prefer.cfg", [&] { working_dir = folder.file("不存在/"); }, 5},
        {"lines 1, 3", [&] { write_file(file("c.cfg"), "red\n255\ngreen\n"); }, 5},
        {"strokes-idx.dat", [&] { QFile::remove(file("strokes-idx.dat")); }, 0},
        {"strokes-idx.dat", [&] { write_file(file("strokes-idx.dat"), "not a whole entry"); }, 0},
        // 山 in Big5 and GB: not in the test archive.
        {"textlist.txt", [&] { write_file(file("textlist.txt"), "\xA4\x73\xC9\xBD\r\n"); }, 0},
        {"textlist.txt", [&] { replace_with_folder("textlist.txt"); }, ends},
        {"language file", [&] { replace_with_folder("english.txt"); }, ends},
        {"strokes.cdf", [&] { QFile::remove(file("strokes.cdf")); }, ends},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.named);
        reinstall();
        each.damage();
        StartupResult result = start_up();
        std::unique_ptr<TForm1> window;
        if (each.strokes == ends) {
            EXPECT_TRUE(result.quit || result.abort);
        } else {
            ASSERT_FALSE(result.quit);
            window = std::make_unique<TForm1>(std::move(result), dialogs);
            EXPECT_EQ(strokes_shown(*window), each.strokes);
        }
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_TRUE(dialogs.showed(QString::fromUtf8(each.named)))
            << qPrintable(dialogs.shown[0].text);
        if (window) {
            expect_usable(std::move(window));
        }
    }
}

class StrokeNumbersSwitchTest : public testing::AppTest {
protected:
    void restart() {
        window.reset();
        window = start();
        ASSERT_TRUE(window);
        // The start character is being written; the numbers are looked at with it at rest.
        window->pad().player().stop_play();
    }
    QAction* numbers_item() const { return window->item(QStringLiteral("N53")); }
    bool numbers_shown() const { return red_pixels(window->pad().player().image()) > 0; }

    std::unique_ptr<TForm1> window;
};

// The switch lives in a file of its own. One that cannot be written is reported, and the
// switch, flipped while stepping, keeps the step shown, as do the other display switches.
TEST_F(StrokeNumbersSwitchTest, TheSwitchSurvivesARestartAndSwitchingWhileSteppingKeepsTheStep) {
    restart();
    const QByteArray preferences = read_file(file("prefer.cfg"));
    numbers_item()->trigger();
    window->item(QStringLiteral("N67"))->trigger();                 // smooth GIFs
    EXPECT_TRUE(window->item(QStringLiteral("N72"))->isChecked());  // smooth ink, on at first
    const QImage smooth = window->pad().player().image();
    window->item(QStringLiteral("N72"))->trigger();
    const QImage solid = window->pad().player().image();
    EXPECT_NE(solid, smooth);
    window->item(QStringLiteral("N71"))->trigger();  // a dashed grid
    EXPECT_NE(window->pad().player().image(), solid);
    EXPECT_EQ(
        read_file(file("view.cfg")),
        QByteArray("stroke_numbers=1\r\nstroke_order=taiwan\r\nsmooth_gif=1\r\n"
                   "grid_style=dashed\r\nsmooth_ink=0\r\npractice_outline=1\r\ncharacter_info=1\r\n"
                   "practice_hint_after=3\r\npractice_give_after=0\r\npractice_leniency=normal\r\n"
                   "sheet_info_line=0\r\n"));
    restart();
    EXPECT_TRUE(numbers_item()->isChecked());
    EXPECT_TRUE(window->item(QStringLiteral("N67"))->isChecked());
    EXPECT_TRUE(window->pad().settings().smooth_gif);
    EXPECT_FALSE(window->item(QStringLiteral("N72"))->isChecked());
    EXPECT_FALSE(window->pad().settings().smooth_ink);
    EXPECT_TRUE(window->item(QStringLiteral("N71"))->isChecked());
    window->item(QStringLiteral("N70"))->trigger();
    EXPECT_EQ(window->pad().player().image(), solid);
    EXPECT_EQ(read_file(file("prefer.cfg")), preferences);

    QFile::remove(file("view.cfg"));
    QDir().mkpath(file("view.cfg"));                 // a folder in the way of the file
    window->item(QStringLiteral("N59"))->trigger();  // no strokes
    window->item(QStringLiteral("N57"))->trigger();  // the first stroke
    auto shown = [&] { return window->pad().player().lesson().shown(99); };
    ASSERT_EQ(shown(), 1);
    numbers_item()->trigger();
    EXPECT_FALSE(numbers_shown());
    numbers_item()->trigger();
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("view.cfg")));
    EXPECT_EQ(shown(), 1);
    EXPECT_TRUE(numbers_shown());
    window->item(QStringLiteral("N2"))->trigger();
    window->item(QStringLiteral("N20"))->trigger();
    EXPECT_EQ(shown(), 1);
}

}  // namespace
}  // namespace inkwren
