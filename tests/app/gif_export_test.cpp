#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/gif_export.h"
#include "langtable/language_table.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;

// A write that fails is said and the dialog asks again, until the GIF is saved (which is said
// too) or the user cancels; nothing is left of a failed write.
TEST(OfferGif, AFailedWriteAsksAgainUntilTheGifIsSavedOrTheUserCancels) {
    const testing::TempFolder folder;
    const QString saved = folder.file(QStringLiteral("永"));
    const QString missing = folder.file(QStringLiteral("沒有的資料夾/永"));
    const QString failed = missing + QStringLiteral(".gif");
    const struct {
        QList<std::optional<QString>> chosen;
        QStringList told;  // a part of each box shown, in turn
    } cases[] = {
        {{saved}, {QStringLiteral("  ") + saved}},
        {{}, {}},
        {{missing, saved}, {failed, QStringLiteral("  ") + saved}},
        {{missing}, {failed}},
    };
    for (const auto& offer : cases) {
        QFile::remove(saved + QStringLiteral(".gif"));
        testing::ScriptedDialogs dialogs;
        dialogs.save_files = offer.chosen;
        offer_gif({QStringLiteral("永"), "GIF89a", folder.path()}, dialogs, LanguageTable());
        SCOPED_TRACE(offer.told.join(u'|').toStdString());
        const bool written = offer.told.endsWith(QStringLiteral("  ") + saved);
        // A dialog for each name chosen, and the one cancelled unless the GIF was saved.
        EXPECT_EQ(dialogs.save_dialog_captions,
                  QStringList(offer.chosen.size() + (written ? 0 : 1),
                              gif_save_caption(QStringLiteral("永"))));
        ASSERT_EQ(dialogs.shown.size(), offer.told.size());
        for (int box = 0; box < offer.told.size(); ++box) {
            const QString& text = dialogs.shown[box].text;
            EXPECT_TRUE(text.contains(offer.told[box])) << text.toStdString();
            if (offer.told[box] == failed) {
                EXPECT_TRUE(text.endsWith(gif_retry_message(QString())));
            }
        }
        const QString gif = saved + QStringLiteral(".gif");
        EXPECT_EQ(QFile::exists(gif) ? read_file(gif) : QByteArray(), written ? "GIF89a" : "");
        EXPECT_FALSE(QDir(folder.file(QStringLiteral("沒有的資料夾"))).exists());
    }
}

class GifExportTest : public testing::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->pad().set_pen_speed(100);
        out = folder.path() + QStringLiteral("動畫/");
        QDir().mkpath(out);
        item("Gif1")->trigger();
        dialogs.shown.clear();
    }

    QString out;
};

TEST_F(GifExportTest, WithCaptureSwitchedOffAPlaybackOffersNothing) {
    item("Gif1")->trigger();
    EXPECT_FALSE(item("Gif1")->isChecked());
    play_through();
    EXPECT_TRUE(dialogs.save_dialog_folders.isEmpty());
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
    EXPECT_EQ(dialogs.save_dialog_folders, QStringList(2, window->shell().output_folder()));
    EXPECT_NE(read_file(out + QStringLiteral("永.gif")), read_file(out + QStringLiteral("國.gif")));
}

TEST(GifFilePath, OnlyANameWithoutTheGifEndingGetsOne) {
    EXPECT_EQ(gif_file_path(QStringLiteral("/動/永")), QStringLiteral("/動/永.gif"));
    EXPECT_EQ(gif_file_path(QStringLiteral("/動/永.GiF")), QStringLiteral("/動/永.GiF"));
}

}  // namespace
}  // namespace inkwren
