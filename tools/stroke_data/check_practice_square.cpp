// Checks every entry of both stroke archives of an installation folder: the character's ink at
// rest at 200 and 650 pixels, and its model picture, must lie inside the nine-grid's practice
// square. Reports the character that comes nearest the frame, and every one that crosses it.
// Exits 1 when one crosses it, and 3 when the folder holds no archives to check.
//   check_practice_square --install DIR
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cstdio>

#include "pad/picture_dictionary.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "strokes/stroke_archive.h"
#include "strokes/stroke_text.h"
#include "tools/stroke_data/practice_square.h"
#include "tools/stroke_data/stroke_fidelity.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

const QString usage = QStringLiteral("check_practice_square --install DIR");
constexpr int nothing_to_check = 3;
constexpr int pad_sizes[] = {200, 650};

struct Nearest {
    QString what;
    int margin = 1 << 30;
    int outside = 0;  // pictures that cross the frame
    int checked = 0;
};

void check(Nearest& nearest, const QString& what, const QImage& picture) {
    ++nearest.checked;
    const std::optional<int> margin = margin_inside_square(picture);
    if (!margin) {
        return;
    }
    if (*margin < 0) {
        ++nearest.outside;
        std::printf("outside by %d pixels: %s\n", -*margin, qPrintable(what));
    }
    if (*margin < nearest.margin) {
        nearest = {what, *margin, nearest.outside, nearest.checked};
    }
}

QString character_of(const IndexEntry& entry) {
    return entry.gb_name.isEmpty() ? from_code_page(entry.big5_name.left(2), big5_code_page)
                                   : from_code_page(entry.gb_name.left(2), gbk_code_page);
}

// models_seen: the characters whose model picture was checked already; most characters are in
// both archives and have one picture, and each lookup scans the dictionary's index.
void check_archive(const QString& installation, const char* archive, Nearest& strokes,
                   Nearest& models, QSet<QString>& models_seen) {
    const QString data = QDir(installation).filePath(QString::fromLatin1(archive));
    const QString index =
        QDir(installation).filePath(index_file_name(QString::fromLatin1(archive)));
    std::int64_t offset = 0;
    int position = 0;
    for (const IndexEntry& entry : read_index(index)) {
        const IndexMatch match{entry, offset, position++};
        offset += entry.packed_size;
        const QString character = character_of(entry);
        const TLineList lines = split_strokes(
            parse_stroke_text(read_entry_text(data, match), data, EndMarkerKind::keep_pen_up));
        for (const int side : pad_sizes) {
            check(strokes,
                  QStringLiteral("%1 (%2, %3 pixels)").arg(character).arg(archive).arg(side),
                  ink_at_rest(lines, side));
        }
        if (models_seen.contains(character)) {
            continue;
        }
        models_seen.insert(character);
        if (const std::optional<QImage> model = find_model_picture(installation, character)) {
            check(models, QStringLiteral("the model picture of %1").arg(character), *model);
        }
    }
}

void report(const char* kind, const Nearest& nearest) {
    std::printf("%s: %d checked, %d outside; nearest the frame: %s, %d pixels inside\n", kind,
                nearest.checked, nearest.outside, qPrintable(nearest.what), nearest.margin);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const QString installation = option(app.arguments(), QStringLiteral("--install"), usage);
        if (!QFileInfo::exists(
                QDir(installation).filePath(QString::fromLatin1(simplified_archive)))) {
            std::printf("no stroke archives in %s\n", qPrintable(installation));
            return nothing_to_check;
        }
        Nearest strokes;
        Nearest models;
        QSet<QString> models_seen;
        check_archive(installation, simplified_archive, strokes, models, models_seen);
        check_archive(installation, traditional_archive, strokes, models, models_seen);
        report("strokes at rest", strokes);
        report("model pictures", models);
        return strokes.outside == 0 && models.outside == 0 ? 0 : 1;
    } catch (const Error& error) {
        std::fprintf(stderr, "check_practice_square: %s\n", qPrintable(error.message()));
        return 2;
    }
}
