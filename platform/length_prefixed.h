// Length-prefixed byte strings, the text fields of every fixed-size record the program reads: a
// length byte, then up to a fixed number of bytes.
#pragma once

#include <QByteArrayView>

#include <algorithm>

namespace inkwren {

// The field's bytes; a length byte larger than the field is taken as the field's capacity.
inline QByteArrayView length_prefixed(const char* record, int offset, int capacity) {
    const int length = std::min<int>(static_cast<unsigned char>(record[offset]), capacity);
    return QByteArrayView(record + offset + 1, length);
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
