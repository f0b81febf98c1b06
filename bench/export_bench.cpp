// inkwren-export at scale, as a teacher would run it for a term: sheets of all 6,763 characters
// of GB2312, with one job and with two, a worksheet of 100 characters and GIFs of 100
// characters. Runs the built exporter on the installation folder the build assembles and prints
// the times; the files go to a temporary folder.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

#include "platform/code_page.h"
#include "platform/whole_file.h"

namespace {

using namespace inkwren;

// The 6,763 Chinese characters of GB2312: rows 16 to 87 of the code table, whose last row ends
// early.
QStringList gb2312_characters() {
    QStringList characters;
    for (int row = 0xB0; row <= 0xF7; ++row) {
        for (int cell = 0xA1; cell <= 0xFE; ++cell) {
            if (row == 0xD7 && cell > 0xF9) {
                continue;
            }
            QByteArray code;
            code.append(char(row)).append(char(cell));
            characters << from_code_page(code, gbk_code_page);
        }
    }
    return characters;
}

double run_export(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(INKWREN_EXPORT), arguments);
    process.waitForFinished(-1);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (process.exitCode() != 0) {
        std::printf("  (exit status %d)\n", process.exitCode());
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
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
    const double one = run_export(QStringList{QStringLiteral("sheet"), QStringLiteral("--list"),
                                              list, QStringLiteral("--jobs"), QStringLiteral("1")} +
                                  common + out("sheets1"));
    std::printf("sheets of all, --jobs 1: %.1f s\n", one);
    const double two = run_export(QStringList{QStringLiteral("sheet"), QStringLiteral("--list"),
                                              list, QStringLiteral("--jobs"), QStringLiteral("2")} +
                                  common + out("sheets2"));
    std::printf("sheets of all, --jobs 2: %.1f s (target 60 s); speed-up %.2f\n", two, one / two);
    const double worksheet =
        run_export(QStringList{QStringLiteral("worksheet"), QStringLiteral("--list"), hundred} +
                   common + out("worksheet"));
    std::printf("worksheet of 100 characters: %.1f s (target 5 s)\n", worksheet);
    const double gifs =
        run_export(QStringList{QStringLiteral("gif"), QStringLiteral("--list"), hundred} + common +
                   out("gifs"));
    std::printf("GIFs of 100 characters at 200 pixels: %.1f s (target 20 s)\n", gifs);
    return 0;
}
