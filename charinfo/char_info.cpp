#include "charinfo/char_info.h"

#include "charinfo/charinfo_format.h"
#include "platform/error.h"
#include "platform/whole_file.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <map>

namespace inkwren {
namespace {

// No file of ours comes near this; a larger one is not ours.
constexpr qint64 largest_file = 64 * 1024 * 1024;

std::uint32_t u32_at(const char* at) {
    return qFromLittleEndian<std::uint32_t>(at);
}

std::uint8_t u8_at(const char* at) {
    return static_cast<std::uint8_t>(*at);
}

bool is_scalar_value(std::uint32_t code) {
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

[[noreturn]] void damaged(const QString& path, const char* what) {
    throw Error(QStringLiteral("The character information file %1 is damaged (%2).")
                    .arg(path, QLatin1String(what)));
}

void check_entries(const char* entries, std::size_t count, std::uint32_t pool_size,
                   const QString& path) {
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char* entry = entries + i * char_info_entry_size;
        const std::uint32_t character = u32_at(entry + entry_character_offset);
        if (!is_scalar_value(character) || character == 0)
            damaged(path, "a character is invalid");
        if (i > 0 && character <= previous)
            damaged(path, "the characters are out of order");
        previous = character;
        for (int field : {entry_readings_offset, entry_definition_offset, entry_simplified_offset,
                          entry_traditional_offset, entry_radical_form_offset}) {
            if (u32_at(entry + field) >= pool_size)
                damaged(path, "a text lies outside the file");
        }
        if (u8_at(entry + entry_radical_offset) > largest_radical ||
            u8_at(entry + entry_frequency_offset) > largest_frequency ||
            u8_at(entry + entry_grade_offset) > largest_grade) {
            damaged(path, "a number is out of range");
        }
    }
}

std::vector<char32_t> characters_of(const QString& text) {
    std::vector<char32_t> characters;
    for (char32_t c : text.toUcs4())
        characters.push_back(c);
    return characters;
}

QString text_of(const std::vector<char32_t>& characters) {
    return QString::fromUcs4(characters.data(), static_cast<qsizetype>(characters.size()));
}

// The pool of the file being written: each distinct text once.
class TextPool {
public:
    TextPool() { bytes_.append('\0'); }

    std::uint32_t offset_of(const QString& text) {
        if (text.isEmpty())
            return 0;
        const QByteArray utf8 = text.toUtf8();
        if (utf8.contains('\0'))
            throw Error(QStringLiteral("A text holds a NUL character."));
        auto [place, added] = offsets_.try_emplace(utf8, static_cast<std::uint32_t>(bytes_.size()));
        if (added)
            bytes_.append(utf8).append('\0');
        return place->second;
    }

    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    std::map<QByteArray, std::uint32_t> offsets_;
};

void put_u32(char* at, std::uint32_t value) {
    qToLittleEndian(value, at);
}

std::uint8_t clamped_u8(int value, int largest) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, largest));
}

}  // namespace

CharInfoTable::CharInfoTable(QByteArray bytes, std::shared_ptr<QFile> mapping)
    : mapping_(std::move(mapping)),
      bytes_(std::move(bytes)),
      count_(u32_at(bytes_.constData() + char_info_count_offset)) {}

CharInfoTable CharInfoTable::load(const QString& path) {
    // Opened before it is read, so that the mapping shows the file that was checked.
    auto mapping = std::make_shared<QFile>(path);
    const bool opened = mapping->open(QIODevice::ReadOnly);
    QByteArray bytes =
        read_limited_file(path, QStringLiteral("The character information file"), largest_file);
    if (bytes.size() < char_info_header_size ||
        std::memcmp(bytes.constData(), char_info_magic, sizeof char_info_magic) != 0) {
        damaged(path, "it does not start as one");
    }
    const char* header = bytes.constData();
    if (qFromLittleEndian<std::uint16_t>(header + char_info_version_offset) != char_info_version) {
        damaged(path, "it is of another version");
    }
    const std::uint64_t count = u32_at(header + char_info_count_offset);
    const std::uint64_t pool_size = u32_at(header + char_info_pool_size_offset);
    const std::uint64_t pool_start = char_info_header_size + count * char_info_entry_size;
    if (pool_size == 0 || pool_start + pool_size != static_cast<std::uint64_t>(bytes.size())) {
        damaged(path, "its length does not match its header");
    }
    if (bytes[static_cast<qsizetype>(pool_start)] != '\0' || bytes.back() != '\0') {
        damaged(path, "its texts are not closed");
    }
    check_entries(header + char_info_header_size, count, static_cast<std::uint32_t>(pool_size),
                  path);
    // The copy read is kept only where the file cannot be mapped or changed since it was opened.
    const uchar* mapped =
        opened && mapping->size() == bytes.size() ? mapping->map(0, bytes.size()) : nullptr;
    if (mapped == nullptr || std::memcmp(mapped, bytes.constData(), char_info_header_size) != 0) {
        return CharInfoTable(std::move(bytes), nullptr);
    }
    return CharInfoTable(
        QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), bytes.size()),
        std::move(mapping));
}

const char* CharInfoTable::entry(std::size_t index) const {
    return bytes_.constData() + char_info_header_size + index * char_info_entry_size;
}

QString CharInfoTable::pool_text(const char* entry, int field) const {
    const char* pool = bytes_.constData() + char_info_header_size + count_ * char_info_entry_size;
    return QString::fromUtf8(pool + u32_at(entry + field));
}

std::size_t CharInfoTable::size() const {
    return count_;
}

CharInfo CharInfoTable::readings_at(std::size_t index) const {
    const char* e = entry(index);
    CharInfo info;
    info.character = u32_at(e + entry_character_offset);
    info.readings = pool_text(e, entry_readings_offset).split(u' ', Qt::SkipEmptyParts);
    info.rank = qFromLittleEndian<std::uint16_t>(e + entry_rank_offset);
    return info;
}

CharInfo CharInfoTable::at(std::size_t index) const {
    const char* e = entry(index);
    CharInfo info = readings_at(index);
    info.definition = pool_text(e, entry_definition_offset);
    info.simplified_forms = characters_of(pool_text(e, entry_simplified_offset));
    info.traditional_forms = characters_of(pool_text(e, entry_traditional_offset));
    info.radical_form = pool_text(e, entry_radical_form_offset);
    info.radical = u8_at(e + entry_radical_offset);
    info.simplified_radical = (u8_at(e + entry_flags_offset) & flag_simplified_radical) != 0;
    info.strokes_simplified = u8_at(e + entry_strokes_simplified_offset);
    info.strokes_traditional = u8_at(e + entry_strokes_traditional_offset);
    info.frequency = u8_at(e + entry_frequency_offset);
    info.grade = u8_at(e + entry_grade_offset);
    return info;
}

std::optional<CharInfo> CharInfoTable::find(char32_t character) const {
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const char32_t here = u32_at(entry(middle) + entry_character_offset);
        if (here == character)
            return at(middle);
        if (here < character) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return std::nullopt;
}

void write_char_info(std::vector<CharInfo> entries, const QString& path) {
    std::sort(entries.begin(), entries.end(),
              [](const CharInfo& a, const CharInfo& b) { return a.character < b.character; });
    const auto repeated = std::adjacent_find(
        entries.begin(), entries.end(),
        [](const CharInfo& a, const CharInfo& b) { return a.character == b.character; });
    if (repeated != entries.end()) {
        throw Error(
            QStringLiteral("The character %1 is given twice.").arg(text_of({repeated->character})));
    }
    TextPool pool;
    QByteArray table(static_cast<qsizetype>(entries.size()) * char_info_entry_size, '\0');
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CharInfo& info = entries[i];
        char* e = table.data() + i * char_info_entry_size;
        put_u32(e + entry_character_offset, info.character);
        put_u32(e + entry_readings_offset, pool.offset_of(info.readings.join(u' ')));
        put_u32(e + entry_definition_offset, pool.offset_of(info.definition));
        put_u32(e + entry_simplified_offset, pool.offset_of(text_of(info.simplified_forms)));
        put_u32(e + entry_traditional_offset, pool.offset_of(text_of(info.traditional_forms)));
        put_u32(e + entry_radical_form_offset, pool.offset_of(info.radical_form));
        e[entry_radical_offset] = static_cast<char>(clamped_u8(info.radical, largest_radical));
        e[entry_flags_offset] =
            static_cast<char>(info.simplified_radical ? flag_simplified_radical : 0);
        e[entry_strokes_simplified_offset] =
            static_cast<char>(clamped_u8(info.strokes_simplified, 255));
        e[entry_strokes_traditional_offset] =
            static_cast<char>(clamped_u8(info.strokes_traditional, 255));
        e[entry_frequency_offset] =
            static_cast<char>(clamped_u8(info.frequency, largest_frequency));
        e[entry_grade_offset] = static_cast<char>(clamped_u8(info.grade, largest_grade));
        qToLittleEndian(static_cast<std::uint16_t>(std::clamp(info.rank, 0, 0xFFFF)),
                        e + entry_rank_offset);
    }
    QByteArray header(char_info_header_size, '\0');
    std::memcpy(header.data(), char_info_magic, sizeof char_info_magic);
    qToLittleEndian(char_info_version, header.data() + char_info_version_offset);
    put_u32(header.data() + char_info_count_offset, static_cast<std::uint32_t>(entries.size()));
    put_u32(header.data() + char_info_pool_size_offset,
            static_cast<std::uint32_t>(pool.bytes().size()));
    write_whole_file(path, header + table + pool.bytes());
}

}  // namespace inkwren
