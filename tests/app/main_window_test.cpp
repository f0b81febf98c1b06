#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "platform/code_page.h"
#include "strokes/stroke_text.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

class MainWindowTest : public testing::WindowTest {
protected:
    // Drops the files as a file manager would, offering to copy or move them.
    Qt::DropAction drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data.setUrls(urls);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
        event.setDropAction(Qt::MoveAction);
        // Delivered as a drop reaches a widget, without the application's drag bookkeeping.
        static_cast<QObject*>(window.get())->event(&event);
        return event.dropAction();
    }
};

// Typed and copied characters reach the pad; detection never changes the stored choice or the
// check mark.
TEST_F(MainWindowTest, TypedAndCopiedCharactersAreShown) {
    window->character_field()->setText(QStringLiteral("我"));
    emit window->character_field()->returnPressed();
    EXPECT_EQ(window->pad().cur_text(), QStringLiteral("我"));
    EXPECT_EQ(strokes_shown(), 7);
    item("N50")->trigger();
    // The Big5 bytes of 國 as a GBK system decodes them: found by the Big5 reading.
    window->clipboard_changed(from_code_page(to_code_page(QStringLiteral("國"), 950), 936));
    EXPECT_EQ(strokes_shown(), 11);
    EXPECT_EQ(read_file(file("prefer.cfg"))[124], 0);
    EXPECT_TRUE(item("N50")->isChecked());
    EXPECT_FALSE(item("n60")->isChecked());
}

// Drops are answered as copies and handled once the drag is over; a damaged stroke file is
// reported then too, and keeps the character.
TEST_F(MainWindowTest, DropsAreAnsweredAsCopiesAndHandledOnceTheDragIsOver) {
    write_strokes(testing::sample_lines(3), QStringLiteral("練習"), folder.path());
    write_strokes(testing::sample_lines(9), QStringLiteral("第二"), folder.path());
    EXPECT_EQ(drop({folder.file("練習.wrt"), folder.file("第二.wrt")}), Qt::CopyAction);
    EXPECT_EQ(strokes_shown(), 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(strokes_shown(), 3);

    write_file(folder.file("壞.wrt"), QByteArray("\x01\xFF\x13garbage\t\t\n", 12));
    drop({folder.file("壞.wrt")});
    EXPECT_TRUE(dialogs.shown.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("壞.wrt")));
    EXPECT_EQ(strokes_shown(), 3);
}

TEST_F(MainWindowTest, ADroppedUserLanguageIsInstalledAndChosen) {
    write_file(folder.file("MyLang.TXT"), "LANGUAGE Deutsch\n0112 Neunerfeld\n");
    window->drop_files({folder.file("MyLang.TXT")});
    EXPECT_EQ(read_file(file("mylang.txt")), QByteArray("LANGUAGE Deutsch\r\n0112 Neunerfeld\r\n"));
    EXPECT_EQ(item("N45")->text(), QStringLiteral("Deutsch"));
    // The check mark stays on the built-in language checked before.
    EXPECT_TRUE(item("N33")->isChecked());
    const QByteArray preferences = read_file(file("prefer.cfg"));
    EXPECT_EQ(preferences.mid(1, 11), QByteArray("\x0Amylang.txt"));
    EXPECT_EQ(preferences.mid(62, 8), QByteArray("\x07"
                                                 "Deutsch"));
}

// A language switch rewrites the captions and the preferences; a failed one leaves the check
// mark on the language in force.
TEST_F(MainWindowTest, ALanguageSwitchRewritesTheCaptionsAndThePreferences) {
    item("N31")->trigger();
    EXPECT_EQ(item("N2")->text(), QStringLiteral("九宮格"));
    EXPECT_TRUE(item("N31")->isChecked());
    EXPECT_FALSE(item("N33")->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(1, 9), QByteArray("\x08lang.txt"));

    item("N33")->trigger();
    QFile::remove(file("lang.txt"));
    item("N31")->trigger();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("Needed language file not found")));
    EXPECT_FALSE(item("N31")->isChecked());
    EXPECT_TRUE(item("N33")->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(1, 12), QByteArray("\x0B"
                                                                   "english.txt"));
}

TEST_F(MainWindowTest, AFailedLibraryChoiceLeavesTheCheckMarkOnTheLibraryInForce) {
    item("N41")->trigger();
    EXPECT_TRUE(item("N41")->isChecked());
    EXPECT_FALSE(item("N42")->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(128, 13), QByteArray("\x0Ctstrokes.cdf"));
    item("N42")->trigger();
    QFile::remove(file("tstrokes.cdf"));
    item("N41")->trigger();
    EXPECT_TRUE(dialogs.showed(window->shell().text("1012")));
    EXPECT_FALSE(item("N41")->isChecked());
    EXPECT_TRUE(item("N42")->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(128, 12), QByteArray("\x0Bstrokes.cdf"));
    // The simplified library is still the one in force.
    window->clipboard_changed(QStringLiteral("国"));
    EXPECT_EQ(strokes_shown(), 8);
}

// The slots are copied whole, with the bytes the program does not use; the settings files are
// read back at start by the start-up tests.
TEST_F(MainWindowTest, SheetSettingsFromTheDialogAreStoredWholeAndColourThePad) {
    SheetSettings settings;
    settings.per_row = 6;
    settings.second_color = 0x00AA00;
    SheetSlots record_slots = sheet_slots(settings);
    record_slots[4] = 0x12345601;   // the nine-grid flag uses only the first byte of its slot
    record_slots[14] = 0x7F7F7F7F;  // the end of the font name, beyond its length
    window->updatecfg(folder.file("作業"), record_slots);
    EXPECT_EQ(window->shell().output_folder(), folder.file("作業/"));
    EXPECT_EQ(window->pad().settings().stroke_color, 0x00AA00);
    QByteArray expected = format_sheet_settings(settings);
    expected.replace(16, 4, QByteArray::fromHex("01563412"));
    expected.replace(56, 4, QByteArray::fromHex("7F7F7F7F"));
    EXPECT_EQ(read_file(file("config.dat")), expected);
    EXPECT_EQ(window->shell().sheet_slots(), record_slots);
}

}  // namespace
}  // namespace inkwren
