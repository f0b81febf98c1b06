#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>

#include <algorithm>
#include <tuple>

#include "pad/picture_dictionary.h"
#include "pad/png_decoder.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tests/support/fixtures.h"
#include "tools/model_pictures/model_picture.h"
#include "tools/model_pictures/picture_dictionary.h"
#include "tools/model_pictures/png_encoder.h"

namespace inkwren::tools {
namespace {

using testing::gbk;
using testing::TempFolder;

QImage indexed_image(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_Indexed8);
    for (int i = 0; i < colours; ++i) {
        image.setColor(i, qRgb(i * 13 % 256, 255 - i * 7 % 256, i * 31 % 256));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, uint((x * 7 + y * 3) % colours));
        }
    }
    return image;
}

TEST(PngEncoder, PicturesRoundTripAtTheSmallestBitDepthAndAlwaysInTheSameBytes) {
    // 13 pixels a row, so rows of 1, 2 and 4 bits end inside a byte.
    const std::tuple<QImage, int, int> cases[] = {
        {indexed_image(13, 4, 2), 3, 1},
        {indexed_image(13, 4, 3), 3, 2},
        {indexed_image(13, 4, 16), 3, 4},
        {indexed_image(13, 4, 17), 3, 8},
        {indexed_image(13, 4, 17).convertToFormat(QImage::Format_ARGB32), 2, 8}};
    for (const auto& [image, colour_type, depth] : cases) {
        SCOPED_TRACE(image.colorCount());
        const QByteArray png = encode_png(image);
        EXPECT_EQ(png.at(24), depth);
        EXPECT_EQ(png.at(25), colour_type);
        // Read back as the pad reads it.
        EXPECT_EQ(decode_png(png, QStringLiteral("The picture")),
                  image.convertToFormat(QImage::Format_RGB888));
        EXPECT_EQ(encode_png(image), png);
    }
}

// 國 is B0EA in Big5 and 瓣 is B0EA in GBK: a pad on code page 950 looked up 國's Big5 bytes in
// the GBK-keyed dictionary and showed 瓣.
TEST(PictureDictionary, TheModelPictureOfACharacterIsFoundByItsGbkCodeWhateverTheLegacyCodePage) {
    TempFolder folder;
    ASSERT_EQ(testing::big5(QStringLiteral("國")), gbk(QStringLiteral("瓣")));
    const QImage guo = indexed_image(12, 8, 3);
    const QImage ban = indexed_image(5, 9, 2);
    // 한 has no GBK code and converts to "?"; an entry keyed "?" must not answer for it.
    write_picture_dictionary(folder.file(QStringLiteral("hk_dict.dat")),
                             folder.file(QStringLiteral("hk_kai.dat")),
                             {{gbk(QStringLiteral("瓣")), encode_png(ban)},
                              {gbk(QStringLiteral("國")), encode_png(guo)},
                              {"?", encode_png(ban)}});
    EXPECT_EQ(find_model_picture(folder.path(), QStringLiteral("國")),
              guo.convertToFormat(QImage::Format_RGB888));
    EXPECT_EQ(find_model_picture(folder.path(), QStringLiteral("瓣"))->size(), ban.size());
    QImage layer(12, 8, QImage::Format_RGB888);
    ASSERT_TRUE(draw_model_picture(folder.path(), QStringLiteral("國"), layer));
    EXPECT_EQ(layer, guo.convertToFormat(QImage::Format_RGB888));
    EXPECT_FALSE(find_model_picture(folder.path(), QStringLiteral("한")));
}

// The pad copies a model picture channel by channel and skips bytes of 255: a tint such as
// (255, 250, 250) would keep the red byte of the blue grid line below it and show cyan.
TEST(ModelPalette, CoverageRunsFromWhitePaperToTheModelInkAndNoTintHasAByteOf255) {
    QImage coverage(3, 1, QImage::Format_Alpha8);
    std::copy_n("\x00\x80\xff", 3, coverage.scanLine(0));
    const QImage picture = tint_coverage(coverage);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(2, 0), model_ink);
    EXPECT_NEAR(qGray(picture.pixel(1, 0)), (255 + qGray(model_ink)) / 2, 4);
    const QList<QRgb> palette = model_palette();
    for (qsizetype i = 1; i < palette.size(); ++i) {
        EXPECT_LT(std::max({qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i])}), 255) << i;
    }
}

// Over the dictionary the build generates; skipped until the installation folder is built.
TEST(GeneratedDictionary, ModelCharactersLieUnderTheirStrokes) {
    const QString folder = QStringLiteral(INKWREN_INSTALLATION_DIR "/");
    if (!QFileInfo::exists(folder + QString::fromLatin1(picture_index_name))) {
        GTEST_SKIP() << "the installation folder has not been built";
    }
    for (const char* character : {"永", "国", "鬱", "我"}) {
        SCOPED_TRACE(character);
        const std::optional<QImage> picture =
            find_model_picture(folder, QString::fromUtf8(character));
        ASSERT_TRUE(picture);
        // Most points of the character's stroke centre lines fall on the model's ink; the
        // simplified strokes come from a Kai face whose forms differ a little from this one.
        const auto match =
            find_in_index(folder + "strokes-idx.dat", gbk(QString::fromUtf8(character)) + ".wrt",
                          IndexColumn::gb);
        ASSERT_TRUE(match);
        int points = 0;
        int on_ink = 0;
        for (const PointRecord& record :
             parse_stroke_text(read_entry_text(folder + "strokes.cdf", *match), folder,
                               EndMarkerKind::keep_pen_up)) {
            if (!is_end_marker(record)) {
                ++points;
                on_ink += picture->pixel(int(record.x), int(record.y)) != qRgb(255, 255, 255);
            }
        }
        EXPECT_GE(on_ink, points * 7 / 10) << on_ink << " of " << points;
    }
}

}  // namespace
}  // namespace inkwren::tools
