// Making a stroke-order sheet without the dialog: 鬱 (29 strokes) at the default pad size,
// each picture showing the strokes so far, as the save command makes it. Prints the median of
// repeated runs. Needs the installation folder the build assembles.
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "animation/simple_player_owner.h"
#include "output/number_font.h"
#include "output/stroke_order_sheet.h"
#include "tools/preview/archived_character.h"

namespace {

using namespace inkwren;

constexpr int runs = 30;

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    SimplePlayerOwner owner;
    const std::unique_ptr<TAnimationPlayer> player = load_archived_character(
        owner, QStringLiteral(INKWREN_INSTALLATION_DIR), QStringLiteral("鬱"), 200);
    if (!player) {
        std::printf("鬱 is not in the installation folder; build the installation target\n");
        return 1;
    }
    SheetInputs inputs;
    inputs.strokes = export_strokes(player->records());
    inputs.coord_scale = player->settings().scale;
    inputs.picture = player->pad_size();
    inputs.number_prefix = QStringLiteral("第");
    inputs.number_suffix = QStringLiteral("劃");
    const FontNumberRenderer numbers(sheet_number_font(inputs));

    std::vector<double> times;
    QSize size;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::optional<StrokeOrderSheet> sheet = make_sheet(inputs, numbers);
        times.push_back(timer.nsecsElapsed() / 1e6);
        size = sheet ? sheet->sheet.size() : QSize();
        if (sheet && run == 0 && argc > 1) {
            sheet->sheet.save(QString::fromLocal8Bit(argv[1]));  // a copy to look at
        }
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "sheet of 鬱, %d strokes, %d × %d pixels: median %.2f ms, best %.2f ms "
        "(target 30 ms)\n",
        int(inputs.strokes.size()), size.width(), size.height(), times[times.size() / 2],
        times.front());
    return 0;
}
