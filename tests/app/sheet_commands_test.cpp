#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>

#include "app/sheet_commands.h"
#include "langtable/text_keys.h"
#include "output/step_by_step_window.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

class SheetCommandsTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        out = folder.path() + QStringLiteral("筆順圖/");
        QDir().mkpath(out);
    }

    QString out;
};

// The save dialog opens in the output folder; a file that cannot be written is said and leaves
// nothing behind.
TEST_F(SheetCommandsTest, TheSheetIsSavedWhereTheUserChoosesOrNowhere) {
    const QString missing = out + QStringLiteral("沒有的資料夾/永");
    const struct {
        std::optional<QString> chosen;
        bool saved;
        QString told;
    } cases[] = {
        {out + QStringLiteral("永"), true, {}},
        {std::nullopt, false, {}},
        {missing, false, missing + QStringLiteral(".jpg")},
    };
    for (const auto& save : cases) {
        SCOPED_TRACE(save.chosen.value_or(QStringLiteral("cancelled")).toStdString());
        QFile::remove(out + QStringLiteral("永.jpg"));
        dialogs.shown.clear();
        dialogs.save_files = {save.chosen};
        item("N28")->trigger();
        EXPECT_EQ(dialogs.save_dialog_folders.takeLast(), window->shell().output_folder());
        EXPECT_EQ(QDir(out).entryList(QDir::Files),
                  save.saved ? QStringList{"永.jpg"} : QStringList{});
        ASSERT_EQ(dialogs.shown.size(), save.told.isEmpty() ? 0 : 1);
        if (!save.told.isEmpty()) {
            EXPECT_TRUE(dialogs.shown[0].text.contains(save.told));
        }
    }
}

TEST_F(SheetCommandsTest, AnUnsavedEditIsStoredBeforeTheSheetIsMade) {
    window->pad().player().lines().items.pop_back();
    window->pad().set_modified(true);
    dialogs.save_files = {out + QStringLiteral("永")};
    item("N28")->trigger();
    EXPECT_TRUE(QFile::exists(file("udefined/6C38.wrt")));
    EXPECT_EQ(QImage(out + QStringLiteral("永.jpg")).width(), 5 * 80);
}

TEST_F(SheetCommandsTest, ACharacterWithoutPicturesMakesNoSheetAndSaysSo) {
    // An empty custom file stands for 永.
    testing::write_file(file("udefined/6C38.wrt"), "");
    EXPECT_FALSE(sheet_of_shown_character(window->shell(), dialogs, false));
    EXPECT_TRUE(dialogs.showed(window->shell().text(text_key::no_sheet_pictures_notice)));
}

TEST_F(SheetCommandsTest, TheStepByStepWindowShowsTheSheetWithABandForItsAnimation) {
    item("N39")->trigger();
    TForm9& steps = window->step_window();
    EXPECT_TRUE(steps.isVisible());
    ASSERT_EQ(steps.frames().size(), 5u);
    // One row of six picture widths, then the band one picture high and the row gap.
    const QSize picture = steps.frames().front().size();
    EXPECT_EQ(steps.image1()->pixmap().size(),
              QSize(6 * picture.width(), 2 * picture.height() + 15));
    steps.close();
}

TEST(SheetFilePath, OnlyANameWithoutTheJpgEndingGetsOne) {
    EXPECT_EQ(sheet_file_path(QStringLiteral("/筆/永")), QStringLiteral("/筆/永.jpg"));
    EXPECT_EQ(sheet_file_path(QStringLiteral("/筆/永.Jpg")), QStringLiteral("/筆/永.Jpg"));
    EXPECT_EQ(sheet_file_path(QStringLiteral("/筆/jpg")), QStringLiteral("/筆/jpg.jpg"));
}

}  // namespace
}  // namespace inkwren
