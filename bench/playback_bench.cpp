// Playback cost on 鬱 (29 strokes) from the real archive: the duration of every play_tick at
// 650 × 650 with pen speed 100 (the slowest tick matters: a tick has 30 ms), and the memory the
// captured GIF frames hold for a full capture at 200 and 650 pixels. A timing program rather
// than a benchmark, since it reports the worst tick of a whole playback.
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"
#include "tools/preview/archived_character.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
const QString character = QStringLiteral("鬱");

void time_ticks(bool two_color, bool grey_first) {
    SimplePlayerOwner owner;
    owner.pad.pen_speed = 100;
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
        if (qEnvironmentVariableIsSet("TICK_TRACE")) {
            std::printf("tick %zu from %d to %d: %.3f ms\n", ticks.size(), from, player->play_pos(),
                        ticks.back());
        }
    }
    std::sort(ticks.begin(), ticks.end());
    const double mean = std::accumulate(ticks.begin(), ticks.end(), 0.0) / double(ticks.size());
    std::printf(
        "play_tick at 650, speed 100, %-10s %-10s: %zu ticks, mean %.3f ms, "
        "median %.3f ms, worst %.3f ms (replay() %.1f ms)\n",
        two_color ? "two-colour" : "normal", grey_first ? "grey-first" : "", ticks.size(), mean,
        ticks[ticks.size() / 2], ticks.back(), play_ms);
}

void capture_memory(int size) {
    SimplePlayerOwner owner;
    owner.pad.pen_speed = 2;
    owner.pad.record_gif = true;
    const auto player = load_archived_character(owner, installation, character, size);
    if (!player) {
        return;
    }
    player->replay();
    qsizetype peak = 0;
    std::size_t frames = 0;
    while (player->playing()) {
        player->play_tick();
        qsizetype held = 0;
        for (const GifFrame& frame : player->gif_frames()) {
            held += frame.bitmap.sizeInBytes();
        }
        peak = std::max(peak, held);
        frames = std::max(frames, player->gif_frames().size());
    }
    std::printf("full capture at %d (pen speed 2): %zu frames, %.1f MiB held\n", size, frames,
                double(peak) / (1024.0 * 1024.0));
}

}  // namespace

int main(int argc, char** argv) {
    inkwren::tools::prefer_offscreen_platform();
    QGuiApplication app(argc, argv);
    time_ticks(false, false);
    time_ticks(true, true);
    capture_memory(200);
    capture_memory(650);
    return 0;
}
