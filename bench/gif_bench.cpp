// The GIF of 鬱 (29 strokes) as the player captures it: the file's size against gifsicle -O3
// and whether it shows the frames exactly, the time to encode a capture at 200 pixels, and at
// 650 pixels the memory the encoder holds and the slowest add. A timing program printing its
// figures; gifsicle is used only when it is on the PATH. Needs the installation folder.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"
#include "output/gif_encoder.h"
#include "tools/preview/archived_character.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
constexpr int timing_runs = 20;

// The frames the player handed over at the end of its capture.
std::vector<GifFrame> frames_handed_over(const SimplePlayerOwner& owner) {
    return owner.gif;
}

std::vector<GifFrame> captured_frames(int side, int pen_speed) {
    SimplePlayerOwner owner;
    owner.pad.pen_speed = pen_speed;
    owner.record_gif = true;
    const auto player = load_archived_character(owner, installation, QStringLiteral("鬱"), side);
    if (!player) {
        return {};
    }
    player->replay();
    while (player->playing()) {
        player->play_tick();
    }
    return frames_handed_over(owner);
}

double elapsed_ms(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

QByteArray encoded(const std::vector<GifFrame>& frames) {
    GifEncoder encoder;
    for (const GifFrame& frame : frames) {
        encoder.add(frame.bitmap, frame.delay);
    }
    return encoder.finish();
}

// --- Reading our file back with giflib ---

struct Reader {
    const QByteArray& bytes;
    qsizetype position = 0;
};

int read_bytes(GifFileType* gif, GifByteType* data, int length) {
    auto* reader = static_cast<Reader*>(gif->UserData);
    const int count = int(std::min<qsizetype>(length, reader->bytes.size() - reader->position));
    std::memcpy(data, reader->bytes.constData() + reader->position, std::size_t(count));
    reader->position += count;
    return count;
}

// Draws the image at its place on the canvas.
void draw_image(const GifFileType& gif, const SavedImage& image, QImage& canvas) {
    const GifImageDesc& desc = image.ImageDesc;
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif.SColorMap;
    for (int y = 0; y < desc.Height; ++y) {
        uchar* pixel = canvas.scanLine(desc.Top + y) + desc.Left * 3;
        for (int x = 0; x < desc.Width; ++x, pixel += 3) {
            const GifColorType& c = map->Colors[image.RasterBits[y * desc.Width + x]];
            pixel[0] = c.Red;
            pixel[1] = c.Green;
            pixel[2] = c.Blue;
        }
    }
}

// Whether the GIF, decoded by giflib and drawn image over image, shows the frames one after
// another, pixel for pixel (a frame equal to the one before shows no new picture).
bool pixel_exact(const QByteArray& bytes, const std::vector<GifFrame>& frames) {
    Reader reader{bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, read_bytes, &error);
    if (gif == nullptr || DGifSlurp(gif) == GIF_ERROR) {
        DGifCloseFile(gif, nullptr);
        return false;
    }
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB888);
    std::size_t frame = 0;
    bool exact = true;
    for (int i = 0; i < gif->ImageCount && exact; ++i) {
        draw_image(*gif, gif->SavedImages[i], canvas);
        while (frame + 1 < frames.size() && frames[frame + 1].bitmap == frames[frame].bitmap) {
            ++frame;
        }
        exact = frame < frames.size() && canvas == frames[frame].bitmap;
        ++frame;
    }
    DGifCloseFile(gif, nullptr);
    return exact && frame == frames.size();
}

// The size gifsicle makes of our file at an optimisation level; -1 without gifsicle.
qint64 gifsicle_size(const QByteArray& gif, const QString& level) {
    const QString gifsicle = QStandardPaths::findExecutable(QStringLiteral("gifsicle"));
    QTemporaryDir folder;
    if (gifsicle.isEmpty() || !folder.isValid()) {
        return -1;
    }
    const QString ours = folder.filePath(QStringLiteral("ours.gif"));
    const QString optimised = folder.filePath(QStringLiteral("optimised.gif"));
    save_gif(gif, ours);
    if (QProcess::execute(gifsicle, {level, ours, QStringLiteral("-o"), optimised}) != 0) {
        return -1;
    }
    return QFileInfo(optimised).size();
}

void report_size(const std::vector<GifFrame>& frames) {
    const QByteArray gif = encoded(frames);
    std::printf("200 pixels, pen speed 50: %zu frames, our GIF %lld bytes, pixel-exact: %s\n",
                frames.size(), static_cast<long long>(gif.size()),
                pixel_exact(gif, frames) ? "yes" : "NO");
    const qint64 o3 = gifsicle_size(gif, QStringLiteral("-O3"));
    if (o3 < 0) {
        std::printf("  gifsicle is not on the PATH: no comparison\n");
        return;
    }
    std::printf("  gifsicle -O3 of it: %lld bytes; ours is %.1f %% of that (target <= 100 %%)\n",
                static_cast<long long>(o3), 100.0 * double(gif.size()) / double(o3));
    // -O1 crops as we do; -O2 and -O3 also turn unchanged pixels transparent, which we do not.
    const qint64 o1 = gifsicle_size(gif, QStringLiteral("-O1"));
    std::printf("  gifsicle -O1 of it (no transparency): %lld bytes; ours is %.1f %% of that\n",
                static_cast<long long>(o1), 100.0 * double(gif.size()) / double(o1));
}

void report_encoding_time(const std::vector<GifFrame>& frames) {
    std::vector<double> times;
    for (int run = 0; run < timing_runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        encoded(frames);
        times.push_back(elapsed_ms(timer));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "  encoding all %zu frames (add and finish): median %.2f ms, best %.2f ms "
        "(target 50 ms)\n",
        frames.size(), times[times.size() / 2], times.front());
}

void report_adding(int pen_speed, double scale) {
    const std::vector<GifFrame> frames = captured_frames(650, pen_speed);
    GifEncoder encoder(scale);
    std::size_t peak = 0;
    double first = 0;
    double worst = 0;
    double total = 0;
    for (const GifFrame& frame : frames) {
        QElapsedTimer timer;
        timer.start();
        encoder.add(frame.bitmap, frame.delay);
        const double ms = elapsed_ms(timer);
        first = first == 0 ? ms : first;
        worst = std::max(worst, ms);
        total += ms;
        peak = std::max(peak, encoder.memory_used());
    }
    QElapsedTimer timer;
    timer.start();
    const QByteArray gif = encoder.finish();
    const double finish_ms = elapsed_ms(timer);
    std::printf(
        "650 pixels, pen speed %d, scale %.1f: %zu frames; add: first %.2f ms, worst %.2f ms, "
        "mean %.3f ms (target: a tick <= 5 ms); peak memory_used %.2f MiB (target 8 MB); "
        "finish %.1f ms; GIF %lld bytes, pixel-exact: %s\n",
        pen_speed, scale, frames.size(), first, worst, total / double(frames.size()),
        double(peak) / (1 << 20), finish_ms, static_cast<long long>(gif.size()),
        scale != 1.0               ? "not expected"
        : pixel_exact(gif, frames) ? "yes"
                                   : "NO");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const std::vector<GifFrame> small = captured_frames(200, 50);
    if (small.empty()) {
        std::printf("鬱 is not in %s; build the installation target\n", qPrintable(installation));
        return 1;
    }
    report_size(small);
    if (argc > 1) {
        save_gif(encoded(small), QString::fromLocal8Bit(argv[1]));  // a copy to look at
    }
    report_encoding_time(small);
    report_adding(50, 1.0);
    report_adding(2, 1.0);
    report_adding(50, 0.5);
    return 0;
}
