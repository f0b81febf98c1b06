// Rendering speed at the largest pad (650 × 650) on 鬱, the 29-stroke character of the real
// archive: the whole character at rest, and one frame composition. Needs the installation
// folder the build assembles.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>

#include "animation/animationplayer.h"
#include "animation/raster.h"
#include "animation/simple_player_owner.h"
#include "platform/code_page.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);

TLineList character_at(const QString& character, double scale) {
    const QDir folder(installation);
    const auto match =
        find_in_index(folder.filePath(QStringLiteral("tstrokes-idx.dat")),
                      to_code_page(character, big5_code_page) + ".wrt", IndexColumn::big5);
    if (!match) {
        return {};
    }
    TObjList records =
        parse_stroke_text(read_entry_text(folder.filePath(QStringLiteral("tstrokes.cdf")), *match),
                          character, EndMarkerKind::keep_pen_up);
    for (PointRecord& record : records) {
        if (!is_end_marker(record)) {
            record.x *= scale;
            record.y *= scale;
        }
    }
    return split_strokes(records);
}

struct LargePad {
    SimplePlayerOwner owner;
    TAnimationPlayer player{owner, installation};

    LargePad() {
        player.pad_w = player.pad_h = 650;
        player.pen_scale = player.coord_scale = 650 / 200.0;
        player.init_pad();
        player.lines = character_at(QStringLiteral("鬱"), player.coord_scale);
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
