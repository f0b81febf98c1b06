// The GIF of 鬱 (29 strokes) as the player captures it: the file's size against gifsicle -O3
// and whether it shows the frames exactly, the time to encode a capture at 200 pixels, and at
// 650 pixels the memory the encoder holds and the slowest add. Then, for a few characters in
// plain and smooth ink and every display mode, the 50 % GIF's size against the 100 % one's and
// how far its colours are from the resampled frames. A timing program printing its figures;
// gifsicle is used only when it is on the PATH. Needs the installation folder.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"
#include "output/gif_encoder.h"
#include "output/resampling.h"
#include "tools/preview/archived_character.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR);
constexpr int timing_runs = 20;

// The frames the player handed over at the end of its capture.
std::vector<GifFrame> frames_handed_over(const SimplePlayerOwner& owner) {
    return owner.gif;
}

std::vector<GifFrame> captured_frames(int side, int pen_speed,
                                      const QString& character = QStringLiteral("鬱"),
                                      const PadSettings& pad = {}) {
    SimplePlayerOwner owner;
    owner.pad = pad;
    owner.pad.pen_speed = pen_speed;
    owner.record_gif = true;
    const auto player = load_archived_character(owner, installation, character, side);
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

QByteArray encoded(const std::vector<GifFrame>& frames, double scale = 1.0) {
    GifEncoder encoder(scale);
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

// Draws the image at its place on the canvas; its transparent pixels leave the canvas as it was.
void draw_image(GifFileType& gif, int number, QImage& canvas) {
    const SavedImage& image = gif.SavedImages[number];
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(&gif, number, &control);
    const GifImageDesc& desc = image.ImageDesc;
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif.SColorMap;
    for (int y = 0; y < desc.Height; ++y) {
        uchar* pixel = canvas.scanLine(desc.Top + y) + desc.Left * 3;
        for (int x = 0; x < desc.Width; ++x, pixel += 3) {
            const int index = image.RasterBits[y * desc.Width + x];
            if (index == control.TransparentColor) {
                continue;
            }
            const GifColorType& c = map->Colors[index];
            pixel[0] = c.Red;
            pixel[1] = c.Green;
            pixel[2] = c.Blue;
        }
    }
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using DecodedGif = std::unique_ptr<GifFileType, GifCloser>;

DecodedGif decoded(const QByteArray& bytes) {
    Reader reader{bytes};
    int error = 0;
    DecodedGif gif(DGifOpen(&reader, read_bytes, &error));
    if (gif && DGifSlurp(gif.get()) == GIF_ERROR) {
        return nullptr;
    }
    return gif;
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
        draw_image(*gif, i, canvas);
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

// How far what a GIF shows is from the pictures it was made of, over every channel of every
// pixel of every picture, each compared with what the GIF shows when that picture's time
// begins (a picture shown close enough to the one before it brings no new image).
struct ColourError {
    double mean = 0;         // over all pixels
    double mean_of_off = 0;  // over the pixels that are not shown exactly
    double off_share = 0;    // the share of pixels not shown exactly
    int max = 0;             // the largest difference in a channel
    int local_tables = 0;
    int global_colours = 0;
    bool decoded = false;
};

ColourError colour_error(const QByteArray& bytes, const std::vector<QImage>& pictures,
                         const std::vector<GifFrame>& frames) {
    ColourError error;
    const DecodedGif gif = decoded(bytes);
    if (!gif) {
        return error;
    }
    error.global_colours = gif->SColorMap != nullptr ? gif->SColorMap->ColorCount : 0;
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB888);
    double sum = 0;
    std::size_t pixels = 0;
    std::size_t off = 0;
    std::size_t picture = 0;
    long long picture_start = 0;
    long long image_end = 0;
    for (int i = 0; i < gif->ImageCount; ++i) {
        error.local_tables += gif->SavedImages[i].ImageDesc.ColorMap != nullptr;
        draw_image(*gif, i, canvas);
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif.get(), i, &control);
        image_end += control.DelayTime;
        // Every picture whose time begins while this image shows.
        while (picture < pictures.size() &&
               (picture_start < image_end || i + 1 == gif->ImageCount)) {
            const QImage& expected = pictures[picture];
            for (int y = 0; y < canvas.height(); ++y) {
                const uchar* a = canvas.constScanLine(y);
                const uchar* b = expected.constScanLine(y);
                for (int x = 0; x < canvas.width(); ++x, a += 3, b += 3) {
                    int pixel_sum = 0;
                    for (int c = 0; c < 3; ++c) {
                        const int d = std::abs(int(a[c]) - int(b[c]));
                        pixel_sum += d;
                        error.max = std::max(error.max, d);
                    }
                    sum += pixel_sum;
                    off += pixel_sum != 0;
                    ++pixels;
                }
            }
            picture_start += gif_delay(frames[picture].delay);
            ++picture;
        }
    }
    error.mean = sum / double(3 * pixels);
    error.mean_of_off = off == 0 ? 0 : sum / double(3 * off);
    error.off_share = double(off) / double(pixels);
    error.decoded = picture == pictures.size();
    return error;
}

// The 50 % GIF of a capture against the 100 % one, in size and colour; answers the ratio of
// their sizes (0 when the character is missing).
double report_half_size(const QString& character, const char* ink, const char* display,
                        const PadSettings& pad) {
    const std::vector<GifFrame> frames = captured_frames(200, pad.pen_speed, character, pad);
    if (frames.empty()) {
        std::printf("%s is not in the installation\n", qPrintable(character));
        return 0;
    }
    const QByteArray full = encoded(frames);
    const QByteArray half = encoded(frames, 0.5);
    std::vector<QImage> resampled;
    for (const GifFrame& frame : frames) {
        resampled.push_back(resized_picture(frame.bitmap, QSize(100, 100)));
    }
    const ColourError error = colour_error(half, resampled, frames);
    std::printf("%s %-6s %-10s %7lld %7lld %5.2f  %3d %3d  %5.2f %5.2f %5.1f%% %3d %s\n",
                qPrintable(character), ink, display, static_cast<long long>(full.size()),
                static_cast<long long>(half.size()), double(half.size()) / double(full.size()),
                error.global_colours, error.local_tables, error.mean, error.mean_of_off,
                100 * error.off_share, error.max, error.decoded ? "" : "UNREADABLE");
    return double(half.size()) / double(full.size());
}

void report_half_sizes() {
    std::printf(
        "\n200 pixels, the pad's pen speed: the 50 %% GIF against the 100 %% one (target: ratio "
        "<= 0.5); colours against the resampled frames, per channel (target: mean <= 3, max <= "
        "32)\n"
        "   ink    display       100 %%    50 %% ratio  colours local  mean  mean-off "
        "off   max\n"
        "(colours: of the global table; local: images with a table of their own; mean-off: "
        "over the pixels not shown exactly; off: their share)\n");
    struct Display {
        const char* name;
        bool grey_first;
        bool two_color;
    };
    const Display displays[] = {
        {"normal", false, false}, {"grey-first", true, false}, {"two-colour", false, true}};
    double worst[2] = {0, 0};  // plain, smooth
    for (const QString& character :
         {QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("鬱"), QStringLiteral("書"),
          QStringLiteral("龍"), QStringLiteral("愛")}) {
        for (const bool smooth : {false, true}) {
            for (const Display& display : displays) {
                PadSettings pad;
                pad.smooth_ink = smooth;
                pad.grey_first = display.grey_first;
                pad.two_color = display.two_color;
                const double ratio =
                    report_half_size(character, smooth ? "smooth" : "plain", display.name, pad);
                worst[smooth] = std::max(worst[smooth], ratio);
            }
        }
    }
    std::printf("largest ratio: plain %.2f, smooth %.2f (target <= 0.5)\n", worst[0], worst[1]);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--half") == 0) {
        report_half_sizes();  // only the 50 % GIFs against the 100 % ones
        return 0;
    }
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
    report_adding(2, 0.5);
    report_half_sizes();
    return 0;
}
