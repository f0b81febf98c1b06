#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

#include "langtable/text_keys.h"
#include "strokes/stroke_text.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::write_file;

class CustomCharactersTest : public testing::WindowTest {
protected:
    QString custom_file() const { return file("udefined/6C38.wrt"); }
    QString text(const char* key) const { return window->shell().text(key); }

    // An edit of the shown 永: its last stroke taken away.
    void edit() {
        TLineList& lines = window->pad().player().lines();
        lines.items.pop_back();
        window->pad().set_modified(true);
    }
};

TEST_F(CustomCharactersTest, UpdateSavesTheShownStrokesUnderTheCharactersCode) {
    edit();
    item("N17")->trigger();
    EXPECT_EQ(parse_stroke_text(read_file(custom_file()), custom_file(), EndMarkerKind::keep_pen_up)
                  .size(),
              testing::sample_stroke_text(4).count('\n'));
    EXPECT_FALSE(window->pad().custom_dirty);
    // The custom version is shown from then on, and the archive's when it is switched off.
    window->clipboard_changed(QStringLiteral("我"));
    window->clipboard_changed(QStringLiteral("永"));
    EXPECT_EQ(strokes_shown(), 4);
    item("n18")->trigger();
    EXPECT_EQ(strokes_shown(), 5);
    item("n18")->trigger();
    EXPECT_EQ(strokes_shown(), 4);
}

TEST_F(CustomCharactersTest, AnUnsavedEditIsOfferedOnClosing) {
    edit();
    dialogs.answers = {true};
    window->close();
    EXPECT_TRUE(dialogs.showed(text(text_key::custom_saved_notice)));
    EXPECT_TRUE(QFile::exists(custom_file()));
}

TEST_F(CustomCharactersTest, ASaveThatFailsIsReportedAndTheEditStaysUnsaved) {
    // A file where the custom folder should be.
    QDir(file("udefined")).removeRecursively();
    write_file(file("udefined"), "not a folder");
    edit();
    item("N17")->trigger();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_TRUE(window->pad().custom_dirty);
    EXPECT_EQ(strokes_shown(), 4);
}

// Answering Yes on closing once showed the save's error and closed all the same.
TEST_F(CustomCharactersTest, ClosingAfterAFailedSaveKeepsTheWindowAndTheEdit) {
    QDir(file("udefined")).removeRecursively();
    write_file(file("udefined"), "not a folder");
    edit();
    dialogs.answers = {true};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_FALSE(dialogs.showed(text(text_key::custom_saved_notice)));
    EXPECT_TRUE(window->pad().custom_dirty);
    EXPECT_EQ(strokes_shown(), 4);
}

TEST_F(CustomCharactersTest, DeletingByTheMenuAsksAndShowsTheArchiveVersion) {
    write_strokes(testing::sample_lines(2), QStringLiteral("6C38"), file("udefined"));
    window->clipboard_changed(QStringLiteral("我"));
    window->clipboard_changed(QStringLiteral("永"));
    ASSERT_EQ(strokes_shown(), 2);
    dialogs.shown.clear();
    dialogs.answers = {false};
    item("N19")->trigger();
    EXPECT_TRUE(QFile::exists(custom_file()));
    dialogs.answers = {true};
    item("N19")->trigger();
    EXPECT_FALSE(QFile::exists(custom_file()));
    EXPECT_TRUE(dialogs.showed(text(text_key::custom_deleted_notice)));
    EXPECT_EQ(strokes_shown(), 5);
    dialogs.shown.clear();
    item("N19")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, text(text_key::no_custom_to_delete_notice));
}

TEST_F(CustomCharactersTest, DeletingByThePopUpMenuAsksFirstAndSaysWhenThereIsNone) {
    write_strokes(testing::sample_lines(2), QStringLiteral("6C38"), file("udefined"));
    dialogs.answers = {true};
    item("N25")->trigger();
    EXPECT_FALSE(QFile::exists(custom_file()));
    EXPECT_TRUE(dialogs.showed(text(text_key::custom_deleted_notice)));
    dialogs.shown.clear();
    dialogs.answers = {true};
    item("N25")->trigger();
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_EQ(dialogs.shown.back().text, text(text_key::custom_not_deleted_notice));
}

TEST_F(CustomCharactersTest, ADamagedCustomFileIsReportedAndTheArchiveVersionShown) {
    write_file(custom_file(), "1\t2\tgarbage\r\n");
    window->clipboard_changed(QStringLiteral("我"));
    window->clipboard_changed(QStringLiteral("永"));
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_EQ(strokes_shown(), 5);
}

TEST(CustomNames, CharactersBeyondTheBasicPlaneAreNamedByTheirWholeCode) {
    testing::ScriptedDialogs dialogs;
    LanguageTable language;
    WritingPad pad(dialogs, language, QStringLiteral("/"), 936);
    pad.cur_text = QStringLiteral("永");
    EXPECT_EQ(pad.custom_name(), QStringLiteral("6C38"));
    pad.cur_text = QString::fromUcs4(U"𠀀");
    EXPECT_EQ(pad.custom_name(), QStringLiteral("20000"));
    pad.cur_text = QString::fromUcs4(U"𪜀");
    EXPECT_EQ(pad.custom_name(), QStringLiteral("2A700"));
}

}  // namespace
}  // namespace inkwren
