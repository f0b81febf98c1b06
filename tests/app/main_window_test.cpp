#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>

#include "app/config_files.h"
#include "app/main_window.h"
#include "platform/code_page.h"
#include "platform/registry.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_dialogs.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::ScriptedDialogs;
using testing::TempFolder;
using testing::write_file;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        installation = folder.path() + QStringLiteral("墨鷦/");
        QDir().mkpath(installation);
        testing::make_installation(installation);
        write_file(folder.file("registry.ini"),
                   "[Software\\Marlowen Technology\\inkwren\\iwren1.0]\ninstallation path=" +
                       installation.toUtf8() + "\n");
    }

    std::unique_ptr<TForm1> start() {
        const StartupContext context{folder.file("registry.ini"), installation, QSize(1024, 768)};
        return std::make_unique<TForm1>(context, dialogs);
    }

    QString file(const char* name) const { return installation + QString::fromUtf8(name); }

    TempFolder folder;
    QString installation;
    ScriptedDialogs dialogs;
};

TEST_F(MainWindowTest, AFirstStartCreatesTheSettingsFiles) {
    auto window = start();
    EXPECT_FALSE(window->abort_flag);
    EXPECT_FALSE(window->quit_requested);
    const QByteArray preferences = read_file(file("prefer.cfg"));
    ASSERT_EQ(preferences.size(), 192);
    EXPECT_EQ(preferences.mid(0, 13), QByteArray("\x01\x0B"
                                                 "english.txt"));
    EXPECT_EQ(preferences[124], 5);
    EXPECT_EQ(preferences.mid(128, 12), QByteArray("\x0B"
                                                   "strokes.cdf"));
    EXPECT_EQ(read_file(file("config.dat")).size(), 108);
    EXPECT_EQ(QString::fromUtf8(read_file(file("sys.cfg"))).trimmed(),
              system_shell_folders().desktop);
    EXPECT_TRUE(QDir(file("udefined")).exists());
    // The start character 永 is shown and being written.
    EXPECT_EQ(window->pad().cur_key, from_code_page("\xD3\xC0", 936));
    ASSERT_TRUE(window->pad().player);
    EXPECT_EQ(window->pad().player->lines.count(), 5);
    EXPECT_TRUE(window->pad().player->playing);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Inkwren"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MainWindowTest, AMissingArchiveEndsTheProgramWithAMessageInWords) {
    QFile::remove(file("strokes.cdf"));
    auto window = start();
    EXPECT_TRUE(window->abort_flag);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, window->language().lookup_text(QStringLiteral("1013")));
    EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
}

TEST_F(MainWindowTest, AMissingLanguageFileEndsTheProgram) {
    QFile::remove(file("english.txt"));
    auto window = start();
    EXPECT_TRUE(window->quit_requested);
    EXPECT_TRUE(dialogs.showed(QStringLiteral("Fatal Error")));
}

TEST_F(MainWindowTest, ADamagedStartCharacterFileEndsTheProgram) {
    write_file(file("textlist.txt"), "\xA5\r\n");
    auto window = start();
    EXPECT_TRUE(window->quit_requested);
    EXPECT_TRUE(dialogs.showed(QStringLiteral("textlist.txt")));
    QFile::remove(file("textlist.txt"));
    auto second = start();
    EXPECT_TRUE(second->quit_requested);
}

TEST_F(MainWindowTest, AShortPreferenceFileIsResetWithAMessage) {
    write_file(file("prefer.cfg"), "\x01\x08lang.txt");
    auto window = start();
    EXPECT_FALSE(window->quit_requested);
    EXPECT_EQ(read_file(file("prefer.cfg")).size(), 192);
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST_F(MainWindowTest, ACharacterTypedWithEnterIsShownButTwoAreNot) {
    auto window = start();
    window->character_field()->setText(QStringLiteral("我"));
    window->zi_inputfield1Enter();
    EXPECT_EQ(window->pad().cur_text, QStringLiteral("我"));
    EXPECT_EQ(window->pad().player->lines.count(), 7);
    window->character_field()->setText(QStringLiteral("我永"));
    window->zi_inputfield1Enter();
    EXPECT_EQ(window->pad().cur_text, QStringLiteral("我"));
    EXPECT_EQ(window->pad().player->lines.count(), 7);
}

TEST_F(MainWindowTest, ACopiedCharacterIsShownAndDetectionKeepsItsMode) {
    auto window = start();
    window->item(QStringLiteral("N50"))->trigger();
    EXPECT_TRUE(window->item(QStringLiteral("N50"))->isChecked());
    EXPECT_FALSE(window->item(QStringLiteral("n60"))->isChecked());
    // The Big5 bytes of 國 as a GBK system decodes them: found by the Big5 reading.
    window->clipboard_changed(from_code_page(to_code_page(QStringLiteral("國"), 950), 936));
    EXPECT_EQ(window->pad().player->lines.count(), 11);
    EXPECT_EQ(window->pad().encoding.encoding_mode, encoding_mode::big5);
    window->clipboard_changed(QStringLiteral("国"));
    EXPECT_EQ(window->pad().player->lines.count(), 8);
    // Detection never changes the stored choice.
    EXPECT_EQ(read_file(file("prefer.cfg"))[124], 0);
}

TEST_F(MainWindowTest, ADroppedStrokeFileIsLoaded) {
    auto window = start();
    write_strokes(testing::sample_lines(3), QStringLiteral("練習"), folder.path());
    write_strokes(testing::sample_lines(9), QStringLiteral("第二"), folder.path());
    window->drop_files({folder.file("練習.wrt"), folder.file("第二.wrt")});
    EXPECT_EQ(window->pad().player->lines.count(), 3);
}

TEST_F(MainWindowTest, ADroppedUserLanguageIsInstalledAndChosen) {
    auto window = start();
    write_file(folder.file("MyLang.TXT"), "LANGUAGE Deutsch\n0112 Neunerfeld\n");
    window->drop_files({folder.file("MyLang.TXT")});
    EXPECT_EQ(read_file(file("mylang.txt")), QByteArray("LANGUAGE Deutsch\r\n0112 Neunerfeld\r\n"));
    EXPECT_EQ(window->item(QStringLiteral("N2"))->text(), QStringLiteral("Neunerfeld"));
    EXPECT_EQ(window->item(QStringLiteral("N45"))->text(), QStringLiteral("Deutsch"));
    EXPECT_TRUE(window->item(QStringLiteral("N33"))->isChecked());
    const QByteArray preferences = read_file(file("prefer.cfg"));
    EXPECT_EQ(preferences.mid(1, 11), QByteArray("\x0Amylang.txt"));
    EXPECT_EQ(preferences.mid(62, 8), QByteArray("\x07"
                                                 "Deutsch"));
}

TEST_F(MainWindowTest, ALanguageSwitchRewritesTheCaptionsAndThePreferences) {
    auto window = start();
    window->N31Click();
    EXPECT_EQ(window->item(QStringLiteral("N2"))->text(), QStringLiteral("九宮格"));
    EXPECT_TRUE(window->item(QStringLiteral("N31"))->isChecked());
    EXPECT_FALSE(window->item(QStringLiteral("N33"))->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(1, 9), QByteArray("\x08lang.txt"));
    // The next start comes up in the chosen language.
    window.reset();
    auto again = start();
    EXPECT_EQ(again->item(QStringLiteral("N2"))->text(), QStringLiteral("九宮格"));
    EXPECT_TRUE(again->item(QStringLiteral("N31"))->isChecked());
}

TEST_F(MainWindowTest, TheZoomButtonStepsThePadOnA768PixelScreen) {
    auto window = start();
    std::vector<int> widths;
    for (int click = 0; click < 8; ++click) {
        window->toggle_zoom();
        widths.push_back(window->pad().pad_w);
    }
    EXPECT_EQ(widths, (std::vector<int>{240, 288, 346, 415, 498, 598, 600, 480}));
    EXPECT_EQ(window->pad().player->pad_w, 480);
    EXPECT_EQ(window->centralWidget()->width(), 500);
}

TEST_F(MainWindowTest, TheTraditionalArchiveIsChosenAndRemembered) {
    auto window = start();
    window->N41Click();
    EXPECT_TRUE(window->item(QStringLiteral("N41"))->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(128, 13), QByteArray("\x0Ctstrokes.cdf"));
    QFile::remove(file("tstrokes-idx.dat"));
    window->N42Click();
    window->N41Click();
    EXPECT_FALSE(window->item(QStringLiteral("N41"))->isChecked());
    EXPECT_EQ(read_file(file("prefer.cfg")).mid(128, 12), QByteArray("\x0Bstrokes.cdf"));
}

TEST_F(MainWindowTest, SheetSettingsFromTheDialogAreStoredAndColourThePad) {
    auto window = start();
    SheetSettings settings;
    settings.per_row = 6;
    settings.second_color = 0x00AA00;
    window->updatecfg(folder.file("作業"), sheet_slots(settings));
    EXPECT_EQ(window->output_folder(), folder.file("作業"));
    EXPECT_EQ(window->pad().player->hilite_color, 0x00AA00);
    EXPECT_EQ(read_file(file("config.dat")), format_sheet_settings(settings));
}

}  // namespace
}  // namespace inkwren
