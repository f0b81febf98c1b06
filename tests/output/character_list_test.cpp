#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>

#include "output/character_list.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

TEST(CharacterList, OnlyChineseCharactersAreTakenAndListFilesSkipCommentsAndBlankLines) {
    EXPECT_EQ(cjk_characters(QStringLiteral("永 國,abc 鬱。1")),
              (QStringList{QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱")}));
    // Beyond the basic plane a character is one entry, not two halves.
    EXPECT_EQ(cjk_characters(QString::fromUcs4(U"𠀀x")), QStringList{QString::fromUcs4(U"𠀀")});
    // List files skip comments and blank lines.
    testing::TempFolder folder;
    const QString path = folder.file(QStringLiteral("第一課.txt"));
    testing::write_file(path,
                        QStringLiteral("# 第一課\n永 國\n\n  \n鬱 # 最後一個\n# 我\n").toUtf8());
    EXPECT_EQ(read_character_list(path),
              (QStringList{QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱")}));
    EXPECT_THROW(read_character_list(folder.file(QStringLiteral("沒有.txt"))), Error);
}

// The message the reader gives for a list.
QString refusal_of(const QString& path) {
    return testing::error_of([&] { read_character_list(path); });
}

const QString lesson = QStringLiteral("# 第一課\n永 國 我\n");

QByteArray utf16(const QString& text, QStringEncoder::Encoding encoding, bool bom) {
    QStringEncoder encoder(encoding,
                           bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder.encode(text);
}

TEST(CharacterList, ListsInOtherEncodingsThanUtf8AreRefusedAsSuch) {
    const struct {
        const char* name;
        QByteArray bytes;
    } lists[] = {
        {"GBK", to_code_page(lesson, gbk_code_page)},
        {"Big5", to_code_page(lesson, big5_code_page)},
        {"UTF-16LE with BOM", utf16(lesson, QStringEncoder::Utf16LE, true)},
        {"UTF-16LE", utf16(lesson, QStringEncoder::Utf16LE, false)},
        {"UTF-16BE", utf16(lesson, QStringEncoder::Utf16BE, false)},
        {"UTF-16BE with BOM, no ASCII",
         utf16(QStringLiteral("永國"), QStringEncoder::Utf16BE, true)},
    };
    testing::TempFolder folder;
    for (const auto& list : lists) {
        const QString path = folder.file(QStringLiteral("課文.txt"));
        testing::write_file(path, list.bytes);
        EXPECT_TRUE(refusal_of(path).contains(QStringLiteral("not UTF-8"))) << list.name;
    }
    const QString with_bom = folder.file(QStringLiteral("有BOM.txt"));
    testing::write_file(with_bom, "\xEF\xBB\xBF" + lesson.toUtf8());
    EXPECT_EQ(read_character_list(with_bom).size(), 3);
}

TEST(CharacterList, HugeOrEndlessFilesAreRefusedUnread) {
    testing::TempFolder folder;
    const QString huge = folder.file(QStringLiteral("大.txt"));
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(character_list_limit + 1));
    file.close();
    EXPECT_TRUE(refusal_of(huge).contains(QStringLiteral("too large")));
    EXPECT_TRUE(refusal_of(QStringLiteral("/dev/zero")).contains(QStringLiteral("ordinary file")));
}

}  // namespace
}  // namespace inkwren
