// What the fuzz targets share: the inputs they read from files are written to a scratch folder
// of the process, an input that holds several files is cut at a separator, and an Error is the
// expected answer to bad bytes (anything else a fuzzer finds is a fault).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace inkwren::fuzz {

// The process's scratch folder, with a trailing "/".
QString scratch();

// Writes bytes to the scratch folder under name; answers the path.
QString put_file(const QString& name, const QByteArray& bytes);

// The input as bytes.
QByteArray bytes_of(const std::uint8_t* data, std::size_t size);

// The input cut into at most count parts at the separator "\n--\n", so that one input can hold
// an index and its data file.
QList<QByteArray> parts_of(const QByteArray& input, int count);

// Makes the GUI application the targets that paint need (offscreen), once.
void start_gui();

}  // namespace inkwren::fuzz

// Every target defines this entry, as libFuzzer calls it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
