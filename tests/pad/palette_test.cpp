#include <gtest/gtest.h>

#include "animation/raster.h"
#include "pad/palette.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::write_file;

// The colour in the middle of a cell.
std::int32_t cell(const QImage& palette, int column, int row) {
    return color_at(palette, column * palette_cell + 5, row * palette_cell + 5);
}

// Cells past the last colour are white; lines that are not colours are left out and named once.
TEST(Palette, FillsItsCellsColumnByColumnThreeToAColumnLeavingOutLinesThatAreNotColours) {
    testing::TempFolder folder;
    QByteArray numbered;
    for (int colour = 1; colour <= 48; ++colour) {
        numbered += QByteArray::number(colour) + "\r\n";
    }
    write_file(folder.file("c.cfg"), numbered);
    const std::optional<QImage> full = load_palette(folder.file("c.cfg"));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), QSize(160, 30));
    EXPECT_EQ(cell(*full, 0, 2), 3);
    EXPECT_EQ(cell(*full, 1, 0), 4);
    EXPECT_EQ(cell(*full, 15, 2), 48);

    write_file(folder.file("調色.cfg"), " 255 \nred\n\n65280\n0x10\n4\n");
    QString problems;
    const std::optional<QImage> palette = load_palette(folder.file("調色.cfg"), &problems);
    ASSERT_TRUE(palette);
    EXPECT_EQ(cell(*palette, 0, 0), 255);
    EXPECT_EQ(cell(*palette, 0, 1), 65280);
    EXPECT_EQ(cell(*palette, 0, 2), 4);
    EXPECT_EQ(cell(*palette, 1, 0), white_color);
    EXPECT_TRUE(problems.contains(QStringLiteral("調色.cfg")));
    EXPECT_TRUE(problems.contains(QStringLiteral("lines 2, 5")));
    EXPECT_FALSE(load_palette(folder.file("無.cfg")));
}

}  // namespace
}  // namespace inkwren
