// The built character information file against Unihan, for every character of the package.
#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>

#include "charinfo/char_info.h"
#include "tests/tools/char_info_printing.h"
#include "tools/char_info/package_list.h"
#include "tools/char_info/unihan_char_info.h"
#include "tools/char_info/unihan_source.h"

namespace inkwren::tools {
namespace {

TEST(CharInfoFile, EveryCharacterOfThePackageHoldsWhatUnihanGives) {
    const QString path = QStringLiteral(INKWREN_INSTALLATION_DIR "/") + char_info_file_name;
    const QString unihan = QStringLiteral(INKWREN_UNIHAN_DIR);
    if (!QFileInfo::exists(path) || !QFileInfo::exists(unihan + "/" + unihan_file_names[0])) {
        GTEST_SKIP() << "the installation folder has not been built";
    }
    const std::set<char32_t> characters =
        stroke_package_characters(QStringLiteral(INKWREN_STROKE_PACKAGE_DIR));
    const std::vector<CharInfo> wanted = char_infos_of(
        read_unihan(unihan, characters), read_radical_forms(QStringLiteral(INKWREN_CJK_RADICALS)));
    const CharInfoTable table = CharInfoTable::load(path);
    ASSERT_EQ(table.size(), wanted.size());
    std::set<int> ranks;
    auto next = wanted.begin();
    for (const char32_t character : characters) {
        const std::optional<CharInfo> written = table.find(character);
        if (next == wanted.end() || next->character != character) {
            EXPECT_FALSE(written) << text_of({character}) << " has no Unihan field but is written";
            continue;
        }
        ASSERT_TRUE(written) << text_of({character}) << " is missing";
        EXPECT_EQ(*written, *next);
        ranks.insert(written->rank);
        ++next;
    }
    EXPECT_EQ(next, wanted.end());
    EXPECT_EQ(ranks.size(), wanted.size()) << "two characters share a rank";
    EXPECT_EQ(*ranks.rbegin(), int(wanted.size()) - 1);
}

}  // namespace
}  // namespace inkwren::tools
