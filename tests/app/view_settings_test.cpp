#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "app/user_folder.h"
#include "app/view_settings.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::red_pixels;
using testing::TempFolder;
using testing::write_file;

// ---- The file

TEST(ViewSettingsFile, SwitchesAreWrittenAsLinesAndAnythingElseReadsAsTheDefaults) {
    TempFolder folder;
    const QString path = folder.file("view.cfg");
    EXPECT_EQ(load_view_settings(path), ViewSettings{});
    save_view_settings(path, {true});
    EXPECT_EQ(read_file(path), QByteArray("stroke_numbers=1\r\n"));
    EXPECT_TRUE(load_view_settings(path).stroke_numbers);
    save_view_settings(path, {false});
    EXPECT_FALSE(load_view_settings(path).stroke_numbers);
    // Written by hand: blanks, other line ends and lines of later switches are taken.
    EXPECT_TRUE(parse_view_settings("pen_colour=3\n stroke_numbers = 1 \n").stroke_numbers);
    for (const QByteArray& damaged :
         {QByteArray("stroke_numbers=yes\r\n"), QByteArray("stroke_numbers\r\n"),
          QByteArray("=1\r\n"), QByteArray(300, '\xFF'), QByteArray("\0\x01=1", 4)}) {
        EXPECT_FALSE(parse_view_settings(damaged).stroke_numbers) << damaged.toHex().data();
    }
    QDir().mkpath(folder.file("資料夾.cfg"));  // a folder where the file should be
    EXPECT_EQ(load_view_settings(folder.file("資料夾.cfg")), ViewSettings{});
}

TEST(ViewSettingsFile, EachUserOfAnInstalledProgramWritesTheirOwn) {
    TempFolder folder;
    const InstalledLayout layout{folder.file("共享/"), folder.file("學生/")};
    QDir().mkpath(layout.shared);
    write_file(layout.shared + QStringLiteral("view.cfg"), "stroke_numbers=1\r\n");
    write_file(layout.shared + QStringLiteral("lang.txt"), "");
    prepare_user_folder(layout);
    EXPECT_TRUE(QFileInfo(layout.user + QStringLiteral("lang.txt")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(layout.user + QStringLiteral("view.cfg")));
}

// ---- The menu item across restarts

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

TEST_F(StrokeNumbersSwitchTest, TheSwitchSurvivesARestartInItsOwnFileAndPreferCfgIsUntouched) {
    // A damaged file starts with the numbers off and says nothing.
    write_file(file("view.cfg"), QByteArray("stroke_numbers=\xE6\x98\xAF\r\n\0\xFF", 22));
    restart();
    const QByteArray preferences = read_file(file("prefer.cfg"));
    EXPECT_FALSE(numbers_item()->isChecked());
    EXPECT_FALSE(numbers_shown());
    EXPECT_TRUE(dialogs.shown.isEmpty());

    numbers_item()->trigger();
    EXPECT_TRUE(numbers_item()->isChecked());
    EXPECT_TRUE(numbers_shown());
    EXPECT_EQ(read_file(file("view.cfg")), QByteArray("stroke_numbers=1\r\n"));

    restart();
    EXPECT_TRUE(numbers_item()->isChecked());
    EXPECT_TRUE(numbers_shown());
    numbers_item()->trigger();
    EXPECT_FALSE(numbers_shown());
    restart();
    EXPECT_FALSE(numbers_item()->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")), preferences);
}

TEST_F(StrokeNumbersSwitchTest, SwitchingWhileSteppingKeepsTheStepShown) {
    restart();
    window->item(QStringLiteral("N59"))->trigger();  // no strokes
    window->item(QStringLiteral("N57"))->trigger();  // the first stroke
    auto shown = [&] { return window->pad().player().lesson().shown(99); };
    ASSERT_EQ(shown(), 1);
    numbers_item()->trigger();
    EXPECT_EQ(shown(), 1);
    EXPECT_TRUE(numbers_shown());
    // The other display switches keep it too.
    window->item(QStringLiteral("N2"))->trigger();
    window->item(QStringLiteral("N20"))->trigger();
    EXPECT_EQ(shown(), 1);
}

TEST_F(StrokeNumbersSwitchTest, AFileThatCannotBeWrittenIsReportedAndTheNumbersStillShow) {
    restart();
    QDir().mkpath(file("view.cfg"));  // a folder in the way of the file
    numbers_item()->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("view.cfg")));
    EXPECT_TRUE(numbers_item()->isChecked());
    EXPECT_TRUE(numbers_shown());
}

}  // namespace
}  // namespace inkwren
