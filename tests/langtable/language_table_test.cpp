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

TEST(SplitEntry, TheKeyEndsAtTheFirstSpaceAndTheTextLosesOnlyTheBlanksAtTheLineEnds) {
    const struct {
        QString line;
        const char* key;  // none for a line that is no entry
        QString text;
    } lines[] = {
        {"0101 檔案 (F)", "0101", "檔案 (F)"},
        {"0101    File", "0101", "File"},
        {"\t 0102 View \x01\r", "0102", "View"},
        {"8501 　第　", "8501", "　第　"},  // full-width spaces belong to the text
        {"* 主選單", nullptr, {}},
        {"  *0101 File", nullptr, {}},
        {" \t\r", nullptr, {}},
        {"0112", nullptr, {}},
        {"0112\tGrid", nullptr, {}},
    };
    for (const auto& each : lines) {
        const std::optional<LanguageEntry> entry = split_entry(each.line);
        ASSERT_EQ(entry.has_value(), each.key != nullptr) << qPrintable(each.line);
        if (entry) {
            EXPECT_EQ(entry->key, QString::fromLatin1(each.key));
            EXPECT_EQ(entry->text, each.text);
        }
    }
}

class LanguageTableTest : public ::testing::Test {
protected:
    bool load(const QByteArray& bytes, int legacy_code_page = gbk_code_page,
              const QString& name = QStringLiteral("語言.txt")) {
        write_file(folder.file(name), bytes);
        return table.load_language(folder.file(name), legacy_code_page);
    }
    QString keys() const {
        QStringList keys;
        for (const LanguageEntry& entry : table.entries()) {
            keys << entry.key;
        }
        return keys.join(u' ');
    }
    QString text(const char* key) const { return table.lookup_text(QString::fromLatin1(key)); }

    TempFolder folder;
    LanguageTable table;
};

TEST_F(LanguageTableTest, ReadsEveryLineWhateverItsLineEndAndTheFirstOfAKeyWins) {
    ASSERT_TRUE(
        load("* 主選單\r\n"
             "0101 檔案\r\n"
             "\r\n"
             "x\r\n"
             "0102 檢視\n"
             "0103 輔助\r"
             "0104 自定文字 \r\n"
             "0101 File\r\n"
             "LANGUAGE Mine\r\n"
             "0105 更新"));
    EXPECT_EQ(keys(), QStringLiteral("0101 0102 0103 0104 0101 LANGUAGE 0105"));
    EXPECT_EQ(text("0101"), QStringLiteral("檔案"));
    EXPECT_EQ(text("0103"), QStringLiteral("輔助"));
    EXPECT_EQ(text("0104"), QStringLiteral("自定文字"));
    EXPECT_EQ(text("0105"), QStringLiteral("更新"));
    // Keys compare exactly.
    EXPECT_EQ(text("LANGUAGE"), QStringLiteral("Mine"));
    for (const char* other : {"101", "01010", "language", ""}) {
        EXPECT_TRUE(text(other).isEmpty()) << other;
    }
}

TEST_F(LanguageTableTest, FilesGoBehindEachOtherInUtf8OrTheLegacyCodePageAndFailuresAddNothing) {
    ASSERT_TRUE(load("0101 檔案\r\n0102 檢視\r\n"));
    ASSERT_TRUE(load("0102 View\r\n0103 Help\r\n", gbk_code_page, QStringLiteral("english.txt")));
    EXPECT_EQ(keys(), QStringLiteral("0101 0102 0102 0103"));
    EXPECT_EQ(text("0102"), QStringLiteral("檢視"));
    EXPECT_EQ(text("0103"), QStringLiteral("Help"));
    table.clear();
    ASSERT_TRUE(load("0103 Pencil\r\n", gbk_code_page, QStringLiteral("english.txt")));
    EXPECT_TRUE(text("0101").isEmpty());
    EXPECT_EQ(text("0103"), QStringLiteral("Pencil"));
    // A missing file answers false and an unreadable one throws, both leaving the table alone.
    EXPECT_FALSE(table.load_language(folder.file("沒有這個檔案.txt"), gbk_code_page));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("資料夾.txt")));
    EXPECT_THROW(table.load_language(folder.file("資料夾.txt"), gbk_code_page), Error);
    EXPECT_EQ(keys(), QStringLiteral("0103"));
    // A file is read as UTF-8 when it is and otherwise in the legacy code page.
    const QString lines = QStringLiteral("0112 九宮格\r\n0114 閃爍棒\r\n");
    const struct {
        QByteArray bytes;
        int legacy_code_page;
    } files[] = {{to_code_page(lines, gbk_code_page), gbk_code_page},
                 {to_code_page(lines, big5_code_page), big5_code_page},
                 {lines.toUtf8(), big5_code_page},
                 {"\xEF\xBB\xBF" + lines.toUtf8(), big5_code_page}};
    for (const auto& file : files) {
        table.clear();
        ASSERT_TRUE(load(file.bytes, file.legacy_code_page));
        EXPECT_EQ(text("0112"), QStringLiteral("九宮格"));
        EXPECT_EQ(text("0114"), QStringLiteral("閃爍棒"));
    }
}

// Two targets on one item would leave another without its caption.
TEST(TextKeys, EveryCaptionTargetIsAnItemOfItsOwn) {
    std::set<std::string> items;
    for (const CaptionTarget& target : caption_targets()) {
        EXPECT_TRUE(items.insert(target.item).second) << "twice: " << target.item;
    }
}

}  // namespace
}  // namespace inkwren
