#include <gtest/gtest.h>

#include "encoding/recognition.h"
#include "platform/code_page.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::archive_source;
using testing::big5;
using testing::gbk;
using testing::sample_stroke_text;
using testing::TempFolder;

TEST(BuildKey, UnicodeModesUseTheirCodePageAndLegacyModesTheTextsBytesAsTheyStand) {
    for (const int legacy : {gbk_code_page, big5_code_page}) {
        EXPECT_EQ(build_key(QStringLiteral("永"), 1, legacy).archive_key,
                  QByteArray("\xA5\xC3.wrt"));
        EXPECT_EQ(build_key(QStringLiteral("永"), 2, legacy).archive_key,
                  QByteArray("\xD3\xC0.wrt"));
    }
    // The key text is the key read in the legacy code page, so it re-encodes to the same key.
    const CharacterKey key = build_key(QStringLiteral("永"), 1, gbk_code_page);
    EXPECT_EQ(key.key_text, from_code_page("\xA5\xC3", gbk_code_page));
    EXPECT_EQ(archive_key_for(key.key_text, gbk_code_page), key.archive_key);
    // With a Big5 system code page, "Big 5" on a Unicode text gives the mode-1 key.
    EXPECT_EQ(build_key(QStringLiteral("永"), 4, big5_code_page).archive_key,
              QByteArray("\xA5\xC3.wrt"));
    // Text that a GBK system decoded from Big5 bytes gives back those bytes.
    EXPECT_EQ(build_key(from_code_page("\xA5\xC3", gbk_code_page), 4, gbk_code_page).archive_key,
              QByteArray("\xA5\xC3.wrt"));
}

class RecognitionTest : public ::testing::Test {
protected:
    RecognitionTest() {
        // 永 has both names; 国 only a GB name; the third entry has only a Big5 name.
        testing::build_archive(folder.path(),
                               {archive_source(QStringLiteral("永"), sample_stroke_text(5)),
                                archive_source(QStringLiteral("国"), sample_stroke_text(8)),
                                {big5(QStringLiteral("臺")) + ".wrt", {}, sample_stroke_text(14)}});
    }

    std::optional<CharacterKey> recognise(const QString& text, int legacy = gbk_code_page) {
        return recognise_text(text, state, folder.file("strokes-idx.dat"), legacy);
    }

    TempFolder folder;
    EncodingState state;
};

// Legacy bytes are tried once the Unicode readings fail; a text found nowhere leaves Big 5.
TEST_F(RecognitionTest, DetectionFindsTheReadingAndKeepsItAndWithoutItOnlyTheModeIsTried) {
    choose_encoding_item(state, EncodingItem::autodetect);
    const auto found = recognise(QStringLiteral("臺"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->archive_key, big5(QStringLiteral("臺")) + ".wrt");
    EXPECT_EQ(state.encoding_mode, encoding_mode::unicode_traditional);
    EXPECT_EQ(state.stored_encoding_mode, encoding_mode::autodetect_stored);

    // 永 is in both columns: the mode in force finds it first and stays.
    ASSERT_TRUE(recognise(QStringLiteral("永")));
    EXPECT_EQ(state.encoding_mode, encoding_mode::unicode_traditional);
    // 国 has no Big5 code: detection moves on to GB.
    ASSERT_TRUE(recognise(QStringLiteral("国")));
    EXPECT_EQ(state.encoding_mode, encoding_mode::unicode_simplified);

    // A non-Unicode program sent the Big5 bytes of 臺; a GBK system decoded them.
    const QString mangled = from_code_page(big5(QStringLiteral("臺")), gbk_code_page);
    const auto legacy = recognise(mangled);
    ASSERT_TRUE(legacy);
    EXPECT_EQ(state.encoding_mode, encoding_mode::big5);
    EXPECT_EQ(legacy->key_text, mangled);

    choose_encoding_item(state, EncodingItem::autodetect);
    EXPECT_FALSE(recognise(QStringLiteral("한")));
    EXPECT_EQ(state.encoding_mode, encoding_mode::big5);
    EXPECT_TRUE(state.autodetect);
    EXPECT_FALSE(recognise(QStringLiteral("永永")));
    // A document copied anywhere: no reading can name an entry, and detection ends on Big5 as
    // after trying them all; a conversion stops at a NUL, so a text with one after 永 is 永.
    choose_encoding_item(state, EncodingItem::autodetect);
    state.encoding_mode = encoding_mode::unicode_simplified;
    EXPECT_FALSE(recognise(QString(100'000, QChar(u'永'))));
    EXPECT_EQ(state.encoding_mode, encoding_mode::big5);
    EXPECT_TRUE(recognise(QStringLiteral("永") + QChar(0) + QString(100'000, QChar(u'國'))));
    EXPECT_FALSE(recognise(QStringLiteral(" 永")));
    EXPECT_FALSE(recognise(QString()));
    // Without detection only the current mode is tried.
    choose_encoding_item(state, EncodingItem::unicode_traditional);
    EXPECT_FALSE(recognise(QStringLiteral("国")));
    EXPECT_EQ(state.encoding_mode, encoding_mode::unicode_traditional);
    EXPECT_EQ(recognise(QStringLiteral("永")).value_or(CharacterKey{}).archive_key,
              QByteArray("\xA5\xC3.wrt"));
}

}  // namespace
}  // namespace inkwren
