#include <gtest/gtest.h>

#include "output/character_list.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

TEST(CharacterList, OnlyChineseCharactersAreTaken) {
    EXPECT_EQ(cjk_characters(QStringLiteral("永 國,abc 鬱。1")),
              (QStringList{QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱")}));
    // Beyond the basic plane a character is one entry, not two halves.
    EXPECT_EQ(cjk_characters(QString::fromUcs4(U"𠀀x")),
              QStringList{QString::fromUcs4(U"𠀀")});
}

TEST(CharacterList, ListFilesSkipCommentsAndBlankLines) {
    testing::TempFolder folder;
    const QString path = folder.file(QStringLiteral("第一課.txt"));
    testing::write_file(path, QStringLiteral("# 第一課\n永 國\n\n  \n鬱 # 最後一個\n# 我\n").toUtf8());
    EXPECT_EQ(read_character_list(path),
              (QStringList{QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱")}));
    EXPECT_THROW(read_character_list(folder.file(QStringLiteral("沒有.txt"))), Error);
}

}  // namespace
}  // namespace inkwren
