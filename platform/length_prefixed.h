// Length-prefixed byte strings, the text fields of every fixed-size record the program reads and
// writes: a length byte, then up to a fixed number of bytes.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <algorithm>

#include "platform/error.h"

namespace inkwren {

// The field's bytes; a length byte larger than the field is taken as the field's capacity.
inline QByteArrayView length_prefixed(const char* record, int offset, int capacity) {
    const int length = std::min<int>(static_cast<unsigned char>(record[offset]), capacity);
    return QByteArrayView(record + offset + 1, length);
}

// The field's bytes, for records whose length bytes are trusted only as far as their fields go:
// a larger length byte throws Error naming the file, as in "The settings file" and its path.
inline QByteArrayView checked_length_prefixed(const char* record, int offset, int capacity,
                                              const QString& role, const QString& path) {
    const int length = static_cast<unsigned char>(record[offset]);
    if (length > capacity) {
        throw Error(QStringLiteral("%1 \"%2\" is damaged: a text at byte %3 claims %4 bytes in a "
                                   "field of %5.")
                        .arg(role, path)
                        .arg(offset)
                        .arg(length)
                        .arg(capacity));
    }
    return QByteArrayView(record + offset + 1, length);
}

// Writes the length byte and at most capacity bytes; the rest of the field is left as it was.
// Writers that must not lose bytes check the size first.
inline void put_length_prefixed(char* record, int offset, int capacity, QByteArrayView bytes) {
    const QByteArrayView cut = bytes.first(std::min<qsizetype>(bytes.size(), capacity));
    record[offset] = char(cut.size());
    std::copy(cut.begin(), cut.end(), record + offset + 1);
}

// The field without its leading and trailing bytes of value 32 or less, as keys are compared.
inline QByteArrayView trimmed_field(const char* record, int offset, int capacity) {
    QByteArrayView field = length_prefixed(record, offset, capacity);
    while (!field.isEmpty() && static_cast<unsigned char>(field.front()) <= 32) {
        field = field.sliced(1);
    }
    while (!field.isEmpty() && static_cast<unsigned char>(field.back()) <= 32) {
        field.chop(1);
    }
    return field;
}

}  // namespace inkwren
