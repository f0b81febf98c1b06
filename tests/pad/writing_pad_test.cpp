#include <gtest/gtest.h>

#include <QDir>

#include "langtable/language_table.h"
#include "pad/writing_pad.h"
#include "platform/code_page.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_dialogs.h"

namespace inkwren {
namespace {

using testing::ScriptedDialogs;
using testing::TempFolder;

class WritingPadTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::make_installation(folder.path());
        language.load_language(folder.file("english.txt"), 936);
        pad = std::make_unique<WritingPad>(dialogs, language, folder.path());
        pad->auto_play = false;
        pad->on_field_text = [this](const QString& text) { field = text; };
    }

    int strokes_shown() const { return pad->player ? pad->player->lines.count() : -1; }

    TempFolder folder;
    ScriptedDialogs dialogs;
    LanguageTable language;
    std::unique_ptr<WritingPad> pad;
    QString field;
};

TEST_F(WritingPadTest, OneCharacterIsShownAndTwoAreNot) {
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    EXPECT_TRUE(pad->TextCopyDetected(QStringLiteral("我")));
    EXPECT_EQ(strokes_shown(), 7);
    EXPECT_EQ(field, QStringLiteral("我"));
    EXPECT_EQ(pad->cur_text, QStringLiteral("我"));
    EXPECT_EQ(to_code_page(pad->cur_key, 936), to_code_page(QStringLiteral("我"), 936));

    EXPECT_FALSE(pad->TextCopyDetected(QStringLiteral("我永")));
    EXPECT_FALSE(pad->TextCopyDetected(QStringLiteral("한")));
    EXPECT_EQ(strokes_shown(), 7);
    EXPECT_EQ(pad->cur_text, QStringLiteral("我"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(WritingPadTest, DetectionSwitchesTheModeAndKeepsIt) {
    choose_encoding_item(pad->encoding, EncodingItem::autodetect);
    choose_encoding_item(pad->encoding, EncodingItem::autodetect);
    pad->encoding.encoding_mode = encoding_mode::big5;
    // 国 has no Big5 code: the detection finds it as GB Unicode and stays there.
    EXPECT_TRUE(pad->TextCopyDetected(QStringLiteral("国")));
    EXPECT_EQ(pad->encoding.encoding_mode, encoding_mode::unicode_simplified);
    EXPECT_EQ(strokes_shown(), 8);
    EXPECT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    EXPECT_EQ(pad->encoding.encoding_mode, encoding_mode::unicode_simplified);
}

TEST_F(WritingPadTest, AMissingArchiveIsReportedAndTheCharacterStays) {
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    choose_traditional_archive(pad->archive, folder.path());
    QFile::remove(folder.file("tstrokes.cdf"));
    pad->TextCopyDetected(QStringLiteral("永"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, language.lookup_text(QStringLiteral("1013")));
    EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
    EXPECT_EQ(strokes_shown(), 5);
}

TEST_F(WritingPadTest, ACustomCharacterIsShownInsteadOfTheArchives) {
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    QDir().mkpath(pad->custom_folder());
    write_strokes(testing::sample_lines(2), QStringLiteral("6C38"), pad->custom_folder());
    ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    EXPECT_EQ(strokes_shown(), 2);
    pad->use_custom = false;
    pad->select_text(pad->cur_key);
    EXPECT_EQ(strokes_shown(), 5);
}

TEST_F(WritingPadTest, AnUnsavedEditIsOfferedForSavingBeforeTheNextCharacter) {
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    pad->set_modified();
    dialogs.answers = {true};
    pad->clipboard_changed(QStringLiteral("我"));
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_TRUE(QFile::exists(pad->custom_folder() + QStringLiteral("6C38.wrt")));
    EXPECT_EQ(strokes_shown(), 7);
    EXPECT_FALSE(pad->custom_dirty);
}

TEST_F(WritingPadTest, ADroppedStrokeFileReplacesTheStrokesButNotTheCharacter) {
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    write_strokes(testing::sample_lines(3), QStringLiteral("範例"), folder.path());
    EXPECT_EQ(pad->drop_file(folder.file("範例.wrt")), DroppedKind::stroke_file);
    EXPECT_EQ(strokes_shown(), 3);
    EXPECT_EQ(pad->cur_text, QStringLiteral("永"));
}

TEST_F(WritingPadTest, ZoomRebuildsThePlayerAtTheNextSize) {
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    const double first_x = pad->player->lines.items[0][0].x;
    pad->toggle_zoom(768);
    EXPECT_EQ(pad->pad_w, 240);
    EXPECT_EQ(pad->player->pad_w, 240);
    EXPECT_EQ(pad->speed, 5);
    EXPECT_DOUBLE_EQ(pad->player->lines.items[0][0].x, first_x * 1.2);
    EXPECT_EQ(strokes_shown(), 5);
}

TEST_F(WritingPadTest, ShownCharactersStartWriting) {
    pad->auto_play = true;
    choose_encoding_item(pad->encoding, EncodingItem::unicode_simplified);
    ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永")));
    EXPECT_TRUE(pad->player->playing);
    EXPECT_EQ(pad->player->playtimer().interval(), 1000);
}

}  // namespace
}  // namespace inkwren
