#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/error.h"

namespace inkwren {
namespace {

TEST(CodePage, ConvertsToBig5AndGbkWithQuestionMarksForWhatTheyLack) {
    const struct {
        QString text;
        int code_page;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("永"), big5_code_page, "\xA5\xC3"},
        {QStringLiteral("永"), gbk_code_page, "\xD3\xC0"},
        {QStringLiteral("国"), big5_code_page, "?"},
        // A character outside the BMP is one character, so one question mark.
        {QStringLiteral("😀a"), big5_code_page, "?a"},
        // Conversion stops at an embedded zero.
        {QStringLiteral("永") + QChar(0) + QStringLiteral("國"), big5_code_page, "\xA5\xC3"},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(to_code_page(each.text, each.code_page), each.bytes) << qPrintable(each.text);
    }
    EXPECT_EQ(from_code_page("\xB0\xEA", big5_code_page), QStringLiteral("國"));
    EXPECT_THROW(to_code_page(QStringLiteral("a"), 1252), Error);
    EXPECT_THROW(from_code_page("a", 65001), Error);
}

}  // namespace
}  // namespace inkwren
