// A document of 10 MB copied anywhere on the desktop: how long the program is busy with it, side
// by side with Qt's own fetch of the text, which any program that reads the clipboard pays. Run
// under X (DISPLAY set, xclip installed), another process owns the copy as a word processor
// would; without X, only the program's own handling is timed. Prints median and worst of runs.
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/silent_dialogs.h"
#include "langtable/language_table.h"
#include "pad/writing_pad.h"
#include "platform/code_page.h"

namespace {

using namespace inkwren;
using Clock = std::chrono::steady_clock;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR "/");
constexpr int runs = 7;
constexpr qsizetype document_size = 10 * 1024 * 1024;

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Mostly Chinese text with some Latin, as a document holds.
QString document() {
    const QString paragraph =
        QStringLiteral("永字八法是書法用筆的基本方法。The eight principles of 永. ");
    QString text;
    text.reserve(document_size / 2);
    while (text.size() * 2 < document_size) {
        text += paragraph;
    }
    return text;
}

// xclip keeps the selection in a process of its own until another copy replaces it.
bool own_elsewhere(const QString& text) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
    if (!xclip.waitForStarted()) {
        return false;
    }
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    return xclip.waitForFinished() && xclip.exitCode() == 0;
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %8.2f ms  worst %8.2f ms\n", what, times[times.size() / 2],
                times.back());
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    SilentDialogs dialogs;
    LanguageTable language;
    language.load_language(installation + QStringLiteral("english.txt"), gbk_code_page);
    WritingPad pad(dialogs, language, installation, gbk_code_page);
    pad.choose_encoding(EncodingItem::autodetect);
    const QString text = document();
    std::printf("a document of %lld characters (%.1f MB as UTF-8), %s\n",
                static_cast<long long>(text.size()), text.toUtf8().size() / 1048576.0,
                x11 ? "owned by xclip" : "without X: the handling alone");

    std::vector<double> fetches;
    std::vector<double> busy;
    for (int run = 0; run < runs; ++run) {
        QString fetched = text;
        double fetch = 0;
        if (x11) {
            if (!own_elsewhere(text)) {
                std::printf("xclip could not take the copy\n");
                return 1;
            }
            const Clock::time_point start = Clock::now();
            fetched = QGuiApplication::clipboard()->text();
            fetch = since(start);
            fetches.push_back(fetch);
        }
        const Clock::time_point start = Clock::now();
        pad.clipboard_changed(fetched);
        busy.push_back(fetch + since(start));
    }
    if (x11) {
        report("the floor: Qt's fetch of the text", fetches);
    }
    report("the program busy with the copy (fetch included)", busy);

    return 0;
}
