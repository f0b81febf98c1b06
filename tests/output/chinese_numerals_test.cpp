#include <gtest/gtest.h>

#include <limits>

#include "output/chinese_numerals.h"

namespace inkwren {
namespace {

// Small numbers drop the one before ten; gaps inside a group are said once; groups of four take
// their units and those above the fourth are dropped; numbers without a written form give nothing.
TEST(ChineseNumeral, WrittenForms) {
    const struct {
        double number;
        const char* written;  // UTF-8
    } cases[] = {{0, "零"},
                 {10, "十"},
                 {15, "十五"},
                 {1010, "一千零一十"},
                 {20300, "二萬零三百"},
                 {100010, "十萬零一十"},
                 {100000005, "一億零五"},
                 {1e12, "一兆"},
                 {1e16 + 2, "零二"},
                 {2.05, "二點零五"},
                 {-0.25, "負零點二五"},
                 {-0.0, "零"}};
    for (const auto& entry : cases) {
        EXPECT_EQ(chinese_numeral(entry.number), QString::fromUtf8(entry.written)) << entry.number;
    }
    EXPECT_EQ(chinese_numeral(123456789), QStringLiteral("一億二千三百四十五萬六千七百八十九"));
    EXPECT_EQ(chinese_numeral(std::numeric_limits<double>::infinity()), QString());
    EXPECT_EQ(chinese_numeral(std::numeric_limits<double>::quiet_NaN()), QString());
}

}  // namespace
}  // namespace inkwren
