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

const QStringList yong_guo_yu{QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱")};

QByteArray utf16(const QString& text, QStringEncoder::Encoding encoding, bool bom) {
    QStringEncoder encoder(encoding,
                           bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder.encode(text);
}

// Beyond the basic plane a character is one entry, not two halves.
TEST(CharacterList, OnlyChineseCharactersAreTakenFromUtf8ListsOfBoundedSize) {
    EXPECT_EQ(cjk_characters(QStringLiteral("永 國,abc 鬱。1")), yong_guo_yu);
    EXPECT_EQ(cjk_characters(QString::fromUcs4(U"𠀀x")), QStringList{QString::fromUcs4(U"𠀀")});
    testing::TempFolder folder;
    const QString path = folder.file(QStringLiteral("第一課.txt"));
    testing::write_file(path, "\xEF\xBB\xBF# 第一課\n永 國\n\n  \n鬱 # 最後一個\n# 我\n");
    EXPECT_EQ(read_character_list(path), yong_guo_yu);
    EXPECT_THROW(read_character_list(folder.file(QStringLiteral("沒有.txt"))), Error);

    // Lists in other encodings than UTF-8 are refused as such; huge or endless files unread.
    const QString lesson = QStringLiteral("# 第一課\n永 國 我\n");
    const auto refusal = [&](const QString& list) {
        return testing::error_of([&] { read_character_list(list); });
    };
    for (const QByteArray& bytes :
         {to_code_page(lesson, big5_code_page), utf16(lesson, QStringEncoder::Utf16LE, false),
          utf16(QStringLiteral("永國"), QStringEncoder::Utf16BE, true)}) {
        testing::write_file(path, bytes);
        EXPECT_TRUE(refusal(path).contains(QStringLiteral("not UTF-8"))) << bytes.toHex().data();
    }
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(character_list_limit + 1));
    huge.close();
    EXPECT_TRUE(refusal(path).contains(QStringLiteral("too large")));
    EXPECT_TRUE(refusal(QStringLiteral("/dev/zero")).contains(QStringLiteral("ordinary file")));
}

}  // namespace
}  // namespace inkwren
