// Resize speed for the output pictures: a 200 × 215 character picture shrunk to 80 × 86, as a
// GIF frame is; the aim is 0.5 ms or less. In the same run ImageMagick's mogrify, with the same
// filter, resizes a batch of copies when it is installed, for a side-by-side figure.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include "animation/raster.h"
#include "output/resampling.h"

namespace {

using namespace inkwren;

constexpr QSize source_size(200, 215);
constexpr QSize target_size(80, 86);
constexpr int batch_size = 50;
constexpr int batch_runs = 3;

// A few broad strokes, so the filter meets edges as in a real character.
QImage character_picture() {
    QImage picture = make_bitmap(source_size.width(), source_size.height());
    Canvas canvas(picture);
    canvas.pen_width = 14;
    canvas.move_to({30, 40});
    canvas.line_to({170, 40});
    canvas.move_to({100, 15});
    canvas.line_to({100, 200});
    canvas.move_to({95, 90});
    canvas.line_to({25, 180});
    canvas.move_to({105, 90});
    canvas.line_to({180, 190});
    canvas.finish();
    return picture;
}

void BM_ResizeCharacterPicture(benchmark::State& state) {
    const QImage source = character_picture();
    QImage target = make_bitmap(target_size.width(), target_size.height());
    for (auto _ : state) {
        resize_picture(source, target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_ResizeCharacterPicture)->Unit(benchmark::kMicrosecond);

double our_milliseconds_per_picture() {
    const QImage source = character_picture();
    QImage target = make_bitmap(target_size.width(), target_size.height());
    constexpr int rounds = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        resize_picture(source, target);
        benchmark::DoNotOptimize(target.constBits());
    }
    return double(timer.nsecsElapsed()) / 1e6 / rounds;
}

QStringList write_batch(const QTemporaryDir& folder, const QImage& picture) {
    QStringList paths;
    for (int copy = 0; copy < batch_size; ++copy) {
        paths << folder.filePath(QStringLiteral("picture-%1.png").arg(copy));
        picture.save(paths.back(), "PNG");
    }
    return paths;
}

// The best of a few runs of one mogrify over the whole batch, process start included; the
// copies are written afresh before each run, since mogrify resizes them in place.
double mogrify_milliseconds_per_picture(const QString& mogrify) {
    const QImage picture = character_picture();
    QTemporaryDir folder;
    double best = 1e100;
    for (int run = 0; run < batch_runs; ++run) {
        QStringList arguments{QStringLiteral("-filter"), QStringLiteral("Mitchell"),
                              QStringLiteral("-resize"), QStringLiteral("80x86!")};
        arguments << write_batch(folder, picture);
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(mogrify, arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            return -1;
        }
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6 / batch_size);
    }
    return best;
}

void compare_with_imagemagick() {
    const QString mogrify = QStandardPaths::findExecutable(QStringLiteral("mogrify"));
    if (mogrify.isEmpty()) {
        std::printf("ImageMagick's mogrify is not installed: no side-by-side figure.\n");
        return;
    }
    const double ours = our_milliseconds_per_picture();
    const double theirs = mogrify_milliseconds_per_picture(mogrify);
    if (theirs < 0) {
        std::printf("mogrify failed: no side-by-side figure.\n");
        return;
    }
    std::printf(
        "Resizing 200x215 to 80x86 with the Mitchell filter, per picture:\n"
        "  inkwren resize_picture   %8.4f ms\n"
        "  mogrify (batch of %d PNG) %8.4f ms  (PNG reading and writing included)\n"
        "  mogrify / inkwren        %8.1f x\n",
        ours, batch_size, theirs, theirs / ours);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // for QProcess; the pictures are drawn without a screen
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    compare_with_imagemagick();
    return 0;
}
