// The stroke archive: an index and a data file (the input's first two parts) looked up by the
// names the index holds and by a key (the third part), entries inflated and extracted.
#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "strokes/stroke_archive.h"

using namespace inkwren;

namespace {

void look_up(const QString& index, const QString& archive, const QByteArray& key,
             IndexColumn column) {
    try {
        if (const std::optional<IndexMatch> match = find_in_index(index, key, column)) {
            read_entry_text(archive, *match);
        }
        extract_entry(key, ArchivePaths{archive, index, {}, {}}, fuzz::scratch(), column);
    } catch (const Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts = fuzz::parts_of(fuzz::bytes_of(data, size), 3);
    const QString index = fuzz::put_file(QStringLiteral("strokes-idx.dat"), parts[0]);
    const QString archive = fuzz::put_file(QStringLiteral("strokes.cdf"), parts[1]);
    std::vector<IndexEntry> entries;
    try {
        entries = read_index(index);
    } catch (const Error&) {
    }
    for (std::size_t at = 0; at < entries.size() && at < 16; ++at) {
        look_up(index, archive, entries[at].big5_name.trimmed(), IndexColumn::big5);
        look_up(index, archive, entries[at].gb_name.trimmed(), IndexColumn::gb);
    }
    look_up(index, archive, parts[2], IndexColumn::big5);
    look_up(index, archive, parts[2], IndexColumn::gb);
    return 0;
}
