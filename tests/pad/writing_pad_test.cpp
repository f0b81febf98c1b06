#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "langtable/language_table.h"
#include "pad/writing_pad.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_dialogs.h"

namespace inkwren {
namespace {

class WritingPadTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::make_installation(folder.path());
        language.load_language(folder.file("english.txt"), 936);
        pad = std::make_unique<WritingPad>(dialogs, language, folder.path(), gbk_code_page);
        pad->set_auto_play(false);
        pad->on_field_text = [this](const QString& text) { field = text; };
        pad->choose_encoding(EncodingItem::unicode_simplified);
    }

    int strokes_shown() const { return pad->player().lines().count(); }

    void show_yong() { ASSERT_TRUE(pad->TextCopyDetected(QStringLiteral("永"))); }

    // Every action on the pad's player works, whatever it holds.
    void use_every_control() {
        TAnimationPlayer& player = pad->player();
        player.pause();
        player.replay();
        player.pause();
        player.stop_play();
        pad->toggle_grey_first();
        pad->toggle_two_color();
        pad->toggle_grey_first();
        player.show_static();
        EXPECT_FALSE(pad->player().playing());
    }

    testing::TempFolder folder;
    testing::ScriptedDialogs dialogs;
    LanguageTable language;
    std::unique_ptr<WritingPad> pad;
    QString field;
};

TEST_F(WritingPadTest, OneCharacterIsShownAndStartsWritingAndTwoAreNot) {
    pad->set_auto_play(true);
    EXPECT_TRUE(pad->TextCopyDetected(QStringLiteral("我")));
    EXPECT_EQ(strokes_shown(), 7);
    EXPECT_EQ(field, QStringLiteral("我"));
    EXPECT_TRUE(pad->player().playing());
    EXPECT_FALSE(pad->TextCopyDetected(QStringLiteral("我永")));
    EXPECT_FALSE(pad->TextCopyDetected(QStringLiteral("한")));
    EXPECT_EQ(pad->cur_text(), QStringLiteral("我"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(WritingPadTest, AMissingArchiveIsReportedAndTheCharacterStays) {
    show_yong();
    ArchiveChoice traditional;
    choose_traditional_archive(traditional, folder.path());
    pad->set_archive(traditional);
    QFile::remove(folder.file("tstrokes.cdf"));
    pad->TextCopyDetected(QStringLiteral("永"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].caption, language.lookup_text(QStringLiteral("1013")));
    EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
    EXPECT_EQ(strokes_shown(), 5);
}

TEST_F(WritingPadTest, AnUnsavedEditIsOfferedForSavingBeforeTheNextCharacter) {
    show_yong();
    pad->set_modified(true);
    dialogs.answers = {true};
    pad->clipboard_changed(QStringLiteral("我"));
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_TRUE(QFile::exists(pad->custom_folder() + QStringLiteral("6C38.wrt")));
    EXPECT_EQ(strokes_shown(), 7);
    EXPECT_FALSE(pad->custom_dirty());
}

// A dropped stroke file replaces the strokes but not the character. One that failed half way
// through loading left the pad with no strokes, or with those of the file and the settings of the
// character before.
TEST_F(WritingPadTest, ADroppedStrokeFileReplacesTheStrokesButNotTheCharacter) {
    show_yong();
    write_strokes(testing::sample_lines(3), QStringLiteral("範例"), folder.path());
    testing::write_file(folder.file("空白.wrt"), "");
    testing::write_file(folder.file("損壞.wrt"), "十\t二\r\n\x01\x02\x03\xFE\xFF");
    const struct {
        const char* name;
        int strokes;  // -1: refused
    } cases[] = {{"損壞.wrt", -1}, {"範例.wrt", 3}, {"空白.wrt", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.file(QString::fromUtf8(c.name));
        if (c.strokes < 0) {
            EXPECT_THROW(pad->drop_file(path), Error);
        } else {
            EXPECT_EQ(pad->drop_file(path), DroppedKind::stroke_file);
        }
        EXPECT_EQ(strokes_shown(), c.strokes < 0 ? 5 : c.strokes);
        EXPECT_EQ(pad->cur_text(), QStringLiteral("永"));
    }
}

// The pad once lost its player when there was nothing to show, and every button then used a
// player that was not there: before any character, and with a start character the archive lacks.
TEST_F(WritingPadTest, APadHasAnEmptyPlayerBeforeAnyCharacter) {
    EXPECT_EQ(pad->player().pad_size(), QSize(200, 200));
    EXPECT_TRUE(pad->player().lines().items.empty());
    use_every_control();
    pad->set_start_character(QStringLiteral("鬱"));
    EXPECT_FALSE(pad->Display_Writing_Pad());
    EXPECT_TRUE(pad->player().lines().items.empty());
    EXPECT_TRUE(field.isEmpty());
    use_every_control();
}

TEST_F(WritingPadTest, ZoomRebuildsThePlayerAtTheNextSizeAndResetsThePenSpeed) {
    show_yong();
    pad->set_pen_speed(8);
    const double first_x = pad->player().lines().items[0][0].x;
    pad->toggle_zoom(768);
    EXPECT_EQ(pad->player().image().size(), QSize(240, 240));
    EXPECT_DOUBLE_EQ(pad->player().lines().items[0][0].x, first_x * 1.2);
    EXPECT_EQ(pad->settings().pen_speed, 5);
}

// A character whose strokes failed to load still became the current one, so the next save
// wrote the strokes shown under its name; a zoom whose strokes failed to load kept the new size
// with the old player.
TEST_F(WritingPadTest, AFailedLoadLeavesTheCurrentCharacterAndTheSizeAsTheyWere) {
    show_yong();
    // The archive's data cut short: the index still names 我, but its strokes cannot be read.
    testing::write_file(folder.file("strokes.cdf"), "short");
    EXPECT_THROW(pad->TextCopyDetected(QStringLiteral("我")), Error);
    EXPECT_EQ(pad->cur_text(), QStringLiteral("永"));
    EXPECT_EQ(pad->custom_name(), QStringLiteral("6C38"));
    EXPECT_EQ(field, QStringLiteral("永"));
    EXPECT_THROW(pad->toggle_zoom(768), Error);
    EXPECT_EQ(pad->pad_side(), 200);
    EXPECT_DOUBLE_EQ(pad->zoom_scale(), 1.0);
    EXPECT_EQ(pad->player().pad_size(), QSize(200, 200));
    EXPECT_EQ(strokes_shown(), 5);
}

// The exporter's pads never show their characters: they must hand on the very strokes a seen
// pad loads, with its ink, and leave no temporary stroke files behind.
TEST_F(WritingPadTest, AnUnseenPadLoadsWhatASeenOneDoesWithoutTemporaryFiles) {
    const struct {
        const char16_t* character;
        bool smooth_ink;
    } cases[] = {{u"我", true}, {u"永", false}};
    for (const auto& c : cases) {
        const QString character = QString::fromUtf16(c.character);
        PadSettings settings = pad->settings();
        settings.smooth_ink = c.smooth_ink;
        pad->set_settings(settings);
        ASSERT_TRUE(pad->TextCopyDetected(character));
        testing::TempFolder scratch;
        WritingPad unseen(dialogs, language, folder.path(), gbk_code_page);
        unseen.use_temp_folder(scratch.path());
        unseen.set_auto_play(false);
        unseen.set_unseen(true);
        unseen.set_settings(settings);
        unseen.choose_encoding(EncodingItem::unicode_simplified);
        ASSERT_TRUE(unseen.TextCopyDetected(character));
        EXPECT_EQ(unseen.player().records(), pad->player().records()) << qPrintable(character);
        EXPECT_EQ(unseen.player().loaded_text(), pad->player().loaded_text());
        EXPECT_EQ(unseen.player().smooth(), c.smooth_ink);
        EXPECT_TRUE(QDir(scratch.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }
}

}  // namespace
}  // namespace inkwren
