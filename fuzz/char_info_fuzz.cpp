// The character information file "charinfo.dat": loaded, then every entry read by place and
// looked up by its character.
#include "charinfo/char_info.h"
#include "fuzz/fuzz_support.h"
#include "platform/error.h"

using namespace inkwren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CharInfoTable table;
    try {
        table = CharInfoTable::load(
            fuzz::put_file(QString::fromLatin1(char_info_file_name), fuzz::bytes_of(data, size)));
    } catch (const Error&) {
        return 0;
    }
    for (std::size_t index = 0; index < table.size(); ++index) {
        const CharInfo info = table.at(index);
        table.find(info.character);
    }
    table.find(U'永');
    return 0;
}
