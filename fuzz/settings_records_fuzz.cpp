// The two settings records, "prefer.cfg" and "config.dat": parsed from bytes, taken as the
// dialog's slots, and loaded at start-up from a file that replaces a damaged record.
#include "app/preference_record.h"
#include "output/sheet_settings_record.h"
#include "fuzz/fuzz_support.h"
#include "platform/error.h"

using namespace inkwren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);
    try {
        format_preference(parse_preference(bytes, QStringLiteral("prefer.cfg")));
    } catch (const Error&) {
    }
    try {
        format_sheet_settings(parse_sheet_settings(bytes, QStringLiteral("config.dat")));
    } catch (const Error&) {
    }
    if (bytes.size() >= sheet_record_size) {
        sheet_slots(sheet_settings_from_slots(slots_of_record(bytes)));
    }
    try {
        load_or_create_preference(fuzz::put_file(QStringLiteral("prefer.cfg"), bytes));
        load_or_create_sheet_settings(fuzz::put_file(QStringLiteral("config.dat"), bytes));
    } catch (const Error&) {
    }
    return 0;
}
