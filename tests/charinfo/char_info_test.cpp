#include "charinfo/char_info.h"

#include "charinfo/charinfo_format.h"
#include "platform/error.h"
#include "tests/support/fixtures.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace inkwren {
namespace {

using namespace testing;

std::vector<CharInfo> sample_entries() {
    CharInfo yu;
    yu.character = U'鬱';
    yu.readings = {QStringLiteral("yù")};
    yu.definition = QStringLiteral("luxuriant; dense, thick; moody");
    yu.radical = 192;
    yu.radical_form = QStringLiteral("鬯");
    yu.strokes_simplified = 29;
    yu.strokes_traditional = 29;
    yu.simplified_forms = {U'郁'};
    yu.frequency = 4;
    yu.rank = 2400;
    CharInfo de;
    de.character = U'的';
    de.readings = {QStringLiteral("de"), QStringLiteral("dí"), QStringLiteral("dì")};
    de.definition = QStringLiteral("possessive, adjectival suffix");
    de.radical = 106;
    de.radical_form = QStringLiteral("白");
    de.strokes_simplified = de.strokes_traditional = 8;
    de.frequency = 1;
    de.grade = 1;
    CharInfo yu_simplified;
    yu_simplified.character = U'𠀀';  // beyond the basic plane
    yu_simplified.radical = 149;
    yu_simplified.simplified_radical = true;
    yu_simplified.radical_form = QStringLiteral("讠");
    yu_simplified.traditional_forms = {U'鬱', U'𠀀'};
    return {yu, de, yu_simplified};
}

TEST(CharInfoTable, EveryFieldComesBackAsWrittenAndUnknownCharactersAreNotFound) {
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("字典.dat"));
    const auto entries = sample_entries();
    write_char_info(entries, path);
    const auto table = CharInfoTable::load(path);
    ASSERT_EQ(table.size(), entries.size());
    for (const CharInfo& info : entries)
        EXPECT_EQ(table.find(info.character), info);
    EXPECT_EQ(table.at(0).character, U'的');  // code point order
    EXPECT_FALSE(table.find(U'永'));
    EXPECT_FALSE(CharInfoTable().find(U'永'));
}

TEST(CharInfoTable, ACharacterGivenTwiceIsRefused) {
    TempFolder folder;
    auto entries = sample_entries();
    entries.push_back(entries.front());
    EXPECT_THROW(write_char_info(entries, folder.file(QStringLiteral("x.dat"))), Error);
}

// Each damage a reader must refuse rather than read past the file's end or out of order.
TEST(CharInfoTable, ADamagedFileIsRefusedWithItsName) {
    TempFolder folder;
    const QString good = folder.file(QStringLiteral("good.dat"));
    write_char_info(sample_entries(), good);
    const QByteArray bytes = read_file(good);
    const int first_entry = char_info_header_size;
    const auto set_u32 = [](QByteArray& b, int at, std::uint32_t value) {
        qToLittleEndian(value, b.data() + at);
    };
    const std::vector<std::pair<const char*, std::function<void(QByteArray&)>>> damages = {
        {"empty", [](QByteArray& b) { b.clear(); }},
        {"cut short", [](QByteArray& b) { b.chop(3); }},
        {"another magic", [](QByteArray& b) { b[0] = 'X'; }},
        {"another version", [](QByteArray& b) { b[char_info_version_offset] = 9; }},
        {"a count too large",
         [&](QByteArray& b) { set_u32(b, char_info_count_offset, 0x10000000); }},
        {"texts not closed", [](QByteArray& b) { b.back() = 'x'; }},
        {"out of order",
         [&](QByteArray& b) {
             set_u32(b, first_entry + char_info_entry_size + entry_character_offset, 1);
         }},
        {"a surrogate", [&](QByteArray& b) { set_u32(b, first_entry, 0xD800); }},
        {"a text beyond the pool",
         [&](QByteArray& b) { set_u32(b, first_entry + entry_definition_offset, 1u << 30); }},
        {"radical 215", [&](QByteArray& b) { b[first_entry + entry_radical_offset] = char(215); }},
    };
    for (const auto& [name, damage] : damages) {
        QByteArray damaged = bytes;
        damage(damaged);
        const QString path = folder.file(QStringLiteral("壞.dat"));
        write_file(path, damaged);
        try {
            CharInfoTable::load(path);
            ADD_FAILURE() << name;
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(path)) << name;
        }
    }
}

}  // namespace
}  // namespace inkwren
