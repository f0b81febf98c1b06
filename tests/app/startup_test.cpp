#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QToolButton>

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
        window.reset();
    }

    void replace_with_folder(const char* name) {
        QFile::remove(file(name));
        ASSERT_TRUE(QDir().mkpath(file(name)));
    }
};

TEST_F(StartupTest, APreferenceFileThatIsAFolderGivesAMessageAndAUsableWindow) {
    replace_with_folder("prefer.cfg");
    StartupResult result = start_up();
    EXPECT_FALSE(result.quit);
    ASSERT_EQ(dialogs.shown.size(), 1);
    // Shown before the language table is loaded, so the program's name is the caption.
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Inkwren"));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("prefer.cfg")));
    EXPECT_EQ(result.preferences, PreferenceRecord());
    auto window = std::make_unique<TForm1>(std::move(result), dialogs);
    // The stored choices are applied whole: captions and check marks of the defaults, and no
    // further message for a record that did not change.
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(window->item(QStringLiteral("N33"))->isChecked());
    EXPECT_TRUE(window->item(QStringLiteral("n60"))->isChecked());
    EXPECT_EQ(window->item(QStringLiteral("N2"))->text(),
              window->shell().language().lookup_text(QStringLiteral("0112")));
    expect_usable(std::move(window));
}

TEST_F(StartupTest, AStartWherePreferencesCannotBeCreatedGivesAMessageAndAUsableWindow) {
    working_dir = folder.file("不存在/");
    auto window = start();
    EXPECT_EQ(dialogs.shown.size(), 1);
    expect_usable(std::move(window));
}

TEST_F(StartupTest, UnreadableSettingsFilesGiveAMessageAndAUsableWindowWithDefaults) {
    for (const char* name : {"config.dat", "sys.cfg", "1.txt"}) {
        SCOPED_TRACE(name);
        replace_with_folder(name);
        dialogs.shown.clear();
        auto window = start();
        ASSERT_TRUE(window);
        EXPECT_TRUE(dialogs.showed(QString::fromLatin1(name)));
        EXPECT_EQ(window->pad().player().lines().count(), 5);
        expect_usable(std::move(window));
        QDir(file(name)).removeRecursively();
    }
}

TEST_F(StartupTest, UnreadableStartFilesEndTheProgramWithAMessage) {
    for (const char* name : {"textlist.txt", "english.txt"}) {
        SCOPED_TRACE(name);
        const QByteArray saved = read_file(file(name));
        replace_with_folder(name);
        dialogs.shown.clear();
        const StartupResult result = start_up();
        EXPECT_TRUE(result.quit);
        EXPECT_FALSE(result.abort);
        EXPECT_EQ(dialogs.shown.size(), 1);
        QDir(file(name)).removeRecursively();
        write_file(file(name), saved);
    }
}

TEST_F(StartupTest, AMissingArchiveEndsTheProgramWithAMessageInWords) {
    QFile::remove(file("strokes.cdf"));
    const StartupResult result = start_up();
    EXPECT_TRUE(result.abort);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, result.language.lookup_text(QStringLiteral("1013")));
    EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
}

TEST_F(StartupTest, AMissingOrDamagedArchiveIndexGivesAMessageAndAUsableEmptyPad) {
    QFile::remove(file("strokes-idx.dat"));
    auto window = start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(dialogs.showed(QStringLiteral("strokes-idx.dat")));
    EXPECT_EQ(window->pad().player().lines().count(), 0);
    expect_usable(std::move(window));

    write_file(file("strokes-idx.dat"), "not a whole entry");
    dialogs.shown.clear();
    window = start();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("strokes-idx.dat")));
    expect_usable(std::move(window));
}

TEST_F(StartupTest, GarbageInThePaletteIsReportedOnceAndTheRestIsShown) {
    write_file(file("c.cfg"), "red\n255\ngreen\n");
    auto window = start();
    ASSERT_TRUE(window);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("c.cfg")));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("lines 1, 3")));
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("Image2"))->isVisibleTo(window.get()));
    expect_usable(std::move(window));
}

TEST_F(StartupTest, AStartCharacterTheArchiveLacksLeavesAnEmptyPlayerAndSaysWhy) {
    // 山 in Big5 and GB: not in the test archive.
    write_file(file("textlist.txt"), "\xA4\x73\xC9\xBD\r\n");
    auto window = start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(dialogs.showed(window->shell().text(text_key::missing_start_character_text)));
    EXPECT_EQ(window->pad().player().lines().count(), 0);
    EXPECT_FALSE(window->pad().player().playing());
    expect_usable(std::move(window));
}

TEST_F(StartupTest, AFirstStartCreatesTheSettingsFiles) {
    auto window = start();
    ASSERT_TRUE(window);
    const QByteArray preferences = read_file(file("prefer.cfg"));
    ASSERT_EQ(preferences.size(), 192);
    EXPECT_EQ(preferences.mid(0, 13), QByteArray("\x01\x0B"
                                                 "english.txt"));
    EXPECT_EQ(read_file(file("config.dat")).size(), 108);
    EXPECT_EQ(QString::fromUtf8(read_file(file("sys.cfg"))).trimmed(),
              default_output_folder(system_shell_folders()));
    EXPECT_TRUE(QDir(file("udefined")).exists());
    // The start character 永 is shown and being written.
    EXPECT_EQ(window->pad().player().lines().count(), 5);
    EXPECT_TRUE(window->pad().player().playing());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Inkwren"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(StartupTest, AShortPreferenceFileIsResetWithAMessage) {
    write_file(file("prefer.cfg"), "\x01\x08lang.txt");
    auto window = start();
    ASSERT_TRUE(window);
    EXPECT_EQ(read_file(file("prefer.cfg")).size(), 192);
    EXPECT_EQ(dialogs.shown.size(), 1);
}

}  // namespace
}  // namespace inkwren
