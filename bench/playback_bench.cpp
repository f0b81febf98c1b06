// Playback cost on 鬱 (29 strokes) from the real archive: the duration of every play_tick at
// 650 × 650 with pen speed 100 (the slowest tick matters: a tick has 30 ms), also with GIF
// capture on, its frames encoded as they are shown; and the once-per-character placing of its
// stroke numbers. Every mode is timed with plain and with smooth ink, five whole playbacks each,
// beside the floor of a plain whole compose and a frame copy into pictures already in memory.
// Ticks and floor alike come at the timer's interval, as in the program, whose ticks find the
// caches cold after the wait. A timing program rather than a benchmark, since it reports the
// worst tick of whole playbacks. MODE=<name as printed> times that mode alone.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <numeric>
#include <optional>
#include <vector>

#include <sys/resource.h>

#include "animation/animationplayer.h"
#include "animation/layers.h"
#include "animation/simple_player_owner.h"
#include "animation/stroke_numbers.h"
#include "output/gif_recorder.h"
#include "tools/preview/archived_character.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
const QString character = QStringLiteral("鬱");

// An owner whose captures are encoded as the program encodes them.
class EncodingOwner : public SimplePlayerOwner {
public:
    std::unique_ptr<FrameRecorder> start_capture() override {
        return std::make_unique<GifRecorder>(gif_scale);
    }
    // Kept to be finished after the timing: the program puts the GIF together on a thread of
    // its own once the animation is over.
    void write_gif(std::unique_ptr<FrameRecorder> capture) override {
        finished = std::move(capture);
    }
    std::unique_ptr<FrameRecorder> finished;
    double gif_scale = 1.0;
};

struct Mode {
    bool two_color = false;
    bool grey_first = false;
    bool capture = false;
    double gif_scale = 1.0;
    bool numbers = false;
};

struct TickFigures {
    double mean_ms = 0;
    double median_ms = 0;
    double worst_ms = 0;
    double worst_cpu_ms = 0;   // of the timer's thread alone: the tick's own work, without waits
    double worst_kept_ms = 0;  // of the ticks during which the thread kept its processor
    int preempted = 0;         // ticks during which the system gave the processor to another
    std::size_t ticks = 0;

    // The worst of two sets of playbacks, the preempted ticks of both counted.
    void take_worst(const TickFigures& run) {
        mean_ms = std::max(mean_ms, run.mean_ms);
        median_ms = std::max(median_ms, run.median_ms);
        worst_ms = std::max(worst_ms, run.worst_ms);
        worst_cpu_ms = std::max(worst_cpu_ms, run.worst_cpu_ms);
        worst_kept_ms = std::max(worst_kept_ms, run.worst_kept_ms);
        preempted += run.preempted;
        ticks = run.ticks;
    }
};

long involuntary_switches() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nivcsw;
}

double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The wait before the next tick: the timer's interval, pauses between strokes cut short, the
// caches being as cold after a tenth of a second as after the whole pause.
int paced_wait_ms(TAnimationPlayer& player) {
    return std::min(player.playtimer().interval(), 100);
}

// One whole playback of 鬱 in the mode, its ticks timed one by one.
std::optional<TickFigures> time_ticks(Mode mode, bool smooth) {
    const auto [two_color, grey_first, capture, gif_scale, numbers] = mode;
    EncodingOwner owner;
    owner.pad.pen_speed = 100;
    owner.pad.smooth_ink = smooth;
    owner.pad.stroke_numbers = numbers;
    owner.record_gif = capture;
    owner.gif_scale = gif_scale;
    const auto player = load_archived_character(owner, installation, character, 650);
    if (!player) {
        return std::nullopt;
    }
    owner.pad.two_color = two_color;
    owner.pad.grey_first = grey_first;
    player->replay();
    std::vector<double> ticks;
    TickFigures figures;
    while (player->playing()) {
        QElapsedTimer timer;
        timer.start();
        const double cpu_start = thread_cpu_ms();
        const long switches = involuntary_switches();
        const int from = player->play_pos();
        player->play_tick();
        ticks.push_back(timer.nsecsElapsed() / 1e6);
        const double cpu_ms = thread_cpu_ms() - cpu_start;
        figures.worst_cpu_ms = std::max(figures.worst_cpu_ms, cpu_ms);
        if (involuntary_switches() != switches) {
            ++figures.preempted;
        } else {
            figures.worst_kept_ms = std::max(figures.worst_kept_ms, ticks.back());
        }
        // Ticks come at the timer's interval, and a capture's worker uses the time between.
        QThread::msleep(std::max(0, paced_wait_ms(*player) - int(ticks.back())));
        if (qEnvironmentVariableIsSet("TICK_TRACE")) {
            std::printf("tick %zu from %d to %d: %.3f ms, its own work %.3f ms\n", ticks.size(),
                        from, player->play_pos(), ticks.back(), cpu_ms);
        }
    }
    std::sort(ticks.begin(), ticks.end());
    figures.mean_ms = std::accumulate(ticks.begin(), ticks.end(), 0.0) / double(ticks.size());
    figures.median_ms = ticks[ticks.size() / 2];
    figures.worst_ms = ticks.back();
    figures.ticks = ticks.size();
    return figures;
}

QString mode_name(Mode mode, bool smooth) {
    QStringList parts{smooth ? QStringLiteral("smooth") : QStringLiteral("plain"),
                      mode.two_color ? QStringLiteral("two-colour") : QStringLiteral("normal")};
    if (mode.grey_first) {
        parts << QStringLiteral("grey-first");
    }
    if (mode.capture) {
        parts << (mode.gif_scale == 1.0 ? QStringLiteral("capture 100%")
                                        : QStringLiteral("capture 50%"));
    }
    if (mode.numbers) {
        parts << QStringLiteral("numbers");
    }
    return parts.join(QLatin1Char(' '));
}

// The floor a tick is measured against: a plain compose of the whole pad (the background copied
// and the ink laid over it, as the ink stands after each tick of a plain playback) and one frame
// copy, at 650, in pictures made beforehand; the median over the playback.
double floor_ms() {
    SimplePlayerOwner owner;
    owner.pad.pen_speed = 100;
    owner.pad.smooth_ink = false;
    const auto player = load_archived_character(owner, installation, character, 650);
    if (!player) {
        return 0;
    }
    player->replay();
    std::vector<double> runs;
    QImage frame(player->back_bmp().size(), player->back_bmp().format());
    QImage shown(frame.size(), frame.format());
    frame.fill(Qt::white);
    shown.fill(Qt::white);
    const auto bytes = std::size_t(frame.sizeInBytes());
    while (player->playing()) {
        player->play_tick();
        QThread::msleep(paced_wait_ms(*player));
        const QImage& background = player->back_bmp();
        const QImage& ink = player->ink_bmp();
        QElapsedTimer timer;
        timer.start();
        std::memcpy(frame.bits(), background.constBits(), bytes);
        overlay(frame, ink, 0, 0, frame.size());
        std::memcpy(shown.bits(), frame.constBits(), bytes);
        runs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// Placing happens once per character, at its first picture with numbers. The median and the best
// of a few runs, the machine being shared.
void time_number_placing() {
    SimplePlayerOwner owner;
    const auto player = load_archived_character(owner, installation, character, 650);
    if (!player) {
        return;
    }
    std::vector<double> runs;
    std::size_t placed = 0;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        placed = place_stroke_numbers(player->lines(), QSize(650, 650),
                                      PlayerSettings::square(650, QString()).scale)
                     .size();
        runs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("placing %zu stroke numbers at 650: median %.3f ms, best %.3f ms of %zu runs\n",
                placed, runs[runs.size() / 2], runs.front(), runs.size());
}

}  // namespace

int main(int argc, char** argv) {
    inkwren::tools::prefer_offscreen_platform();
    QGuiApplication app(argc, argv);
    // The slowest tick moves from run to run: five runs unless told.
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const Mode modes[] = {
        {},
        {.two_color = true, .grey_first = true},
        {.two_color = true, .grey_first = true, .capture = true},
        {.two_color = true, .grey_first = true, .capture = true, .gif_scale = 0.5},
        {.two_color = true, .grey_first = true, .numbers = true},
        {.two_color = true, .grey_first = true, .capture = true, .numbers = true},
        {.two_color = true, .grey_first = true, .capture = true, .gif_scale = 0.5, .numbers = true},
    };
    const double floor = floor_ms();
    std::printf(
        "floor: a plain compose of the whole pad and a frame copy at 650, paced as ticks, median "
        "over a playback: %.3f ms\n",
        floor);
    std::printf(
        "play_tick at 650, speed 100, 鬱, %d runs each: the worst over all runs, the means' "
        "largest\n",
        runs);
    for (const bool smooth : {false, true}) {
        for (const Mode& mode : modes) {
            if (qEnvironmentVariableIsSet("MODE") &&
                mode_name(mode, smooth) != qEnvironmentVariable("MODE")) {
                continue;
            }
            TickFigures all;
            for (int run = 0; run < runs; ++run) {
                const std::optional<TickFigures> figures = time_ticks(mode, smooth);
                if (!figures) {
                    std::printf("鬱 is not in %s; build the installation target\n",
                                qPrintable(installation));
                    return 1;
                }
                all.take_worst(*figures);
            }
            std::printf(
                "  %-52s %3zu ticks: mean %.3f ms (%.1f x floor), median %.3f ms, worst "
                "%.3f ms (its own work %.3f ms); worst not preempted %.3f ms, %d preempted\n",
                qPrintable(mode_name(mode, smooth)), all.ticks, all.mean_ms, all.mean_ms / floor,
                all.median_ms, all.worst_ms, all.worst_cpu_ms, all.worst_kept_ms, all.preempted);
        }
    }
    time_number_placing();
    return 0;
}
