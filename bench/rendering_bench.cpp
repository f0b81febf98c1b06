// Rendering speed at the largest pad (650 × 650) on 鬱, the 29-stroke character of the real
// archive: the whole character at rest, and one frame composition. Needs the installation
// folder the build assembles.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "animation/simple_player_owner.h"
#include "tools/preview/archived_character.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);

struct LargePad {
    SimplePlayerOwner owner;
    TAnimationPlayer player{owner, installation};

    LargePad() {
        load_archived_character(player, owner, installation, QStringLiteral("鬱"), 650);
        player.reset_background();
    }
};

void BM_ShowStaticYu650(benchmark::State& state) {
    LargePad pad;
    if (pad.player.lines.count() != 29) {
        state.SkipWithError("鬱 is not in the installation folder; build the installation target");
        return;
    }
    for (auto _ : state) {
        pad.player.show_static();
    }
}
BENCHMARK(BM_ShowStaticYu650)->Unit(benchmark::kMillisecond);

void BM_ComposeFrame650(benchmark::State& state) {
    LargePad pad;
    pad.player.ink_bmp = pad.player.image;  // an ink layer full of strokes
    pad.player.pen_x = 300;
    pad.player.pen_y = 300;
    for (auto _ : state) {
        pad.player.compose_frame();
        benchmark::DoNotOptimize(pad.player.frame_bmp.constBits());
    }
}
BENCHMARK(BM_ComposeFrame650)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
