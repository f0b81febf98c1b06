#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QToolButton>

#include <functional>

#include "langtable/text_keys.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
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
    EXPECT_EQ(read_file(file("prefer.cfg")).size(), 192);
    EXPECT_EQ(read_file(file("config.dat")).size(), 108);
    EXPECT_EQ(QString::fromUtf8(read_file(file("sys.cfg"))).trimmed(),
              default_output_folder(system_shell_folders()));
    EXPECT_TRUE(QDir(file("udefined")).exists());
    EXPECT_EQ(strokes_shown(*window), 5);
    EXPECT_TRUE(window->pad().player().playing());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Inkwren"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(StartupTest, AnUnusableFileIsNamedInOneMessageAndTheWindowStartsWithoutIt) {
    const struct {
        const char* named;
        std::function<void()> damage;
        int strokes;
    } cases[] = {
        {"config.dat", [&] { replace_with_folder("config.dat"); }, 5},
        {"sys.cfg", [&] { replace_with_folder("sys.cfg"); }, 5},
        {"1.txt", [&] { replace_with_folder("1.txt"); }, 5},
        {"prefer.cfg", [&] { write_file(file("prefer.cfg"), "\x01\x08lang.txt"); }, 5},
        {"prefer.cfg", [&] { working_dir = folder.file("不存在/"); }, 5},
        {"lines 1, 3", [&] { write_file(file("c.cfg"), "red\n255\ngreen\n"); }, 5},
        {"strokes-idx.dat", [&] { QFile::remove(file("strokes-idx.dat")); }, 0},
        {"strokes-idx.dat", [&] { write_file(file("strokes-idx.dat"), "not a whole entry"); }, 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.named);
        reinstall();
        each.damage();
        auto window = start();
        ASSERT_TRUE(window);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_TRUE(dialogs.showed(QString::fromLatin1(each.named)))
            << qPrintable(dialogs.shown[0].text);
        EXPECT_EQ(strokes_shown(*window), each.strokes);
        expect_usable(std::move(window));
    }
}

TEST_F(StartupTest, APreferenceFileThatIsAFolderLeavesTheDefaultsAppliedWhole) {
    replace_with_folder("prefer.cfg");
    StartupResult result = start_up();
    EXPECT_FALSE(result.quit);
    ASSERT_EQ(dialogs.shown.size(), 1);
    // Shown before the language table is loaded, so the program's name is the caption.
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Inkwren"));
    EXPECT_EQ(result.preferences, PreferenceRecord());
    auto window = std::make_unique<TForm1>(std::move(result), dialogs);
    // Captions and check marks of the defaults, and no further message for a record that did
    // not change.
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(window->item(QStringLiteral("N33"))->isChecked());
    EXPECT_TRUE(window->item(QStringLiteral("n60"))->isChecked());
    EXPECT_EQ(window->item(QStringLiteral("N2"))->text(),
              window->shell().language().lookup_text(QStringLiteral("0112")));
    expect_usable(std::move(window));
}

TEST_F(StartupTest, UnreadableStartFilesOrAMissingArchiveEndTheProgramWithAMessage) {
    for (const char* name : {"textlist.txt", "english.txt", "strokes.cdf"}) {
        SCOPED_TRACE(name);
        reinstall();
        if (QByteArrayView(name) == "strokes.cdf") {
            QFile::remove(file(name));
        } else {
            replace_with_folder(name);
        }
        const StartupResult result = start_up();
        EXPECT_TRUE(result.quit || result.abort);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
    }
}

TEST_F(StartupTest, AStartCharacterTheArchiveLacksIsReported) {
    // 山 in Big5 and GB: not in the test archive.
    write_file(file("textlist.txt"), "\xA4\x73\xC9\xBD\r\n");
    auto window = start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(dialogs.showed(window->shell().text(text_key::missing_start_character_text)));
}

}  // namespace
}  // namespace inkwren
