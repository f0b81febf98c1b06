#include "charinfo/info_text.h"

#include <gtest/gtest.h>

namespace inkwren {
namespace {

CharInfo info(QStringList readings, QString definition) {
    CharInfo made;
    made.character = U'永';
    made.readings = std::move(readings);
    made.definition = std::move(definition);
    return made;
}

// Zhuyin itself is the syllable tables' business; here only that it reaches the line, and that
// a reading they do not know keeps its pinyin rather than vanishing.
TEST(InfoText, TheLineJoinsWhatIsKnownWithoutAStraySeparator) {
    const QString de = QStringLiteral("possessive, adjectival suffix");
    const struct {
        CharInfo info;
        ReadingScript script;
        QString readings;
        QString line;
    } cases[] = {
        {info({QStringLiteral("de"), QStringLiteral("dí"), QStringLiteral("dì")}, de),
         ReadingScript::pinyin, QStringLiteral("de, dí, dì"),
         QStringLiteral("de, dí, dì  possessive, adjectival suffix")},
        {info({QStringLiteral("yǒng")}, {}), ReadingScript::pinyin, QStringLiteral("yǒng"),
         QStringLiteral("yǒng")},
        {info({}, de), ReadingScript::pinyin, {}, de},
        {info({}, QStringLiteral("  long, eternal ")),
         ReadingScript::both,
         {},
         QStringLiteral("long, eternal")},
        {info({QStringLiteral("yǒng")}, de), ReadingScript::none, {}, de},
        {info({}, {}), ReadingScript::zhuyin, {}, {}},
        {info({QStringLiteral("yǒng")}, QStringLiteral("long, perpetual, eternal, forever")),
         ReadingScript::both, QStringLiteral("yǒng ㄩㄥˇ"),
         QStringLiteral("yǒng ㄩㄥˇ  long, perpetual, eternal, forever")},
        {info({QStringLiteral("de"), QStringLiteral("dí")}, de), ReadingScript::zhuyin,
         QStringLiteral("˙ㄉㄜ, ㄉㄧˊ"), QStringLiteral("˙ㄉㄜ, ㄉㄧˊ  ") + de},
        {info({QStringLiteral("xyz"), QStringLiteral("yǒng")}, {}), ReadingScript::zhuyin,
         QStringLiteral("xyz, ㄩㄥˇ"), QStringLiteral("xyz, ㄩㄥˇ")},
        {info({QStringLiteral("xyz")}, {}), ReadingScript::both, QStringLiteral("xyz"),
         QStringLiteral("xyz")},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(readings_text(each.info, each.script), each.readings) << each.line.toStdString();
        EXPECT_EQ(info_line(each.info, each.script), each.line);
    }
}

TEST(InfoText, RadicalsNameTheirFormAndNumberASimplifiedOneMarked) {
    CharInfo radical;
    const struct {
        int number;
        bool simplified;
        const char* form;
        const char* text;
    } cases[] = {{0, false, "", ""},
                 {85, false, "", "85"},
                 {85, false, "水", "水 85"},
                 {149, true, "讠", "讠 149'"}};
    for (const auto& each : cases) {
        radical.radical = each.number;
        radical.simplified_radical = each.simplified;
        radical.radical_form = QString::fromUtf8(each.form);
        EXPECT_EQ(radical_text(radical), QString::fromUtf8(each.text));
    }
    EXPECT_EQ(first_character(QStringLiteral(" 𠀀永")), U'𠀀') << "past blanks, whole";
    EXPECT_EQ(first_character(QStringLiteral("  ")), char32_t(0));
}

}  // namespace
}  // namespace inkwren
