// Measures the stroke kind classifiers against the stroke dictionary, trained on two thirds of
// the characters and judged on the third they did not see:
//   measure_stroke_kinds --package DIR --dictionary FILE [--list N]
// prints how many characters of the unseen third have the mainland's sequence exactly, and how
// Taiwan's order would move them; --list prints N of the disagreements for judging by eye.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <map>

#include "platform/error.h"
#include "tools/stroke_data/hanzi_source.h"
#include "tools/stroke_order/stroke_kinds.h"
#include "tools/stroke_order/taiwan_order.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

const QString usage =
    QStringLiteral("measure_stroke_kinds --package DIR --dictionary FILE [--list N]");

void print(const QString& text) {
    std::fprintf(stdout, "%s\n", qPrintable(text));
}

QString percent(int part, int whole) {
    return QString::number(whole > 0 ? 100.0 * part / whole : 0, 'f', 1) + QLatin1Char('%');
}

struct Split {
    std::vector<CharacterFeatures> seen;
    std::vector<CharacterFeatures> unseen;
};

// Every third character, in file-name order, is kept from training.
Split split_in_thirds(std::vector<CharacterFeatures> characters) {
    Split split;
    for (size_t index = 0; index < characters.size(); ++index) {
        (index % 3 == 2 ? split.unseen : split.seen).push_back(std::move(characters[index]));
    }
    return split;
}

void measure_mainland(const Split& split, const StrokeKindClassifier& classifier,
                      const StrokeDictionary& dictionary, int listed) {
    int judged = 0, agreeing = 0, strokes = 0, strokes_agreeing = 0, reordered = 0;
    for (const CharacterFeatures& character : split.unseen) {
        const auto entry = dictionary.constFind(character.character);
        if (entry == dictionary.constEnd() || entry->mainland.size() != character.strokes.size()) {
            continue;
        }
        const std::string kinds = classifier.kinds(character.strokes);
        ++judged;
        for (size_t stroke = 0; stroke < kinds.size(); ++stroke) {
            strokes_agreeing += kinds[stroke] == entry->mainland[stroke];
        }
        strokes += int(kinds.size());
        std::string sorted_kinds = kinds, sorted_mainland = entry->mainland;
        std::ranges::sort(sorted_kinds);
        std::ranges::sort(sorted_mainland);
        if (kinds == entry->mainland) {
            ++agreeing;
        } else if (sorted_kinds == sorted_mainland) {
            ++reordered;
        }
        if (kinds != entry->mainland && listed-- > 0) {
            print(QStringLiteral("  %1 classified %2, mainland %3")
                      .arg(character.character, QString::fromStdString(kinds),
                           QString::fromStdString(entry->mainland)));
        }
    }
    print(QStringLiteral("mainland kinds: %1 of %2 unseen characters agree (%3), %4 of strokes")
              .arg(agreeing)
              .arg(judged)
              .arg(percent(agreeing, judged), percent(strokes_agreeing, strokes)));
    print(QStringLiteral("  %1 more have the mainland's kinds in another order").arg(reordered));
}

void measure_taiwan(const Split& split, const KindClassifiers& classifiers,
                    const StrokeDictionary& dictionary) {
    const std::vector<std::optional<TaiwanOrder>> orders =
        taiwan_orders(split.unseen, classifiers, dictionary);
    std::map<QString, int> outcomes;
    for (std::size_t index = 0; index < orders.size(); ++index) {
        const std::optional<TaiwanOrder>& order = orders[index];
        if (!order) {
            if (dictionary.contains(split.unseen[index].character)) {
                ++outcomes[QStringLiteral("another count")];
            }
            continue;
        }
        ++outcomes[QStringLiteral("%1, %2").arg(
            order->moves() ? QStringLiteral("moved") : QStringLiteral("kept"),
            order->unlike_places == 0 ? QStringLiteral("every kind as Taiwan's")
                                      : QStringLiteral("some kinds unlike"))];
    }
    print(QStringLiteral("Taiwan's order on the unseen third:"));
    for (const auto& [outcome, count] : outcomes) {
        print(QStringLiteral("  %1: %2").arg(outcome).arg(count));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const QStringList arguments = app.arguments();
        QElapsedTimer timer;
        timer.start();
        int skipped = 0;
        const std::vector<HanziSource> sources =
            read_hanzi_package(option(arguments, QStringLiteral("--package"), usage), skipped);
        const StrokeDictionary dictionary =
            read_stroke_dictionary(option(arguments, QStringLiteral("--dictionary"), usage));
        const int listed =
            option(arguments, QStringLiteral("--list"), usage, QStringLiteral("0")).toInt();
        std::vector<CharacterFeatures> characters = features_of_characters(sources);
        print(QStringLiteral("%1 characters read and measured in %2 ms")
                  .arg(characters.size())
                  .arg(timer.restart()));
        const Split split = split_in_thirds(std::move(characters));
        const KindClassifiers classifiers{
            StrokeKindClassifier::trained(split.seen, dictionary, Standard::taiwan),
            StrokeKindClassifier::trained(split.seen, dictionary, Standard::mainland)};
        measure_mainland(split, classifiers.mainland, dictionary, listed);
        measure_taiwan(split, classifiers, dictionary);
        print(QStringLiteral("classifiers trained and judged in %1 ms").arg(timer.elapsed()));
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "measure_stroke_kinds: %s\n", qPrintable(error.message()));
        return 1;
    }
}
