#include <gtest/gtest.h>

#include <limits>

#include "output/chinese_numerals.h"

namespace inkwren {
namespace {

TEST(ChineseNumeral, WrittenForms) {
    const struct {
        double number;
        const char* written;  // UTF-8
    } cases[] = {
        // Small numbers drop the one before ten.
        {0, "零"},
        {7, "七"},
        {10, "十"},
        {15, "十五"},
        {20, "二十"},
        {110, "一百一十"},
        // Gaps inside a group are said once.
        {100, "一百"},
        {105, "一百零五"},
        {1010, "一千零一十"},
        {1001, "一千零一"},
        {9999, "九千九百九十九"},
        // Groups of four take their units.
        {10000, "一萬"},
        {10001, "一萬零一"},
        {20300, "二萬零三百"},
        {100010, "十萬零一十"},
        {1000000, "一百萬"},
        {100000005, "一億零五"},
        {123456789, "一億二千三百四十五萬六千七百八十九"},
        {1e12, "一兆"},
        // Groups above the fourth are dropped.
        {1e16, "零"},
        {1e16 + 2, "零二"},
        // Fractions and signs.
        {0.5, "零點五"},
        {3.14, "三點一四"},
        {2.05, "二點零五"},
        {12.5, "十二點五"},
        {-3, "負三"},
        {-0.25, "負零點二五"},
        {-0.0, "零"},
        // Numbers without a written form give nothing.
        {std::numeric_limits<double>::infinity(), ""},
        {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(chinese_numeral(entry.number), QString::fromUtf8(entry.written)) << entry.number;
    }
}

}  // namespace
}  // namespace inkwren
