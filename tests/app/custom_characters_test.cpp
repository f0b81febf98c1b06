#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

#include "langtable/text_keys.h"
#include "strokes/stroke_text.h"
#include "tests/app/app_fixture.h"

namespace inkwren {
namespace {

using testing::write_file;

class CustomCharactersTest : public testing::WindowTest {
protected:
    QString custom_file() const { return file("udefined/6C38.wrt"); }
    QString text(const char* key) const { return window->shell().text(key); }

    // An edit of the shown 永: its last stroke taken away.
    void edit() {
        window->pad().player().lines().items.pop_back();
        window->pad().set_modified(true);
    }

    // 永 shown again, as the user copies it after another character.
    void show_again() {
        window->clipboard_changed(QStringLiteral("我"));
        window->clipboard_changed(QStringLiteral("永"));
    }

    // A file where the custom folder should be.
    void block_the_custom_folder() {
        QDir(file("udefined")).removeRecursively();
        write_file(file("udefined"), "not a folder");
    }
};

TEST_F(CustomCharactersTest, UpdateSavesTheShownStrokesWhichAreShownFromThenOn) {
    edit();
    item("N17")->trigger();
    EXPECT_EQ(split_strokes(read_record_list(custom_file(), 0, 0)).count(), 4);
    EXPECT_FALSE(window->pad().custom_dirty());
    show_again();
    EXPECT_EQ(strokes_shown(), 4);
    item("n18")->trigger();  // the archive's version
    EXPECT_EQ(strokes_shown(), 5);
}

TEST_F(CustomCharactersTest, AnUnsavedEditIsOfferedOnClosing) {
    edit();
    dialogs.answers = {true};
    window->close();
    EXPECT_TRUE(dialogs.showed(text(text_key::custom_saved_notice)));
    EXPECT_TRUE(QFile::exists(custom_file()));
}

// Answering Yes on closing once showed the save's error and closed all the same.
TEST_F(CustomCharactersTest, AFailedSaveIsReportedAndKeepsTheEditAndTheWindow) {
    block_the_custom_folder();
    edit();
    item("N17")->trigger();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    dialogs.shown.clear();
    dialogs.answers = {true};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_FALSE(dialogs.showed(text(text_key::custom_saved_notice)));
    EXPECT_TRUE(window->pad().custom_dirty());
    EXPECT_EQ(strokes_shown(), 4);
}

TEST_F(CustomCharactersTest, DeletingAsksFirstShowsTheArchiveVersionAndSaysWhenThereIsNone) {
    for (const char* command : {"N19", "N25"}) {  // the menu's item and the pop-up menu's
        SCOPED_TRACE(command);
        write_strokes(testing::sample_lines(2), QStringLiteral("6C38"), file("udefined"));
        show_again();
        ASSERT_EQ(strokes_shown(), 2);
        dialogs.shown.clear();
        dialogs.answers = {false, true};
        item(command)->trigger();
        EXPECT_TRUE(QFile::exists(custom_file()));
        item(command)->trigger();
        EXPECT_FALSE(QFile::exists(custom_file()));
        EXPECT_TRUE(dialogs.showed(text(text_key::custom_deleted_notice)));
        EXPECT_EQ(strokes_shown(), 5);
    }
    dialogs.shown.clear();
    item("N19")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, text(text_key::no_custom_to_delete_notice));
    dialogs.shown.clear();
    item("N25")->trigger();
    EXPECT_TRUE(dialogs.shown[0].question);
    EXPECT_EQ(dialogs.shown.back().text, text(text_key::custom_not_deleted_notice));
}

TEST_F(CustomCharactersTest, ADamagedCustomFileIsReportedAndTheArchiveVersionShown) {
    write_file(custom_file(), "1\t2\tgarbage\r\n");
    show_again();
    EXPECT_TRUE(dialogs.showed(QStringLiteral("6C38.wrt")));
    EXPECT_EQ(strokes_shown(), 5);
}

TEST(CustomNames, CharactersBeyondTheBasicPlaneAreNamedByTheirWholeCode) {
    const std::pair<QString, QString> names[] = {
        {QStringLiteral("永"), QStringLiteral("6C38")},
        {QString::fromUcs4(U"𠀀"), QStringLiteral("20000")},
        {QString::fromUcs4(U"𪜀"), QStringLiteral("2A700")}};
    for (const auto& [character, name] : names) {
        EXPECT_EQ(custom_name_of(character), name);
    }
}

}  // namespace
}  // namespace inkwren
