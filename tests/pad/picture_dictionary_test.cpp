#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <functional>

#include "pad/picture_dictionary.h"
#include "pad/png_decoder.h"
#include "platform/error.h"
#include "tests/support/checks.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::big5;
using testing::write_file;

// Fixtures are encoded by Qt, so the decoder is checked against an encoder it shares nothing with.
QByteArray qt_png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return bytes;
}

// A valid picture whose header claims another size, its checksum made to match.
QByteArray with_claimed_size(QByteArray png, quint32 width, quint32 height) {
    qToBigEndian<quint32>(width, png.data() + 16);
    qToBigEndian<quint32>(height, png.data() + 20);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    qToBigEndian<quint32>(quint32(crc), png.data() + 29);
    return png;
}

// Every pixel different, none white, so a misplaced or missing pixel shows.
QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x % 256, y % 256, 0x40));
        }
    }
    return image;
}

// Expects action to throw Error naming each of names.
void expect_error_naming(const std::function<void()>& action, const QStringList& names) {
    const QString message = testing::error_of(action);
    for (const QString& name : names) {
        EXPECT_TRUE(message.contains(name)) << qPrintable(message);
    }
}

const QString what = QStringLiteral("The picture of 永");

// Palettes of every bit depth come from the model picture tools' encoder, whose tests read its
// pictures back through this decoder.
TEST(PngDecoder, EveryKindOfPngGivesRgb888OverWhiteAndDamageIsAnErrorNamingIt) {
    const QList<QRgb> colours = {qRgba(200, 100, 50, 0), qRgba(200, 100, 50, 128),
                                 qRgba(0, 0, 255, 255), qRgba(0, 0, 0, 64)};
    QImage argb(4, 1, QImage::Format_ARGB32);
    QImage indexed(4, 1, QImage::Format_Indexed8);
    indexed.setColorTable(colours);
    for (int x = 0; x < 4; ++x) {
        argb.setPixel(x, 0, colours[x]);
        indexed.setPixel(x, 0, uint(x));
    }
    const QImage grey = pattern(37, 23).convertToFormat(QImage::Format_Grayscale8);
    const struct {
        QImage source;
        int bit_depth, colour_type;  // as the PNG header gives them
    } cases[] = {{pattern(37, 23), 8, 2},
                 {grey, 8, 0},
                 {grey.convertToFormat(QImage::Format_Grayscale16), 16, 0},
                 {argb, 8, 6},
                 {argb.convertToFormat(QImage::Format_RGBA64), 16, 6},
                 {indexed, 8, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colour_type * 100 + c.bit_depth);
        const QByteArray png = qt_png(c.source);
        ASSERT_EQ(png[24], c.bit_depth);
        ASSERT_EQ(png[25], c.colour_type);
        const QImage decoded = decode_png(png, what);
        ASSERT_EQ(decoded.format(), QImage::Format_RGB888);
        ASSERT_EQ(decoded.size(), c.source.size());
        for (int y = 0; y < decoded.height(); ++y) {
            for (int x = 0; x < decoded.width(); ++x) {
                const QRgb source = c.source.pixel(x, y);
                const double alpha = qAlpha(source) / 255.0;
                auto over_white = [&](int channel) { return channel * alpha + 255 * (1 - alpha); };
                const QRgb pixel = decoded.pixel(x, y);
                ASSERT_NEAR(qRed(pixel), over_white(qRed(source)), 1) << x << "," << y;
                ASSERT_NEAR(qGreen(pixel), over_white(qGreen(source)), 1) << x << "," << y;
                ASSERT_NEAR(qBlue(pixel), over_white(qBlue(source)), 1) << x << "," << y;
            }
        }
    }
    // Absurd sizes and damaged bytes are errors naming the picture.
    QImage line(max_png_side, 1, QImage::Format_Grayscale8);
    line.fill(7);
    EXPECT_EQ(decode_png(qt_png(line), what).width(), max_png_side);
    const QByteArray good = qt_png(pattern(20, 20));
    QByteArray corrupt = good;
    corrupt[good.size() / 2] = char(corrupt[good.size() / 2] ^ 0x20);  // inside the image data
    // Sizes are refused before they are allocated: a few bytes may claim a gigabyte of pixels.
    // Cuts in the header and the image data; the fuzz target replays every other cut.
    const std::pair<QByteArray, QString> damaged[] = {
        {with_claimed_size(good, 3, 16385), "16385"},
        {with_claimed_size(good, 16000, 16000), "16000"},
        {"GIF89a", what},
        {good.left(20), what},
        {good.left(good.size() / 2), what},
        {corrupt, what}};
    for (const auto& each : damaged) {
        expect_error_naming([&] { decode_png(each.first, what); }, {what, each.second});
    }
}

// One 44-byte index entry: three length-prefixed fields, the numbers spelt as the caller says.
QByteArray dictionary_entry(const QByteArray& key, const QByteArray& length,
                            const QByteArray& offset) {
    QByteArray bytes(44, '\0');
    for (auto [start, text] : {std::pair{0, key}, {22, length}, {33, offset}}) {
        bytes[start] = char(text.size());
        bytes.replace(start + 1, text.size(), text);
    }
    return bytes.left(44);
}

class PictureDictionaryTest : public ::testing::Test {
protected:
    QString index() const { return folder.file("hk_dict.dat"); }
    QString data() const { return folder.file("hk_kai.dat"); }

    // Pictures end to end in hk_kai.dat, in the order of their entries.
    void build(const std::vector<std::pair<QByteArray, QByteArray>>& pictures) {
        QByteArray index_bytes, data_bytes;
        for (const auto& [key, png] : pictures) {
            index_bytes += dictionary_entry(key, QByteArray::number(png.size()),
                                            QByteArray::number(data_bytes.size()));
            data_bytes += png;
        }
        write_file(index(), index_bytes);
        write_file(data(), data_bytes);
    }

    std::optional<QImage> find(const QByteArray& key) {
        return find_model_picture(folder.path(), key);
    }

    // Draws a pattern picture (with one white pixel) on a blue layer; checks every layer pixel.
    void expect_centred(QSize layer_size, QSize picture_size, QPoint top_left) {
        QImage picture = pattern(picture_size.width(), picture_size.height());
        picture.setPixel(picture.width() / 2, picture.height() / 2, qRgb(255, 255, 255));
        build({{yong, qt_png(picture)}});
        QImage layer(layer_size, QImage::Format_RGB888);
        layer.fill(Qt::blue);
        ASSERT_TRUE(draw_model_picture(folder.path(), yong, layer));
        ASSERT_EQ(layer.size(), layer_size);
        for (int y = 0; y < layer.height(); ++y) {
            for (int x = 0; x < layer.width(); ++x) {
                const QPoint at = QPoint(x, y) - top_left;
                const QRgb expected =
                    picture.rect().contains(at) ? picture.pixel(at) : qRgb(0, 0, 255);
                ASSERT_EQ(layer.pixel(x, y), expected) << x << "," << y;
            }
        }
    }

    testing::TempFolder folder;
    const QByteArray yong = big5(QStringLiteral("永"));
    const QByteArray guo = testing::gbk(QStringLiteral("国"));
};

// Missing files and absent keys give nothing and draw nothing.
TEST_F(PictureDictionaryTest, FindsStoredKeysWhereTheIndexSaysAndDrawsThemCentredAsPlainCopies) {
    EXPECT_FALSE(find(yong));
    build({{" \t" + yong + "\x01 ", qt_png(pattern(3, 3))},
           {yong, qt_png(pattern(4, 4))},
           {guo, qt_png(pattern(5, 6))}});
    ASSERT_TRUE(find(yong));
    EXPECT_EQ(find(yong)->size(), QSize(3, 3));
    EXPECT_EQ(find(guo)->size(), QSize(5, 6));
    // Keys compare byte for byte at their exact length; only stored keys are trimmed.
    EXPECT_FALSE(find(yong.left(1)));
    EXPECT_FALSE(find(yong + " "));
    EXPECT_FALSE(find(big5(QStringLiteral("國"))));
    QImage layer(50, 40, QImage::Format_RGB888);
    layer.fill(Qt::blue);
    const QImage before = layer;
    EXPECT_FALSE(draw_model_picture(folder.path(), big5(QStringLiteral("國")), layer));
    EXPECT_TRUE(layer == before);
    QFile::remove(data());
    EXPECT_FALSE(find(yong));
    // The index alone locates each picture.
    const QByteArray first = qt_png(pattern(7, 2));
    const QByteArray second = qt_png(pattern(2, 7));
    const QByteArray guo_traditional = big5(QStringLiteral("國"));
    // Pictures in the opposite order with bytes around them, numbers padded, and a damaged
    // entry before the match that is passed over.
    write_file(data(), "junk" + second + "more junk" + first);
    const QByteArray first_at = QByteArray::number(4 + second.size() + 9);
    write_file(index(),
               dictionary_entry(guo, "12x", "-1") +
                   dictionary_entry(yong, " " + QByteArray::number(first.size()), first_at + "\t") +
                   dictionary_entry(guo_traditional, QByteArray::number(second.size()), "+4"));
    EXPECT_EQ(find(yong)->size(), QSize(7, 2));
    EXPECT_EQ(find(guo_traditional)->size(), QSize(2, 7));
    EXPECT_THROW(find(guo), Error);
    // The picture is drawn centred as a plain copy.
    expect_centred({200, 200}, {160, 160}, {20, 20});
    // Odd differences are halved toward zero, also when the picture is larger.
    expect_centred({200, 201}, {161, 160}, {19, 20});
    expect_centred({100, 80}, {20, 151}, {40, -35});
}

TEST_F(PictureDictionaryTest, DamagedIndexesAreRefusedNamingTheFileAndEntry) {
    const QByteArray png = qt_png(pattern(3, 3));
    build({{guo, png}, {yong, png}});
    const QByteArray good_index = testing::read_file(index());
    const QString entry_name = "entry 1 (key " + QString::fromLatin1(yong.toHex(' ').toUpper());

    write_file(index(), good_index + "x");
    expect_error_naming([&] { find(yong); }, {index(), "44"});

    const QByteArray size = QByteArray::number(png.size());
    const std::pair<QByteArray, QByteArray> damaged[] = {
        {"12a", "0"},        {size, ""},
        {"-3", "0"},         {size, QByteArray::number(png.size() + 1)},
        {"9999999999", "0"}, {size, "9999999999"}};
    for (const auto& [length, offset] : damaged) {
        SCOPED_TRACE(length.toStdString() + " at " + offset.toStdString());
        write_file(index(), good_index.left(44) + dictionary_entry(yong, length, offset));
        expect_error_naming([&] { find(yong); }, {index(), entry_name});
    }
    // A damaged picture.
    build({{guo, png}, {yong, png.left(png.size() - 10) + QByteArray(10, 'x')}});
    expect_error_naming([&] { find(yong); }, {data(), "entry 1"});
}

}  // namespace
}  // namespace inkwren
