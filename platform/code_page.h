// Conversion between Unicode text and the legacy double-byte code pages the stroke archive is
// keyed in: 950 (Big5 with Microsoft's extensions) and 936 (GBK).
#pragma once

#include <QByteArray>
#include <QString>

namespace inkwren {

inline constexpr int big5_code_page = 950;
inline constexpr int gbk_code_page = 936;

// Characters the code page cannot represent become "?". The result ends at the first zero
// byte, so a text with an embedded NUL converts only up to it.
QByteArray to_code_page(const QString& text, int code_page);

// Byte sequences that are not valid in the code page become U+FFFD.
QString from_code_page(const QByteArray& bytes, int code_page);

}  // namespace inkwren
