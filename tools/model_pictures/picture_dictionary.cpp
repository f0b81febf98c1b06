#include "tools/model_pictures/picture_dictionary.h"

#include <limits>

#include "platform/error.h"
#include "platform/length_prefixed.h"
#include "platform/whole_file.h"

namespace inkwren::tools {
namespace {

QByteArray index_entry(const QByteArray& key, qint64 length, qint64 offset) {
    QByteArray entry(picture_entry_size, '\0');
    // Keys are checked before, and both numbers fit ten digits because the data stays under 2 GB.
    put_length_prefixed(entry.data(), picture_key_offset, picture_key_capacity, key);
    put_length_prefixed(entry.data(), picture_length_offset, picture_number_capacity,
                        QByteArray::number(length));
    put_length_prefixed(entry.data(), picture_offset_offset, picture_number_capacity,
                        QByteArray::number(offset));
    return entry;
}

void check_key(const QByteArray& key) {
    if (key.isEmpty() || key.size() > picture_key_capacity) {
        throw Error(QStringLiteral("The picture key \"%1\" does not fit its field of 1 to %2 "
                                   "bytes.")
                        .arg(QString::fromLatin1(key.toHex(' ')))
                        .arg(picture_key_capacity));
    }
}

}  // namespace

void write_picture_dictionary(const QString& index_path, const QString& pictures_path,
                              const std::vector<ModelPicture>& pictures) {
    QByteArray index;
    QByteArray data;
    index.reserve(qsizetype(pictures.size()) * picture_entry_size);
    for (const ModelPicture& picture : pictures) {
        check_key(picture.key);
        // Readers turn the two decimal texts into 32-bit integers, so every offset must fit
        // one, although the fields' ten digits would allow more.
        if (data.size() + picture.png.size() > std::numeric_limits<qint32>::max()) {
            throw Error(QStringLiteral("The pictures do not fit in 2 GB; \"%1\" is not written.")
                            .arg(pictures_path));
        }
        index += index_entry(picture.key, picture.png.size(), data.size());
        data += picture.png;
    }
    // Every entry is checked before either file is touched.
    write_whole_file(pictures_path, data);
    write_whole_file(index_path, index);
}

}  // namespace inkwren::tools
