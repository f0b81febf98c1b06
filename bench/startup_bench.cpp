// Start-up and intake speed with the full data: the time from starting the program to its first
// frame of the start character (the program is started afresh each time and says when its
// frame is on screen), its memory then, and the time from a clipboard change to the first drawn
// frame of the copied character, the one-second wait before the first stroke left out.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "bench/silent_dialogs.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
const QString program = QStringLiteral(INKWREN_PROGRAM);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void time_start_up() {
    std::vector<double> times;
    QString memory;
    for (int run = 0; run < 11; ++run) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("INKWREN_REPORT_FIRST_FRAME"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(installation);
        QElapsedTimer timer;
        timer.start();
        process.start(program, {});
        while (process.waitForReadyRead(5000)) {
            const QByteArray line = process.readAll();
            if (line.contains("first frame")) {
                times.push_back(timer.nsecsElapsed() / 1e6);
                memory = QString::fromUtf8(line.mid(line.indexOf("VmRSS:"))).trimmed();
                break;
            }
        }
        process.waitForFinished(5000);
    }
    if (times.empty()) {
        std::printf("the program did not start; build the installation target\n");
        return;
    }
    std::printf("process start to first frame: median %.1f ms, best %.1f ms (%zu runs); %s\n",
                median(times), *std::min_element(times.begin(), times.end()), times.size(),
                qPrintable(memory));
}

void time_clipboard_to_frame() {
    QTemporaryDir settings;
    SilentDialogs dialogs;
    StartupResult start = run_startup(
        {settings.filePath(QStringLiteral("registry.ini")), installation, QSize(1024, 768)});
    if (start.quit) {
        std::printf("the program did not start; build the installation target\n");
        return;
    }
    TForm1 window(std::move(start), dialogs);
    std::vector<double> times;
    for (const QString& character :
         {QStringLiteral("我"), QStringLiteral("鬱"), QStringLiteral("国"), QStringLiteral("永"),
          QStringLiteral("國"), QStringLiteral("書")}) {
        QElapsedTimer timer;
        timer.start();
        window.clipboard_changed(character);
        TAnimationPlayer& player = window.pad().player();
        // The first tick opens the first stroke; the next one draws and composes a frame.
        player.play_tick();
        player.play_tick();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("clipboard change to first drawn frame: median %.2f ms, worst %.2f ms\n",
                median(times), *std::max_element(times.begin(), times.end()));
}

}  // namespace

int main(int argc, char** argv) {
    inkwren::tools::prefer_offscreen_platform();
    QApplication app(argc, argv);
    time_start_up();
    time_clipboard_to_frame();
    return 0;
}
