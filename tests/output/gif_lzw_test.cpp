#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "output/gif_lzw.h"

namespace inkwren {
namespace {

std::uint32_t grey(int level) {
    return std::uint32_t(level) * 0x010101u;
}

// Pixels of a grey ramp with noise, as a resampled edge has them: their colours, and as their
// own entries the nearest of 64 greys four levels apart.
struct NoisyRamp {
    std::vector<std::uint32_t> palette;
    std::vector<std::uint32_t> wanted;
    std::vector<std::uint8_t> own;
};

NoisyRamp noisy_ramp(std::size_t count) {
    NoisyRamp ramp;
    for (int level = 0; level < 64; ++level) {
        ramp.palette.push_back(grey(4 * level));
    }
    std::mt19937 random(7);
    for (std::size_t i = 0; i < count; ++i) {
        const int level = std::clamp(int(i % 200) + int(random() % 13) - 6, 0, 252);
        ramp.wanted.push_back(grey(level));
        ramp.own.push_back(std::uint8_t((level + 2) / 4));
    }
    return ramp;
}

TEST(GifLzwNear, WithoutToleranceWritesTheExactCodeStream) {
    // The second size runs past 4096 codes, so the dictionary starts again on the way.
    for (const std::size_t count : {std::size_t(1), std::size_t(300), std::size_t(20000)}) {
        NoisyRamp ramp = noisy_ramp(count);
        for (std::size_t i = 0; i < count; ++i) {
            ramp.wanted[i] = ramp.palette[ramp.own[i]];
        }
        const std::vector<std::uint8_t> own = ramp.own;
        EXPECT_EQ(lzw_compress_near(ramp.own.data(), ramp.wanted.data(), count, ramp.palette, 0, 6),
                  lzw_compress(own.data(), count, 6))
            << count;
        EXPECT_EQ(ramp.own, own) << count;
    }
}

TEST(GifLzwNear, ShowsEachPixelWithinToleranceAsItsStreamDecodesAndWritesLess) {
    constexpr int tolerance = 8;
    NoisyRamp ramp = noisy_ramp(20000);
    const QByteArray exact = lzw_compress(ramp.own.data(), ramp.own.size(), 6);
    std::vector<std::uint8_t> shown = ramp.own;
    const QByteArray near = lzw_compress_near(shown.data(), ramp.wanted.data(), shown.size(),
                                              ramp.palette, tolerance, 6);
    EXPECT_EQ(lzw_decompress(near, 6, shown.size()), shown);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int difference =
            std::abs(int(ramp.palette[shown[i]] & 0xFF) - int(ramp.wanted[i] & 0xFF));
        ASSERT_TRUE(shown[i] == ramp.own[i] || difference <= tolerance) << i;
    }
    EXPECT_LT(near.size(), exact.size() * 3 / 4);
}

TEST(GifLzwNear, LeavesOnlyPixelsShownCloseEnoughTransparent) {
    constexpr int tolerance = 8;
    constexpr int transparent = 64;  // past the 64 greys
    NoisyRamp ramp = noisy_ramp(3000);
    // Runs of 40 pixels showing nearly their colours already, between runs showing far ones.
    std::vector<std::uint32_t> shown(ramp.wanted.size());
    std::vector<std::uint8_t> indices = ramp.own;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const bool close = i / 40 % 2 == 0;
        shown[i] = close ? ramp.wanted[i] + grey(3) * (ramp.wanted[i] < grey(250))
                         : ramp.wanted[i] ^ 0x808080u;
        if (close) {
            indices[i] = transparent;
        }
    }
    const QByteArray near =
        lzw_compress_near(indices.data(), ramp.wanted.data(), indices.size(), ramp.palette,
                          tolerance, 7, shown.data(), transparent);
    EXPECT_EQ(lzw_decompress(near, 7, indices.size()), indices);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const std::uint32_t colour =
            indices[i] == transparent ? shown[i] : ramp.palette[indices[i]];
        const int difference = std::abs(int(colour & 0xFF) - int(ramp.wanted[i] & 0xFF));
        ASSERT_TRUE(indices[i] == ramp.own[i] || difference <= tolerance) << i;
    }
}

}  // namespace
}  // namespace inkwren
