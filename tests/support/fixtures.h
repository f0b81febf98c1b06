// Test fixtures: temporary folders with CJK names, files, stroke texts and small archives.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

#include "strokes/archive_writer.h"
#include "strokes/linelist.h"

namespace inkwren::testing {

// A temporary folder whose own name is Chinese, removed with the object.
class TempFolder {
public:
    TempFolder();

    // The folder path with a trailing "/".
    QString path() const;
    QString file(const QString& name) const;

private:
    QTemporaryDir dir_;
};

void write_file(const QString& path, const QByteArray& bytes);
QByteArray read_file(const QString& path);

// The code of one character in code page 950 or 936.
QByteArray big5(const QString& character);
QByteArray gbk(const QString& character);

// A character's index names: its Big5 and GBK codes followed by ".wrt"; empty where the
// character has no code.
ArchiveSource archive_source(const QString& character, const QByteArray& stroke_text);

// How many pixels of the bitmap have the colour (0x00BBGGRR).
int count_of(const QImage& bitmap, std::int32_t color);

// How many pixels are clearly red (the stroke numbers' digits), far from the black
// strokes, the blue grid and highlight and the grey underlay.
int red_pixels(const QImage& picture);

// A point record of a 4-pixel red pen.
PointRecord point(double x, double y, std::int32_t kind = record_kind::pen_point);

// A stroke text of the given number of short pen strokes, each closed by an end marker.
QByteArray sample_stroke_text(int strokes);
TLineList sample_lines(int strokes);

// Writes strokes.cdf and strokes-idx.dat (or the given names) into folder.
void build_archive(const QString& folder, const std::vector<ArchiveSource>& sources,
                   const QString& data_name = QStringLiteral("strokes.cdf"),
                   const QString& index_name = QStringLiteral("strokes-idx.dat"));

// A small installation folder: a simplified archive of 永 (5 strokes), 國 (11), 国 (8) and 我
// (7), a traditional archive of 永 and 國, the shipped language files, start character file,
// palette and button pictures.
void make_installation(const QString& folder);

// Runs an event loop, as a modal box does, until done() holds or limit_ms have passed; answers
// done(). For waiting on sockets and processes, never as a pause.
bool run_events_until(const std::function<bool()>& done, int limit_ms = 20000);

// A file of the source tree's data folder.
QString shipped_data_file(const QString& name);

}  // namespace inkwren::testing
