#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/sheet_settings_dialog.h"
#include "charinfo/char_info.h"
#include "pad/info_strip.h"
#include "pad/pad_layout.h"
#include "pad/pad_view.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

CharInfo entry(char32_t character, const char* reading, int rank) {
    CharInfo info;
    info.character = character;
    info.readings = {QString::fromUtf8(reading)};
    info.rank = rank;
    return info;
}

// The window over an installation that knows 國, 国, 永, 我 and 泳 (which no library there holds).
class CharacterInfoWindowTest : public testing::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        CharInfo guo_traditional = entry(U'國', "guó", 1);
        guo_traditional.definition = QStringLiteral("nation, country");
        guo_traditional.radical = 31;
        guo_traditional.radical_form = QStringLiteral("囗");
        guo_traditional.strokes_simplified = guo_traditional.strokes_traditional = 11;
        guo_traditional.simplified_forms = {U'国'};
        CharInfo guo_simplified = entry(U'国', "guó", 0);
        guo_simplified.traditional_forms = {U'國'};
        write_char_info({guo_traditional, guo_simplified, entry(U'永', "yǒng", 3),
                         entry(U'我', "wǒ", 2), entry(U'泳', "yǒng", 4)},
                        file("charinfo.dat"));
        window = start();
        ASSERT_TRUE(window);
    }

    QString row(const char* name) const {
        return window->pad_view()
            .info_strip()
            .findChild<QLabel*>(QString::fromLatin1(name))
            ->text();
    }
    int strokes_shown() const { return window->pad().player().lines().count(); }

    std::unique_ptr<TForm1> window;
};

// The strip tells of each character shown; a click on its other form shows that one, and the
// menu item takes the strip away (the window shrinks by it) and keeps the choice.
TEST_F(CharacterInfoWindowTest, TheStripTellsOfTheCharacterShownAndShowsItsOtherForm) {
    window->clipboard_changed(QStringLiteral("國"));
    EXPECT_EQ(row("InfoReadings"), QStringLiteral("guó ㄍㄨㄛˊ"));
    EXPECT_EQ(row("InfoMeaning"), QStringLiteral("nation, country"));
    EXPECT_TRUE(row("InfoDetails").contains(QStringLiteral("11")));
    EXPECT_TRUE(row("InfoForms").contains(QStringLiteral("href=\"国\"")));
    window->pad_view().info_strip().on_form_clicked(QStringLiteral("国"));
    EXPECT_EQ(strokes_shown(), 8);
    EXPECT_EQ(window->character_field()->text(), QStringLiteral("国"));
    window->clipboard_changed(QStringLiteral("龘"));  // not in the library: the strip stays
    window->clipboard_changed(QStringLiteral("我"));
    EXPECT_EQ(row("InfoReadings"), QStringLiteral("wǒ ㄨㄛˇ"));
    EXPECT_EQ(row("InfoMeaning"), QString());

    const int height = window->pad_view().height();
    window->item(QStringLiteral("N108"))->trigger();
    EXPECT_FALSE(window->item(QStringLiteral("N108"))->isChecked());
    EXPECT_EQ(window->pad_view().height(),
              height - (lay_out_pad(200, 200, true, true).window.height() -
                        lay_out_pad(200, 200, true, false).window.height()));
    EXPECT_TRUE(testing::read_file(file("view.cfg")).contains("character_info=0"));
    window.reset();
    window = start();
    EXPECT_FALSE(window->pad_view().shows_info_strip());
}

// A reading typed into the field offers the library's characters read so, its own forms before
// the other standard's; a pick or Enter writes one, and a character typed is still written.
TEST_F(CharacterInfoWindowTest, ATypedReadingOffersItsCharactersAndAPickWritesOne) {
    QLineEdit* field = window->character_field();
    QCompleter& list = window->pad_view().reading_list();
    const auto offered = [&] {
        QStringList characters;
        for (int index = 0; index < list.model()->rowCount(); ++index) {
            characters.append(list.model()->index(index, 0).data(Qt::UserRole).toString());
        }
        return characters.join(u' ');
    };
    field->clear();
    QTest::keyClicks(field, QStringLiteral("guo"));
    EXPECT_EQ(offered(), QStringLiteral("国 國"));
    QTest::keyClicks(field, QStringLiteral("2"));
    EXPECT_EQ(offered(), QStringLiteral("国 國"));
    // Enter on the second row writes that one alone, not the first one before it.
    int written = 0;
    const auto replaced = window->pad().on_player_replaced;
    window->pad().on_player_replaced = [&] {
        ++written;
        replaced();
    };
    QTest::keyClick(list.popup(), Qt::Key_Down);
    QTest::keyClick(list.popup(), Qt::Key_Down);
    QTest::keyClick(list.popup(), Qt::Key_Return);
    EXPECT_EQ(written, 1);
    EXPECT_EQ(strokes_shown(), 11);
    EXPECT_EQ(field->text(), QStringLiteral("國"));

    // As an input method gives it: the whole syllable at once.
    field->setText(QStringLiteral("ㄩㄥˇ"));
    emit field->textEdited(field->text());
    EXPECT_EQ(offered(), QStringLiteral("永 泳"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(strokes_shown(), 5);
    EXPECT_EQ(field->text(), QStringLiteral("永"));
    EXPECT_FALSE(window->pad_view().shows_missing_note());

    field->clear();
    QTest::keyClicks(field, QStringLiteral("guo3"));  // a reading no character has
    EXPECT_EQ(offered(), QString());
    field->setText(QStringLiteral("我"));
    emit field->returnPressed();
    EXPECT_EQ(strokes_shown(), 7);
}

// The output settings' switch of the line under sheets is kept in view.cfg: config.dat has a
// fixed record other programs read.
TEST_F(CharacterInfoWindowTest, TheSheetsInfoLineIsSwitchedInTheOutputSettingsAndKeptApart) {
    const QString out = folder.file(QStringLiteral("筆順圖"));
    const auto saved_sheet = [&] {
        dialogs.save_files = {out};
        window->item(QStringLiteral("N28"))->trigger();
        return QImage(out + QStringLiteral(".jpg"));
    };
    const auto switch_line = [&](bool ok) {
        window->item(QStringLiteral("N26"))->trigger();
        TForm8& dialog = window->sheet_dialog();
        dialog.findChild<QAbstractButton*>(QStringLiteral("CheckBox4"))->click();
        dialog.findChild<QAbstractButton*>(QString::fromLatin1(ok ? "Button1" : "Button2"))
            ->click();
    };
    window->clipboard_changed(QStringLiteral("永"));
    const QByteArray record = testing::read_file(file("config.dat"));
    const QImage plain = saved_sheet();
    switch_line(true);
    EXPECT_EQ(testing::read_file(file("config.dat")), record);
    EXPECT_TRUE(testing::read_file(file("view.cfg")).contains("sheet_info_line=1\r\n"));
    EXPECT_GT(saved_sheet().height(), plain.height());
    switch_line(false);
    EXPECT_TRUE(window->shell().sheet_info_line()) << "cancelled";
    window->clipboard_changed(QStringLiteral("國"));  // the line follows the character shown
    EXPECT_EQ(window->shell().sheet_info_line_text(), QStringLiteral("guó  nation, country"));
}

}  // namespace
}  // namespace inkwren
