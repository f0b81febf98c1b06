#include <gtest/gtest.h>

#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"

#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <png.h>

#include <algorithm>
#include <tuple>

#include "pad/picture_dictionary.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"
#include "tools/model_pictures/model_picture.h"
#include "tools/model_pictures/package_characters.h"
#include "tools/model_pictures/picture_dictionary.h"
#include "tools/model_pictures/png_encoder.h"

namespace inkwren::tools {
namespace {

using testing::gbk;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

// Decodes with libpng's simplified reader into 8-bit RGB, as the pad does.
QImage decode_png(const QByteArray& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.constData(), size_t(png.size()))) {
        ADD_FAILURE() << "not a PNG: " << image.message;
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    QImage pixels(int(image.width), int(image.height), QImage::Format_RGB888);
    if (!png_image_finish_read(&image, nullptr, pixels.bits(), png_int_32(pixels.bytesPerLine()),
                               nullptr)) {
        ADD_FAILURE() << "damaged PNG: " << image.message;
        return {};
    }
    return pixels;
}

QList<QByteArray> chunk_types(const QByteArray& png) {
    QList<QByteArray> types;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        types.push_back(png.mid(at + 4, 4));
        at += 12 + qFromBigEndian<quint32>(png.constData() + at);
    }
    return types;
}

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

// One index entry read the way the pad reads it.
struct DictionaryEntry {
    QByteArray key;
    qint64 length;
    qint64 offset;
};

std::vector<DictionaryEntry> read_entries(const QByteArray& index) {
    std::vector<DictionaryEntry> entries;
    for (qsizetype at = 0; at + picture_entry_size <= index.size(); at += picture_entry_size) {
        auto field = [&](int offset) {
            return index.mid(at + offset + 1, quint8(index.at(at + offset)));
        };
        bool length_ok = false;
        bool offset_ok = false;
        entries.push_back(
            {field(0), field(22).toLongLong(&length_ok), field(33).toLongLong(&offset_ok)});
        EXPECT_TRUE(length_ok && offset_ok) << "entry " << entries.size();
    }
    return entries;
}

// ---- PNG encoding

TEST(PngEncoder, PicturesRoundTripAtTheSmallestBitDepth) {
    // 13 pixels a row, so rows of 1, 2 and 4 bits end inside a byte.
    const std::vector<std::tuple<QImage, int, int>> cases{
        {indexed_image(13, 4, 2), PNG_COLOR_TYPE_PALETTE, 1},
        {indexed_image(13, 4, 3), PNG_COLOR_TYPE_PALETTE, 2},
        {indexed_image(13, 4, 16), PNG_COLOR_TYPE_PALETTE, 4},
        {indexed_image(13, 4, 17), PNG_COLOR_TYPE_PALETTE, 8},
        {indexed_image(13, 4, 17).convertToFormat(QImage::Format_ARGB32), PNG_COLOR_TYPE_RGB, 8}};
    for (const auto& [image, colour_type, depth] : cases) {
        SCOPED_TRACE(image.colorCount());
        const QByteArray png = encode_png(image);
        EXPECT_EQ(png.at(24), depth);
        EXPECT_EQ(png.at(25), colour_type);
        EXPECT_EQ(decode_png(png), image.convertToFormat(QImage::Format_RGB888));
    }
}

TEST(PngEncoder, TheSamePictureGivesTheSameBytesWithoutTimeOrText) {
    const QImage image = indexed_image(40, 30, 16);
    const QByteArray png = encode_png(image);
    EXPECT_EQ(encode_png(image), png);
    EXPECT_EQ(chunk_types(png), (QList<QByteArray>{"IHDR", "PLTE", "IDAT", "IEND"}));
}

TEST(PngEncoder, TheReasonLibpngWarnedOfReachesTheError) {
    try {
        encode_png(QImage());
        ADD_FAILURE() << "an empty picture was encoded";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("width is zero"))) << error.what();
    }
    // The failed encoder left nothing behind that spoils the next one.
    EXPECT_EQ(decode_png(encode_png(indexed_image(3, 3, 2))).width(), 3);
}

// ---- Dictionary files

class PictureDictionaryTest : public ::testing::Test {
protected:
    QString index() const { return folder.file(QStringLiteral("hk_dict.dat")); }
    QString pictures() const { return folder.file(QStringLiteral("hk_kai.dat")); }

    void write(const std::vector<ModelPicture>& entries) {
        write_picture_dictionary(index(), pictures(), entries);
    }

    TempFolder folder;
};

TEST_F(PictureDictionaryTest, EachEntryLocatesItsPictureByDecimalTexts) {
    const std::vector<ModelPicture> written{
        {gbk(QStringLiteral("永")), encode_png(indexed_image(20, 20, 16))},
        {gbk(QStringLiteral("國")), encode_png(indexed_image(31, 7, 3))},
        {QByteArray(picture_key_capacity, 'k'), encode_png(indexed_image(5, 50, 2))}};
    write(written);

    const std::vector<DictionaryEntry> entries = read_entries(read_file(index()));
    ASSERT_EQ(entries.size(), written.size());
    const QByteArray data = read_file(pictures());
    qint64 end = 0;
    for (size_t n = 0; n < entries.size(); ++n) {
        EXPECT_EQ(entries[n].key, written[n].key);
        EXPECT_EQ(entries[n].offset, end);
        EXPECT_EQ(data.mid(entries[n].offset, entries[n].length), written[n].png);
        end = entries[n].offset + entries[n].length;
    }
    EXPECT_EQ(data.size(), end);
}

TEST_F(PictureDictionaryTest, BytesAfterEachFieldsTextAreZero) {
    write({{"AB", QByteArray(1234, 'p')}, {"C", QByteArray(5, 'q')}});
    auto field = [](const char* text, int size) {
        QByteArray bytes(size, '\0');
        bytes[0] = char(qstrlen(text));
        return bytes.replace(1, int(qstrlen(text)), text);
    };
    EXPECT_EQ(read_file(index()).mid(picture_entry_size),
              field("C", 22) + field("5", 11) + field("1234", 11));
}

TEST_F(PictureDictionaryTest, AKeyThatDoesNotFitLeavesBothFilesAsTheyWere) {
    write_file(index(), "old index");
    write_file(pictures(), "old pictures");
    for (const QByteArray& key : {QByteArray(picture_key_capacity + 1, 'k'), QByteArray()}) {
        EXPECT_THROW(write({{"AB", "png"}, {key, "png"}}), Error);
    }
    EXPECT_EQ(read_file(index()), "old index");
    EXPECT_EQ(read_file(pictures()), "old pictures");
}

// 國 is B0EA in Big5 and 瓣 is B0EA in GBK: a pad on code page 950 looked up 國's Big5 bytes in
// the GBK-keyed dictionary and showed 瓣.
TEST_F(PictureDictionaryTest,
       TheModelPictureOfACharacterIsFoundByItsGbkCodeWhateverTheLegacyCodePage) {
    ASSERT_EQ(testing::big5(QStringLiteral("國")), gbk(QStringLiteral("瓣")));
    const QImage guo = indexed_image(12, 8, 3);
    const QImage ban = indexed_image(5, 9, 2);
    write({{gbk(QStringLiteral("瓣")), encode_png(ban)},
           {gbk(QStringLiteral("國")), encode_png(guo)}});

    const std::optional<QImage> found = find_model_picture(folder.path(), QStringLiteral("國"));
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, guo.convertToFormat(QImage::Format_RGB888));
    EXPECT_EQ(find_model_picture(folder.path(), QStringLiteral("瓣"))->size(), ban.size());
    QImage layer(12, 8, QImage::Format_RGB888);
    ASSERT_TRUE(draw_model_picture(folder.path(), QStringLiteral("國"), layer));
    EXPECT_EQ(layer, guo.convertToFormat(QImage::Format_RGB888));
}

TEST_F(PictureDictionaryTest, ACharacterWithoutAGbkCodeFindsNothing) {
    // 한 has no GBK code and converts to "?"; an entry keyed "?" must not answer for it.
    write({{"?", encode_png(indexed_image(3, 3, 2))}});
    EXPECT_FALSE(find_model_picture(folder.path(), QStringLiteral("한")));
    EXPECT_FALSE(find_model_picture(folder.path(), QString()));
}

// ---- Model picture colours

TEST(ModelPalette, CoverageRunsFromWhitePaperToTheModelInk) {
    QImage coverage(3, 1, QImage::Format_Alpha8);
    std::copy_n("\x00\x80\xff", 3, coverage.scanLine(0));
    const QImage picture = tint_coverage(coverage);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(2, 0), model_ink);
    EXPECT_NEAR(qGray(picture.pixel(1, 0)), (255 + qGray(model_ink)) / 2, 4);
}

// The pad copies a model picture channel by channel and skips bytes of 255: a tint such as
// (255, 250, 250) would keep the red byte of the blue grid line below it and show cyan.
TEST(ModelPalette, NoTintHasAByteOf255SoThePadCopiesItWhole) {
    const QList<QRgb> palette = model_palette();
    for (qsizetype i = 1; i < palette.size(); ++i) {
        EXPECT_LT(std::max({qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i])}), 255) << i;
    }
}

// ---- Characters of the stroke data package

TEST(PackageCharacters, OnlyCharactersWithATwoByteCodeSortedByCode) {
    TempFolder package;
    for (const char* name : {"永.json", "國.json", "国.json", "€.json", "A.json", "한.json",
                             "😀.json", "永永.json", "package.json", "永.txt"}) {
        write_file(package.file(QString::fromUtf8(name)), "{}");
    }
    auto characters_of = [&](int code_page) {
        QString text;
        for (const PackageCharacter& entry : package_characters(package.path(), code_page)) {
            EXPECT_EQ(entry.key, to_code_page(QString::fromUcs4(&entry.character, 1), code_page));
            text += QString::fromUcs4(&entry.character, 1);
        }
        return text;
    };
    // € is the single byte 0x80 in GBK but has a two-byte code in Big5; 国 has no Big5 code.
    EXPECT_EQ(characters_of(gbk_code_page), QStringLiteral("國国永"));
    EXPECT_EQ(characters_of(big5_code_page), QStringLiteral("€永國"));
}

// ---- The dictionary the build generates; skipped until the installation folder is built.

class GeneratedDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString folder = QStringLiteral(INKWREN_INSTALLATION_DIR "/");
        if (!QFileInfo::exists(folder + "hk_dict.dat") ||
            !QFileInfo::exists(folder + "hk_kai.dat")) {
            GTEST_SKIP() << "the installation folder has not been built";
        }
        entries = read_entries(read_file(folder + "hk_dict.dat"));
        data = read_file(folder + "hk_kai.dat");
    }

    std::vector<DictionaryEntry> entries;
    QByteArray data;
};

TEST_F(GeneratedDictionaryTest, EntriesAreSortedAndTilePicturesEndToEnd) {
    ASSERT_GT(entries.size(), 9000u);
    qint64 end = 0;
    for (size_t n = 0; n < entries.size(); ++n) {
        ASSERT_EQ(entries[n].key.size(), 2) << n;
        ASSERT_TRUE(n == 0 || entries[n - 1].key < entries[n].key) << n;
        ASSERT_EQ(entries[n].offset, end) << n;
        ASSERT_TRUE(data.mid(end, 8) == "\x89PNG\r\n\x1a\n") << n;
        end += entries[n].length;
    }
    EXPECT_EQ(data.size(), end);
}

TEST_F(GeneratedDictionaryTest, ModelCharactersLieUnderTheirStrokes) {
    const QString folder = QStringLiteral(INKWREN_INSTALLATION_DIR "/");
    for (const char* character : {"永", "国", "鬱", "我"}) {
        SCOPED_TRACE(character);
        const QByteArray key = gbk(QString::fromUtf8(character));
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&](const DictionaryEntry& e) { return e.key == key; });
        ASSERT_NE(entry, entries.end());
        const QImage picture = decode_png(data.mid(entry->offset, entry->length));
        ASSERT_EQ(picture.size(), QSize(model_picture_side, model_picture_side));
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                ASSERT_TRUE(model_palette().contains(picture.pixel(x, y))) << x << "," << y;
            }
        }
        // Most points of the character's stroke centre lines fall on the model's ink; the
        // simplified strokes come from a Kai face whose forms differ a little from this one.
        const auto match = find_in_index(folder + "strokes-idx.dat", key + ".wrt", IndexColumn::gb);
        ASSERT_TRUE(match);
        const TObjList records = parse_stroke_text(read_entry_text(folder + "strokes.cdf", *match),
                                                   folder, EndMarkerKind::keep_pen_up);
        int points = 0;
        int on_ink = 0;
        for (const PointRecord& record : records) {
            if (!is_end_marker(record)) {
                ++points;
                on_ink += picture.pixel(int(record.x), int(record.y)) != qRgb(255, 255, 255);
            }
        }
        EXPECT_GE(on_ink, points * 7 / 10) << on_ink << " of " << points;
    }
}

}  // namespace
}  // namespace inkwren::tools
