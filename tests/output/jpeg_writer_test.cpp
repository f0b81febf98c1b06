#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jpeglib.h>

#include "animation/raster.h"
#include "output/jpeg_writer.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

// What a JPEG file says about itself, read back through libjpeg as far as starting to decode.
struct JpegHeader {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = true;
    std::vector<UINT16> luminance_table;
};

JpegHeader read_header(const QByteArray& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    JpegHeader header;
    header.progressive = info.progressive_mode != 0;
    const UINT16* table = info.quant_tbl_ptrs[0]->quantval;
    header.luminance_table.assign(table, table + DCTSIZE2);
    jpeg_start_decompress(&info);
    header.width = int(info.output_width);
    header.height = int(info.output_height);
    header.components = info.output_components;
    jpeg_destroy_decompress(&info);  // the pixels are not needed
    return header;
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
    canvas.finish();
    return picture;
}

class JpegSave : public ::testing::Test {
protected:
    testing::TempFolder folder;
};

TEST_F(JpegSave, WritesABaselineRgbJpegAtTheGivenQuality) {
    const QString path = folder.file(QStringLiteral("永字八法.jpg"));
    jpegsave(sample_picture(), path, 80);
    const JpegHeader header = read_header(testing::read_file(path));
    EXPECT_EQ(header.width, 37);
    EXPECT_EQ(header.height, 21);
    EXPECT_EQ(header.components, 3);
    EXPECT_FALSE(header.progressive);
    EXPECT_EQ(header.luminance_table, luminance_table_for(80));
    EXPECT_NE(header.luminance_table, luminance_table_for(50));
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
