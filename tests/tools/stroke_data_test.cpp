#include <gtest/gtest.h>

#include <QFileInfo>

#include <cmath>

#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
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
        try {
            parse_hanzi_source(character, json);
            ADD_FAILURE() << "accepted " << json.constData();
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(character)) << error.message().toStdString();
        }
    }
}

TEST(StrokeConversion, EachArchiveHoldsTheCharactersOfItsOwnColumn) {
    std::vector<HanziSource> characters;
    for (const QString& character :
         {QStringLiteral("永"), QStringLiteral("国"), QStringLiteral("國"), QStringLiteral("한")}) {
        characters.push_back(parse_hanzi_source(character, bar_json));
    }
    const ArchiveNames names = archive_names_of(QStringLiteral("永"));
    EXPECT_EQ(names.big5_name, QByteArray("\xA5\xC3.wrt"));
    EXPECT_EQ(names.gb_name, QByteArray("\xD3\xC0.wrt"));
    EXPECT_TRUE(archive_names_of(QStringLiteral("国")).big5_name.isEmpty());

    const std::vector<ConvertedCharacter> converted = convert_characters(characters);
    const std::vector<ArchiveSource> simplified =
        archive_sources(converted, ArchiveKind::simplified);
    ASSERT_EQ(simplified.size(), 3u);  // 國 has a GBK code too; 한 has none
    for (std::size_t index = 1; index < simplified.size(); ++index) {
        EXPECT_LT(simplified[index - 1].gb_name, simplified[index].gb_name);
    }
    const std::vector<ArchiveSource> traditional =
        archive_sources(converted, ArchiveKind::traditional);
    ASSERT_EQ(traditional.size(), 2u);  // 永 and 國
    EXPECT_FALSE(traditional[0].gb_name.isEmpty());
    EXPECT_FALSE(traditional[1].gb_name.isEmpty());
}

// Checks over the archives the build generates; skipped until the installation folder is built.
class GeneratedArchiveTest : public ::testing::Test {
protected:
    static QString file(const char* name) {
        return QStringLiteral(INKWREN_INSTALLATION_DIR "/") + QString::fromLatin1(name);
    }

    void SetUp() override {
        if (!QFileInfo::exists(file("strokes.cdf")) || !QFileInfo::exists(file("tstrokes.cdf"))) {
            GTEST_SKIP() << "the installation folder has not been built";
        }
    }

    static int stroke_count(const char* archive, const QString& character, IndexColumn column) {
        const QString data = file(archive);
        const QString index = file(qPrintable(index_file_name(QString::fromLatin1(archive))));
        const int code_page = column == IndexColumn::big5 ? big5_code_page : gbk_code_page;
        const auto match =
            find_in_index(index, to_code_page(character, code_page) + ".wrt", column);
        if (!match) {
            return -1;
        }
        const QByteArray text = read_entry_text(data, *match);
        return split_strokes(parse_stroke_text(text, character, EndMarkerKind::keep_pen_up))
            .count();
    }

    static void check_every_entry(const char* archive) {
        const QString data = file(archive);
        const QString index = file(qPrintable(index_file_name(QString::fromLatin1(archive))));
        std::int64_t offset = 0;
        int position = 0;
        for (const IndexEntry& entry : read_index(index)) {
            const IndexMatch match{entry, offset, position++};
            const TLineList lines = split_strokes(
                parse_stroke_text(read_entry_text(data, match), data, EndMarkerKind::keep_pen_up));
            ASSERT_GT(lines.count(), 0);
            for (const TObjList& stroke : lines.items) {
                ASSERT_TRUE(is_end_marker(stroke.back()));
            }
            // Every character is named in each column where it has a code.
            const QString character = entry.gb_name.isEmpty()
                                          ? from_code_page(entry.big5_name.left(2), big5_code_page)
                                          : from_code_page(entry.gb_name.left(2), gbk_code_page);
            const ArchiveNames names = archive_names_of(character);
            EXPECT_EQ(entry.big5_name, names.big5_name);
            EXPECT_EQ(entry.gb_name, names.gb_name);
            offset += entry.packed_size;
        }
    }
};

TEST_F(GeneratedArchiveTest, EveryEntryInflatesAndSplitsIntoClosedStrokes) {
    check_every_entry("strokes.cdf");
    check_every_entry("tstrokes.cdf");
}

TEST_F(GeneratedArchiveTest, KnownCharactersHaveTheirStrokeCounts) {
    EXPECT_EQ(stroke_count("strokes.cdf", QStringLiteral("永"), IndexColumn::gb), 5);
    EXPECT_EQ(stroke_count("strokes.cdf", QStringLiteral("我"), IndexColumn::gb), 7);
    EXPECT_EQ(stroke_count("strokes.cdf", QStringLiteral("国"), IndexColumn::gb), 8);
    EXPECT_EQ(stroke_count("tstrokes.cdf", QStringLiteral("國"), IndexColumn::big5), 11);
    EXPECT_EQ(stroke_count("tstrokes.cdf", QStringLiteral("永"), IndexColumn::gb), 5);
    EXPECT_EQ(stroke_count("tstrokes.cdf", QStringLiteral("国"), IndexColumn::gb), -1);
}

}  // namespace
}  // namespace inkwren::tools
