#include "strokes/archive_writer.h"

#include <QtEndian>

#include <zlib.h>

#include "platform/error.h"
#include "platform/length_prefixed.h"
#include "platform/whole_file.h"
#include "strokes/archive_format.h"

namespace inkwren {
namespace {

void put_name(char* entry, int offset, int capacity, const QByteArray& name) {
    // A name cut short would name another character, so it is refused rather than cut.
    if (name.size() > capacity) {
        throw Error(QStringLiteral("The entry name \"%1\" is longer than its %2-byte field.")
                        .arg(QString::fromLatin1(name.toHex(' ')))
                        .arg(capacity));
    }
    put_length_prefixed(entry, offset, capacity, name);
}

QByteArray index_entry(const ArchiveSource& source, qint32 packed_size) {
    QByteArray entry(index_entry_size, '\0');
    put_name(entry.data(), big5_name_offset, big5_name_capacity, source.big5_name);
    put_name(entry.data(), gb_name_offset, gb_name_capacity, source.gb_name);
    qToLittleEndian<qint32>(qint32(source.stroke_text.size()), entry.data() + plain_size_offset);
    qToLittleEndian<qint32>(packed_size, entry.data() + packed_size_offset);
    return entry;
}

}  // namespace

QByteArray compress_entry(const QByteArray& stroke_text) {
    uLongf packed_size = compressBound(uLong(stroke_text.size()));
    QByteArray packed(qsizetype(packed_size), '\0');
    const int status = compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                                 reinterpret_cast<const Bytef*>(stroke_text.constData()),
                                 uLong(stroke_text.size()), Z_BEST_COMPRESSION);
    if (status != Z_OK) {
        throw Error(
            QStringLiteral("A stroke text cannot be compressed (zlib error %1).").arg(status));
    }
    packed.truncate(qsizetype(packed_size));
    return packed;
}

void write_archive(const QString& data_path, const QString& index_path,
                   const std::vector<ArchiveSource>& sources) {
    QByteArray data;
    QByteArray index;
    index.reserve(qsizetype(sources.size()) * index_entry_size);
    for (const ArchiveSource& source : sources) {
        const QByteArray packed = compress_entry(source.stroke_text);
        index += index_entry(source, qint32(packed.size()));
        data += packed;
    }
    write_whole_file(data_path, data);
    write_whole_file(index_path, index);
}

}  // namespace inkwren
