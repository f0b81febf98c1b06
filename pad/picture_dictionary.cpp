#include "pad/picture_dictionary.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>

#include "animation/layers.h"
#include "pad/png_decoder.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/length_prefixed.h"

namespace inkwren {
namespace {

// The index is read this many entries at a time, so a lookup reads it only as far as its match.
constexpr int entries_per_block = 512;

struct FoundEntry {
    int position;  // entry number in the index, from 0
    QByteArray fields;
};

// How an entry is named in messages. Keys are shown as their bytes, since a damaged key need
// not decode to anything.
QString entry_label(const FoundEntry& entry) {
    const QByteArrayView key =
        trimmed_field(entry.fields.constData(), picture_key_offset, picture_key_capacity);
    return QStringLiteral("entry %1 (key %2)")
        .arg(QString::number(entry.position),
             QString::fromLatin1(key.toByteArray().toHex(' ').toUpper()));
}

// A damaged field is quoted in a message; bytes that would not show are replaced.
QString printable(QByteArrayView text) {
    QString shown;
    for (char byte : text) {
        shown += byte >= 32 && byte < 127 ? QLatin1Char(byte) : QLatin1Char('?');
    }
    return shown;
}

[[noreturn]] void index_damaged(const QString& index_path, const QString& what) {
    throw Error(QStringLiteral("The picture dictionary index \"%1\" is damaged: %2.")
                    .arg(index_path, what));
}

// role names the file at the start of a sentence, as in "The picture dictionary index".
void open_for_reading(QFile& file, const QString& role) {
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("%1 \"%2\" cannot be opened: %3.")
                        .arg(role, file.fileName(), file.errorString()));
    }
}

[[noreturn]] void cannot_read(const QFile& file, const QString& role) {
    throw Error(QStringLiteral("%1 \"%2\" cannot be read: %3.")
                    .arg(role, file.fileName(), file.errorString()));
}

QByteArray read_exactly(QFile& file, std::int64_t size, const QString& role) {
    QByteArray bytes = file.read(size);
    if (bytes.size() != size) {
        cannot_read(file, role);
    }
    return bytes;
}

std::optional<FoundEntry> find_entry(const QString& index_path, const QByteArray& key) {
    const QString role = QStringLiteral("The picture dictionary index");
    QFile index(index_path);
    open_for_reading(index, role);
    if (index.size() % picture_entry_size != 0) {
        index_damaged(index_path, QStringLiteral("its size (%1 bytes) is not a whole number of "
                                                 "%2-byte entries")
                                      .arg(index.size())
                                      .arg(picture_entry_size));
    }
    const std::int64_t count = index.size() / picture_entry_size;
    QByteArray block;
    for (std::int64_t position = 0; position < count; ++position) {
        const std::int64_t in_block = position % entries_per_block;
        if (in_block == 0) {
            const std::int64_t entries =
                std::min<std::int64_t>(entries_per_block, count - position);
            block = read_exactly(index, entries * picture_entry_size, role);
        }
        const char* entry = block.constData() + in_block * picture_entry_size;
        if (trimmed_field(entry, picture_key_offset, picture_key_capacity) == key) {
            return FoundEntry{int(position), QByteArray(entry, picture_entry_size)};
        }
    }
    return std::nullopt;
}

// An optional sign and at most ten digits, so the value always fits.
std::optional<std::int64_t> parse_decimal(QByteArrayView text) {
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+')) {
        text = text.sliced(1);
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return negative ? -value : value;
}

std::int64_t read_number(const QString& index_path, const FoundEntry& entry, int offset,
                         const QString& field_name) {
    const QByteArrayView text =
        trimmed_field(entry.fields.constData(), offset, picture_number_capacity);
    const std::optional<std::int64_t> value = parse_decimal(text);
    if (!value) {
        index_damaged(index_path,
                      QStringLiteral("%1 has a %2 that is not a decimal number (\"%3\")")
                          .arg(entry_label(entry), field_name, printable(text)));
    }
    if (*value < 0) {
        index_damaged(index_path,
                      QStringLiteral("%1 has a negative %2 (%3)")
                          .arg(entry_label(entry), field_name, QString::number(*value)));
    }
    return *value;
}

QByteArray read_picture_bytes(const QString& index_path, const QString& data_path,
                              const FoundEntry& entry) {
    const std::int64_t length =
        read_number(index_path, entry, picture_length_offset, QStringLiteral("length"));
    const std::int64_t offset =
        read_number(index_path, entry, picture_offset_offset, QStringLiteral("offset"));
    const QString role = QStringLiteral("The picture file");
    QFile data(data_path);
    open_for_reading(data, role);
    // Both numbers have at most ten digits, so their sum cannot overflow.
    if (offset + length > data.size()) {
        index_damaged(index_path,
                      QStringLiteral("%1 points past the end of \"%2\" (bytes %3 to %4 "
                                     "of %5)")
                          .arg(entry_label(entry), data_path, QString::number(offset),
                               QString::number(offset + length), QString::number(data.size())));
    }
    if (!data.seek(offset)) {
        cannot_read(data, role);
    }
    return read_exactly(data, length, role);
}

bool draw_found(const std::optional<QImage>& picture, QImage& layer) {
    if (picture && !layer.isNull()) {
        draw_centred(layer, *picture);
    }
    return picture.has_value();
}

}  // namespace

std::optional<QImage> find_model_picture(const QString& folder, const QByteArray& key) {
    const QDir dir(folder);
    const QString data_path = dir.filePath(QString::fromLatin1(picture_data_name));
    const QString index_path = dir.filePath(QString::fromLatin1(picture_index_name));
    if (!QFileInfo::exists(data_path) || !QFileInfo::exists(index_path)) {
        return std::nullopt;
    }
    const std::optional<FoundEntry> entry = find_entry(index_path, key);
    if (!entry) {
        return std::nullopt;
    }
    const QByteArray png = read_picture_bytes(index_path, data_path, *entry);
    return decode_png(
        png, QStringLiteral("The picture of %1 in \"%2\"").arg(entry_label(*entry), data_path));
}

std::optional<QImage> find_model_picture(const QString& folder, const QString& character) {
    const QByteArray key = to_code_page(character, picture_dictionary_code_page);
    // No key is empty or holds "?", which also stands for a character the code page lacks.
    if (key.isEmpty() || key.contains('?')) {
        return std::nullopt;
    }
    return find_model_picture(folder, key);
}

bool draw_model_picture(const QString& folder, const QByteArray& key, QImage& layer) {
    return draw_found(find_model_picture(folder, key), layer);
}

bool draw_model_picture(const QString& folder, const QString& character, QImage& layer) {
    return draw_found(find_model_picture(folder, character), layer);
}

}  // namespace inkwren
