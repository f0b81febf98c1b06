#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "platform/whole_file.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

// Working copies skip only the syncs: they are replaced as whole as the user's files are.
TEST(WholeFile, ASaveReplacesTheFileWholeKeepingItsPermissionsOrGivesTheSystemsReason) {
    for (const Durability durability : {Durability::synced, Durability::working_copy}) {
        TempFolder folder;
        const QString path = folder.file("設定.cfg");
        write_file(path, "old");
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0600), 0);
        write_whole_file(path, "new and longer", durability);
        EXPECT_EQ(read_file(path), "new and longer");
        EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
        EXPECT_EQ(testing::entries_in(folder.path()), QStringList{QStringLiteral("設定.cfg")});
        // A file that cannot be written gives the system's reason.
        const QString message = testing::error_of(
            [&] { write_whole_file(folder.file("沒有/永.jpg"), "x", durability); });
        EXPECT_TRUE(message.contains(QStringLiteral("永.jpg")));
        EXPECT_TRUE(message.contains(QStringLiteral("No such file or directory")));
    }
}

// A leftover is named after a kind of file the program writes, a dot and six ASCII letters or
// digits; anything else in the folder is the user's.
TEST(WholeFile, OnlyTheLeftoversOfTheProgramsOwnSavesAreRemoved) {
    const struct {
        const char* name;
        bool removed;
    } files[] = {
        {"config.dat.Ab12Cd", true}, {"永.WRT.x9Y8z7", true},       {"a.ini.000000", true},
        {"config.dat.Ab12C", false}, {"config.dat.Ab12Cde", false}, {"config.dat.Ab12C字", false},
        {"notes.md.Ab12Cd", false},  {".cfg.Ab12Cd", false},        {"config.dat", false},
        {"練習.txt.b-k12Cd", false},
    };
    TempFolder folder;
    for (const auto& file : files) {
        write_file(folder.file(file.name), "x");
    }
    EXPECT_EQ(remove_leftover_saves(folder.path()), 3);
    for (const auto& file : files) {
        EXPECT_EQ(QFileInfo::exists(folder.file(file.name)), !file.removed) << file.name;
    }
}

// Written in pieces bigger than its buffer, as a PDF writer writes.
TEST(WholeFile, AnAtomicFileWrittenInPiecesAppearsOnlyOnCommit) {
    TempFolder folder;
    const QString path = folder.file("練習.pdf");
    write_file(path, "old");
    QByteArray expected;
    {
        AtomicFile file(path);
        for (int piece = 0; piece < 300; ++piece) {
            const QByteArray bytes(1000 + piece, char('a' + piece % 26));
            file.write(bytes);
            expected += bytes;
        }
        EXPECT_EQ(read_file(path), "old");
        file.commit();
    }
    EXPECT_EQ(read_file(path), expected);
    {
        AtomicFile abandoned(path);
        abandoned.write("never committed");
    }
    EXPECT_EQ(read_file(path), expected);
    EXPECT_EQ(testing::entries_in(folder.path()), QStringList{QStringLiteral("練習.pdf")});
}

// A group's files are told apart: a failing one in the middle neither stops the others nor
// takes their reasons, and nothing is left beside them.
TEST(WholeFile, FilesWrittenAsAGroupFailOneByOne) {
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("筆順")));
    write_file(folder.file("永.jpg"), "old");
    const std::vector<FileToWrite> files{{folder.file("永.jpg"), "new"},
                                         {folder.file("沒有/字.jpg"), "lost"},
                                         {folder.file("筆順/字.jpg"), "other folder"}};
    const std::vector<std::optional<QString>> failures = write_whole_files(files);
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_FALSE(failures[0]);
    ASSERT_TRUE(failures[1]);
    EXPECT_TRUE(failures[1]->contains(QStringLiteral("沒有/字.jpg")));
    EXPECT_FALSE(failures[2]);
    EXPECT_EQ(read_file(folder.file("永.jpg")), "new");
    EXPECT_EQ(read_file(folder.file("筆順/字.jpg")), "other folder");
    EXPECT_EQ(testing::entries_in(folder.path()),
              (QStringList{QStringLiteral("永.jpg"), QStringLiteral("筆順")}));
    EXPECT_EQ(testing::entries_in(folder.file("筆順")), QStringList{QStringLiteral("字.jpg")});
}

// A FIFO given as a settings file once hung start-up, waiting for a writer.
TEST(WholeFile, OnlyOrdinaryFilesAreReadAndLimitedReadsStop) {
    TempFolder folder;
    const QString fifo = folder.file("view.cfg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QDir().mkpath(folder.file("資料夾"));
    const struct {
        QString path;
        const char* reason;
    } refused[] = {{fifo, "not an ordinary file"},
                   {folder.file("資料夾"), "it is a folder"},
                   {folder.file("沒有.cfg"), "No such file or directory"}};
    for (const auto& file : refused) {
        const QString message = testing::error_of(
            [&] { read_whole_file(file.path, QStringLiteral("The settings file")); });
        EXPECT_TRUE(message.contains(QString::fromLatin1(file.reason))) << qPrintable(message);
    }
    // A limited read refuses a larger file and a part read stops early.
    const QString path = folder.file("清單.txt");
    write_file(path, QByteArray(100, 'x'));
    EXPECT_EQ(read_limited_file(path, QStringLiteral("The list"), 100).size(), 100);
    EXPECT_THROW(read_limited_file(path, QStringLiteral("The list"), 99), Error);
    EXPECT_EQ(read_whole_file(path, QStringLiteral("The list"), 10).size(), 10);
}

}  // namespace
}  // namespace inkwren
