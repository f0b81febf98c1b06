#include "tools/char_info/unihan_source.h"
#include "tools/char_info/unihan_char_info.h"

#include <QDir>

#include <gtest/gtest.h>

#include "platform/error.h"
#include "tests/support/fixtures.h"
#include "tests/tools/char_info_printing.h"

namespace inkwren::tools {
namespace {

using namespace inkwren::testing;

// A few characters of Unihan as written there, with fields the file ignores mixed in.
const char* const readings_file =
    "# Unihan_Readings.txt\n"
    "U+4E7E\tkCantonese\tkin4\n"
    "U+4E7E\tkDefinition\tdry; heaven\n"
    "U+4E7E\tkMandarin\tqián gān\n"
    "U+4E7E\tkXHC1983\t0352.091:gān 0913.050:qián\n"
    "U+8BF4\tkHanyuPinyin\t63900.010:tuō\n"
    "U+8BF4\tkMandarin\tshuō\n"
    "U+8BF4\tkXHC1983\t1080.010:shuì 1082.010:shuō 1428.010:yuè\n"
    "U+90C1\tkMandarin\tyù\n"
    "U+2000B\tkHanyuPinyin\t10019.020:tiàn,tiǎn 10020.030:qiū,tiàn\n";
const char* const variants_file =
    "U+4E7E\tkSimplifiedVariant\tU+4E7E U+5E72\n"
    "U+8BF4\tkTraditionalVariant\tU+8AAA\n"
    "U+90C1\tkSimplifiedVariant\tU+90C1\n"
    "U+90C1\tkTraditionalVariant\tU+90C1 U+9B31\n";
const char* const sources_file =
    "U+3400\tkIRG_GSource\tGKX-0078.01\n"
    "U+4E2C\tkRSUnicode\t90''.0\n"
    "U+4E7E\tkRSUnicode\t5.10\n"
    "U+4E7E\tkTotalStrokes\t11\n"
    "U+5E72\tkRSUnicode\t51.0\n"
    "U+8303\tkRSUnicode\t140.5 140.6\n"
    "U+8303\tkTotalStrokes\t8 9\n"
    "U+8BF4\tkRSUnicode\t149'.7\n"
    "U+8BF4\tkTotalStrokes\t9\n"
    "U+90C1\tkRSUnicode\t163.6\n"
    "U+90C1\tkTotalStrokes\t8\n"
    "U+2000B\tkRSUnicode\t85'.3\n"
    "U+2000B\tkTotalStrokes\t6\n";
const char* const dictionary_file =
    "U+3400\tkCangjie\tX\n"
    "U+4E7E\tkFrequency\t4\n"
    "U+4E7E\tkGradeLevel\t3\n"
    "U+8303\tkFrequency\t4\n"
    "U+8BF4\tkFrequency\t1\n"
    "U+8BF4\tkGradeLevel\t2\n"
    "U+90C1\tkFrequency\t4\n"
    "U+90C1\tkGradeLevel\t3\n";
// 85 has no simplified form here and 90 none with two apostrophes.
const char* const radicals_file =
    "# CJKRadicals.txt\n"
    "5; 2F04; 4E59\n"
    "85; 2F54; 6C34\n"
    "90; 2F59; 723F\n"
    "90'; 2EA6; 4E2C\n"
    "140; 2F8B; 8278\n"
    "149; 2F94; 8A00\n"
    "149'; 2EC8; 8BA0\n"
    "163; 2FA2; 9091\n";

// 干 has fields but is not wanted; 㐀 is wanted but has none the file keeps.
const std::set<char32_t> wanted = {U'乾', U'说', U'范', U'郁', U'𠀋', U'丬', U'㐀'};

class UnihanFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(folder_.path()).mkdir(QStringLiteral("統一漢字"));
        write_file(unihan_file(QStringLiteral("Unihan_Readings.txt")), readings_file);
        write_file(unihan_file(QStringLiteral("Unihan_Variants.txt")), variants_file);
        write_file(unihan_file(QStringLiteral("Unihan_IRGSources.txt")), sources_file);
        write_file(unihan_file(QStringLiteral("Unihan_DictionaryLikeData.txt")), dictionary_file);
        write_file(radicals_path(), radicals_file);
    }

    QString unihan_folder() const { return folder_.file(QStringLiteral("統一漢字")); }
    QString unihan_file(const QString& name) const { return unihan_folder() + u'/' + name; }
    QString radicals_path() const { return folder_.file(QStringLiteral("部首.txt")); }

    std::vector<CharInfo> entries() const {
        return char_infos_of(read_unihan(unihan_folder(), wanted),
                             read_radical_forms(radicals_path()));
    }

private:
    TempFolder folder_;
};

CharInfo expected(char32_t character, QStringList readings, int radical, bool simplified_radical,
                  const QString& radical_form, int strokes_simplified, int strokes_traditional,
                  std::vector<char32_t> simplified_forms, std::vector<char32_t> traditional_forms,
                  int frequency, int grade, int rank) {
    CharInfo info;
    info.character = character;
    info.readings = std::move(readings);
    info.radical = radical;
    info.simplified_radical = simplified_radical;
    info.radical_form = radical_form;
    info.strokes_simplified = strokes_simplified;
    info.strokes_traditional = strokes_traditional;
    info.simplified_forms = std::move(simplified_forms);
    info.traditional_forms = std::move(traditional_forms);
    info.frequency = frequency;
    info.grade = grade;
    info.rank = rank;
    return info;
}

TEST_F(UnihanFixture, EachCharacterFollowsTheRules) {
    CharInfo qian = expected(U'乾', {"qián", "gān"}, 5, false, "乙", 11, 11, {U'干'}, {}, 4, 3, 2);
    qian.definition = QStringLiteral("dry; heaven");
    const std::vector<CharInfo> table = {
        // Xiandai Hanyu Cidian's readings after kMandarin's, each once; the simplified radical
        qian,
        expected(U'说', {"shuō", "shuì", "yuè"}, 149, true, "讠", 9, 9, {}, {U'說'}, 1, 2, 0),
        // two stroke counts: the mainland's, then Taiwan's; ranked by grade before strokes
        expected(U'范', {}, 140, false, "艸", 8, 9, {}, {}, 4, 0, 3),
        // itself among its variants; ranked by strokes before code point
        expected(U'郁', {"yù"}, 163, false, "邑", 8, 8, {}, {U'鬱'}, 4, 3, 1),
        // only the Hanyu Da Zidian's readings; a simplified radical without a form of its own
        expected(U'𠀋', {"tiàn", "tiǎn", "qiū"}, 85, true, "水", 6, 6, {}, {}, 0, 0, 4),
        // two apostrophes the radical table does not know; no strokes ranks last
        expected(U'丬', {}, 90, false, "爿", 0, 0, {}, {}, 0, 0, 5),
    };
    const std::vector<CharInfo> made = entries();
    ASSERT_EQ(made.size(), table.size());
    for (const CharInfo& want : table) {
        const auto found = std::find_if(made.begin(), made.end(), [&](const CharInfo& info) {
            return info.character == want.character;
        });
        ASSERT_NE(found, made.end()) << text_of({want.character});
        EXPECT_EQ(*found, want);
    }
}

TEST(UnihanValues, MalformedValuesAreRefusedNamingTheField) {
    const struct {
        const char* field;
        const char* value;
    } rows[] = {
        {"kRSUnicode", "215.1"},
        {"kRSUnicode", "85"},
        {"kRSUnicode", "85'''.1"},
        {"kTotalStrokes", "8 9 10"},
        {"kTotalStrokes", "eight"},
        {"kFrequency", "6"},
        {"kGradeLevel", "0"},
        {"kXHC1983", "1082.010"},
        {"kSimplifiedVariant", "U+D800"},
        {"kHanyuPinyin", "10019.020:"},
    };
    const RadicalForms radicals = {{QStringLiteral("85"), U'水'}};
    for (const auto& row : rows) {
        const UnihanFields fields = {{row.field, QString::fromUtf8(row.value)}};
        try {
            char_info_of(U'永', fields, radicals);
            ADD_FAILURE() << row.field << " " << row.value << " was taken";
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(row.field))) << row.value;
        }
    }
}

TEST_F(UnihanFixture, AMalformedLineNamesItsFileAndLine) {
    write_file(unihan_file(QStringLiteral("Unihan_Variants.txt")),
               "U+4E7E\tkSimplifiedVariant\tU+5E72\nU+90C1 kTraditionalVariant U+9B31\n");
    try {
        read_unihan(unihan_folder(), wanted);
        FAIL() << "the malformed line was taken";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("Unihan_Variants.txt, line 2")))
            << error.message().toStdString();
    }
}

}  // namespace
}  // namespace inkwren::tools
