#include <gtest/gtest.h>

#include <QDir>

#include <set>

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;
using testing::write_file;

QString keys_of(const std::vector<LanguageEntry>& entries) {
    QStringList keys;
    for (const LanguageEntry& entry : entries) {
        keys << entry.key;
    }
    return keys.join(u' ');
}

// Reading single lines.

TEST(SplitEntry, KeyEndsAtTheFirstSpaceAndTheTextKeepsItsInnerSpaces) {
    const auto entry = split_entry(QStringLiteral("0101 檔案 (F)"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->key, QStringLiteral("0101"));
    EXPECT_EQ(entry->text, QStringLiteral("檔案 (F)"));

    const auto spaced = split_entry(QStringLiteral("0101    File"));
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->key, QStringLiteral("0101"));
    EXPECT_EQ(spaced->text, QStringLiteral("File"));
}

TEST(SplitEntry, BlanksAndControlCharactersAtTheEndsOfTheLineGo) {
    const auto entry = split_entry(QStringLiteral("\t 0102 View \x01\r"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->key, QStringLiteral("0102"));
    EXPECT_EQ(entry->text, QStringLiteral("View"));
}

TEST(SplitEntry, FullWidthSpacesBelongToTheText) {
    const auto entry = split_entry(QStringLiteral("8501 　第　"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text, QStringLiteral("　第　"));
}

TEST(SplitEntry, CommentsShortLinesAndKeysWithoutTextGiveNoEntry) {
    for (const QString& line :
         {QStringLiteral("* 主選單"), QStringLiteral("  *0101 File"), QStringLiteral("x"),
          QStringLiteral("字"), QString(), QStringLiteral(" \t\r"), QStringLiteral("0112"),
          QStringLiteral("0112   "), QStringLiteral("0112\tGrid"), QStringLiteral("LANGUAGE")}) {
        EXPECT_FALSE(split_entry(line)) << line.toStdString();
    }
}

// Loading files into a table.

class LanguageTableTest : public ::testing::Test {
protected:
    QString language_file(const QByteArray& bytes, const QString& name = "語言.txt") {
        write_file(folder.file(name), bytes);
        return folder.file(name);
    }
    bool load(const QByteArray& bytes, int legacy_code_page = gbk_code_page) {
        return table.load_language(language_file(bytes), legacy_code_page);
    }

    TempFolder folder;
    LanguageTable table;
};

TEST_F(LanguageTableTest, ReadsEveryLineWhateverItsLineEndAndSkipsComments) {
    ASSERT_TRUE(
        load("* 主選單\r\n"
             "0101 檔案\r\n"
             "\r\n"
             "x\r\n"
             "0102 檢視\n"
             "0103 輔助\r"
             "0104 自定文字 \r\n"
             "0105 更新"));
    EXPECT_EQ(keys_of(table.entries()), QStringLiteral("0101 0102 0103 0104 0105"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0102")), QStringLiteral("檢視"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0103")), QStringLiteral("輔助"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0104")), QStringLiteral("自定文字"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0105")), QStringLiteral("更新"));
}

TEST_F(LanguageTableTest, FirstOfTwoEntriesWithOneKeyWins) {
    ASSERT_TRUE(load("0112 九宮格\r\n0112 Grid\r\n"));
    EXPECT_EQ(table.entries().size(), 2u);
    EXPECT_EQ(table.lookup_text(QStringLiteral("0112")), QStringLiteral("九宮格"));
}

TEST_F(LanguageTableTest, KeysCompareExactly) {
    ASSERT_TRUE(load("0101 File\r\nLANGUAGE Mine\r\n"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0101")), QStringLiteral("File"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("LANGUAGE")), QStringLiteral("Mine"));
    EXPECT_TRUE(table.lookup_text(QStringLiteral("101")).isEmpty());
    EXPECT_TRUE(table.lookup_text(QStringLiteral("01010")).isEmpty());
    EXPECT_TRUE(table.lookup_text(QStringLiteral("language")).isEmpty());
    EXPECT_TRUE(table.lookup_text(QString()).isEmpty());
}

TEST_F(LanguageTableTest, ASecondFileIsAppendedBehindTheFirst) {
    ASSERT_TRUE(load("0101 檔案\r\n0102 檢視\r\n"));
    ASSERT_TRUE(table.load_language(language_file("0102 View\r\n0103 Help\r\n", "english.txt"),
                                    gbk_code_page));
    EXPECT_EQ(keys_of(table.entries()), QStringLiteral("0101 0102 0102 0103"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0102")), QStringLiteral("檢視"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0103")), QStringLiteral("Help"));
}

TEST_F(LanguageTableTest, ARefilledTableHasNoTextForKeysTheNewFileLacks) {
    ASSERT_TRUE(load("0112 九宮格\r\n0113 鉛筆\r\n"));
    table.clear();
    EXPECT_TRUE(table.entries().empty());
    ASSERT_TRUE(
        table.load_language(language_file("0113 Pencil\r\n", "english.txt"), gbk_code_page));
    EXPECT_TRUE(table.lookup_text(QStringLiteral("0112")).isEmpty());
    EXPECT_EQ(table.lookup_text(QStringLiteral("0113")), QStringLiteral("Pencil"));
}

TEST_F(LanguageTableTest, MissingFileAnswersFalseAndLeavesTheTableAlone) {
    ASSERT_TRUE(load("0101 檔案\r\n"));
    EXPECT_FALSE(table.load_language(folder.file("沒有這個檔案.txt"), gbk_code_page));
    EXPECT_EQ(keys_of(table.entries()), QStringLiteral("0101"));
}

TEST_F(LanguageTableTest, UnreadableFileThrowsAndLeavesTheTableAlone) {
    ASSERT_TRUE(load("0101 檔案\r\n"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("資料夾.txt")));
    EXPECT_THROW(table.load_language(folder.file("資料夾.txt"), gbk_code_page), Error);
    EXPECT_EQ(keys_of(table.entries()), QStringLiteral("0101"));
}

TEST_F(LanguageTableTest, FileThatIsNotUtf8IsReadThroughTheLegacyCodePage) {
    const QString text = QStringLiteral("0112 九宮格\r\n0114 閃爍棒\r\n");
    const QByteArray gbk_bytes = to_code_page(text, gbk_code_page);
    ASSERT_NE(QString::fromUtf8(gbk_bytes), text);
    ASSERT_TRUE(load(gbk_bytes, gbk_code_page));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0112")), QStringLiteral("九宮格"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0114")), QStringLiteral("閃爍棒"));

    table.clear();
    ASSERT_TRUE(load(to_code_page(text, big5_code_page), big5_code_page));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0114")), QStringLiteral("閃爍棒"));
}

TEST_F(LanguageTableTest, Utf8FileIsReadAsUtf8WithOrWithoutByteOrderMark) {
    ASSERT_TRUE(
        load("\xEF\xBB\xBF"
             "0101 檔案\r\n0102 檢視",
             big5_code_page));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0101")), QStringLiteral("檔案"));
    EXPECT_EQ(table.lookup_text(QStringLiteral("0102")), QStringLiteral("檢視"));
}

// The keys the program asks for outside the menus.

TEST(TextKeys, EveryKeyIsAskedForOnceAndOnlyTheUserFileHoldsTheLanguageName) {
    std::set<QString> seen;
    for (const QString& key : all_text_keys()) {
        EXPECT_TRUE(seen.insert(key).second) << "twice: " << key.toStdString();
    }
    EXPECT_FALSE(seen.contains(QString::fromUtf8(text_key::user_language_caption)));
    for (const CaptionTarget& target : caption_targets()) {
        EXPECT_TRUE(seen.contains(QString::fromUtf8(target.key))) << target.key;
    }
    for (const QString& key : sheet_dialog_keys()) {
        EXPECT_TRUE(seen.contains(key)) << key.toStdString();
    }
}

TEST(TextKeys, EachCaptionTargetIsCaptionedOnce) {
    std::set<std::string> items;
    for (const CaptionTarget& target : caption_targets()) {
        EXPECT_TRUE(items.insert(target.item).second) << "twice: " << target.item;
    }
}

}  // namespace
}  // namespace inkwren
