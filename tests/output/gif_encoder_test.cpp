#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

#include <gif_lib.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "animation/raster.h"
#include "output/gif_encoder.h"
#include "output/resampling.h"
#include "platform/error.h"

namespace inkwren {
namespace {

// --- The file read back with giflib, and what it shows

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using DecodedGif = std::unique_ptr<GifFileType, GifCloser>;

// The whole file read in at once, so the reader is not needed afterwards.
DecodedGif decoded(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const InputFunc read = [](GifFileType* gif, GifByteType* data, int length) {
        return int(
            static_cast<QBuffer*>(gif->UserData)->read(reinterpret_cast<char*>(data), length));
    };
    int error = 0;
    DecodedGif gif(DGifOpen(&buffer, read, &error));
    if (!gif || DGifSlurp(gif.get()) == GIF_ERROR) {
        ADD_FAILURE() << GifErrorString(gif ? gif->Error : error);
        return nullptr;
    }
    return gif;
}

GraphicsControlBlock control_of(const GifFileType& gif, int image) {
    GraphicsControlBlock control{};
    EXPECT_EQ(DGifSavedExtensionToGCB(const_cast<GifFileType*>(&gif), image, &control), GIF_OK);
    return control;
}

// Pictures and how long each shows, in hundredths of a second; equal pictures in a row are one
// longer showing.
using Timeline = std::vector<std::pair<QImage, int>>;

void append_shown(Timeline& timeline, const QImage& picture, int delay) {
    if (!timeline.empty() && timeline.back().first == picture) {
        timeline.back().second += delay;
    } else {
        timeline.emplace_back(picture, delay);
    }
}

// Draws the image at its place over the picture so far.
void draw_image(const GifFileType& gif, int i, QImage& canvas) {
    const SavedImage& image = gif.SavedImages[i];
    const GifImageDesc& desc = image.ImageDesc;
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif.SColorMap;
    const int transparent = control_of(gif, i).TransparentColor;
    for (int y = 0; y < desc.Height; ++y) {
        for (int x = 0; x < desc.Width; ++x) {
            const int index = image.RasterBits[y * desc.Width + x];
            if (index == transparent) {
                continue;  // the pixel shows what it showed before
            }
            const GifColorType& c = map->Colors[index];
            canvas.setPixel(desc.Left + x, desc.Top + y, qRgb(c.Red, c.Green, c.Blue));
        }
    }
}

// What the GIF shows: every image drawn at its place over the picture so far.
Timeline shown_by(const GifFileType& gif) {
    QImage canvas = make_bitmap(gif.SWidth, gif.SHeight);
    Timeline timeline;
    for (int i = 0; i < gif.ImageCount; ++i) {
        draw_image(gif, i, canvas);
        append_shown(timeline, canvas, control_of(gif, i).DelayTime);
    }
    return timeline;
}

// What the frames must show once written: their delays converted, the last one held.
Timeline to_be_shown(const std::vector<QImage>& frames, const std::vector<int>& captured) {
    Timeline timeline;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const bool last = i + 1 == frames.size();
        append_shown(timeline, frames[i], last ? gif_last_frame_delay : gif_delay(captured[i]));
    }
    return timeline;
}

// --- Frames like the player's

void fill(QImage& frame, QRect rect, std::int32_t color) {
    QPainter(&frame).fillRect(rect, to_qcolor(color));
}

// A practice grid with strokes written one after another: each new stroke highlighted in a
// colour of its own, so the colours grow past a table size, the earlier ones black.
std::vector<QImage> stroke_frames(int side, int strokes) {
    QImage frame = make_bitmap(side, side);
    fill(frame, QRect(0, side / 2, side, 1), 0xFFAA00);
    std::vector<QImage> frames{frame};
    for (int stroke = 0; stroke < strokes; ++stroke) {
        if (stroke > 0) {
            fill(frame, QRect(20, 20 + 15 * (stroke - 1), side - 40, 6), black_color);
        }
        fill(frame, QRect(20, 20 + 15 * stroke, side - 40, 6), 0x0000F0 + stroke);
        frames.push_back(frame);
    }
    return frames;
}

QByteArray encoded(const std::vector<QImage>& frames, std::vector<int> delays = {}) {
    delays.resize(frames.size(), 10);
    GifEncoder encoder;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        encoder.add(frames[i], delays[i]);
    }
    return encoder.finish();
}

TEST(GifDelay, IsOneAndAHalfTimesWithHalvesToEven) {
    const std::pair<int, int> delays[] = {
        {0, 0}, {1, 2}, {3, 4}, {4, 6}, {5, 8}, {10, 15}, {1'000'000'000, 0xFFFF}};
    for (const auto& [captured, written] : delays) {
        EXPECT_EQ(gif_delay(captured), written) << captured;
    }
}

TEST(GifEncoder, ShowsEveryFrameForItsDelayHoldsTheLastAndKeepsOnlyThePrevious) {
    std::vector<QImage> frames = stroke_frames(200, 6);
    frames.insert(frames.begin() + 2, frames[1]);  // unchanged: lengthens the image before
    const std::vector<int> captured{3, 10, 4, 4, 6, 1, 9, 7};
    const DecodedGif gif = decoded(encoded(frames, captured));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->ImageCount, 7);
    EXPECT_TRUE(shown_by(*gif) == to_be_shown(frames, captured));

    // Frames of one size only, and the encoder holds only the previous one.
    GifEncoder encoder;
    EXPECT_THROW(encoder.finish(), Error);
    for (const QImage& frame : frames) {
        encoder.add(frame, 10);
    }
    EXPECT_THROW(encoder.add(stroke_frames(100, 0)[0], 10), Error);
    const std::size_t frame_bytes = std::size_t(frames[0].sizeInBytes());
    EXPECT_GE(encoder.memory_used(), frame_bytes);
    EXPECT_LT(encoder.memory_used(), 2 * frame_bytes);
}

TEST(GifEncoder, LoopsForeverWithoutTransparencyAndCropsLaterImagesOnOneGlobalTable) {
    const DecodedGif gif = decoded(encoded(stroke_frames(200, 2)));
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 3);
    const auto bytes_of = [](const ExtensionBlock& block) {
        return QByteArray(reinterpret_cast<const char*>(block.Bytes), block.ByteCount);
    };
    const ExtensionBlock* first = gif->SavedImages[0].ExtensionBlocks;
    ASSERT_EQ(gif->SavedImages[0].ExtensionBlockCount, 3);
    EXPECT_EQ(bytes_of(first[0]), "NETSCAPE2.0");
    EXPECT_EQ(bytes_of(first[1]), QByteArray("\x01\x00\x00", 3));  // loop count 0: forever
    EXPECT_EQ(first[2].Function, GRAPHICS_EXT_FUNC_CODE);
    EXPECT_EQ(gif->SColorMap->ColorCount, 8);  // white, blue, two highlights, black
    const QRect crops[] = {{0, 0, 200, 200}, {20, 20, 160, 6}, {20, 20, 160, 21}};
    for (int i = 0; i < 3; ++i) {
        const GifImageDesc& desc = gif->SavedImages[i].ImageDesc;
        EXPECT_EQ(QRect(desc.Left, desc.Top, desc.Width, desc.Height), crops[i]);
        EXPECT_EQ(desc.ColorMap, nullptr) << i;
        EXPECT_EQ(control_of(*gif, i).TransparentColor, NO_TRANSPARENT_COLOR) << i;
        EXPECT_EQ(gif->SavedImages[i].ExtensionBlockCount, i == 0 ? 3 : 1);
    }
}

TEST(GifEncoder, ColoursBeyondTheGlobalTableComeWithALocalTable) {
    // 250 colours first, then a change of 20 new ones: more than the global table holds.
    QImage first = make_bitmap(250, 20);
    for (int x = 0; x < 250; ++x) {
        fill(first, QRect(x, 0, 1, 20), x);
    }
    QImage second = first;
    for (int x = 0; x < 20; ++x) {
        fill(second, QRect(100 + x, 5, 1, 5), 0x100000 * (x + 1));
    }
    // Then one back within the global table: the writer must not lose the local table's copy
    // (a leak the sanitizer build reports).
    QImage third = second;
    fill(third, QRect(0, 0, 3, 3), 7);
    const std::vector<QImage> frames{first, second, third};
    const DecodedGif gif = decoded(encoded(frames));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SavedImages[0].ImageDesc.ColorMap, nullptr);
    EXPECT_NE(gif->SavedImages[1].ImageDesc.ColorMap, nullptr);
    EXPECT_EQ(gif->SavedImages[2].ImageDesc.ColorMap, nullptr);
    EXPECT_TRUE(shown_by(*gif) == to_be_shown(frames, {10, 10, 10}));
}

// A stroke written with smooth edges under a pencil of shaded colours moving along it: halved,
// its pictures hold some 1500 colours.
std::vector<QImage> shaded_pen_frames() {
    std::vector<QImage> frames;
    for (int step = 0; step < 12; ++step) {
        QImage shown = make_bitmap(200, 200);
        QPainter painter(&shown);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::red, 9, Qt::SolidLine, Qt::RoundCap));
        const QPointF tip(30 + 13.3 * step, 40 + 9.7 * step);
        painter.drawLine(QPointF(30, 40), tip);
        QLinearGradient shade(tip, tip + QPointF(25, -25));
        shade.setColorAt(0, QColor(0xF5, 0xA6, 0x23));
        shade.setColorAt(1, QColor(0x55, 0x3E, 0xE5));
        painter.setPen(QPen(QBrush(shade), 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(tip, tip + QPointF(25, -25));
        painter.end();
        frames.push_back(shown);
    }
    return frames;
}

TEST(GifEncoder, HalvedFramesShareOneTableAndAreShownWithinAnEighthOfTheirColours) {
    const std::vector<QImage> frames = shaded_pen_frames();
    GifEncoder encoder(0.5);
    for (const QImage& frame : frames) {
        encoder.add(frame, 10);
    }
    const DecodedGif gif = decoded(encoder.finish());
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->SWidth, 100);
    // Every picture against what the GIF shows when the picture's time begins.
    QImage canvas = make_bitmap(100, 100);
    int image_end = 0;
    int worst = 0;
    double sum = 0;
    std::size_t frame = 0;
    for (int i = 0; i < gif->ImageCount; ++i) {
        EXPECT_EQ(gif->SavedImages[i].ImageDesc.ColorMap, nullptr) << i;
        draw_image(*gif, i, canvas);
        image_end += control_of(*gif, i).DelayTime;
        for (; frame < frames.size() && (int(frame) * gif_delay(10) < image_end); ++frame) {
            const QImage wanted = resized_picture(frames[frame], {100, 100});
            for (int y = 0; y < 100; ++y) {
                for (int x = 0; x < 100; ++x) {
                    const QRgb a = canvas.pixel(x, y);
                    const QRgb b = wanted.pixel(x, y);
                    for (const int d :
                         {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)}) {
                        worst = std::max(worst, std::abs(d));
                        sum += std::abs(d);
                    }
                }
            }
        }
    }
    EXPECT_EQ(frame, frames.size());
    // Pixels shown close enough already are left as they are.
    EXPECT_NE(control_of(*gif, gif->ImageCount - 1).TransparentColor, NO_TRANSPARENT_COLOR);
    EXPECT_LE(worst, 32);
    EXPECT_LE(sum / (3.0 * 100 * 100 * double(frames.size())), 3.0);
}

}  // namespace
}  // namespace inkwren
