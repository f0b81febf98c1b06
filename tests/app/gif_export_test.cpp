#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/gif_export.h"
#include "langtable/text_keys.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;

class GifExportTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->pad().settings().pen_speed = 100;
        out = folder.path() + QStringLiteral("動畫/");
        QDir().mkpath(out);
        item("Gif1")->trigger();
        dialogs.shown.clear();
    }

    // Plays the shown character from the start to its end; the save dialog comes after the
    // tick that ended it.
    void play_through() {
        TAnimationPlayer& player = window->pad().player();
        player.stop_play();
        player.replay();
        while (player.playing()) {
            player.play_tick();
        }
        QCoreApplication::processEvents();
    }

    QString out;
};

TEST_F(GifExportTest, AFullPlaybackOffersTheGifAndSavesIt) {
    EXPECT_TRUE(item("Gif1")->isChecked());
    dialogs.save_files = {out + QStringLiteral("永")};
    play_through();
    ASSERT_EQ(dialogs.save_dialog_folders.size(), 1);
    EXPECT_EQ(dialogs.save_dialog_folders.front(), window->shell().output_folder());
    EXPECT_TRUE(read_file(out + QStringLiteral("永.gif")).startsWith("GIF89a"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Save File — 永"));
    EXPECT_EQ(dialogs.save_dialog_captions, QStringList{QStringLiteral("Save File — 永")});
    EXPECT_EQ(dialogs.shown[0].text, window->shell().text(text_key::gif_saved_notice) +
                                         QStringLiteral("  ") + out + QStringLiteral("永"));
}

TEST_F(GifExportTest, APlaybackStoppedEarlyOrWithCaptureOffOffersNothing) {
    TAnimationPlayer& player = window->pad().player();
    player.stop_play();
    player.replay();
    for (int tick = 0; tick < 5; ++tick) {
        player.play_tick();
    }
    player.stop_play();
    EXPECT_TRUE(dialogs.save_dialog_folders.isEmpty());
    item("Gif1")->trigger();
    EXPECT_FALSE(item("Gif1")->isChecked());
    play_through();
    EXPECT_TRUE(dialogs.save_dialog_folders.isEmpty());
}

TEST_F(GifExportTest, CancellingWritesNothingAndTheNextPlaybackOffersAgain) {
    play_through();
    EXPECT_EQ(dialogs.save_dialog_folders.size(), 1);
    EXPECT_TRUE(QDir(out).isEmpty());
    dialogs.save_files = {out + QStringLiteral("永")};
    play_through();
    EXPECT_EQ(dialogs.save_dialog_folders.size(), 2);
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("永.gif")));
}

TEST_F(GifExportTest, AFailedWriteAsksAgainForTheSameGif) {
    dialogs.save_files = {out + QStringLiteral("沒有的資料夾/永"), out + QStringLiteral("永")};
    play_through();
    EXPECT_EQ(dialogs.save_dialog_folders.size(), 2);
    ASSERT_GE(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(
        QStringLiteral(". Please try again using another filename.")));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("永.gif")));
    EXPECT_TRUE(read_file(out + QStringLiteral("永.gif")).startsWith("GIF89a"));
    EXPECT_FALSE(QDir(out + QStringLiteral("沒有的資料夾")).exists());
}

// A character handed over while a save dialog was open played underneath and opened a second,
// anonymous dialog on top of the first.
TEST_F(GifExportTest, ACaptureThatFinishesWhileASaveDialogIsOpenWaitsItsTurn) {
    dialogs.while_save_dialog_open = [this] {
        window->clipboard_changed(QStringLiteral("國"));
        play_through();
        EXPECT_EQ(dialogs.save_dialog_captions.size(), 1);
    };
    dialogs.save_files = {out + QStringLiteral("永"), out + QStringLiteral("國")};
    play_through();
    EXPECT_EQ(dialogs.most_save_dialogs_open, 1);
    EXPECT_EQ(dialogs.save_dialog_captions,
              (QStringList{QStringLiteral("Save File — 永"), QStringLiteral("Save File — 國")}));
    EXPECT_NE(read_file(out + QStringLiteral("永.gif")), read_file(out + QStringLiteral("國.gif")));
}

TEST(GifFilePath, OnlyANameWithoutTheGifEndingGetsOne) {
    EXPECT_EQ(gif_file_path(QStringLiteral("/動/永")), QStringLiteral("/動/永.gif"));
    EXPECT_EQ(gif_file_path(QStringLiteral("/動/永.GiF")), QStringLiteral("/動/永.GiF"));
}

}  // namespace
}  // namespace inkwren
