// Stroke-order sheets in bulk against their floor: inkwren-export makes the sheets of all 6,763
// characters of GB2312 with two jobs (default settings, on the installation folder the build
// assembles), and the same run measures what a sheet cannot do without, on a sample of the
// characters: inflating its archive entry, drawing its strokes once, resizing each of its
// pictures whole once, and encoding the JPEG. The floor is their sum for every character,
// shared by the two jobs. An exporter given as an argument is timed too, for a comparison.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

#include "animation/raster.h"
#include "bench/child_run.h"
#include "bench/gb2312.h"
#include "output/character_files.h"
#include "output/number_font.h"
#include "output/resampling.h"
#include "output/stroke_order_sheet.h"
#include "platform/code_page.h"
#include "platform/whole_file.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"

namespace {

using namespace inkwren;

constexpr int jobs = 2;
constexpr int sample_every = 20;

// Milliseconds each part of the floor took, summed over the characters measured.
struct Floor {
    double inflating = 0;
    double drawing = 0;
    double resampling = 0;
    double jpeg = 0;
    int characters = 0;

    double per_character() const { return (inflating + drawing + resampling + jpeg) / characters; }
};

double elapsed_ms(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

void measure_floor(const QString& installation, const QString& character, Floor& floor) {
    const ArchivePaths paths = archive_paths(ArchiveChoice{}, installation);
    const QByteArray key = to_code_page(character, gbk_code_page) + ".wrt";
    QElapsedTimer timer;
    timer.start();
    const std::optional<QByteArray> text = read_entry(key, paths, IndexColumn::gb);
    floor.inflating += elapsed_ms(timer);
    if (!text) {
        return;
    }
    SheetInputs inputs;
    inputs.strokes = export_strokes(parse_stroke_text(*text, key, EndMarkerKind::keep_pen_up));
    inputs.smooth = true;  // the program's default
    const FontNumberRenderer numbers(sheet_number_font(inputs));
    const std::optional<StrokeOrderSheet> sheet = make_sheet(inputs, numbers);
    if (!sheet) {
        return;
    }
    timer.start();
    const QImage strokes = draw_underlay(inputs, 0);
    floor.drawing += elapsed_ms(timer);
    // Every picture resized whole once, at the size the sheet's pictures have before reducing.
    const int number_height = numbers.measure(number_text(inputs, 1)).height();
    QImage picture = make_bitmap(inputs.picture.width(), inputs.picture.height() + number_height);
    for (int y = 0; y < strokes.height(); ++y) {
        std::copy_n(strokes.constScanLine(y), 3 * strokes.width(), picture.scanLine(y));
    }
    timer.start();
    for (std::size_t n = 0; n < sheet->pictures.size(); ++n) {
        resized_picture(picture, sheet->picture_size);
    }
    floor.resampling += elapsed_ms(timer);
    timer.start();
    sheet_jpeg(sheet->sheet);
    floor.jpeg += elapsed_ms(timer);
    ++floor.characters;
}

void print_run(const char* name, const ChildRun& run, qsizetype count, double floor_seconds) {
    std::printf(
        "%-9s %6.1f s for %lld sheets, --jobs %d: %5.2f ms a character (%5.2f ms of "
        "processor time); %.2f times the floor\n",
        name, run.seconds, qlonglong(count), jobs, 1000 * run.seconds / count,
        1000 * run.cpu_seconds / count, run.seconds / floor_seconds);
}

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList others = QCoreApplication::arguments().mid(1);
    QTemporaryDir scratch;
    qputenv("TMPDIR", QFile::encodeName(scratch.path()));  // the exporter's scratch folders too
    const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
    const QStringList all = gb2312_characters();
    const QString list = QDir(scratch.path()).filePath(QStringLiteral("gb2312.txt"));
    write_whole_file(list, all.join(u'\n').toUtf8());

    Floor floor;
    for (qsizetype index = 0; index < all.size(); index += sample_every) {
        measure_floor(installation, all[index], floor);
    }
    const double floor_ms = floor.per_character();
    const double floor_seconds = floor_ms * double(all.size()) / jobs / 1000;
    std::printf(
        "floor     %6.1f s for %lld sheets, --jobs %d: %5.2f ms a character (inflating "
        "%.2f + drawing %.2f + resampling %.2f + JPEG %.2f ms, from %d characters)\n",
        floor_seconds, qlonglong(all.size()), jobs, floor_ms, floor.inflating / floor.characters,
        floor.drawing / floor.characters, floor.resampling / floor.characters,
        floor.jpeg / floor.characters, floor.characters);

    const auto batch = [&](const QString& exporter, const QString& folder) {
        return run_child(exporter,
                         {QStringLiteral("sheet"), QStringLiteral("--list"), list,
                          QStringLiteral("--jobs"), QString::number(jobs), QStringLiteral("--data"),
                          installation, QStringLiteral("--quiet"), QStringLiteral("--out"),
                          QDir(scratch.path()).filePath(folder)});
    };
    print_run("this", batch(QStringLiteral(INKWREN_EXPORT), QStringLiteral("this")), all.size(),
              floor_seconds);
    for (qsizetype index = 0; index < others.size(); ++index) {
        print_run(qPrintable(QFileInfo(others[index]).fileName()),
                  batch(others[index], QStringLiteral("other%1").arg(index)), all.size(),
                  floor_seconds);
    }
    return 0;
}
