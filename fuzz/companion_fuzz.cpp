// The companion settings of a stroke file, its ".def" record.
#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "strokes/companion_settings.h"

using namespace inkwren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        parse_companion(fuzz::bytes_of(data, size), QStringLiteral("筆.def"));
    } catch (const Error&) {
    }
    try {
        fuzz::put_file(QStringLiteral("筆.def"), fuzz::bytes_of(data, size));
        read_companion(fuzz::scratch() + QStringLiteral("筆.wrt"));
    } catch (const Error&) {
    }
    return 0;
}
