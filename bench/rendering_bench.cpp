// Rendering speed at the largest pad (650 × 650) on 鬱, the 29-stroke character of the real
// archive: the whole character at rest, one frame composition, and one step of dragging a
// stroke in the editor. Needs the installation folder the build assembles.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "animation/simple_player_owner.h"
#include "animation/stroke_editor.h"
#include "tools/preview/archived_character.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);

struct LargePad {
    SimplePlayerOwner owner;
    std::unique_ptr<TAnimationPlayer> player =
        load_archived_character(owner, installation, QStringLiteral("鬱"), 650);

    // Whether 鬱 was loaded whole; the benchmark is skipped otherwise.
    bool loaded(benchmark::State& state) const {
        if (!player || player->lines().count() != 29) {
            state.SkipWithError(
                "鬱 is not in the installation folder; build the installation target");
            return false;
        }
        return true;
    }
};

// The argument is the pad's smooth ink switch.
void BM_ShowStaticYu650(benchmark::State& state) {
    LargePad pad;
    if (!pad.loaded(state)) {
        return;
    }
    pad.owner.pad.smooth_ink = state.range(0) != 0;
    pad.player->reset_background();
    for (auto _ : state) {
        pad.player->show_static();
    }
}
BENCHMARK(BM_ShowStaticYu650)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ComposeFrame650(benchmark::State& state) {
    LargePad pad;
    if (!pad.loaded(state)) {
        return;
    }
    // Written to the end at full speed, the ink layer is full of strokes.
    pad.owner.pad.pen_speed = 100;
    pad.player->replay();
    while (pad.player->playing()) {
        pad.player->play_tick();
    }
    for (auto _ : state) {
        pad.player->compose_frame({300, 300});
        benchmark::DoNotOptimize(pad.player->frame_bmp().constBits());
    }
}
BENCHMARK(BM_ComposeFrame650)->Unit(benchmark::kMillisecond);

// One mouse move while a selected stroke is carried: the stroke shifts by a pixel and the
// static view is redrawn with the selection frame. The argument is the smooth ink switch.
void BM_EditStepYu650(benchmark::State& state) {
    LargePad pad;
    if (!pad.loaded(state)) {
        return;
    }
    pad.owner.pad.smooth_ink = state.range(0) != 0;
    pad.player->reset_background();
    StrokeEditor& editor = pad.player->editor();
    const PointRecord& first = pad.player->lines().items[10].front();
    const QPoint at(int(first.x), int(first.y));
    editor.button_down(MouseButton::left, at);
    editor.button_up(MouseButton::left, at);
    editor.button_down(MouseButton::right, at);
    editor.button_up(MouseButton::right, at);
    if (editor.selected() != 10 || !editor.move_mode()) {
        state.SkipWithError("the stroke was not selected");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        ++step;
        editor.mouse_move(false, at + QPoint(step % 2, step % 2));
        benchmark::DoNotOptimize(pad.player->image().constBits());
    }
}
BENCHMARK(BM_EditStepYu650)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
