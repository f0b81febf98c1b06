#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>

#include "app/export_options.h"
#include "app/export_run.h"
#include "app/export_setup.h"
#include "app/gif_export.h"
#include "app/sheet_commands.h"
#include "langtable/language_table.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;

TEST(PictureFilePaths, OnlyANameWithoutItsEndingGetsOne) {
    EXPECT_EQ(sheet_file_path(QStringLiteral("/筆/永")), QStringLiteral("/筆/永.jpg"));
    EXPECT_EQ(sheet_file_path(QStringLiteral("/筆/永.Jpg")), QStringLiteral("/筆/永.Jpg"));
    EXPECT_EQ(sheet_file_path(QStringLiteral("/筆/jpg")), QStringLiteral("/筆/jpg.jpg"));
    EXPECT_EQ(gif_file_path(QStringLiteral("/動/永.GiF")), QStringLiteral("/動/永.GiF"));
}

// A write that fails is said and the dialog asks again, until the GIF is saved (which is said
// too) or the user cancels; nothing is left of a failed write.
TEST(OfferGif, AFailedWriteAsksAgainUntilTheGifIsSavedOrTheUserCancels) {
    const testing::TempFolder folder;
    const QString gif = folder.file(QStringLiteral("永.gif"));
    const QString missing = folder.file(QStringLiteral("沒有的資料夾/永"));
    for (const bool saved_at_last : {false, true}) {
        SCOPED_TRACE(saved_at_last);
        testing::ScriptedDialogs dialogs;
        dialogs.save_files = {missing};
        if (saved_at_last) {
            dialogs.save_files << folder.file(QStringLiteral("永"));
        }
        offer_gif({QStringLiteral("永"), "GIF89a", folder.path()}, dialogs, LanguageTable());
        EXPECT_EQ(dialogs.save_dialog_captions.size(), 2);
        ASSERT_EQ(dialogs.shown.size(), saved_at_last ? 2 : 1);
        EXPECT_TRUE(dialogs.shown[0].text.contains(missing + QStringLiteral(".gif")));
        EXPECT_EQ(dialogs.showed(QStringLiteral("  ") + folder.file(QStringLiteral("永"))),
                  saved_at_last);
        EXPECT_EQ(QFile::exists(gif), saved_at_last);
        EXPECT_FALSE(QDir(folder.file(QStringLiteral("沒有的資料夾"))).exists());
    }
    EXPECT_EQ(read_file(gif), "GIF89a");
}

class PictureCommandsTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        out = folder.path() + QStringLiteral("筆順圖/");
        QDir().mkpath(out);
    }

    // 永 played through with capture on, to be saved in the output folder; the GIF is left to
    // be put together.
    void capture_a_playback() {
        window->pad().set_pen_speed(100);
        item("Gif1")->trigger();
        dialogs.save_files = {out + QStringLiteral("永")};
        TAnimationPlayer& player = window->pad().player();
        player.stop_play();
        player.replay();
        testing::run_to_end(player);
    }

    QString out;
};

// The save dialog opens in the output folder; a file that cannot be written is said and leaves
// nothing behind. An unsaved edit is stored before the sheet is made.
TEST_F(PictureCommandsTest, TheSheetIsSavedWhereTheUserChoosesWithTheUnsavedEdit) {
    const QString missing = out + QStringLiteral("沒有的資料夾/永");
    dialogs.save_files = {missing};
    item("N28")->trigger();
    EXPECT_EQ(dialogs.save_dialog_folders.value(0), window->shell().output_folder());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.contains(missing + QStringLiteral(".jpg")));
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{});

    window->pad().player().lines().items.pop_back();
    window->pad().set_modified(true);
    dialogs.save_files = {out + QStringLiteral("永")};
    item("N28")->trigger();
    EXPECT_TRUE(QFile::exists(file("udefined/6C38.wrt")));
    EXPECT_EQ(QImage(out + QStringLiteral("永.jpg")).width(), 5 * 80);
}

// A character handed over while a save dialog was open played underneath and opened a second,
// anonymous dialog on top of the first.
TEST_F(PictureCommandsTest, ACaptureThatFinishesWhileASaveDialogIsOpenWaitsItsTurn) {
    window->pad().set_pen_speed(100);
    item("Gif1")->trigger();
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
    EXPECT_EQ(dialogs.save_dialog_folders, QStringList(2, window->shell().output_folder()));
    EXPECT_NE(read_file(out + QStringLiteral("永.gif")), read_file(out + QStringLiteral("國.gif")));

    // With capture switched off a playback offers nothing.
    item("Gif1")->trigger();
    EXPECT_FALSE(item("Gif1")->isChecked());
    play_through();
    EXPECT_EQ(dialogs.save_dialog_captions.size(), 2);
}

// The GIF is put together after the playback's last tick, while the pad may already show the
// next character: it is offered under the character it writes.
TEST_F(PictureCommandsTest, AGifFinishedAfterThePadMovedOnIsOfferedUnderItsOwnCharacter) {
    capture_a_playback();
    window->clipboard_changed(QStringLiteral("國"));
    window->shell().wait_for_gifs();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.save_dialog_captions, QStringList{QStringLiteral("Save File — 永")});
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("永.gif")));
}

// The thread that makes the GIF said it was ready before it was, and the GIF waited for
// whatever happened next.
TEST_F(PictureCommandsTest, AGifIsOfferedWhenReadyThoughNothingElseHappens) {
    capture_a_playback();
    while (dialogs.save_dialog_captions.isEmpty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("永.gif")));
}

// ---- The exporter makes what the menus make

class ExportMatchesMenusTest : public testing::WindowTest {
protected:
    // Runs inkwren-export as its main() does, into a folder of its own.
    QString export_files(const QString& command, const QString& characters) {
        const QString out = folder.path() + QStringLiteral("匯出/");
        const ExportRequest request = parse_export_arguments(
            {command, QStringLiteral("--speed"), QStringLiteral("100"), QStringLiteral("--scale"),
             QStringLiteral("50"), QStringLiteral("--data"), installation, QStringLiteral("--out"),
             out, characters});
        const ExportOptions options = std::get<ExportOptions>(request);
        EXPECT_EQ(
            run_export(options, export_setup(options, folder.file("registry.ini"), working_dir),
                       stderr, false),
            0);
        return out;
    }

    // Shows the character, then saves its sheet and the GIF of a whole playback.
    void save_through_menus(const QString& character) {
        window->clipboard_changed(character);
        dialogs.save_files = {folder.file(character), folder.file(character)};
        item("N28")->trigger();
        play_through();
    }
};

TEST_F(ExportMatchesMenusTest, TheExportersSheetsAndGifsAreTheMenusByteForByte) {
    const QString characters = QStringLiteral("永國我");
    window->pad().set_pen_speed(100);
    item("Gif1")->trigger();
    item("N501")->trigger();
    for (const QChar character : characters) {
        save_through_menus(character);
    }
    for (const auto& [command, ending] : {std::pair{"sheet", ".jpg"}, std::pair{"gif", ".gif"}}) {
        const QString out = export_files(QString::fromLatin1(command), characters);
        for (const QChar character : characters) {
            const QString name = character + QString::fromLatin1(ending);
            const QByteArray made = read_file(folder.file(name));
            EXPECT_TRUE(!made.isEmpty() && made == read_file(out + name)) << name.toStdString();
        }
    }
    // Both at the GIF size chosen: half the pad's 200 pixels.
    const QByteArray gif = read_file(folder.file(QStringLiteral("國.gif")));
    EXPECT_EQ(uchar(gif.at(6)) | uchar(gif.at(7)) << 8, 100);
}

}  // namespace
}  // namespace inkwren
