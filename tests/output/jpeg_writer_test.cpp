#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <cstdio>

#include <jpeglib.h>

#include "animation/raster.h"
#include "output/jpeg_writer.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

// What a JPEG file says about itself, read back through libjpeg.
struct DecodedJpeg {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<UINT16> luminance_table;
    QImage picture;
};

DecodedJpeg decode(const QByteArray& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    DecodedJpeg decoded;
    const UINT16* table = info.quant_tbl_ptrs[0]->quantval;
    decoded.luminance_table.assign(table, table + DCTSIZE2);
    jpeg_start_decompress(&info);
    decoded.width = int(info.output_width);
    decoded.height = int(info.output_height);
    decoded.components = info.output_components;
    decoded.picture = make_bitmap(decoded.width, decoded.height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.picture.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return decoded;
}

// The luminance table libjpeg itself builds for a quality.
std::vector<UINT16> luminance_table_for(int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    info.in_color_space = JCS_RGB;
    info.input_components = 3;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    const UINT16* table = info.quant_tbl_ptrs[0]->quantval;
    std::vector<UINT16> values(table, table + DCTSIZE2);
    jpeg_destroy_compress(&info);
    return values;
}

QImage sample_picture() {
    QImage picture = make_bitmap(37, 21);
    Canvas canvas(picture);
    canvas.pen_color = 0x0000FF;
    canvas.pen_width = 3;
    canvas.move_to({2, 2});
    canvas.line_to({34, 18});
    return picture;
}

class JpegSave : public ::testing::Test {
protected:
    testing::TempFolder folder;
};

TEST_F(JpegSave, WritesABaselineRgbJpegAtTheGivenQuality) {
    const QString path = folder.file(QStringLiteral("永字八法.jpg"));
    jpegsave(sample_picture(), path, 80);
    const DecodedJpeg decoded = decode(testing::read_file(path));
    EXPECT_EQ(decoded.width, 37);
    EXPECT_EQ(decoded.height, 21);
    EXPECT_EQ(decoded.components, 3);
    EXPECT_EQ(decoded.luminance_table, luminance_table_for(80));
    EXPECT_NE(decoded.luminance_table, luminance_table_for(50));
}

TEST_F(JpegSave, ThePictureSurvivesWithinJpegLoss) {
    const QString path = folder.file(QStringLiteral("國.jpg"));
    QImage picture = make_bitmap(32, 32, 0x0000FF);
    jpegsave(picture, path, 95);
    const QColor centre = decode(testing::read_file(path)).picture.pixelColor(16, 16);
    EXPECT_NEAR(centre.red(), 255, 4);
    EXPECT_NEAR(centre.green(), 0, 4);
    EXPECT_NEAR(centre.blue(), 0, 4);
}

TEST_F(JpegSave, APictureInAnotherFormatIsSavedAs24Bit) {
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(Qt::black);
    const QString path = folder.file(QStringLiteral("黑.jpg"));
    jpegsave(picture, path, 80);
    EXPECT_EQ(decode(testing::read_file(path)).components, 3);
}

TEST_F(JpegSave, ReplacesAnOlderFile) {
    const QString path = folder.file(QStringLiteral("筆順.jpg"));
    testing::write_file(path, "old");
    jpegsave(sample_picture(), path, 80);
    EXPECT_EQ(decode(testing::read_file(path)).width, 37);
}

TEST_F(JpegSave, AFolderThatIsMissingThrowsNamingTheFileAndLeavesNothing) {
    const QString path = folder.file(QStringLiteral("沒有/圖.jpg"));
    try {
        jpegsave(sample_picture(), path, 80);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(JpegSave, APictureLibjpegRefusesThrowsNamingTheFileAndLeavesNothing) {
    const QString path = folder.file(QStringLiteral("空.jpg"));
    try {
        jpegsave(QImage(), path, 80);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("JPEG")));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace
}  // namespace inkwren
