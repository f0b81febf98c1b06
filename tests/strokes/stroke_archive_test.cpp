#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>

#include "platform/error.h"
#include "strokes/stroke_archive.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::archive_source;
using testing::big5;
using testing::gbk;
using testing::read_file;
using testing::sample_stroke_text;
using testing::TempFolder;
using testing::write_file;

class StrokeArchiveTest : public ::testing::Test {
protected:
    QString data() const { return folder.file("strokes.cdf"); }
    QString index() const { return folder.file("strokes-idx.dat"); }
    QString recent() const { return folder.file("recent.wrt"); }

    void build(const std::vector<ArchiveSource>& sources) {
        testing::build_archive(folder.path(), sources);
    }

    bool extract(const QByteArray& key, IndexColumn column = IndexColumn::big5) {
        return extract_entry(key, data(), index(), folder.path(), column);
    }

    // Overwrites a little-endian int32 of one index entry.
    void patch_index(int entry, int offset, qint32 value) {
        QByteArray bytes = read_file(index());
        qToLittleEndian<qint32>(value, bytes.data() + entry * index_entry_size + offset);
        write_file(index(), bytes);
    }

    // Expects extraction to fail with a message naming the file, leaving recent.wrt alone.
    void expect_refused(const QByteArray& key, const QString& named_file) {
        write_file(recent(), "previous");
        try {
            extract(key);
            ADD_FAILURE() << "a damaged archive was extracted";
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(named_file)) << error.message().toStdString();
        }
        EXPECT_EQ(read_file(recent()), QByteArray("previous"));
    }

    TempFolder folder;
};

TEST_F(StrokeArchiveTest, EachColumnIsSearchedOnItsOwn) {
    build({archive_source(QStringLiteral("國"), sample_stroke_text(11)),
           archive_source(QStringLiteral("国"), sample_stroke_text(8))});
    EXPECT_TRUE(in_dictionary(index(), big5(QStringLiteral("國")) + ".wrt", IndexColumn::big5));
    EXPECT_TRUE(in_dictionary(index(), gbk(QStringLiteral("國")) + ".wrt", IndexColumn::gb));
    // 国 has no Big5 code, so it is only in the GB column.
    EXPECT_TRUE(in_dictionary(index(), gbk(QStringLiteral("国")) + ".wrt", IndexColumn::gb));
    EXPECT_FALSE(in_dictionary(index(), gbk(QStringLiteral("国")) + ".wrt", IndexColumn::big5));
    // Names compare with their exact length.
    EXPECT_FALSE(in_dictionary(index(), gbk(QStringLiteral("国")) + ".wr", IndexColumn::gb));
    EXPECT_FALSE(in_dictionary(index(), big5(QStringLiteral("國")), IndexColumn::big5));
}

TEST_F(StrokeArchiveTest, ExtractsTheEntryIntoRecentWrt) {
    build({archive_source(QStringLiteral("永"), sample_stroke_text(5)),
           archive_source(QStringLiteral("國"), sample_stroke_text(11))});
    ASSERT_TRUE(extract(big5(QStringLiteral("國")) + ".wrt"));
    EXPECT_EQ(read_file(recent()), sample_stroke_text(11));
    ASSERT_TRUE(extract(gbk(QStringLiteral("永")) + ".wrt", IndexColumn::gb));
    EXPECT_EQ(read_file(recent()), sample_stroke_text(5));
}

TEST_F(StrokeArchiveTest, StoredNamesMatchWithoutTheirSurroundingBlanks) {
    const QByteArray name = big5(QStringLiteral("永")) + ".wrt";
    build({{" " + name + "  ", QByteArray(), sample_stroke_text(5)}});
    EXPECT_TRUE(extract(name));
    EXPECT_EQ(read_file(recent()), sample_stroke_text(5));
}

TEST_F(StrokeArchiveTest, FirstOfTwoEqualNamesWinsAndLaterOffsetsCountBoth) {
    const QByteArray twice = big5(QStringLiteral("永")) + ".wrt";
    const QByteArray after = big5(QStringLiteral("我")) + ".wrt";
    build({{twice, {}, sample_stroke_text(1)},
           {twice, {}, sample_stroke_text(2)},
           {after, {}, sample_stroke_text(7)}});
    ASSERT_TRUE(extract(twice));
    EXPECT_EQ(read_file(recent()), sample_stroke_text(1));
    ASSERT_TRUE(extract(after));
    EXPECT_EQ(read_file(recent()), sample_stroke_text(7));
    const std::vector<IndexEntry> entries = read_index(index());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(find_in_index(index(), after, IndexColumn::big5)->data_offset,
              entries[0].packed_size + entries[1].packed_size);
}

TEST_F(StrokeArchiveTest, PlainSizeZeroGivesAnEmptyFile) {
    const QByteArray name = big5(QStringLiteral("永")) + ".wrt";
    build({{name, {}, sample_stroke_text(3)}});
    patch_index(0, 36, 0);
    write_file(recent(), "previous");
    ASSERT_TRUE(extract(name));
    EXPECT_TRUE(read_file(recent()).isEmpty());
}

TEST_F(StrokeArchiveTest, AnAbsentKeyLeavesThePreviousFile) {
    build({archive_source(QStringLiteral("永"), sample_stroke_text(5))});
    write_file(recent(), "previous");
    EXPECT_FALSE(extract(big5(QStringLiteral("國")) + ".wrt"));
    EXPECT_EQ(read_file(recent()), QByteArray("previous"));
}

TEST_F(StrokeArchiveTest, DamagedIndexesAreRefusedWithTheirNames) {
    const QByteArray name = big5(QStringLiteral("永")) + ".wrt";
    build({{name, {}, sample_stroke_text(5)}});
    const QByteArray good_index = read_file(index());

    write_file(index(), good_index + "x");
    EXPECT_THROW(in_dictionary(index(), name, IndexColumn::big5), Error);
    expect_refused(name, index());

    // A negative offset, a negative plain size, an absurd plain size.
    for (const auto& [field, value] : {std::pair{40, -5}, {36, -1}, {36, 2'000'000'000}}) {
        write_file(index(), good_index);
        patch_index(0, field, value);
        expect_refused(name, index());
    }

    EXPECT_THROW(in_dictionary(folder.file("沒有-idx.dat"), name, IndexColumn::big5), Error);
}

TEST_F(StrokeArchiveTest, DamagedDataIsRefusedWithTheFileAndEntry) {
    const QByteArray name = big5(QStringLiteral("永")) + ".wrt";
    const QByteArray text = sample_stroke_text(5);
    build({{name, {}, text}});
    const QByteArray good_data = read_file(data());
    const QByteArray good_index = read_file(index());

    write_file(data(), good_data.left(good_data.size() - 3));  // entry runs past the end
    expect_refused(name, data());

    QByteArray corrupt = good_data;
    corrupt[5] = char(corrupt[5] ^ 0x55);
    corrupt[6] = char(corrupt[6] ^ 0x55);
    write_file(data(), corrupt);
    expect_refused(name, data());

    write_file(data(), good_data);
    patch_index(0, 36, qint32(text.size() + 1));  // inflates to fewer bytes
    expect_refused(name, data());

    write_file(index(), good_index);
    patch_index(0, 36, qint32(text.size() - 1));  // inflates to more bytes
    expect_refused(name, QStringLiteral("永"));

    write_file(index(), good_index);
    QFile::remove(data());
    expect_refused(name, data());
}

TEST(IndexFileName, IsTheNameBeforeItsFirstDotWithIdxDat) {
    EXPECT_EQ(index_file_name(QStringLiteral("strokes.cdf")), QStringLiteral("strokes-idx.dat"));
    EXPECT_EQ(index_file_name(QStringLiteral("tstrokes.cdf")), QStringLiteral("tstrokes-idx.dat"));
    EXPECT_EQ(index_file_name(QStringLiteral(" my.lib.cdf")), QStringLiteral("my-idx.dat"));
    EXPECT_EQ(index_file_name(QStringLiteral("/home/u/.local/字庫.cdf")),
              QStringLiteral("/home/u/.local/字庫-idx.dat"));
    EXPECT_EQ(index_file_name(QString(120, QLatin1Char('a')) + QStringLiteral(".cdf")),
              QString(104, QLatin1Char('a')) + QStringLiteral("-idx.dat"));
}

TEST(ArchiveChoice, TraditionalGoesOnOnlyWhenBothFilesExist) {
    TempFolder folder;
    ArchiveChoice choice;
    EXPECT_EQ(choice.index_file, QStringLiteral("strokes-idx.dat"));
    // The names change even when the handler stops, so the next display reports the missing file.
    EXPECT_FALSE(choose_traditional_archive(choice, folder.path()));
    EXPECT_EQ(choice.archive_file, QStringLiteral("tstrokes.cdf"));
    EXPECT_EQ(choice.index_file, QStringLiteral("tstrokes-idx.dat"));
    write_file(folder.file("tstrokes.cdf"), "");
    EXPECT_FALSE(choose_traditional_archive(choice, folder.path()));
    write_file(folder.file("tstrokes-idx.dat"), "");
    EXPECT_TRUE(choose_traditional_archive(choice, folder.path()));
    choose_simplified_archive(choice);
    EXPECT_EQ(choice.archive_file, QStringLiteral("strokes.cdf"));
    EXPECT_EQ(choice.index_file, QStringLiteral("strokes-idx.dat"));
}

}  // namespace
}  // namespace inkwren
