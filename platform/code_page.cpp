#include "platform/code_page.h"

#include <unicode/ucnv.h>

#include <map>
#include <memory>

#include "platform/error.h"

namespace inkwren {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterHandle = std::unique_ptr<UConverter, ConverterCloser>;

const char* icu_name_of(int code_page) {
    switch (code_page) {
        case big5_code_page:
            return "windows-950-2000";
        case gbk_code_page:
            return "windows-936-2000";
        default:
            throw Error(
                QStringLiteral("Code page %1 is not supported; use 936 or 950.").arg(code_page));
    }
}

// Opening a converter costs more than a short conversion, and keys are built many times per
// recognised character, so each thread keeps its converters open.
UConverter* converter_for(int code_page) {
    thread_local std::map<int, ConverterHandle> converters;
    auto found = converters.find(code_page);
    if (found != converters.end()) {
        ucnv_reset(found->second.get());
        return found->second.get();
    }
    UErrorCode status = U_ZERO_ERROR;
    ConverterHandle converter(ucnv_open(icu_name_of(code_page), &status));
    if (U_FAILURE(status)) {
        throw Error(QStringLiteral("The converter for code page %1 cannot be opened (%2).")
                        .arg(code_page)
                        .arg(QString::fromLatin1(u_errorName(status))));
    }
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    return converters.emplace(code_page, std::move(converter)).first->second.get();
}

}  // namespace

QByteArray to_code_page(const QString& text, int code_page) {
    UConverter* converter = converter_for(code_page);
    const auto* source = reinterpret_cast<const UChar*>(text.utf16());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_fromUChars(converter, nullptr, 0, source, int32_t(text.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        throw Error(QStringLiteral("Text cannot be converted to code page %1.").arg(code_page));
    }
    QByteArray bytes(length, '\0');
    status = U_ZERO_ERROR;
    ucnv_reset(converter);
    ucnv_fromUChars(converter, bytes.data(), length, source, int32_t(text.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        throw Error(QStringLiteral("Text cannot be converted to code page %1.").arg(code_page));
    }
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        bytes.truncate(zero);
    }
    return bytes;
}

QString from_code_page(const QByteArray& bytes, int code_page) {
    UConverter* converter = converter_for(code_page);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter, nullptr, 0, bytes.constData(), int32_t(bytes.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        throw Error(QStringLiteral("Bytes cannot be read in code page %1.").arg(code_page));
    }
    QString text(length, QChar(0));
    status = U_ZERO_ERROR;
    ucnv_reset(converter);
    ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), length, bytes.constData(),
                  int32_t(bytes.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        throw Error(QStringLiteral("Bytes cannot be read in code page %1.").arg(code_page));
    }
    return text;
}

}  // namespace inkwren
