#include "strokes/stroke_archive.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <functional>
#include <memory>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/length_prefixed.h"
#include "platform/whole_file.h"
#include "strokes/stroke_text.h"

namespace inkwren {
namespace {

// Deflate cannot expand data by more than about 1032 to 1, so a larger plain_size can only
// come from a damaged index; refusing it keeps a damaged entry from claiming gigabytes.
constexpr std::int64_t max_inflation_ratio = 1032;
constexpr std::int64_t max_inflation_slack = 1024;

QByteArrayView trimmed_name(const char* entry, IndexColumn column) {
    return column == IndexColumn::big5 ? trimmed_field(entry, big5_name_offset, big5_name_capacity)
                                       : trimmed_field(entry, gb_name_offset, gb_name_capacity);
}

IndexEntry decode_entry(const char* entry) {
    IndexEntry decoded;
    decoded.big5_name = length_prefixed(entry, big5_name_offset, big5_name_capacity).toByteArray();
    decoded.gb_name = length_prefixed(entry, gb_name_offset, gb_name_capacity).toByteArray();
    decoded.plain_size = qFromLittleEndian<qint32>(entry + plain_size_offset);
    decoded.packed_size = qFromLittleEndian<qint32>(entry + packed_size_offset);
    return decoded;
}

// How an entry is named in messages: its position and its name as a reader sees it.
QString entry_label(int position, const IndexEntry& entry) {
    const QString name = entry.big5_name.trimmed().isEmpty()
                             ? from_code_page(entry.gb_name.trimmed(), gbk_code_page)
                             : from_code_page(entry.big5_name.trimmed(), big5_code_page);
    return QStringLiteral("entry %1 (\"%2\")").arg(position).arg(name);
}

[[noreturn]] void entry_damaged(const QString& index_path, int position, const IndexEntry& entry,
                                const QString& what) {
    throw Error(QStringLiteral("The stroke archive index \"%1\" is damaged: %2 %3.")
                    .arg(index_path, entry_label(position, entry), what));
}

// Only the two sizes are read on the way through the index; the names are decoded for a
// message when one of them is impossible.
void check_sizes(const QString& index_path, int position, const char* bytes) {
    const qint32 plain_size = qFromLittleEndian<qint32>(bytes + plain_size_offset);
    const qint32 packed_size = qFromLittleEndian<qint32>(bytes + packed_size_offset);
    if (packed_size < 0) {
        entry_damaged(index_path, position, decode_entry(bytes),
                      QStringLiteral("has a negative packed size (%1)").arg(packed_size));
    }
    if (plain_size < 0 ||
        plain_size > std::int64_t(packed_size) * max_inflation_ratio + max_inflation_slack) {
        entry_damaged(index_path, position, decode_entry(bytes),
                      QStringLiteral("has an impossible plain size (%1 for %2 packed bytes)")
                          .arg(plain_size)
                          .arg(packed_size));
    }
}

// The index file held in memory for one scan: mapped when possible, read otherwise.
class IndexBytes {
public:
    explicit IndexBytes(const QString& path) : file_(path) {
        if (!file_.open(QIODevice::ReadOnly)) {
            throw Error(QStringLiteral("The stroke archive index \"%1\" cannot be opened: %2.")
                            .arg(path, file_.errorString()));
        }
        size_ = file_.size();
        if (size_ % index_entry_size != 0) {
            throw Error(QStringLiteral("The stroke archive index \"%1\" is damaged: its size "
                                       "(%2 bytes) is not a whole number of %3-byte entries.")
                            .arg(path)
                            .arg(size_)
                            .arg(index_entry_size));
        }
        if (size_ > 0) {
            mapped_ = file_.map(0, size_);
            if (mapped_ == nullptr) {
                copy_ = file_.readAll();
            }
        }
    }

    const char* entry(std::int64_t position) const {
        const char* base =
            mapped_ != nullptr ? reinterpret_cast<const char*>(mapped_) : copy_.constData();
        return base + position * index_entry_size;
    }

    std::int64_t count() const { return size_ / index_entry_size; }

private:
    QFile file_;
    std::int64_t size_ = 0;
    uchar* mapped_ = nullptr;
    QByteArray copy_;
};

struct ZStreamGuard {
    z_stream stream{};
    bool initialised = false;
    ~ZStreamGuard() {
        if (initialised) {
            inflateEnd(&stream);
        }
    }
};

// The entry is described only for a message: naming it opens a code page converter, which a
// healthy read never needs.
QByteArray inflate_exactly(const QByteArray& packed, std::int32_t plain_size,
                           const std::function<QString()>& describe_entry) {
    auto fail = [&](const QString& what) -> Error {
        return Error(QStringLiteral("%1 cannot be unpacked: %2.").arg(describe_entry(), what));
    };
    QByteArray plain(plain_size, '\0');
    ZStreamGuard guard;
    if (inflateInit(&guard.stream) != Z_OK) {
        throw fail(QStringLiteral("the inflater could not start"));
    }
    guard.initialised = true;
    z_stream& stream = guard.stream;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(plain.data());
    stream.avail_out = uInt(plain.size());
    int status = inflate(&stream, Z_FINISH);
    if (status != Z_STREAM_END && stream.avail_out == 0) {
        // The buffer is full but the stream has not ended: see whether it holds more.
        char spare = 0;
        stream.next_out = reinterpret_cast<Bytef*>(&spare);
        stream.avail_out = 1;
        status = inflate(&stream, Z_FINISH);
        if (stream.avail_out == 0) {
            throw fail(QStringLiteral("it holds more than the %1 bytes its index entry gives")
                           .arg(plain_size));
        }
    }
    if (status == Z_DATA_ERROR || status == Z_NEED_DICT || status == Z_MEM_ERROR) {
        throw fail(QStringLiteral("its compressed data is corrupt (%1)")
                       .arg(QString::fromLatin1(stream.msg ? stream.msg : "zlib error")));
    }
    if (status != Z_STREAM_END) {
        throw fail(QStringLiteral("its compressed data is cut short"));
    }
    if (stream.total_out != uLong(plain_size)) {
        throw fail(QStringLiteral("it holds %1 bytes, not the %2 its index entry gives")
                       .arg(stream.total_out)
                       .arg(plain_size));
    }
    return plain;
}

QString describe(const QString& data_path, const IndexMatch& match) {
    return QStringLiteral("The stroke archive \"%1\", %2,")
        .arg(data_path, entry_label(match.position, match.entry));
}

}  // namespace

std::optional<IndexMatch> find_in_index(const QString& index_path, const QByteArray& key,
                                        IndexColumn column) {
    const IndexBytes index(index_path);
    std::int64_t offset = 0;
    for (std::int64_t position = 0; position < index.count(); ++position) {
        const char* entry = index.entry(position);
        check_sizes(index_path, int(position), entry);
        if (trimmed_name(entry, column) == key) {
            return IndexMatch{decode_entry(entry), offset, int(position)};
        }
        offset += qFromLittleEndian<qint32>(entry + packed_size_offset);
    }
    return std::nullopt;
}

bool in_dictionary(const QString& index_path, const QByteArray& key, IndexColumn column) {
    return find_in_index(index_path, key, column).has_value();
}

std::vector<IndexEntry> read_index(const QString& index_path) {
    const IndexBytes index(index_path);
    std::vector<IndexEntry> entries;
    entries.reserve(std::size_t(index.count()));
    for (std::int64_t position = 0; position < index.count(); ++position) {
        check_sizes(index_path, int(position), index.entry(position));
        entries.push_back(decode_entry(index.entry(position)));
    }
    return entries;
}

QByteArray read_entry_text(const QString& data_path, const IndexMatch& match) {
    QFile data(data_path);
    if (!data.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("The stroke archive \"%1\" cannot be opened: %2.")
                        .arg(data_path, data.errorString()));
    }
    const std::int64_t end = match.data_offset + match.entry.packed_size;
    if (end > data.size()) {
        throw Error(QStringLiteral("%1 runs past the end of the file (%2 bytes needed, %3 there).")
                        .arg(describe(data_path, match))
                        .arg(end)
                        .arg(data.size()));
    }
    if (match.entry.plain_size == 0) {
        return {};
    }
    data.seek(match.data_offset);
    const QByteArray packed = data.read(match.entry.packed_size);
    if (packed.size() != match.entry.packed_size) {
        throw Error(QStringLiteral("%1 cannot be read: %2.")
                        .arg(describe(data_path, match), data.errorString()));
    }
    return inflate_exactly(packed, match.entry.plain_size,
                           [&] { return describe(data_path, match); });
}

std::optional<QByteArray> read_entry(const QByteArray& key, const ArchivePaths& paths,
                                     IndexColumn column) {
    std::optional<IndexMatch> match;
    QString data_path = paths.data;
    if (!paths.overlay_index.isEmpty()) {
        match = find_in_index(paths.overlay_index, key, column);
        data_path = paths.overlay_data;
    }
    if (!match) {
        match = find_in_index(paths.index, key, column);
        data_path = paths.data;
    }
    if (!match) {
        return std::nullopt;
    }
    return read_entry_text(data_path, *match);
}

bool extract_entry(const QByteArray& key, const ArchivePaths& paths, const QString& out_folder,
                   IndexColumn column, Durability durability) {
    const std::optional<QByteArray> text = read_entry(key, paths, column);
    if (!text) {
        return false;
    }
    const QString out_path =
        path_in_folder(out_folder, QString::fromLatin1(recent_file_name), QString());
    write_whole_file(out_path, *text, durability);
    return true;
}

QString index_file_name(const QString& archive_file) {
    // Only the file's own name is cut at its first dot; a folder may hold dots of its own.
    const qsizetype name_start = archive_file.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = archive_file.indexOf(QLatin1Char('.'), name_start);
    const QString folder = archive_file.left(name_start);
    const QString name = archive_file.mid(name_start, dot >= 0 ? dot - name_start : -1);
    return folder + name.left(104).trimmed() + QStringLiteral("-idx.dat");
}

ArchivePaths archive_paths(const ArchiveChoice& choice, const QString& folder) {
    const QDir dir(folder);
    ArchivePaths paths{dir.filePath(choice.archive_file), dir.filePath(choice.index_file), {}, {}};
    if (!choice.overlay_file.isEmpty()) {
        paths.overlay_data = dir.filePath(choice.overlay_file);
        paths.overlay_index = dir.filePath(choice.overlay_index_file);
    }
    return paths;
}

bool choose_traditional_archive(ArchiveChoice& choice, const QString& folder,
                                StrokeOrderStandard standard) {
    choice.archive_file = QString::fromLatin1(traditional_archive);
    choice.index_file = index_file_name(choice.archive_file);
    const bool taiwan = standard == StrokeOrderStandard::taiwan;
    choice.overlay_file = taiwan ? QString::fromLatin1(taiwan_overlay_archive) : QString();
    choice.overlay_index_file = taiwan ? index_file_name(choice.overlay_file) : QString();
    const QDir dir(folder);
    return dir.exists(choice.archive_file) && dir.exists(choice.index_file) &&
           (!taiwan || (dir.exists(choice.overlay_file) && dir.exists(choice.overlay_index_file)));
}

void choose_simplified_archive(ArchiveChoice& choice) {
    choice = ArchiveChoice{};
}

}  // namespace inkwren
