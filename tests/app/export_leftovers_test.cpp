#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/output_folder.h"
#include "app/scratch_folder.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;
using testing::write_file;

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

QStringList names_in(const QString& folder) {
    return sorted(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                         QDir::System));
}

TEST(ExportLeftovers, ScratchFoldersOfKilledRunsGoAndThoseOfLiveRunsStay) {
    TempFolder temp;
    const QString elsewhere = temp.file(QStringLiteral("別處"));
    QDir().mkpath(elsewhere + QStringLiteral("/保留"));
    // A killed run's folder holds no lock any more; the live run's is locked by this process.
    const QString dead = temp.file(QStringLiteral("inkwren-export-Dead01"));
    QDir().mkpath(dead + QStringLiteral("/tmp"));
    write_file(dead + QStringLiteral("/tmp/6C38.wrt"), "strokes");
    QFile::link(elsewhere, temp.file(QStringLiteral("inkwren-export-Link01")));
    QDir().mkpath(temp.file(QStringLiteral("other-program-Ab12Cd")));
    std::optional<ScratchFolder> live(std::in_place, temp.path());

    EXPECT_EQ(remove_dead_scratch_folders(temp.path()), 1);
    const QString live_name = QDir(live->path()).dirName();
    EXPECT_EQ(names_in(temp.path()),
              sorted({live_name, QStringLiteral("inkwren-export-Link01"),
                      QStringLiteral("other-program-Ab12Cd"), QStringLiteral("別處")}));
    EXPECT_TRUE(QDir(elsewhere + QStringLiteral("/保留")).exists()) << "links are not followed";

    live.reset();
    EXPECT_FALSE(names_in(temp.path()).contains(live_name));
}

TEST(ExportLeftovers, HalfWrittenFilesOfKilledRunsGoUnlessARunWritesThere) {
    TempFolder temp;
    const QString out = temp.file(QStringLiteral("輸出"));
    const QStringList ours{QStringLiteral("永.jpg.Ab12Cd"), QStringLiteral("永.png.Ab12Cd"),
                           QStringLiteral("國.gif.x9Y8z7"), QStringLiteral("𠀀.wrt.000000"),
                           QStringLiteral("worksheet.pdf.QwErTy")};
    const QStringList others{QStringLiteral("report.pdf.Ab12Cd"), QStringLiteral("永國.jpg.Ab12Cd"),
                             QStringLiteral("永.jpg"), QStringLiteral("永.jpg.old"),
                             QStringLiteral("worksheet.pdf")};
    const auto plant = [&](const QStringList& names) {
        for (const QString& name : names) {
            write_file(out + QLatin1Char('/') + name, "half");
        }
    };

    // While another run writes there, they may be its own.
    {
        const OutputFolder writing(out);
        plant(ours + others);
        const OutputFolder second(out);
        EXPECT_EQ(second.leftovers_removed(), 0);
    }
    EXPECT_EQ(names_in(out).size(), ours.size() + others.size());

    const OutputFolder alone(out);
    EXPECT_EQ(alone.leftovers_removed(), ours.size());
    EXPECT_EQ(names_in(out), sorted(others));
}

}  // namespace
}  // namespace inkwren
