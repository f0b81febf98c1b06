// inkwren-export at scale, as a teacher would run it for a term: sheets of all 6,763 characters
// of GB2312, with one job and with two, a worksheet of 100 characters and one of all of them,
// and GIFs of 100 characters. Runs the built exporter on the installation folder the build
// assembles and prints the time and peak memory (maximum resident set) of each run; the files
// go to a temporary folder. Names given as arguments (sheets, worksheet, worksheets, gifs) run
// only those.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

#include "bench/child_run.h"
#include "bench/gb2312.h"
#include "platform/code_page.h"
#include "platform/whole_file.h"

namespace {

using namespace inkwren;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList chosen = QCoreApplication::arguments().mid(1);
    const auto wanted = [&](const char* name) {
        return chosen.isEmpty() || chosen.contains(QLatin1String(name));
    };
    QTemporaryDir scratch;
    // The exporter's own scratch folders go there too.
    qputenv("TMPDIR", QFile::encodeName(scratch.path()));
    const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
    const QStringList all = gb2312_characters();
    const QString list = QDir(scratch.path()).filePath(QStringLiteral("gb2312.txt"));
    write_whole_file(list, all.join(u'\n').toUtf8());
    const QString hundred = QDir(scratch.path()).filePath(QStringLiteral("hundred.txt"));
    write_whole_file(hundred, all.mid(0, 100).join(u'\n').toUtf8());
    const QStringList common{QStringLiteral("--data"), installation, QStringLiteral("--quiet")};
    const auto out = [&](const char* name) {
        return QStringList{QStringLiteral("--out"),
                           QDir(scratch.path()).filePath(QString::fromLatin1(name))};
    };

    std::printf("%lld characters of GB2312, from %s to %s\n", qlonglong(all.size()),
                qPrintable(all.front()), qPrintable(all.back()));
    if (wanted("sheets")) {
        const ChildRun one =
            run_child(QStringLiteral(INKWREN_EXPORT),
                      QStringList{QStringLiteral("sheet"), QStringLiteral("--list"), list,
                                  QStringLiteral("--jobs"), QStringLiteral("1")} +
                          common + out("sheets1"));
        std::printf("sheets of all, --jobs 1: %.1f s, peak %.0f MB\n", one.seconds, one.peak_mb);
        const ChildRun two =
            run_child(QStringLiteral(INKWREN_EXPORT),
                      QStringList{QStringLiteral("sheet"), QStringLiteral("--list"), list,
                                  QStringLiteral("--jobs"), QStringLiteral("2")} +
                          common + out("sheets2"));
        std::printf("sheets of all, --jobs 2: %.1f s (target 60 s), peak %.0f MB; speed-up %.2f\n",
                    two.seconds, two.peak_mb, one.seconds / two.seconds);
    }
    if (wanted("worksheet")) {
        const ChildRun worksheet =
            run_child(QStringLiteral(INKWREN_EXPORT),
                      QStringList{QStringLiteral("worksheet"), QStringLiteral("--list"), hundred} +
                          common + out("worksheet"));
        std::printf("worksheet of 100 characters: %.1f s (target 5 s), peak %.0f MB\n",
                    worksheet.seconds, worksheet.peak_mb);
    }
    if (wanted("worksheets")) {
        const ChildRun worksheet =
            run_child(QStringLiteral(INKWREN_EXPORT),
                      QStringList{QStringLiteral("worksheet"), QStringLiteral("--list"), list} +
                          common + out("worksheets"));
        const qint64 size =
            QFileInfo(QDir(scratch.path()).filePath(QStringLiteral("worksheets/worksheet.pdf")))
                .size();
        std::printf("worksheet of all: %.1f s, peak %.0f MB (target 150 MB), %.1f MB of PDF\n",
                    worksheet.seconds, worksheet.peak_mb, size / 1048576.0);
    }
    if (wanted("gifs")) {
        const ChildRun gifs =
            run_child(QStringLiteral(INKWREN_EXPORT),
                      QStringList{QStringLiteral("gif"), QStringLiteral("--list"), hundred} +
                          common + out("gifs"));
        std::printf("GIFs of 100 characters at 200 pixels: %.1f s (target 20 s), peak %.0f MB\n",
                    gifs.seconds, gifs.peak_mb);
    }
    return 0;
}
