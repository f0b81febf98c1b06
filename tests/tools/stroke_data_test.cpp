#include <gtest/gtest.h>

#include <QFileInfo>

#include "platform/code_page.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tools/stroke_data/stroke_conversion.h"

namespace inkwren::tools {
namespace {

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
    } cases[] = {{"strokes.cdf", "永", IndexColumn::gb, 5},
                 {"strokes.cdf", "我", IndexColumn::gb, 7},
                 {"strokes.cdf", "国", IndexColumn::gb, 8},
                 {"tstrokes.cdf", "國", IndexColumn::big5, 11},
                 {"tstrokes.cdf", "永", IndexColumn::gb, 5},
                 {"tstrokes.cdf", "国", IndexColumn::gb, -1},
                 // Taiwan writes 艹 in four strokes and 阝 in three.
                 {"tstrokes.cdf", "花", IndexColumn::big5, 7},
                 {"tstrokes-taiwan.cdf", "花", IndexColumn::big5, 8},
                 {"tstrokes-taiwan.cdf", "陳", IndexColumn::big5, 11}};
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
