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
    CharInfo water;
    EXPECT_EQ(radical_text(water), QString());
    water.radical = 85;
    EXPECT_EQ(radical_text(water), QStringLiteral("85"));
    water.radical_form = QStringLiteral("水");
    EXPECT_EQ(radical_text(water), QStringLiteral("水 85"));
    CharInfo speech;
    speech.radical = 149;
    speech.simplified_radical = true;
    speech.radical_form = QStringLiteral("讠");
    EXPECT_EQ(radical_text(speech), QStringLiteral("讠 149'"));
}

TEST(InfoText, TheLibraryChoosesTheStrokeCountAndTheScript) {
    CharInfo guo;
    guo.strokes_simplified = 8;
    guo.strokes_traditional = 11;
    EXPECT_EQ(stroke_count(guo, false), 8);
    EXPECT_EQ(stroke_count(guo, true), 11);
    EXPECT_EQ(default_script(false), ReadingScript::pinyin);
    EXPECT_EQ(default_script(true), ReadingScript::zhuyin);
    EXPECT_EQ(first_character(QStringLiteral(" 𠀀永")), U'𠀀');
    EXPECT_EQ(first_character(QString()), char32_t(0));
}

}  // namespace
}  // namespace inkwren
