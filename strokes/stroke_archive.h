// The read-only stroke archive: a data file of zlib-compressed stroke texts laid end to end and
// an index file of 48-byte entries naming each one in a Big5 and a GB column. The index is
// scanned from the start on every request; nothing is cached between lookups.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/atomic_file.h"
#include "strokes/archive_format.h"

namespace inkwren {

enum class IndexColumn { big5, gb };

struct IndexEntry {
    QByteArray big5_name;  // as stored, before trimming
    QByteArray gb_name;
    std::int32_t plain_size = 0;
    std::int32_t packed_size = 0;
};

struct IndexMatch {
    IndexEntry entry;
    std::int64_t data_offset = 0;  // sum of packed_size of the entries before it
    int position = 0;              // entry number in the index, from 0
};

// The first entry whose trimmed name in the column equals key byte for byte.
std::optional<IndexMatch> find_in_index(const QString& index_path, const QByteArray& key,
                                        IndexColumn column);

bool in_dictionary(const QString& index_path, const QByteArray& key, IndexColumn column);

// The files an entry is looked up in: an archive and, when named, an overlay archive whose
// entries stand in for the archive's own of the same name.
struct ArchivePaths {
    QString data;
    QString index;
    QString overlay_data;
    QString overlay_index;
};

// The text of the entry named key, from the overlay when it has the entry; nothing when the key
// is absent.
std::optional<QByteArray> read_entry(const QByteArray& key, const ArchivePaths& paths,
                                     IndexColumn column);

// Inflates the entry named key into out_folder + "recent.wrt", from the overlay when it has the
// entry. Answers false, writing nothing, when the key is absent. On any failure the previous
// "recent.wrt" is left as it was.
bool extract_entry(const QByteArray& key, const ArchivePaths& paths, const QString& out_folder,
                   IndexColumn column, Durability durability = Durability::synced);

// Every entry in file order; for tools and checks over a whole archive.
std::vector<IndexEntry> read_index(const QString& index_path);

// The data of one found entry, inflated to exactly its plain_size bytes.
QByteArray read_entry_text(const QString& data_path, const IndexMatch& match);

// The index file of a data file: the name before its first "." (at most 104 characters,
// trimmed) followed by "-idx.dat".
QString index_file_name(const QString& archive_file);

inline constexpr auto simplified_archive = "strokes.cdf";
inline constexpr auto traditional_archive = "tstrokes.cdf";  // in the mainland's order
// The traditional characters that Taiwan writes otherwise, in Taiwan's order and form.
inline constexpr auto taiwan_overlay_archive = "tstrokes-taiwan.cdf";
inline constexpr auto recent_file_name = "recent.wrt";

// The main window's choice of archive.
struct ArchiveChoice {
    QString archive_file = QString::fromLatin1(simplified_archive);
    QString index_file = index_file_name(QString::fromLatin1(simplified_archive));
    QString overlay_file;  // empty when the archive is read alone
    QString overlay_index_file;
};

ArchivePaths archive_paths(const ArchiveChoice& choice, const QString& folder);

// Whose stroke order the traditional library teaches; the simplified library always teaches the
// mainland's.
enum class StrokeOrderStandard { taiwan, mainland };

// The archive menu items. Both set the names; the traditional one answers whether the menu
// handler goes on (re-selects the character, moves the check mark, stores the choice), which it
// does only when all of its files exist in folder. The simplified one always goes on.
bool choose_traditional_archive(ArchiveChoice& choice, const QString& folder,
                                StrokeOrderStandard standard = StrokeOrderStandard::taiwan);
void choose_simplified_archive(ArchiveChoice& choice);

}  // namespace inkwren
