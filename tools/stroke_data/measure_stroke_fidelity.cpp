// Measures how close our strokes come to their glyphs, on a sample of common characters (or the
// characters given): the overlap of the ink at rest with the source outlines at 200 and 650
// pixels, and the play steps of each stroke against a pen following the bare medians. With
// --pictures, each character's overlap is drawn at both sizes into that folder.
//   measure_stroke_fidelity --package DIR [--worst N] [--pictures DIR] [CHARACTER...]
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

#include "platform/error.h"
#include "tools/stroke_data/stroke_conversion.h"
#include "tools/stroke_data/stroke_fidelity.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

const QString usage = QStringLiteral(
    "measure_stroke_fidelity --package DIR [--worst N] [--pictures DIR] "
    "[CHARACTER...]");

// Forty of the most frequent characters of GB2312's first level, thirty common traditional
// ones, and a few with hooks, dots and long sweeps.
const QString default_sample = QStringLiteral(
    "的一是不了人我在有他这中大来上国个到说们为子和你地出道也时年得就那要下以生会自着去之过"
    "永國鬱學體說們對這過會還點開時長話發東書見問電愛鳥龍聽變讀寫齊邊藝觀"
    "心必戈乙九風");

struct Measured {
    QString character;
    double overlap_200 = 0;
    double overlap_650 = 0;
    double slowest_stroke = 0;  // the largest ratio of play steps, ours to the medians'
};

HanziSource read_character(const QString& package, const QString& character) {
    QFile file(QDir(package).filePath(character + QStringLiteral(".json")));
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            QStringLiteral("%1 is not in the package: %2.").arg(character, file.errorString()));
    }
    return parse_hanzi_source(character, file.readAll());
}

// The overlap at one pad size, its picture written into the folder when one is given.
double overlap_at(const TLineList& lines, const HanziSource& source, int side,
                  const QString& pictures) {
    const QImage ours = ink_at_rest(lines, side);
    const QImage glyph = outline_ink(source, side);
    if (!pictures.isEmpty()) {
        const QString name = QStringLiteral("%1-%2.png").arg(source.character).arg(side);
        overlap_picture(ours, glyph).save(QDir(pictures).filePath(name));
    }
    return ink_overlap(ours, glyph);
}

Measured measure(const HanziSource& source, const QString& pictures) {
    const TLineList lines = strokes_of(source);
    Measured result{source.character};
    result.overlap_200 = overlap_at(lines, source, 200, pictures);
    result.overlap_650 = overlap_at(lines, source, 650, pictures);
    const std::vector<int> ours = play_steps(lines);
    const std::vector<int> medians = play_steps(median_strokes(source));
    for (std::size_t stroke = 0; stroke < ours.size(); ++stroke) {
        result.slowest_stroke =
            std::max(result.slowest_stroke, double(ours[stroke]) / std::max(1, medians[stroke]));
    }
    return result;
}

QStringList characters_of(const QString& text) {
    QStringList characters;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const qsizetype length = text[at].isHighSurrogate() ? 2 : 1;
        characters << text.mid(at, length);
        at += length - 1;
    }
    return characters;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        QStringList arguments = app.arguments();
        const QString package = option(arguments, QStringLiteral("--package"), usage);
        const int worst =
            option(arguments, QStringLiteral("--worst"), usage, QStringLiteral("10")).toInt();
        const QString pictures = option(arguments, QStringLiteral("--pictures"), usage, QString());
        if (!pictures.isEmpty() && !QDir().mkpath(pictures)) {
            throw Error(QStringLiteral("The folder \"%1\" cannot be created.").arg(pictures));
        }
        QStringList given;
        for (qsizetype at = 1; at < arguments.size(); ++at) {
            if (arguments[at].startsWith(QStringLiteral("--"))) {
                ++at;
            } else {
                given << characters_of(arguments[at]);
            }
        }
        const QStringList sample = given.isEmpty() ? characters_of(default_sample) : given;
        std::vector<Measured> results;
        for (const QString& character : sample) {
            results.push_back(measure(read_character(package, character), pictures));
        }
        double sum_200 = 0, sum_650 = 0, slowest = 0;
        for (const Measured& result : results) {
            sum_200 += result.overlap_200;
            sum_650 += result.overlap_650;
            slowest = std::max(slowest, result.slowest_stroke);
        }
        std::sort(results.begin(), results.end(), [](const Measured& a, const Measured& b) {
            return std::min(a.overlap_200, a.overlap_650) < std::min(b.overlap_200, b.overlap_650);
        });
        std::printf(
            "%zu characters: mean IoU %.3f at 200 pixels, %.3f at 650; slowest stroke "
            "takes %.2f times the median pen's steps\n",
            results.size(), sum_200 / double(results.size()), sum_650 / double(results.size()),
            slowest);
        for (int i = 0; i < std::min<int>(worst, int(results.size())); ++i) {
            const Measured& result = results[std::size_t(i)];
            std::printf("  %s  IoU %.3f at 200, %.3f at 650; slowest stroke %.2f\n",
                        qPrintable(result.character), result.overlap_200, result.overlap_650,
                        result.slowest_stroke);
        }
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "measure_stroke_fidelity: %s\n", qPrintable(error.message()));
        return 1;
    }
}
