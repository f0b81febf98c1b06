#include <gtest/gtest.h>

#include <QDir>

#include <gif_lib.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "animation/raster.h"
#include "output/gif_encoder.h"
#include "output/gif_lzw.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

constexpr std::int32_t grid_blue = 0xFFAA00;

// Each new stroke's highlight differs a little, so the colours grow past a table size.
std::int32_t highlight(int stroke) {
    return 0x0000F0 + stroke;
}

// --- Reading the file back with giflib ---

struct GifReader {
    const QByteArray& bytes;
    qsizetype position = 0;
};

int read_bytes(GifFileType* gif, GifByteType* data, int length) {
    auto* reader = static_cast<GifReader*>(gif->UserData);
    const int count = int(std::min<qsizetype>(length, reader->bytes.size() - reader->position));
    std::memcpy(data, reader->bytes.constData() + reader->position, std::size_t(count));
    reader->position += count;
    return count;
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using DecodedGif = std::unique_ptr<GifFileType, GifCloser>;

// The whole file read in at once, so the reader is not needed afterwards.
DecodedGif decoded(const QByteArray& bytes) {
    GifReader reader{bytes};
    int error = 0;
    DecodedGif gif(DGifOpen(&reader, read_bytes, &error));
    if (!gif) {
        ADD_FAILURE() << GifErrorString(error);
        return gif;
    }
    if (DGifSlurp(gif.get()) == GIF_ERROR) {
        ADD_FAILURE() << GifErrorString(gif->Error);
        return nullptr;
    }
    return gif;
}

GraphicsControlBlock control_of(const GifFileType& gif, int image) {
    GraphicsControlBlock control{};
    EXPECT_EQ(DGifSavedExtensionToGCB(const_cast<GifFileType*>(&gif), image, &control), GIF_OK);
    return control;
}

std::vector<int> delays_of(const GifFileType& gif) {
    std::vector<int> delays;
    for (int image = 0; image < gif.ImageCount; ++image) {
        delays.push_back(control_of(gif, image).DelayTime);
    }
    return delays;
}

// A picture and how long it shows, in hundredths of a second.
struct Shown {
    QImage picture;
    int delay = 0;
};

// Consecutive equal pictures are one longer showing.
void append_shown(std::vector<Shown>& timeline, const QImage& picture, int delay) {
    if (!timeline.empty() && timeline.back().picture == picture) {
        timeline.back().delay += delay;
    } else {
        timeline.push_back({picture, delay});
    }
}

// What the GIF shows: every image drawn at its place over the picture so far.
std::vector<Shown> shown_by(const GifFileType& gif) {
    QImage canvas = make_bitmap(gif.SWidth, gif.SHeight);
    std::vector<Shown> timeline;
    for (int i = 0; i < gif.ImageCount; ++i) {
        const SavedImage& image = gif.SavedImages[i];
        const GifImageDesc& desc = image.ImageDesc;
        const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif.SColorMap;
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType& c = map->Colors[image.RasterBits[y * desc.Width + x]];
                canvas.setPixel(desc.Left + x, desc.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        }
        append_shown(timeline, canvas, control_of(gif, i).DelayTime);
    }
    return timeline;
}

// What the frames show once written: their delays converted, the last one held.
std::vector<Shown> shown_by(const std::vector<QImage>& frames, const std::vector<int>& captured) {
    std::vector<Shown> timeline;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const bool last = i + 1 == frames.size();
        append_shown(timeline, frames[i], last ? gif_last_frame_delay : gif_delay(captured[i]));
    }
    return timeline;
}

void expect_same_showing(const std::vector<Shown>& actual, const std::vector<Shown>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_TRUE(actual[i].picture == expected[i].picture) << "picture " << i;
        EXPECT_EQ(actual[i].delay, expected[i].delay) << "picture " << i;
    }
}

// --- Frames like the player's ---

void fill(QImage& frame, QRect rect, std::int32_t color) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            frame.setPixelColor(x, y, to_qcolor(color));
        }
    }
}

// A practice grid: white with a blue frame and centre cross.
QImage grid(int side) {
    QImage frame = make_bitmap(side, side);
    fill(frame, QRect(0, 0, side, 2), grid_blue);
    fill(frame, QRect(0, side - 2, side, 2), grid_blue);
    fill(frame, QRect(0, 0, 2, side), grid_blue);
    fill(frame, QRect(side - 2, 0, 2, side), grid_blue);
    fill(frame, QRect(0, side / 2, side, 1), grid_blue);
    fill(frame, QRect(side / 2, 0, 1, side), grid_blue);
    return frame;
}

// The grid with strokes written one after another: each new stroke highlighted, the earlier
// ones black.
std::vector<QImage> stroke_frames(int side, int strokes) {
    std::vector<QImage> frames{grid(side)};
    for (int stroke = 0; stroke < strokes; ++stroke) {
        QImage frame = frames.back();
        if (stroke > 0) {
            fill(frame, QRect(20, 20 + 15 * (stroke - 1), side - 40, 6), black_color);
        }
        fill(frame, QRect(20, 20 + 15 * stroke, side - 40, 6), highlight(stroke));
        frames.push_back(frame);
    }
    return frames;
}

QByteArray encoded(const std::vector<QImage>& frames, const std::vector<int>& delays,
                   double scale = 1.0) {
    GifEncoder encoder(scale);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        encoder.add(frames[i], delays[i]);
    }
    return encoder.finish();
}

QByteArray encoded(const std::vector<QImage>& frames, double scale = 1.0) {
    return encoded(frames, std::vector<int>(frames.size(), 10), scale);
}

// A frame of many colours: a different grey-blue in every 4 × 4 block.
QImage many_colored(int side) {
    QImage frame = make_bitmap(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            frame.setPixel(x, y, qRgb(x / 4 * 4, y / 4 * 4, 128));
        }
    }
    return frame;
}

// --- Delays ---

TEST(GifDelay, IsOneAndAHalfTimesWithHalvesToEven) {
    EXPECT_EQ(gif_delay(1'000'000'000), 0xFFFF);
    EXPECT_EQ(gif_delay(3), 4);
    EXPECT_EQ(gif_delay(10), 15);
    EXPECT_EQ(gif_delay(1), 2);
    EXPECT_EQ(gif_delay(5), 8);
    EXPECT_EQ(gif_delay(4), 6);
    EXPECT_EQ(gif_delay(0), 0);
}

TEST(GifEncoderTiming, ImagesCarryConvertedDelaysAndTheLastHoldsFiveSeconds) {
    const DecodedGif gif = decoded(encoded(stroke_frames(200, 2), {3, 10, 7}));
    ASSERT_TRUE(gif);
    EXPECT_EQ(delays_of(*gif), (std::vector<int>{4, 15, gif_last_frame_delay}));
}

TEST(GifEncoderTiming, AnUnchangedFrameLengthensTheImageBefore) {
    const std::vector<QImage> strokes = stroke_frames(200, 1);
    const std::vector<QImage> frames{strokes[0], strokes[0], strokes[1], strokes[1]};
    const std::vector<int> captured{3, 10, 5, 2};
    const DecodedGif gif = decoded(encoded(frames, captured));
    ASSERT_TRUE(gif);
    EXPECT_EQ(delays_of(*gif), (std::vector<int>{4 + 15, 8 + gif_last_frame_delay}));
    expect_same_showing(shown_by(*gif), shown_by(frames, captured));
}

// --- Extensions ---

TEST(GifEncoderExtensions, FirstImageLoopsForeverBeforeItsControlBlock) {
    const DecodedGif gif = decoded(encoded(stroke_frames(200, 3)));
    ASSERT_TRUE(gif);
    const SavedImage& first = gif->SavedImages[0];
    ASSERT_EQ(first.ExtensionBlockCount, 3);
    const ExtensionBlock* blocks = first.ExtensionBlocks;
    EXPECT_EQ(blocks[0].Function, APPLICATION_EXT_FUNC_CODE);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(blocks[0].Bytes), blocks[0].ByteCount),
              "NETSCAPE2.0");
    EXPECT_EQ(blocks[1].Function, CONTINUE_EXT_FUNC_CODE);
    ASSERT_EQ(blocks[1].ByteCount, 3);
    EXPECT_EQ(blocks[1].Bytes[0], 1);
    EXPECT_EQ(blocks[1].Bytes[1] | (blocks[1].Bytes[2] << 8), 0);  // loop count 0: forever
    EXPECT_EQ(blocks[2].Function, GRAPHICS_EXT_FUNC_CODE);
    for (int i = 1; i < gif->ImageCount; ++i) {
        ASSERT_EQ(gif->SavedImages[i].ExtensionBlockCount, 1) << "image " << i;
        EXPECT_EQ(gif->SavedImages[i].ExtensionBlocks[0].Function, GRAPHICS_EXT_FUNC_CODE);
    }
}

TEST(GifEncoderExtensions, NoImageHasATransparentColour) {
    const QByteArray bytes = encoded(stroke_frames(200, 3));
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    const DecodedGif gif = decoded(bytes);
    ASSERT_TRUE(gif);
    for (int i = 0; i < gif->ImageCount; ++i) {
        EXPECT_EQ(control_of(*gif, i).TransparentColor, NO_TRANSPARENT_COLOR) << "image " << i;
    }
}

// --- Pixels ---

TEST(GifEncoderPixels, CompositingGivesBackEveryFrameExactly) {
    const std::vector<QImage> frames = stroke_frames(200, 6);
    const std::vector<int> captured{3, 10, 4, 4, 6, 1, 9};
    const DecodedGif gif = decoded(encoded(frames, captured));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 200);
    EXPECT_EQ(gif->SHeight, 200);
    expect_same_showing(shown_by(*gif), shown_by(frames, captured));
}

TEST(GifEncoderPixels, LaterImagesAreCroppedToWhatChangedAndShareTheGlobalTable) {
    const DecodedGif gif = decoded(encoded(stroke_frames(200, 2)));
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 3);
    ASSERT_NE(gif->SColorMap, nullptr);
    EXPECT_EQ(gif->SColorMap->ColorCount, 8);  // white, blue, two highlights, black
    const GifImageDesc& second = gif->SavedImages[1].ImageDesc;
    EXPECT_EQ(QRect(second.Left, second.Top, second.Width, second.Height), QRect(20, 20, 160, 6));
    const GifImageDesc& third = gif->SavedImages[2].ImageDesc;
    EXPECT_EQ(QRect(third.Left, third.Top, third.Width, third.Height), QRect(20, 20, 160, 21));
    for (int i = 0; i < gif->ImageCount; ++i) {
        EXPECT_EQ(gif->SavedImages[i].ImageDesc.ColorMap, nullptr) << "image " << i;
    }
}

TEST(GifEncoderPixels, ColoursBeyondTheGlobalTableComeWithALocalTable) {
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
    expect_same_showing(shown_by(*gif), shown_by(frames, {10, 10, 10}));
}

TEST(GifEncoderPixels, AFrameOfMoreThan256ColoursIsWrittenApproximately) {
    const QImage frame = many_colored(128);  // 32 × 32 colours
    const DecodedGif gif = decoded(encoded({frame}));
    ASSERT_TRUE(gif);
    const QImage shown = shown_by(*gif).at(0).picture;
    double difference = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const QColor a = shown.pixelColor(x, y);
            const QColor b = frame.pixelColor(x, y);
            difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                          std::abs(a.blue() - b.blue());
        }
    }
    EXPECT_LT(difference / (128 * 128 * 3), 8.0);
}

// --- Scale ---

TEST(GifEncoderScale, HalfScaleHalvesEveryImage) {
    const DecodedGif gif = decoded(encoded(stroke_frames(200, 2), 0.5));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 100);
    EXPECT_EQ(gif->SHeight, 100);
    EXPECT_EQ(gif->SavedImages[0].ImageDesc.Width, 100);
    EXPECT_EQ(gif->SavedImages[0].ImageDesc.Height, 100);
    for (int i = 1; i < gif->ImageCount; ++i) {
        EXPECT_LE(gif->SavedImages[i].ImageDesc.Width, 100);
    }
}

// --- The encoder's life ---

TEST(GifEncoderLife, FinishWithoutFramesThrowsAndFinishSpendsTheEncoder) {
    GifEncoder encoder;
    EXPECT_THROW(encoder.finish(), Error);
    encoder.add(grid(200), 10);
    EXPECT_EQ(encoder.frame_count(), 1);
    encoder.finish();
    EXPECT_EQ(encoder.frame_count(), 0);
    EXPECT_THROW(encoder.finish(), Error);
}

TEST(GifEncoderLife, AFrameOfAnotherSizeOrNoneThrows) {
    GifEncoder encoder;
    EXPECT_THROW(encoder.add(QImage(), 10), Error);
    encoder.add(grid(200), 10);
    EXPECT_THROW(encoder.add(grid(100), 10), Error);
    EXPECT_EQ(encoder.frame_count(), 1);
}

TEST(GifEncoderLife, HoldsThePreviousFrameNotEveryFrame) {
    GifEncoder encoder;
    const std::vector<QImage> frames = stroke_frames(200, 8);
    for (const QImage& frame : frames) {
        encoder.add(frame, 10);
    }
    const std::size_t frame_bytes = std::size_t(frames[0].sizeInBytes());
    EXPECT_GE(encoder.memory_used(), frame_bytes);
    EXPECT_LT(encoder.memory_used(), 2 * frame_bytes);
}

// --- The code stream ---

TEST(GifLzw, CompressedIndicesComeBackForEveryCodeSize) {
    std::mt19937 random(7);
    for (int code_size = 2; code_size <= 8; ++code_size) {
        // Random runs of random lengths: enough strings to fill the dictionary several times.
        std::vector<std::uint8_t> indices;
        while (indices.size() < 60000) {
            const auto index = std::uint8_t(random() % (1u << code_size));
            indices.insert(indices.end(), random() % 5 + 1, index);
        }
        const QByteArray codes = lzw_compress(indices.data(), indices.size(), code_size);
        EXPECT_EQ(lzw_decompress(codes, code_size, indices.size()), indices)
            << "code size " << code_size;
    }
}

TEST(GifLzw, ACutStreamThrows) {
    const std::vector<std::uint8_t> indices(1000, 1);
    const QByteArray codes = lzw_compress(indices.data(), indices.size(), 2);
    EXPECT_THROW(lzw_decompress(codes.left(2), 2, indices.size()), Error);
}

// --- Saving ---

TEST(GifSave, WritesTheBytesUnderAChineseName) {
    const testing::TempFolder folder;
    const QByteArray gif = encoded(stroke_frames(200, 1));
    save_gif(gif, folder.file(QStringLiteral("鬱的筆順.gif")));
    EXPECT_EQ(testing::read_file(folder.file(QStringLiteral("鬱的筆順.gif"))), gif);
}

TEST(GifSave, AMissingFolderThrowsNamingTheFileAndLeavesNothing) {
    const testing::TempFolder folder;
    const QString path = folder.file(QStringLiteral("沒有的資料夾/筆順.gif"));
    try {
        save_gif(encoded(stroke_frames(200, 1)), path);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("筆順.gif"))) << error.what();
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
}  // namespace inkwren
