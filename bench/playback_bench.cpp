// Playback cost on 鬱 (29 strokes) from the real archive: the duration of every play_tick at
// 650 × 650 with pen speed 100 (the slowest tick matters: a tick has 30 ms), also with GIF
// capture on, its frames encoded as they are shown; and the once-per-character placing of its
// stroke numbers. Every mode is timed with the ink as specified and with smooth ink. A timing
// program rather than a benchmark, since it reports the worst tick of a whole playback.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "animation/animationplayer.h"
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
    // Kept to be finished after the timing: the program finishes a capture when it offers the
    // GIF, once the animation is over.
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

void time_ticks(Mode mode, bool smooth) {
    const auto [two_color, grey_first, capture, gif_scale, numbers] = mode;
    EncodingOwner owner;
    owner.pad.pen_speed = 100;
    owner.pad.smooth_ink = smooth;
    owner.pad.stroke_numbers = numbers;
    owner.record_gif = capture;
    owner.gif_scale = gif_scale;
    const auto player = load_archived_character(owner, installation, character, 650);
    if (!player) {
        std::printf("鬱 is not in %s; build the installation target\n", qPrintable(installation));
        return;
    }
    owner.pad.two_color = two_color;
    owner.pad.grey_first = grey_first;
    QElapsedTimer play_timer;
    play_timer.start();
    player->replay();
    const double play_ms = play_timer.nsecsElapsed() / 1e6;
    std::vector<double> ticks;
    while (player->playing()) {
        QElapsedTimer timer;
        timer.start();
        const int from = player->play_pos();
        player->play_tick();
        ticks.push_back(timer.nsecsElapsed() / 1e6);
        if (capture) {
            // Ticks come at the timer's interval, and a capture's worker uses the time between.
            QThread::msleep(std::max(0, player->playtimer().interval() - int(ticks.back())));
        }
        if (qEnvironmentVariableIsSet("TICK_TRACE")) {
            std::printf("tick %zu from %d to %d: %.3f ms\n", ticks.size(), from, player->play_pos(),
                        ticks.back());
        }
    }
    std::sort(ticks.begin(), ticks.end());
    const double mean = std::accumulate(ticks.begin(), ticks.end(), 0.0) / double(ticks.size());
    std::printf(
        "play_tick at 650, speed 100, %-6s %-10s %-10s %-14s %-7s: %zu ticks, mean %.3f ms, "
        "median %.3f ms, worst %.3f ms (replay() %.1f ms)\n",
        smooth ? "smooth" : "", two_color ? "two-colour" : "normal", grey_first ? "grey-first" : "",
        capture ? (gif_scale == 1.0 ? "capture 100%" : "capture 50%") : "",
        numbers ? "numbers" : "", ticks.size(), mean, ticks[ticks.size() / 2], ticks.back(),
        play_ms);
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
    const Mode modes[] = {
        {},
        {.two_color = true, .grey_first = true},
        {.two_color = true, .grey_first = true, .capture = true},
        {.two_color = true, .grey_first = true, .capture = true, .gif_scale = 0.5},
        {.two_color = true, .grey_first = true, .numbers = true},
        {.two_color = true, .grey_first = true, .capture = true, .numbers = true},
    };
    for (const bool smooth : {false, true}) {
        for (const Mode& mode : modes) {
            time_ticks(mode, smooth);
        }
    }
    time_number_placing();
    return 0;
}
