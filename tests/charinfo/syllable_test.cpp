#include "charinfo/syllable.h"

#include <gtest/gtest.h>

#include <QSet>

namespace inkwren {

void PrintTo(const Syllable& syllable, std::ostream* out) {
    *out << syllable.letters.toStdString() << syllable.tone;
}

namespace {

TEST(Syllable, EachSpellingOfATableOfSyllables) {
    const struct {
        const char* letters;
        int tone;
        QString pinyin;
        QString zhuyin;
    } syllables[] = {
        // The buzzing vowel is not written in zhuyin.
        {"zhi", 1, "zhī", "ㄓ"},
        {"chi", 2, "chí", "ㄔˊ"},
        {"shi", 4, "shì", "ㄕˋ"},
        {"ri", 4, "rì", "ㄖˋ"},
        {"zi", 3, "zǐ", "ㄗˇ"},
        {"ci", 2, "cí", "ㄘˊ"},
        {"si", 1, "sī", "ㄙ"},
        // ü, written u after j, q, x and y.
        {"lü", 4, "lǜ", "ㄌㄩˋ"},
        {"lü", 2, "lǘ", "ㄌㄩˊ"},
        {"nü", 3, "nǚ", "ㄋㄩˇ"},
        {"lüe", 4, "lüè", "ㄌㄩㄝˋ"},
        {"nüe", 4, "nüè", "ㄋㄩㄝˋ"},
        {"ju", 2, "jú", "ㄐㄩˊ"},
        {"qu", 4, "qù", "ㄑㄩˋ"},
        {"xu", 1, "xū", "ㄒㄩ"},
        {"jue", 2, "jué", "ㄐㄩㄝˊ"},
        {"quan", 2, "quán", "ㄑㄩㄢˊ"},
        {"xun", 4, "xùn", "ㄒㄩㄣˋ"},
        {"yu", 3, "yǔ", "ㄩˇ"},
        {"yue", 4, "yuè", "ㄩㄝˋ"},
        {"yuan", 2, "yuán", "ㄩㄢˊ"},
        {"yun", 2, "yún", "ㄩㄣˊ"},
        // y and w standing for a medial.
        {"yi", 1, "yī", "ㄧ"},
        {"ya", 2, "yá", "ㄧㄚˊ"},
        {"yo", 1, "yō", "ㄧㄛ"},
        {"ye", 3, "yě", "ㄧㄝˇ"},
        {"yao", 4, "yào", "ㄧㄠˋ"},
        {"you", 3, "yǒu", "ㄧㄡˇ"},
        {"yan", 4, "yàn", "ㄧㄢˋ"},
        {"yin", 1, "yīn", "ㄧㄣ"},
        {"yang", 2, "yáng", "ㄧㄤˊ"},
        {"ying", 2, "yíng", "ㄧㄥˊ"},
        {"wu", 3, "wǔ", "ㄨˇ"},
        {"wo", 3, "wǒ", "ㄨㄛˇ"},
        {"wai", 4, "wài", "ㄨㄞˋ"},
        {"wei", 4, "wèi", "ㄨㄟˋ"},
        {"wen", 2, "wén", "ㄨㄣˊ"},
        {"wang", 2, "wáng", "ㄨㄤˊ"},
        {"weng", 1, "wēng", "ㄨㄥ"},
        // ong and iong.
        {"tong", 2, "tóng", "ㄊㄨㄥˊ"},
        {"song", 4, "sòng", "ㄙㄨㄥˋ"},
        {"yong", 3, "yǒng", "ㄩㄥˇ"},
        {"xiong", 2, "xióng", "ㄒㄩㄥˊ"},
        {"jiong", 3, "jiǒng", "ㄐㄩㄥˇ"},
        // iu, ui, un: the mark on the last vowel.
        {"liu", 2, "liú", "ㄌㄧㄡˊ"},
        {"diu", 1, "diū", "ㄉㄧㄡ"},
        {"gui", 4, "guì", "ㄍㄨㄟˋ"},
        {"shui", 3, "shuǐ", "ㄕㄨㄟˇ"},
        {"dun", 1, "dūn", "ㄉㄨㄣ"},
        {"lun", 2, "lún", "ㄌㄨㄣˊ"},
        // The neutral tone's dot goes first.
        {"de", 5, "de", "˙ㄉㄜ"},
        {"ma", 5, "ma", "˙ㄇㄚ"},
        {"lo", 5, "lo", "˙ㄌㄛ"},
        // No initial.
        {"a", 1, "ā", "ㄚ"},
        {"o", 2, "ó", "ㄛˊ"},
        {"e", 4, "è", "ㄜˋ"},
        {"ê", 2, "ế", "ㄝˊ"},
        {"er", 2, "ér", "ㄦˊ"},
        {"ai", 4, "ài", "ㄞˋ"},
        {"ou", 3, "ǒu", "ㄡˇ"},
        {"ang", 2, "áng", "ㄤˊ"},
        {"eng", 1, "ēng", "ㄥ"},
        // Interjections without a vowel.
        {"m", 2, "ḿ", "ㄇˊ"},
        {"n", 3, "ň", "ㄋˇ"},
        {"ng", 4, "ǹg", "ㄫˋ"},
        {"hm", 5, "hm", "˙ㄏㄇ"},
        {"hng", 2, "hńg", "ㄏㄫˊ"},
        // The rest: a on a, e on e, o of ou.
        {"bo", 1, "bō", "ㄅㄛ"},
        {"fo", 2, "fó", "ㄈㄛˊ"},
        {"mou", 2, "móu", "ㄇㄡˊ"},
        {"lou", 4, "lòu", "ㄌㄡˋ"},
        {"gei", 3, "gěi", "ㄍㄟˇ"},
        {"hao", 3, "hǎo", "ㄏㄠˇ"},
        {"kan", 4, "kàn", "ㄎㄢˋ"},
        {"ren", 2, "rén", "ㄖㄣˊ"},
        {"chang", 2, "cháng", "ㄔㄤˊ"},
        {"zheng", 4, "zhèng", "ㄓㄥˋ"},
        {"lia", 3, "liǎ", "ㄌㄧㄚˇ"},
        {"xie", 4, "xiè", "ㄒㄧㄝˋ"},
        {"niang", 2, "niáng", "ㄋㄧㄤˊ"},
        {"qiao", 3, "qiǎo", "ㄑㄧㄠˇ"},
        {"jian", 4, "jiàn", "ㄐㄧㄢˋ"},
        {"min", 2, "mín", "ㄇㄧㄣˊ"},
        {"ping", 2, "píng", "ㄆㄧㄥˊ"},
        {"hua", 4, "huà", "ㄏㄨㄚˋ"},
        {"guo", 2, "guó", "ㄍㄨㄛˊ"},
        {"kuai", 4, "kuài", "ㄎㄨㄞˋ"},
        {"chuan", 2, "chuán", "ㄔㄨㄢˊ"},
        {"zhun", 3, "zhǔn", "ㄓㄨㄣˇ"},
        {"shuang", 1, "shuāng", "ㄕㄨㄤ"},
        {"zhuai", 3, "zhuǎi", "ㄓㄨㄞˇ"},
    };
    for (const auto& each : syllables) {
        const Syllable syllable{QString::fromUtf8(each.letters), each.tone};
        SCOPED_TRACE(each.letters);
        EXPECT_EQ(marked_pinyin(syllable), each.pinyin);
        EXPECT_EQ(zhuyin_of(syllable), each.zhuyin);
        EXPECT_EQ(zhuyin_of_pinyin(each.pinyin), each.zhuyin);
        // The neutral tone reads back as "not given" from unmarked pinyin.
        EXPECT_EQ(parse_pinyin(each.pinyin), (Syllable{syllable.letters, each.tone % 5}));
        EXPECT_EQ(parse_zhuyin(each.zhuyin), syllable);
    }
}

TEST(Syllable, EverySyllableReadsBackFromItsZhuyinAndItsPinyinInEveryTone) {
    const QStringList& all = mandarin_syllables();
    EXPECT_GE(all.size(), 410);
    QSet<QString> zhuyin_seen;
    for (const QString& letters : all) {
        for (int tone = 0; tone <= 5; ++tone) {
            const Syllable syllable{letters, tone};
            SCOPED_TRACE(qPrintable(marked_pinyin(syllable)));
            EXPECT_EQ(parse_pinyin(marked_pinyin(syllable)), (Syllable{letters, tone % 5}));
            EXPECT_EQ(parse_pinyin(letters + QString::number(tone)),
                      (Syllable{letters, tone == 0 ? 5 : tone}));
            if (tone != 0) {
                EXPECT_EQ(parse_zhuyin(zhuyin_of(syllable)), syllable);
            }
        }
        zhuyin_seen.insert(zhuyin_of({letters, 1}));
    }
    EXPECT_EQ(zhuyin_seen.size(), all.size());  // no two syllables share a zhuyin
}

TEST(Syllable, PinyinAsTypedOrAsUnihanWritesIt) {
    const struct {
        QString text;
        const char* letters;  // none when it is no syllable
        int tone;
    } cases[] = {
        {"yǒng", "yong", 3},
        {"yong3", "yong", 3},
        {"yong", "yong", 0},
        {"yong5", "yong", 5},
        {"yong0", "yong", 5},
        {"YONG3", "yong", 3},
        {"Yǒng", "yong", 3},
        {" \tyong \n", "yong", 0},
        {"yo\u030Cng", "yong", 3},  // the mark as a separate character
        {"lv4", "lü", 4},
        {"lu:4", "lü", 4},
        {"LÜ4", "lü", 4},
        {"Lǚ", "lü", 3},
        {"nve4", "nüe", 4},
        {"lue4", "lüe", 4},  // no "lue" but lüe, so the dots may be left off
        {"ǹg", "ng", 4},
        {"m\u0300", "m", 4},
        {"ń", "n", 2},
        {"ê\u0304", "ê", 1},
        {"ă", "a", 3},  // a breve typed for the caron
        {"", nullptr, 0},
        {"  ", nullptr, 0},
        {"xyz", nullptr, 0},
        {"yeng", nullptr, 0},
        {"yong3a", nullptr, 0},
        {"yong 3", nullptr, 0},
        {"yong6", nullptr, 0},
        {"yǒng3", nullptr, 0},  // two tones
        {"yóňg", nullptr, 0},
        {"jv", nullptr, 0},  // ü after j is written u
        {"lu:e:", nullptr, 0},
        {"zhongguo", nullptr, 0},
        {"永", nullptr, 0},
        {"ㄩㄥˇ", nullptr, 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(qPrintable(each.text));
        const std::optional<Syllable> expected =
            each.letters ? std::optional(Syllable{QString::fromUtf8(each.letters), each.tone})
                         : std::nullopt;
        EXPECT_EQ(parse_pinyin(each.text), expected);
    }
}

TEST(Syllable, ZhuyinToneSignsInTheirPlaces) {
    const struct {
        QString text;
        const char* letters;
        int tone;
    } cases[] = {
        {"ㄩㄥ", "yong", 1},   {"ㄩㄥˉ", "yong", 1},   {" ㄩㄥˇ ", "yong", 3},
        {"ㄉㄜ˙", "de", 5},    {"˙ㄉㄜ", "de", 5},     {"ㄨㄥ", "weng", 1},
        {"ㄊㄨㄥ", "tong", 1}, {"˙ㄉㄜˋ", nullptr, 0}, {"ㄩㄥˇˇ", nullptr, 0},
        {"ˇ", nullptr, 0},     {"˙", nullptr, 0},      {"ㄅㄧㄥㄅ", nullptr, 0},
        {"ㄅ", nullptr, 0},    {"yong", nullptr, 0},   {"", nullptr, 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(qPrintable(each.text));
        const std::optional<Syllable> expected =
            each.letters ? std::optional(Syllable{QString::fromUtf8(each.letters), each.tone})
                         : std::nullopt;
        EXPECT_EQ(parse_zhuyin(each.text), expected);
    }
    EXPECT_EQ(zhuyin_of({"yeng", 1}), "");
    EXPECT_EQ(zhuyin_of({"yong", 0}), "ㄩㄥ");
    EXPECT_EQ(zhuyin_of_pinyin(u"xyz"), "");
}

}  // namespace
}  // namespace inkwren
