#include "tools/stroke_data/hanzi_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>

#include <cctype>
#include <cstdio>

#include "platform/error.h"

namespace inkwren::tools {
namespace {

constexpr int curve_segments = 8;

[[noreturn]] void malformed(const QString& character, const QString& what) {
    throw Error(QStringLiteral("The stroke data of %1 is malformed: %2.").arg(character, what));
}

std::vector<QPointF> parse_median(const QString& character, const QJsonValue& value) {
    std::vector<QPointF> points;
    for (const QJsonValue& point : value.toArray()) {
        const QJsonArray pair = point.toArray();
        if (pair.size() != 2 || !pair[0].isDouble() || !pair[1].isDouble()) {
            malformed(character, QStringLiteral("a median point is not a pair of numbers"));
        }
        points.emplace_back(pair[0].toDouble(), pair[1].toDouble());
    }
    if (points.empty()) {
        malformed(character, QStringLiteral("a stroke has an empty median"));
    }
    return points;
}

QPointF quadratic(QPointF from, QPointF control, QPointF to, double t) {
    const double u = 1 - t;
    return u * u * from + 2 * u * t * control + t * t * to;
}

QPointF cubic(QPointF from, QPointF c1, QPointF c2, QPointF to, double t) {
    const double u = 1 - t;
    return u * u * u * from + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * to;
}

// Reads the absolute-coordinate path commands the data uses: M, L, Q, C and Z.
class PathFlattener {
public:
    explicit PathFlattener(const QByteArray& path) : tokens_(path.simplified().split(' ')) {}

    std::vector<QPointF> flatten() {
        char command = 0;
        while (next_ < tokens_.size()) {
            const QByteArray& token = tokens_[next_];
            if (token.size() == 1 && std::isalpha(static_cast<unsigned char>(token[0]))) {
                command = token[0];
                ++next_;
            }
            apply(command);
        }
        return polygon_;
    }

private:
    void apply(char command) {
        switch (command) {
            case 'M':
            case 'L':
                add(point());
                return;
            case 'Q': {
                const QPointF control = point();
                const QPointF to = point();
                const QPointF from = current();
                for (int step = 1; step <= curve_segments; ++step) {
                    add(quadratic(from, control, to, double(step) / curve_segments));
                }
                return;
            }
            case 'C': {
                const QPointF c1 = point();
                const QPointF c2 = point();
                const QPointF to = point();
                const QPointF from = current();
                for (int step = 1; step <= curve_segments; ++step) {
                    add(cubic(from, c1, c2, to, double(step) / curve_segments));
                }
                return;
            }
            case 'Z':
                return;
            default:
                throw Error(QStringLiteral("unknown path command \"%1\"")
                                .arg(QString::fromLatin1(&command, 1)));
        }
    }

    QPointF point() {
        const double x = number();
        const double y = number();
        return {x, y};
    }

    double number() {
        if (next_ >= tokens_.size()) {
            throw Error(QStringLiteral("the path ends in the middle of a command"));
        }
        bool ok = false;
        const double value = tokens_[next_++].toDouble(&ok);
        if (!ok) {
            throw Error(QStringLiteral("a path coordinate is not a number"));
        }
        return value;
    }

    QPointF current() const { return polygon_.empty() ? QPointF() : polygon_.back(); }
    void add(QPointF point) { polygon_.push_back(point); }

    QList<QByteArray> tokens_;
    qsizetype next_ = 0;
    std::vector<QPointF> polygon_;
};

bool is_one_character(const QString& name) {
    return name.size() == 1 || (name.size() == 2 && name[0].isHighSurrogate());
}

}  // namespace

std::vector<HanziSource> read_hanzi_package(const QString& folder, int& skipped) {
    const QDir dir(folder);
    if (!dir.exists()) {
        throw Error(QStringLiteral("The stroke data folder \"%1\" does not exist.").arg(folder));
    }
    std::vector<HanziSource> characters;
    for (const QFileInfo& file :
         dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        const QString character = file.completeBaseName();
        if (!is_one_character(character)) {
            continue;
        }
        QFile json(file.filePath());
        try {
            if (!json.open(QIODevice::ReadOnly)) {
                throw Error(QStringLiteral("%1 cannot be read: %2.")
                                .arg(file.filePath(), json.errorString()));
            }
            characters.push_back(parse_hanzi_source(character, json.readAll()));
        } catch (const Error& error) {
            std::fprintf(stderr, "warning: skipped %s: %s\n", qPrintable(character),
                         qPrintable(error.message()));
            ++skipped;
        }
    }
    return characters;
}

std::vector<QPointF> flatten_outline(const QByteArray& svg_path) {
    return PathFlattener(svg_path).flatten();
}

HanziSource parse_hanzi_source(const QString& character, const QByteArray& json) {
    QJsonParseError parse_error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse_error);
    if (!document.isObject()) {
        malformed(character, parse_error.errorString());
    }
    const QJsonObject root = document.object();
    const QJsonArray strokes = root.value(QStringLiteral("strokes")).toArray();
    const QJsonArray medians = root.value(QStringLiteral("medians")).toArray();
    if (strokes.isEmpty() || strokes.size() != medians.size()) {
        malformed(
            character,
            QStringLiteral("%1 outlines for %2 medians").arg(strokes.size()).arg(medians.size()));
    }
    HanziSource source{character, {}, {}};
    for (qsizetype stroke = 0; stroke < strokes.size(); ++stroke) {
        if (!strokes[stroke].isString()) {
            malformed(character, QStringLiteral("an outline is not a path"));
        }
        try {
            source.outlines.push_back(flatten_outline(strokes[stroke].toString().toLatin1()));
        } catch (const Error& error) {
            malformed(character, error.message());
        }
        source.medians.push_back(parse_median(character, medians[stroke]));
    }
    return source;
}

}  // namespace inkwren::tools
