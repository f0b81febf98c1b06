#include <gtest/gtest.h>

#include <QProcess>

#include "tests/app/save_kinds.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

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
