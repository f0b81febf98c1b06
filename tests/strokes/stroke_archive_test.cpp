#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <functional>

#include "platform/error.h"
#include "strokes/mainland_forms.h"
#include "strokes/stroke_archive.h"
#include "tests/support/checks.h"
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

    // recent.wrt after extracting key over a previous one, or nothing when the key is absent.
    std::optional<QByteArray> extracted(const QByteArray& key,
                                        IndexColumn column = IndexColumn::big5) {
        write_file(recent(), "previous");
        if (!extract_entry(key, paths, folder.path(), column)) {
            EXPECT_EQ(read_file(recent()), "previous");
            return std::nullopt;
        }
        return read_file(recent());
    }

    // Overwrites a little-endian int32 of one index entry.
    void patch_index(int entry, int offset, qint32 value) {
        QByteArray bytes = read_file(index());
        qToLittleEndian<qint32>(value, bytes.data() + entry * index_entry_size + offset);
        write_file(index(), bytes);
    }

    TempFolder folder;
    ArchivePaths paths{data(), index(), {}, {}};
    const QByteArray yong = big5(QStringLiteral("永")) + ".wrt";
};

TEST_F(StrokeArchiveTest, ExtractsTheFirstEntryOfTheTrimmedNameAndSearchesEachColumnOnItsOwn) {
    const QByteArray wo = big5(QStringLiteral("我")) + ".wrt";
    build({{" " + yong + "  ", gbk(QStringLiteral("永")) + ".wrt", sample_stroke_text(1)},
           {yong, {}, sample_stroke_text(2)},
           {wo, {}, sample_stroke_text(7)}});
    EXPECT_EQ(extracted(yong), sample_stroke_text(1));
    EXPECT_EQ(extracted(gbk(QStringLiteral("永")) + ".wrt", IndexColumn::gb),
              sample_stroke_text(1));
    // Later offsets count every entry before, the second 永 too.
    EXPECT_EQ(extracted(wo), sample_stroke_text(7));
    EXPECT_FALSE(extracted(big5(QStringLiteral("國")) + ".wrt"));
    patch_index(0, 36, 0);  // a plain size of zero gives an empty file
    EXPECT_EQ(extracted(yong), QByteArray());
    // Each column is searched on its own.
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
    // An overlay's entry stands in for the archive's; the archive answers for the rest.
    testing::build_archive(folder.path(), {archive_source(QStringLiteral("國"), "臺灣")},
                           QStringLiteral("台.cdf"), QStringLiteral("台-idx.dat"));
    paths.overlay_data = folder.file("台.cdf");
    paths.overlay_index = folder.file("台-idx.dat");
    EXPECT_EQ(extracted(big5(QStringLiteral("國")) + ".wrt"), QByteArray("臺灣"));
    EXPECT_EQ(extracted(gbk(QStringLiteral("国")) + ".wrt", IndexColumn::gb),
              sample_stroke_text(8));
}

TEST_F(StrokeArchiveTest, DamagedArchivesAreRefusedNamingTheFileAndLeaveRecentWrtAlone) {
    const QByteArray text = sample_stroke_text(5);
    build({{yong, {}, text}});
    const QByteArray good_data = read_file(data());
    const QByteArray good_index = read_file(index());
    QByteArray corrupt = good_data;
    corrupt[5] = char(corrupt[5] ^ 0x55);
    corrupt[6] = char(corrupt[6] ^ 0x55);
    const struct {
        const char* damage;
        std::function<void()> make;
        QString named;
    } cases[] = {
        {"index of a part entry", [&] { write_file(index(), good_index + "x"); }, index()},
        {"negative offset", [&] { patch_index(0, 40, -5); }, index()},
        {"negative plain size", [&] { patch_index(0, 36, -1); }, index()},
        {"absurd plain size", [&] { patch_index(0, 36, 2'000'000'000); }, index()},
        {"entry past the end", [&] { write_file(data(), good_data.chopped(3)); }, data()},
        {"corrupt data", [&] { write_file(data(), corrupt); }, data()},
        {"fewer bytes", [&] { patch_index(0, 36, qint32(text.size() + 1)); }, data()},
        {"more bytes", [&] { patch_index(0, 36, qint32(text.size() - 1)); }, "永"},
        {"no data file", [&] { QFile::remove(data()); }, data()},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.damage);
        write_file(index(), good_index);
        write_file(data(), good_data);
        each.make();
        write_file(recent(), "previous");
        const QString message = testing::error_of(
            [&] { extract_entry(yong, paths, folder.path(), IndexColumn::big5); });
        EXPECT_TRUE(message.contains(each.named)) << qPrintable(message);
        EXPECT_EQ(read_file(recent()), QByteArray("previous"));
    }
    EXPECT_THROW(in_dictionary(folder.file("沒有-idx.dat"), yong, IndexColumn::big5), Error);
}

TEST(ArchiveNames, TheIndexIsNamedAfterTheArchiveAndTraditionalNeedsBothFiles) {
    const std::pair<QString, QString> names[] = {
        {" my.lib.cdf", "my-idx.dat"},
        {"/home/u/.local/字庫.cdf", "/home/u/.local/字庫-idx.dat"},
        {QString(120, 'a') + ".cdf", QString(104, 'a') + "-idx.dat"},
    };
    for (const auto& [archive, index] : names) {
        EXPECT_EQ(index_file_name(archive), index);
    }
    // Traditional goes on only when all its files exist: Taiwan's order needs the overlay too.
    TempFolder folder;
    ArchiveChoice choice;
    // The names change even when the handler stops, so the next display reports the missing file.
    EXPECT_FALSE(choose_traditional_archive(choice, folder.path()));
    EXPECT_EQ(choice.archive_file, QStringLiteral("tstrokes.cdf"));
    EXPECT_EQ(choice.index_file, QStringLiteral("tstrokes-idx.dat"));
    EXPECT_EQ(choice.overlay_index_file, QStringLiteral("tstrokes-taiwan-idx.dat"));
    write_file(folder.file("tstrokes.cdf"), "");
    write_file(folder.file("tstrokes-idx.dat"), "");
    EXPECT_TRUE(choose_traditional_archive(choice, folder.path(), StrokeOrderStandard::mainland));
    EXPECT_TRUE(choice.overlay_file.isEmpty());
    EXPECT_FALSE(choose_traditional_archive(choice, folder.path()));
    write_file(folder.file("tstrokes-taiwan.cdf"), "");
    write_file(folder.file("tstrokes-taiwan-idx.dat"), "");
    EXPECT_TRUE(choose_traditional_archive(choice, folder.path()));
    EXPECT_EQ(archive_paths(choice, folder.path()).overlay_data,
              folder.file("tstrokes-taiwan.cdf"));
    choose_simplified_archive(choice);
    EXPECT_EQ(choice.archive_file, QStringLiteral("strokes.cdf"));
    EXPECT_EQ(choice.index_file, QStringLiteral("strokes-idx.dat"));
    EXPECT_TRUE(choice.overlay_file.isEmpty());
}

TEST(MainlandForms, OnlyTaiwansOrderOfTheTraditionalLibraryMarksTheListedCharacters) {
    TempFolder folder;
    ArchiveChoice taiwan, mainland;
    choose_traditional_archive(taiwan, folder.path());
    choose_traditional_archive(mainland, folder.path(), StrokeOrderStandard::mainland);
    EXPECT_FALSE(keeps_mainland_form(QStringLiteral("花"), taiwan, folder.path())) << "no list";
    // A folder where the list should be cannot be read: nothing is marked either.
    QDir(folder.path()).mkdir(QString::fromLatin1(mainland_forms_file));
    EXPECT_FALSE(keeps_mainland_form(QStringLiteral("花"), taiwan, folder.path()));
    QDir(folder.path()).rmdir(QString::fromLatin1(mainland_forms_file));

    // Odd lines name nothing: two characters, a carriage return, broken UTF-8, a BOM.
    write_file(folder.file(QString::fromLatin1(mainland_forms_file)),
               "花\n這樣\n道\r\n\n\xFF\n\xEF\xBB\xBF邊\n𠀀\n辶");
    const std::pair<const char*, bool> cases[] = {{"花", true},  {"辶", true},    {"𠀀", true},
                                                  {"這", false}, {"這樣", false}, {"道", false},
                                                  {"邊", false}, {"", false}};
    for (const auto& [character, marked] : cases) {
        SCOPED_TRACE(character);
        const QString text = QString::fromUtf8(character);
        EXPECT_EQ(keeps_mainland_form(text, taiwan, folder.path()), marked);
        EXPECT_FALSE(keeps_mainland_form(text, mainland, folder.path()));
        EXPECT_FALSE(keeps_mainland_form(text, ArchiveChoice{}, folder.path())) << "simplified";
    }
}

}  // namespace
}  // namespace inkwren
