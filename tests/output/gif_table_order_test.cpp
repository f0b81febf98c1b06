#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "output/gif_lzw.h"
#include "output/gif_table_order.h"

namespace inkwren {
namespace {

EncodedImage image_of(const std::vector<std::uint8_t>& indices, int transparent) {
    EncodedImage image;
    image.rect = QRect(0, 0, int(indices.size()), 1);
    image.min_code_size = 4;
    image.transparent = transparent;
    image.codes = lzw_compress(indices.data(), indices.size(), image.min_code_size);
    return image;
}

std::vector<std::uint8_t> indices_of(const EncodedImage& image) {
    return lzw_decompress(image.codes, image.min_code_size, std::size_t(image.rect.width()));
}

const std::vector<Rgb> met{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80};

// The second image was compressed when the table had three colours, so 3 was free for its
// transparent pixels; the first shows 7, 6 and 5 most, so 0 is renumbered to 3.
TEST(GifTableOrder, APixelRenumberedToTheOldTransparentIndexStaysDrawn) {
    std::vector<Rgb> colors = met;
    const std::vector<std::vector<std::uint8_t>> before{
        {7, 7, 7, 7, 7, 6, 6, 6, 6, 5, 5, 5, 1, 2, 3, 4}, {0, 0, 3, 3, 3, 1}};
    std::vector<EncodedImage> images{image_of(before[0], -1), image_of(before[1], 3)};
    order_table_by_use(colors, images);
    EXPECT_EQ(colors, (std::vector<Rgb>{0x80, 0x70, 0x60, 0x10, 0x20, 0x30, 0x40, 0x50}));
    EXPECT_EQ(images[1].transparent, 0);  // the lowest index it leaves free
    for (std::size_t n = 0; n < images.size(); ++n) {
        const std::vector<std::uint8_t> after = indices_of(images[n]);
        ASSERT_EQ(after.size(), before[n].size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (int(before[n][i]) == 3 && n == 1) {
                EXPECT_EQ(int(after[i]), images[n].transparent);
            } else {
                EXPECT_NE(int(after[i]), images[n].transparent) << n << ' ' << i;
                EXPECT_EQ(colors[after[i]], met[before[n][i]]) << n << ' ' << i;
            }
        }
    }
}

TEST(GifTableOrder, AnImageOfTheMostShownColoursTakesTheSmallestCodeSize) {
    std::vector<Rgb> colors = met;
    std::vector<EncodedImage> images{image_of({6, 6, 6, 6, 6, 6, 0, 1, 2, 3, 4, 5, 7}, -1),
                                     image_of({6, 6, 6, 5}, 7)};
    order_table_by_use(colors, images);
    EXPECT_EQ(images[0].min_code_size, 3);  // indices up to 7
    EXPECT_EQ(images[1].min_code_size, 2);  // 6 → 0, 5 → 1 and 2 transparent
}

TEST(GifTableOrder, AnImageShowingTheWholeTableAddsAnEntryForItsTransparentIndex) {
    std::vector<Rgb> colors = met;
    std::vector<EncodedImage> images{image_of({0, 1, 2, 3, 4, 5, 6, 7, 8}, 8)};
    order_table_by_use(colors, images);
    EXPECT_EQ(images[0].transparent, 8);
    EXPECT_EQ(colors.size(), 9u);
    EXPECT_EQ(images[0].min_code_size, 4);
}

}  // namespace
}  // namespace inkwren
