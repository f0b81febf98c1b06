// Builds the stroke archives from the unpacked hanzi-writer-data package and rime's stroke
// dictionary: the simplified and the traditional archive in the data's (the mainland's) order, and
// the overlay of the traditional characters that Taiwan writes in another order.
//   make_stroke_archives --package DIR --dictionary FILE --out DIR
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/error.h"
#include "strokes/archive_writer.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tools/stroke_data/stroke_conversion.h"
#include "tools/stroke_order/taiwan_order.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

void print(const QString& text) {
    std::fprintf(stdout, "%s\n", qPrintable(text));
}

const QString usage =
    QStringLiteral("make_stroke_archives --package DIR --dictionary FILE --out DIR");

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

bool is_big5_level_one(const QByteArray& big5_name) {
    if (big5_name.size() < 2) {
        return false;
    }
    const int code = std::uint8_t(big5_name[0]) << 8 | std::uint8_t(big5_name[1]);
    return code >= 0xA440 && code <= 0xC67E;
}

// How Taiwan's order went for the common characters (Big5 level 1) of the traditional archive.
void report_taiwan_order(const std::vector<ConvertedCharacter>& converted,
                         const std::vector<std::optional<TaiwanOrder>>& orders) {
    int present = 0, exact = 0, moved = 0, other_count = 0;
    for (std::size_t index = 0; index < converted.size(); ++index) {
        if (!is_big5_level_one(converted[index].names.big5_name)) {
            continue;
        }
        ++present;
        if (!orders[index]) {
            ++other_count;
            continue;
        }
        exact += orders[index]->unlike_places == 0;
        moved += orders[index]->moves();
    }
    print(QStringLiteral("Big5 level 1: %1 present; %2 follow Taiwan's sequence kind by kind, %3 "
                         "reordered, %4 of another count (mainland form)")
              .arg(present)
              .arg(exact)
              .arg(moved)
              .arg(other_count));
}

// The characters Taiwan writes in another order, their strokes as traced written in it.
std::vector<ConvertedCharacter> in_taiwan_order(
    const std::vector<ConvertedCharacter>& converted,
    const std::vector<std::optional<TaiwanOrder>>& orders) {
    std::vector<ConvertedCharacter> result;
    for (std::size_t index = 0; index < converted.size(); ++index) {
        if (!orders[index] || !orders[index]->moves()) {
            continue;
        }
        ConvertedCharacter& moved = result.emplace_back(converted[index]);
        TLineList written;
        for (const int stroke : orders[index]->strokes) {
            written.items.push_back(converted[index].strokes.items[std::size_t(stroke)]);
        }
        moved.stroke_text = format_stroke_text(written);
    }
    return result;
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
        const StrokeDictionary dictionary =
            read_stroke_dictionary(option(arguments, QStringLiteral("--dictionary"), usage));
        const std::vector<ConvertedCharacter> converted = convert_characters(characters);
        print(QStringLiteral("traced at %1 ms").arg(timer.elapsed()));
        write_one(out, simplified_archive, ArchiveKind::simplified, converted);
        write_one(out, traditional_archive, ArchiveKind::traditional, converted);
        print(QStringLiteral("written at %1 ms").arg(timer.elapsed()));
        const std::vector<CharacterFeatures> features = features_of_characters(characters);
        const std::vector<std::optional<TaiwanOrder>> orders = taiwan_orders(
            features, StrokeKindClassifier::trained(features, dictionary, Standard::taiwan),
            dictionary);
        print(QStringLiteral("Taiwan's order learnt at %1 ms").arg(timer.elapsed()));
        report_taiwan_order(converted, orders);
        write_one(out, taiwan_overlay_archive, ArchiveKind::traditional,
                  in_taiwan_order(converted, orders));
        print(QStringLiteral("stroke archives built in %1 ms").arg(timer.elapsed()));
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "make_stroke_archives: %s\n", qPrintable(error.message()));
        return 1;
    }
}
