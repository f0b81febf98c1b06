#include "charinfo/reading_search.h"

#include <gtest/gtest.h>

namespace inkwren {
namespace {

ReadingIndex small_index() {
    return ReadingIndex({
        {U'泳', {"yǒng"}, 7},
        {U'的', {"de", "dí", "dì"}, 0},
        {U'地', {"dì", "de"}, 1},
        {U'用', {"yòng"}, 2},
        {U'女', {"nǚ"}, 3},
        {U'永', {"yǒng"}, 4},
        {U'勇', {"yǒng"}, 5},
        {U'绿', {"lǜ", "lù"}, 6},  // as common as 綠, which has the lower code point
        {U'綠', {"lǜ", "lù"}, 6},
        {U'嗯', {"ǹg", "ńg"}, 8},
        {U'㐀', {"qiū", "xyz"}, 9},  // a reading that is no syllable is passed over
    });
}

TEST(ReadingIndex, TheCharactersOfATypedReadingMostCommonFirst) {
    const ReadingIndex index = small_index();
    const struct {
        QString typed;
        std::u32string characters;
    } queries[] =
        {
            {"yong", U"用永勇泳"},  {"yong3", U"永勇泳"}, {"yǒng", U"永勇泳"},
            {" YONG3 ", U"永勇泳"}, {"ㄩㄥˇ", U"永勇泳"}, {"ㄩㄥˋ", U"用"},
            {"ㄩㄥ", U""},                            // zhuyin without a sign is the first tone
            {"yong1", U""},         {"di", U"的地"},  // 的 once for dí and dì
            {"di4", U"的地"},       {"di2", U"的"},       {"de", U"的地"},
            {"de5", U"的地"},       {"˙ㄉㄜ", U"的地"},   {"lü", U"綠绿"},
            {"lv4", U"綠绿"},       {"lu", U"綠绿"},      {"nv3", U"女"},
            {"ㄋㄩˇ", U"女"},       {"ng", U"嗯"},        {"qiu", U"㐀"},
            {"xyz", U""},           {"永", U""},          {"", U""},
        };
    for (const auto& each : queries) {
        SCOPED_TRACE(qPrintable(each.typed));
        const std::vector<char32_t> found = index.characters_read_as(each.typed);
        EXPECT_EQ(std::u32string(found.begin(), found.end()), each.characters);
    }
}

TEST(ReadingIndex, StopsAtTheLimit) {
    const ReadingIndex index = small_index();
    EXPECT_EQ(index.characters_read_as(u"yong", 2), (std::vector<char32_t>{U'用', U'永'}));
    EXPECT_EQ(index.characters_read_as(u"di", 1), (std::vector<char32_t>{U'的'}));
    EXPECT_TRUE(index.characters_read_as(u"yong", 0).empty());
    EXPECT_TRUE(ReadingIndex().characters_read_as(u"yong").empty());
}

}  // namespace
}  // namespace inkwren
