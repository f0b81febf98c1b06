#include <gtest/gtest.h>

#include "animation/raster.h"
#include "output/nearest_palette.h"

namespace inkwren {
namespace {

constexpr Rgb white = 0xFFFFFF;

TEST(NearestPalette, GivesAnEntryWithinToleranceAndKeepsIt) {
    NearestPalette palette(16);
    struct Step {
        Rgb color;
        int index;
    };
    // Red is the low byte.
    const Step steps[] = {
        {white, 0},     // the first colour
        {0xEFEFEF, 0},  // 16 from white in every channel
        {0xFFFFEE, 1},  // 17 from white in red
        {0xF8F8F8, 0},  // nearer white than the entry above
        {0x000000, 2},  // black
        {0x0F0F10, 2},  // near black
        {0xF8F8EF, 1},  // a grey nearest the second entry
        {0x211010, 3},  // 33 from black in blue
        {0x110000, 3},  // nearer black, but 17 from it in blue and 16 from the entry above
        {0xEFEFEF, 0},  // met before: the entry it was given then
    };
    for (const Step& step : steps) {
        EXPECT_EQ(int(palette.index_of(step.color)), step.index) << std::hex << step.color;
    }
    EXPECT_EQ(palette.colors(), (std::vector<Rgb>{white, 0xFFFFEE, 0x000000, 0x211010}));
}

TEST(NearestPalette, AFullTableGivesTheNearestEntryHoweverFar) {
    NearestPalette palette(16, 2);  // one entry of the 256 kept free
    EXPECT_EQ(palette.index_of(white), 0);
    EXPECT_EQ(palette.index_of(0x000000), 1);
    EXPECT_EQ(palette.index_of(0x0000C0), 1);  // blue: nearer black than white
    EXPECT_EQ(palette.colors().size(), 2u);
}

TEST(NearestPalette, BackgroundIsShownExactlyWhenABlendNearItComesFirst) {
    // A grid line blended into the background at the top left, where the rows begin.
    QImage frame = make_bitmap(40, 40);
    frame.setPixel(0, 0, qRgb(0xF1, 0xF1, 0xF1));
    NearestPalette palette(16);
    std::vector<std::uint8_t> indices;
    std::vector<Rgb> colors;
    palette.index_pixels(frame, frame.rect(), indices, colors);
    EXPECT_EQ(palette.colors(), std::vector<Rgb>{white});
    EXPECT_EQ(indices.size(), 1600u);
    EXPECT_EQ(colors[0], 0xF1F1F1u);
}

}  // namespace
}  // namespace inkwren
