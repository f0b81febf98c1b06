// Start-up and intake speed with the full data: the time from starting the program to its first
// frame of the start character (the program is started afresh each time and says when its
// frame is on screen) and its memory then, beside the same of a floor program that shows one
// character (under X when DISPLAY is set, else offscreen), and the time from a clipboard change to
// the first drawn frame of the copied character, the one-second wait before the first stroke left
// out.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "bench/silent_dialogs.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
const QString program = QStringLiteral(INKWREN_PROGRAM);
const QString floor_program = QStringLiteral(INKWREN_FLOOR_PROGRAM);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct StartUp {
    double median_ms = 0;
    double best_ms = 0;
    QString memory;  // the resident memory at the first frame
};

// A program started afresh eleven times from the installation folder, timed until it says that
// its first frame is on screen.
std::optional<StartUp> time_start_up(const QString& path) {
    std::vector<double> times;
    QString memory;
    for (int run = 0; run < 11; ++run) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
        environment.insert(QStringLiteral("INKWREN_REPORT_FIRST_FRAME"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(installation);
        QElapsedTimer timer;
        timer.start();
        process.start(path, {});
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
        return std::nullopt;
    }
    return StartUp{median(times), *std::min_element(times.begin(), times.end()), memory};
}

// The program beside the floor, a Qt program showing one character, in one run.
void compare_start_up() {
    const std::optional<StartUp> ours = time_start_up(program);
    const std::optional<StartUp> floor = time_start_up(floor_program);
    if (!ours || !floor) {
        std::printf("a program did not start; build the installation target\n");
        return;
    }
    std::printf("process start to first frame (%s): median %.1f ms, best %.1f ms; %s\n",
                qPrintable(QGuiApplication::platformName()), ours->median_ms, ours->best_ms,
                qPrintable(ours->memory));
    std::printf("the floor, one CJK label:                 median %.1f ms, best %.1f ms; %s\n",
                floor->median_ms, floor->best_ms, qPrintable(floor->memory));
    std::printf("ratio of the medians: %.2f (goal 1.3)\n", ours->median_ms / floor->median_ms);
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
    compare_start_up();
    time_clipboard_to_frame();
    return 0;
}
