#include <gtest/gtest.h>

#include <QDir>

#include <map>
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

// The keys and the language files we ship.

QString shipped_file(const char* name) {
    return QString::fromUtf8(INKWREN_DATA_DIR) + u'/' + QString::fromUtf8(name);
}

LanguageTable shipped_table(const char* name) {
    LanguageTable table;
    if (!table.load_language(shipped_file(name), gbk_code_page)) {
        ADD_FAILURE() << "missing " << shipped_file(name).toStdString();
    }
    return table;
}

const char* const shipped_files[] = {traditional_language_file, simplified_language_file,
                                     english_language_file};

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

TEST(ShippedLanguageFiles, HoldATextForEveryKeyTheProgramAsksFor) {
    for (const char* name : shipped_files) {
        const LanguageTable table = shipped_table(name);
        QStringList missing;
        for (const QString& key : all_text_keys()) {
            if (table.lookup_text(key).isEmpty()) {
                missing << key;
            }
        }
        EXPECT_TRUE(missing.isEmpty()) << name << " lacks " << missing.join(u' ').toStdString();
    }
}

TEST(ShippedLanguageFiles, HoldEachKeyOnceAndNoKeyTheProgramNeverAsksFor) {
    const std::vector<QString> asked = all_text_keys();
    const std::set<QString> known(asked.begin(), asked.end());
    for (const char* name : shipped_files) {
        const LanguageTable table = shipped_table(name);
        std::set<QString> seen;
        for (const LanguageEntry& entry : table.entries()) {
            EXPECT_TRUE(known.contains(entry.key)) << name << ": " << entry.key.toStdString();
            EXPECT_TRUE(seen.insert(entry.key).second)
                << name << " twice: " << entry.key.toStdString();
        }
    }
}

TEST(ShippedLanguageFiles, TraditionalFileShowsTheDesignedCaptions) {
    // clang-format off
    const std::map<QString, QString> designed = {
        {"9000", "Inkwren"}, {"0101", "檔案"}, {"0102", "檢視"}, {"0103", "輔助"},
        {"0104", "自定文字"}, {"0105", "更新"}, {"0106", "刪除"}, {"0107", "動畫"},
        {"0108", "輸出到網頁動畫(Gif)"}, {"0109", "儲存筆劃檔案..."}, {"0110", "儲存設定..."},
        {"0111", "開啟練習簿"}, {"0112", "九宮格"}, {"0113", "鉛筆"}, {"0114", "閃爍棒"},
        {"0115", "使用自定文字"}, {"0116", "軟件更新..."}, {"0117", "使用說明"}, {"0119", "語系"},
        {"0120", "中文(繁體)"}, {"0121", "中文(簡體)"}, {"0122", "英文 / English"},
        {"0183", "編碼"}, {"0192", "Unicode (Traditional)"}, {"0193", "Unicode (Simplified)"},
        {"0184", "Big 5"}, {"0185", "GB"}, {"0187", "離開"}, {"0188", "逐格筆順"},
        {"0189", "字庫"}, {"0190", "繁體字庫"}, {"0191", "簡體字庫"}, {"0194", "設定..."},
        {"0195", "Autodetect"}, {"8007", "筆速"}, {"8008", "筆劃時距"}, {"0200", "加入閃爍棒"},
        {"0201", "刪除閃爍棒"}, {"0202", "刪除這個自定的文字"}, {"0203", "置於螢光幕最上層"},
        {"1020", "關於本軟件....."}, {"0401", "檔案輸出設定"}, {"0402", "檔案儲存路徑"},
        {"0403", "選擇..."}, {"0404", "筆劃圖片輸出設定"}, {"0405", "每行圖片數目"},
        {"0406", "顯示筆劃數目字"}, {"0407", "字型..."}, {"0408", "顯示文字淡底色"},
        {"0409", "顯示九宮格"}, {"0410", "筆劃數目字"}, {"0411", "中國"}, {"0412", "阿拉伯"},
        {"0413", "筆劃數目字款式"}, {"0414", "顯示為「第...劃」"}, {"0415", "只顯示數目字"},
        {"0416", "靠左"}, {"0417", "齊中"}, {"0418", "靠右"}, {"0419", "圖片筆劃數目"},
        {"0420", "只顯示淡底色字形"}, {"0421", "每格圖片一筆劃"}, {"0422", "每格圖片累積筆劃"},
        {"0423", "九宮格格內線款式"}, {"0424", "實線"}, {"0425", "虛線"}, {"0426", "細點"},
        {"0427", "筆劃顏色"}, {"0428", "按用戶自定顏色"}, {"0429", "交疊色顯示"},
        {"0430", "系統預設(黑色)"}, {"0431", "主色"}, {"0432", "副色"}, {"0433", "確定"},
        {"0434", "取消"}, {"8501", "第"}, {"8502", "劃"}};
    // clang-format on
    const LanguageTable table = shipped_table(traditional_language_file);
    for (const auto& [key, text] : designed) {
        EXPECT_EQ(table.lookup_text(key), text) << key.toStdString();
    }
}

}  // namespace
}  // namespace inkwren
