// Builds the simplified and traditional stroke archives from the unpacked hanzi-writer-data
// package: make_stroke_archives --package DIR --out DIR
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

#include "platform/error.h"
#include "strokes/archive_writer.h"
#include "strokes/stroke_archive.h"
#include "tools/stroke_data/stroke_conversion.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

void print(const QString& text) {
    std::fprintf(stdout, "%s\n", qPrintable(text));
}

const QString usage = QStringLiteral("make_stroke_archives --package DIR --out DIR");

void write_one(const QString& out, const char* data_name, ArchiveKind kind,
               const std::vector<ConvertedCharacter>& characters) {
    const QString data_file = QString::fromLatin1(data_name);
    const QString data_path = QDir(out).filePath(data_file);
    const QString index_path = QDir(out).filePath(index_file_name(data_file));
    const std::vector<ArchiveSource> sources = archive_sources(characters, kind);
    write_archive(data_path, index_path, sources);
    print(QStringLiteral("%1: %2 entries, %3 bytes; %4: %5 bytes")
              .arg(data_file)
              .arg(sources.size())
              .arg(QFileInfo(data_path).size())
              .arg(index_file_name(data_file))
              .arg(QFileInfo(index_path).size()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        QElapsedTimer timer;
        timer.start();
        const QStringList arguments = app.arguments();
        const QString out = option(arguments, QStringLiteral("--out"), usage);
        int skipped = 0;
        const std::vector<HanziSource> characters =
            read_hanzi_package(option(arguments, QStringLiteral("--package"), usage), skipped);
        if (!QDir().mkpath(out)) {
            throw Error(QStringLiteral("The folder \"%1\" cannot be created.").arg(out));
        }
        print(QStringLiteral("read %1 characters, skipped %2 malformed")
                  .arg(characters.size())
                  .arg(skipped));
        const std::vector<ConvertedCharacter> converted = convert_characters(characters);
        write_one(out, simplified_archive, ArchiveKind::simplified, converted);
        write_one(out, traditional_archive, ArchiveKind::traditional, converted);
        print(QStringLiteral("stroke archives built in %1 ms").arg(timer.elapsed()));
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "make_stroke_archives: %s\n", qPrintable(error.message()));
        return 1;
    }
}
