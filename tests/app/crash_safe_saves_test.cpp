#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <random>

#include "tests/app/app_fixture.h"
#include "tests/app/save_kinds.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

constexpr int kills_per_kind = 100;

// Starts the helper saving kind in folder, lets it save a few times and kills it.
void save_and_kill(const QString& kind, const QString& folder, std::mt19937& random) {
    QProcess helper;
    helper.start(QStringLiteral(INKWREN_SAVE_LOOP), {kind, folder});
    ASSERT_TRUE(helper.waitForStarted());
    // The kill comes after one to three saves were announced, wherever the next one has got to.
    const int saves = std::uniform_int_distribution<int>(1, 3)(random);
    int announced = 0;
    while (announced < saves && helper.waitForReadyRead()) {
        announced += int(helper.readAll().count('\n'));
    }
    helper.kill();
    helper.waitForFinished();
}

TEST(CrashSafeSaves, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    std::mt19937 random(20261206);
    for (const testing::SaveKind& kind : testing::save_kinds()) {
        if (!kind.killed) {
            continue;
        }
        const QString name = QString::fromLatin1(kind.name);
        SCOPED_TRACE(kind.name);
        TempFolder folder;
        testing::prepare_saves(name, folder.path());
        testing::save_version(name, folder.path(), 0);
        for (int kill = 0; kill < kills_per_kind; ++kill) {
            save_and_kill(name, folder.path(), random);
            for (int file = 0; file < kind.files.size(); ++file) {
                const QByteArray held = read_file(folder.file(kind.files[file]));
                ASSERT_TRUE(held == testing::saved_content(name, file, 0) ||
                            held == testing::saved_content(name, file, 1))
                    << qPrintable(kind.files[file]) << " torn after kill " << kill << ": "
                    << held.size() << " bytes";
            }
        }
    }
}

using CrashSafeStart = testing::AppTest;

TEST_F(CrashSafeStart, TheNextStartRemovesTheLeftoversOfSavesCutShort) {
    QDir().mkpath(installation + QStringLiteral("tmp"));
    QDir().mkpath(installation + QStringLiteral("udefined"));
    const QStringList leftovers = {
        QStringLiteral("config.dat.Ab12Cd"), QStringLiteral("prefer.cfg.x9Y8z7"),
        QStringLiteral("tmp/recent.wrt.QWErty"), QStringLiteral("udefined/6C38.wrt.000000")};
    const QStringList kept = {QStringLiteral("練習.txt.bak"), QStringLiteral("notes.md.Ab12Cd"),
                              QStringLiteral("udefined/6C38.wrt")};
    for (const QString& name : leftovers + kept) {
        write_file(installation + name, "x");
    }
    EXPECT_FALSE(start_up().quit);
    for (const QString& name : leftovers) {
        EXPECT_FALSE(QFile::exists(installation + name)) << qPrintable(name);
    }
    for (const QString& name : kept) {
        EXPECT_TRUE(QFile::exists(installation + name)) << qPrintable(name);
    }
}

// ---- Saves on a full disk

constexpr int no_private_mount = 77;

struct HelperRun {
    int status = -1;
    QString output;
};

// Runs the helper in a process of its own: the full file system is mounted where only it sees.
HelperRun save_on_full_disk(const QString& kind, const QString& folder) {
    QProcess helper;
    helper.setProcessChannelMode(QProcess::MergedChannels);
    helper.start(QStringLiteral(INKWREN_FULL_DISK_SAVE), {kind, folder});
    helper.waitForFinished(60000);
    return {helper.exitStatus() == QProcess::NormalExit ? helper.exitCode() : -1,
            QString::fromUtf8(helper.readAll()).trimmed()};
}

TEST(FullDiskSaves, AFullDiskLeavesEveryKindOfFileAsItWasAndSaysWhy) {
    for (const testing::SaveKind& kind : testing::save_kinds()) {
        SCOPED_TRACE(kind.name);
        testing::TempFolder folder;
        const HelperRun run =
            save_on_full_disk(QString::fromLatin1(kind.name), folder.file("滿的磁碟"));
        if (run.status == no_private_mount) {
            GTEST_SKIP() << "this system allows no private mount of a small file system";
        }
        EXPECT_EQ(run.status, 0) << qPrintable(run.output);
    }
}

// The exporter replaced good files by empty ones on a full disk, and exited 0 naming them.
TEST(FullDiskSaves, TheExporterLeavesTheOldFileAndEndsWithAnErrorOnAFullDisk) {
    for (const char* command : {"sheet", "gif", "strokes", "worksheet"}) {
        SCOPED_TRACE(command);
        testing::TempFolder folder;
        const HelperRun run = save_on_full_disk(QStringLiteral("export-") + QLatin1String(command),
                                                folder.file("滿的輸出"));
        if (run.status == no_private_mount) {
            GTEST_SKIP() << "this system allows no private mount of a small file system";
        }
        EXPECT_EQ(run.status, 0) << qPrintable(run.output);
    }
}

}  // namespace
}  // namespace inkwren
