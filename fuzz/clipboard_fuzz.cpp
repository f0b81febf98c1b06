// Text from the clipboard, as UTF-8 and as UTF-16, recognised under every encoding mode and
// with detection, against a small archive index of real characters.
#include "encoding/recognition.h"
#include "fuzz/fuzz_support.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/archive_writer.h"

using namespace inkwren;

namespace {

QString make_index() {
    std::vector<ArchiveSource> sources;
    for (const QString& character :
         {QStringLiteral("永"), QStringLiteral("國"), QStringLiteral("国"), QStringLiteral("我")}) {
        const QByteArray big5 = to_code_page(character, big5_code_page);
        const QByteArray gb = to_code_page(character, gbk_code_page);
        sources.push_back({big5.contains('?') ? QByteArray() : big5 + ".wrt",
                           gb.contains('?') ? QByteArray() : gb + ".wrt",
                           "-\t-\t-\t-\t-\t-\t0\t-\r\n"});
    }
    const QString index = fuzz::scratch() + QStringLiteral("strokes-idx.dat");
    write_archive(fuzz::scratch() + QStringLiteral("strokes.cdf"), index, sources);
    return index;
}

void recognise(const QString& text, const QString& index) {
    for (const EncodingItem item :
         {EncodingItem::autodetect, EncodingItem::unicode_traditional,
          EncodingItem::unicode_simplified, EncodingItem::big5, EncodingItem::gb}) {
        for (const int code_page : {936, 950}) {
            EncodingState state;
            choose_encoding_item(state, item);
            recognise_text(text, state, index, code_page);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString index = make_index();
    const QByteArray bytes = fuzz::bytes_of(data, size);
    try {
        recognise(QString::fromUtf8(bytes), index);
        recognise(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                     bytes.size() / 2),
                  index);
    } catch (const Error&) {
    }
    return 0;
}
