// Language files: loaded in both legacy code pages, and every line split into key and text.
#include <QStringList>

#include "fuzz/fuzz_support.h"
#include "langtable/language_table.h"
#include "platform/error.h"

using namespace inkwren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);
    const QString path = fuzz::put_file(QStringLiteral("mylang.txt"), bytes);
    for (const int code_page : {936, 950}) {
        try {
            LanguageTable table;
            table.load_language(path, code_page);
            table.lookup_text(QStringLiteral("9000"));
        } catch (const Error&) {
        }
    }
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        split_entry(line);
    }
    return 0;
}
