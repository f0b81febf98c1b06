#include "charinfo/frequency_order.h"

#include <gtest/gtest.h>

#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

CharInfo ranked(char32_t character, int rank) {
    CharInfo info;
    info.character = character;
    info.rank = rank;
    return info;
}

TEST(FrequencyOrder, TheMostCommonComeFirstAndUnknownOnesLastAsGiven) {
    testing::TempFolder folder;
    const QString path = folder.file(QStringLiteral("字頻.dat"));
    write_char_info({ranked(U'的', 0), ranked(U'永', 900), ranked(U'國', 40), ranked(U'𠀀', 7000)},
                    path);
    const CharInfoTable table = CharInfoTable::load(path);
    const auto words = [](const char* text) {
        return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
    };
    const struct {
        const char* given;
        const char* sorted;
    } cases[] = {
        {"永 國 的", "的 國 永"},
        {"我 𠀀 鬱 永", "永 𠀀 我 鬱"},
        {"永 我 永 的", "的 永 永 我"},
        {"", ""},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(most_common_first(words(each.given), table), words(each.sorted)) << each.given;
    }
    EXPECT_EQ(most_common_first(words("永 的"), CharInfoTable()), words("永 的"));
}

}  // namespace
}  // namespace inkwren
