// Writes a stroke archive (data file and index) from stroke texts: used by the data tools that
// build the shipped archives and by tests that need archives of their own.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace inkwren {

struct ArchiveSource {
    QByteArray big5_name;  // stored as given: a code plus ".wrt", or empty for no Big5 name
    QByteArray gb_name;
    QByteArray stroke_text;
};

// Entries are written in the given order with the best zlib compression, so the same sources
// always give the same bytes. Names longer than their field (10 and 24 bytes) throw Error.
void write_archive(const QString& data_path, const QString& index_path,
                   const std::vector<ArchiveSource>& sources);

// The zlib stream of one entry.
QByteArray compress_entry(const QByteArray& stroke_text);

}  // namespace inkwren
