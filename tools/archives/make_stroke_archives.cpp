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
#include "platform/whole_file.h"
#include "strokes/archive_writer.h"
#include "strokes/mainland_forms.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tools/stroke_data/every_core.h"
#include "tools/stroke_data/stroke_conversion.h"
#include "tools/stroke_order/taiwan_form.h"
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

// What Taiwan's standard made of each character: nothing (no sequence in the dictionary), its
// data's strokes in an order, the strokes of its Taiwan form (one cut in two) in an order, or the
// mainland form kept (a count the data cannot be made to follow).
struct TaiwanWriting {
    bool in_dictionary = false;
    std::optional<TaiwanOrder> order;
    std::optional<TaiwanForm> form;

    bool keeps_mainland_form() const { return in_dictionary && !order && !form; }
    const TaiwanOrder* followed() const { return form ? &form->order : order ? &*order : nullptr; }
};

std::vector<TaiwanWriting> taiwan_writings(const std::vector<HanziSource>& characters,
                                           const StrokeDictionary& dictionary) {
    const std::vector<CharacterFeatures> features = features_of_characters(characters);
    const KindClassifiers classifiers{
        StrokeKindClassifier::trained(features, dictionary, Standard::taiwan),
        StrokeKindClassifier::trained(features, dictionary, Standard::mainland)};
    const std::vector<std::optional<TaiwanOrder>> orders =
        taiwan_orders(features, classifiers, dictionary);
    std::vector<TaiwanWriting> writings(characters.size());
    on_every_core(characters.size(), [&](std::size_t index) {
        const auto entry = dictionary.constFind(characters[index].character);
        TaiwanWriting& writing = writings[index];
        writing.in_dictionary = entry != dictionary.constEnd();
        writing.order = orders[index];
        if (writing.in_dictionary && !writing.order) {
            writing.form = taiwan_form(characters[index], classifiers.taiwan, *entry);
        }
    });
    return writings;
}

// How Taiwan's order went for the common characters (Big5 level 1) of the traditional archive.
void report_taiwan_order(const std::vector<ConvertedCharacter>& converted,
                         const std::vector<TaiwanWriting>& writings) {
    int present = 0, exact = 0, moved = 0, rebuilt = 0, mainland_form = 0;
    for (std::size_t index = 0; index < converted.size(); ++index) {
        if (!is_big5_level_one(converted[index].names.big5_name)) {
            continue;
        }
        ++present;
        const TaiwanWriting& writing = writings[index];
        mainland_form += writing.keeps_mainland_form();
        rebuilt += writing.form.has_value();
        if (const TaiwanOrder* order = writing.followed()) {
            exact += order->unlike_places == 0;
            moved += !writing.form && order->moves();
        }
    }
    print(QStringLiteral("Big5 level 1: %1 present; %2 follow Taiwan's sequence kind by kind, %3 "
                         "reordered, %4 rebuilt with another count, %5 keep the mainland form")
              .arg(present)
              .arg(exact)
              .arg(moved)
              .arg(rebuilt)
              .arg(mainland_form));
}

TLineList strokes_in(const TLineList& strokes, const TaiwanOrder& order) {
    TLineList written;
    for (const int stroke : order.strokes) {
        written.items.push_back(strokes.items[std::size_t(stroke)]);
    }
    return written;
}

// The data's strokes with the cut stroke traced again as its two parts.
TLineList strokes_of_form(const TLineList& strokes, const TaiwanForm& form) {
    TLineList cut;
    const std::size_t first_part = std::size_t(form.cut_stroke);
    for (std::size_t stroke = 0; stroke < form.source.medians.size(); ++stroke) {
        if (stroke == first_part || stroke == first_part + 1) {
            add_line(cut, pen_points_of(form.source.outlines[stroke], form.source.medians[stroke]));
        } else {
            cut.items.push_back(strokes.items[stroke < first_part ? stroke : stroke - 1]);
        }
    }
    return cut;
}

// The characters Taiwan writes otherwise, their strokes (as traced, or traced again where cut)
// written in its order.
std::vector<ConvertedCharacter> in_taiwan_order(const std::vector<ConvertedCharacter>& converted,
                                                const std::vector<TaiwanWriting>& writings) {
    std::vector<ConvertedCharacter> result;
    for (std::size_t index = 0; index < converted.size(); ++index) {
        const TaiwanWriting& writing = writings[index];
        if (writing.form) {
            ConvertedCharacter& rebuilt = result.emplace_back(converted[index]);
            rebuilt.stroke_text = format_stroke_text(strokes_in(
                strokes_of_form(converted[index].strokes, *writing.form), writing.form->order));
        } else if (writing.order && writing.order->moves()) {
            ConvertedCharacter& moved = result.emplace_back(converted[index]);
            moved.stroke_text =
                format_stroke_text(strokes_in(converted[index].strokes, *writing.order));
        }
    }
    return result;
}

// The traditional characters that keep the mainland form in Taiwan's order, one a line.
void write_mainland_forms(const QString& out, const std::vector<HanziSource>& characters,
                          const std::vector<ConvertedCharacter>& converted,
                          const std::vector<TaiwanWriting>& writings) {
    QByteArray list;
    for (std::size_t index = 0; index < characters.size(); ++index) {
        if (writings[index].keeps_mainland_form() && !converted[index].names.big5_name.isEmpty()) {
            list += characters[index].character.toUtf8() + '\n';
        }
    }
    write_whole_file(QDir(out).filePath(QString::fromLatin1(mainland_forms_file)), list);
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
        const std::vector<TaiwanWriting> writings = taiwan_writings(characters, dictionary);
        print(QStringLiteral("Taiwan's order learnt at %1 ms").arg(timer.elapsed()));
        report_taiwan_order(converted, writings);
        write_one(out, taiwan_overlay_archive, ArchiveKind::traditional,
                  in_taiwan_order(converted, writings));
        write_mainland_forms(out, characters, converted, writings);
        print(QStringLiteral("stroke archives built in %1 ms").arg(timer.elapsed()));
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "make_stroke_archives: %s\n", qPrintable(error.message()));
        return 1;
    }
}
