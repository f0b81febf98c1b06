#include <gtest/gtest.h>

#include <QFileInfo>

#include <array>
#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jpeglib.h>

#include "animation/raster.h"
#include "output/jpeg_writer.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using Density = std::array<int, 3>;  // unit, across, down

// What a JPEG file says about itself in its header, read back through libjpeg.
struct JpegHeader {
    QSize size;
    int components = 0;
    bool progressive = true;
    int first_luminance_step = 0;  // of the quantization table, which the quality scales
    Density density;
};

JpegHeader read_header(const QByteArray& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const JpegHeader header{QSize(int(info.image_width), int(info.image_height)),
                            info.num_components, info.progressive_mode != 0,
                            info.quant_tbl_ptrs[0]->quantval[0],
                            Density{info.density_unit, info.X_density, info.Y_density}};
    jpeg_destroy_decompress(&info);  // the pixels are not needed
    return header;
}

TEST(JpegSave, WritesABaselineRgbJpegAtTheGivenQualityOrNothingNamingTheFile) {
    testing::TempFolder folder;
    const QString path = folder.file(QStringLiteral("永字八法.jpg"));
    jpegsave(make_bitmap(37, 21, 0x0000FF), path, 80);
    const JpegHeader header = read_header(testing::read_file(path));
    EXPECT_EQ(header.size, QSize(37, 21));
    EXPECT_EQ(header.components, 3);
    EXPECT_FALSE(header.progressive);
    // The standard table's 16, scaled by (200 - 2 × 80) / 100 and rounded.
    EXPECT_EQ(header.first_luminance_step, 6);

    // The resolution in dots per inch when given; libjpeg's 1:1 aspect without a unit when not.
    for (const auto& [dpi, density] : {std::pair{0, Density{0, 1, 1}}, {99, Density{1, 99, 99}}}) {
        EXPECT_EQ(read_header(jpeg_bytes(make_bitmap(8, 8), 80, QString(), dpi)).density, density);
    }

    // A picture libjpeg refuses throws naming the file and leaves nothing.
    const QString refused = folder.file(QStringLiteral("空.jpg"));
    const QString message = testing::error_of([&] { jpegsave(QImage(), refused, 80); });
    EXPECT_TRUE(message.contains(refused) && message.contains(QStringLiteral("JPEG")))
        << qPrintable(message);
    EXPECT_FALSE(QFileInfo::exists(refused));
}

}  // namespace
}  // namespace inkwren
