// The colour palette "c.cfg".
#include "fuzz/fuzz_support.h"
#include "pad/palette.h"
#include "platform/error.h"

using namespace inkwren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        load_palette(fuzz::put_file(QStringLiteral("c.cfg"), fuzz::bytes_of(data, size)));
    } catch (const Error&) {
    }
    return 0;
}
