#include <gtest/gtest.h>

#include <QFileInfo>

#include <cmath>

#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tests/support/checks.h"
#include "tools/stroke_data/stroke_conversion.h"

namespace inkwren::tools {
namespace {

// A 100 × 400 upright bar whose median runs its whole height.
const QByteArray bar_json =
    R"({"strokes": ["M 100 100 L 200 100 L 200 500 Q 150 500 100 500 Z"],
        "medians": [[[150, 100], [150, 300], [150, 500]]]})";

TEST(StrokeConversion, EachStrokeBecomesOneRunOfBlackPenPointsToATenthOfAPixel) {
    const HanziSource source = parse_hanzi_source(QStringLiteral("丨"), bar_json);
    const TLineList lines = strokes_of(source);
    ASSERT_EQ(lines.count(), 1);
    const TObjList& stroke = lines.items[0];
    ASSERT_GE(stroke.size(), 3u);
    for (std::size_t index = 0; index + 1 < stroke.size(); ++index) {
        EXPECT_EQ(stroke[index].kind, record_kind::pen_point);
        EXPECT_EQ(stroke[index].pen_color, 0);
        EXPECT_NEAR(stroke[index].x * 10, std::round(stroke[index].x * 10), 1e-9);
        EXPECT_NEAR(stroke[index].y * 10, std::round(stroke[index].y * 10), 1e-9);
    }
    EXPECT_TRUE(is_end_marker(stroke.back()));
    EXPECT_EQ(stroke.back().kind, record_kind::pen_point);
}

TEST(StrokeConversion, CurvesAreFlattenedThroughTheirEndPoints) {
    const std::vector<QPointF> polygon =
        flatten_outline("M 0 0 Q 50 100 100 0 C 100 -50 0 -50 0 0 Z");
    ASSERT_FALSE(polygon.empty());
    EXPECT_EQ(polygon.front(), QPointF(0, 0));
    EXPECT_EQ(polygon.back(), QPointF(0, 0));
    EXPECT_NE(std::find(polygon.begin(), polygon.end(), QPointF(100, 0)), polygon.end());
}

TEST(StrokeConversion, MalformedCharactersAreRefusedByName) {
    const QString character = QStringLiteral("永");
    const QByteArray broken[] = {
        "not json",
        R"({"strokes": ["M 0 0 L 1 1 Z"], "medians": []})",
        R"({"strokes": ["M 0 0 L 1 1 Z"], "medians": [[]]})",
        R"({"strokes": ["M 0 0 X 1 1 Z"], "medians": [[[0, 0]]]})",
        R"({"strokes": ["M 0 0 L 1"], "medians": [[[0, 0]]]})",
        R"({"strokes": ["M 0 0 L 1 1"], "medians": [[["a", 0]]]})",
    };
    for (const QByteArray& json : broken) {
        EXPECT_TRUE(
            testing::error_of([&] { parse_hanzi_source(character, json); }).contains(character))
            << json.constData();
    }
}

// Checks over the archives the build generates, whose every entry the practice-square check
// reads: which archive holds a character, under which names; skipped until the installation
// folder is built.
class GeneratedArchiveTest : public ::testing::Test {
protected:
    static QString file(const QString& name) {
        return QStringLiteral(INKWREN_INSTALLATION_DIR "/") + name;
    }

    void SetUp() override {
        if (!QFileInfo::exists(file("strokes.cdf")) || !QFileInfo::exists(file("tstrokes.cdf"))) {
            GTEST_SKIP() << "the installation folder has not been built";
        }
    }
};

TEST_F(GeneratedArchiveTest, EveryCharacterIsNamedInEachColumnWhereItHasACode) {
    for (const char* index : {"strokes-idx.dat", "tstrokes-idx.dat"}) {
        for (const IndexEntry& entry : read_index(file(index))) {
            const QString character = entry.gb_name.isEmpty()
                                          ? from_code_page(entry.big5_name.left(2), big5_code_page)
                                          : from_code_page(entry.gb_name.left(2), gbk_code_page);
            const ArchiveNames names = archive_names_of(character);
            ASSERT_EQ(entry.big5_name, names.big5_name) << index;
            ASSERT_EQ(entry.gb_name, names.gb_name) << index;
        }
    }
}

TEST_F(GeneratedArchiveTest, KnownCharactersHaveTheirStrokeCounts) {
    const struct {
        const char* archive;
        QString character;
        IndexColumn column;
        int strokes;  // -1 where the archive lacks it
    } cases[] = {
        {"strokes.cdf", "永", IndexColumn::gb, 5},  {"strokes.cdf", "我", IndexColumn::gb, 7},
        {"strokes.cdf", "国", IndexColumn::gb, 8},  {"tstrokes.cdf", "國", IndexColumn::big5, 11},
        {"tstrokes.cdf", "永", IndexColumn::gb, 5}, {"tstrokes.cdf", "国", IndexColumn::gb, -1}};
    for (const auto& each : cases) {
        const QString archive = QString::fromLatin1(each.archive);
        const int code_page = each.column == IndexColumn::big5 ? big5_code_page : gbk_code_page;
        const auto match =
            find_in_index(file(index_file_name(archive)),
                          to_code_page(each.character, code_page) + ".wrt", each.column);
        const int strokes =
            match ? split_strokes(parse_stroke_text(read_entry_text(file(archive), *match), archive,
                                                    EndMarkerKind::keep_pen_up))
                        .count()
                  : -1;
        EXPECT_EQ(strokes, each.strokes) << each.archive << " " << qPrintable(each.character);
    }
}

}  // namespace
}  // namespace inkwren::tools
