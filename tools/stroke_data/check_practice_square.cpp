// Checks every entry of both stroke archives of an installation folder, and every picture of its
// picture dictionary: the character's ink at rest at 200 and 650 pixels, and each model picture,
// must lie inside the nine-grid's practice square. Reports the picture that comes nearest the
// frame, and every one that crosses it. Exits 1 when one crosses it, and 3 when the folder holds
// no archives to check.
//   check_practice_square --install DIR
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cstdio>

#include "pad/picture_dictionary_format.h"
#include "pad/png_decoder.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/length_prefixed.h"
#include "platform/whole_file.h"
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

// texts_seen: digests of the stroke texts drawn already. Most characters are in both archives
// with the same strokes, which draw the same pictures.
void check_archive(const QString& installation, const char* archive, Nearest& strokes,
                   QSet<QByteArray>& texts_seen) {
    const QString data = QDir(installation).filePath(QString::fromLatin1(archive));
    const QString index =
        QDir(installation).filePath(index_file_name(QString::fromLatin1(archive)));
    std::int64_t offset = 0;
    int position = 0;
    for (const IndexEntry& entry : read_index(index)) {
        const IndexMatch match{entry, offset, position++};
        offset += entry.packed_size;
        const QByteArray text = read_entry_text(data, match);
        const QByteArray digest = QCryptographicHash::hash(text, QCryptographicHash::Sha256);
        if (texts_seen.contains(digest)) {
            continue;
        }
        texts_seen.insert(digest);
        const QString character = character_of(entry);
        const TLineList lines =
            split_strokes(parse_stroke_text(text, data, EndMarkerKind::keep_pen_up));
        for (const int side : pad_sizes) {
            check(strokes,
                  QStringLiteral("%1 (%2, %3 pixels)").arg(character).arg(archive).arg(side),
                  ink_at_rest(lines, side));
        }
    }
}

std::int64_t entry_number(const QString& index_path, const char* entry, int offset) {
    bool ok = false;
    const std::int64_t value =
        trimmed_field(entry, offset, picture_number_capacity).toByteArray().toLongLong(&ok);
    if (!ok || value < 0) {
        throw Error(
            QStringLiteral("The picture dictionary index \"%1\" is damaged.").arg(index_path));
    }
    return value;
}

// Reads the dictionary's two files once and checks each picture in index order.
void check_model_pictures(const QString& installation, Nearest& models) {
    const QDir folder(installation);
    const QString index_path = folder.filePath(QString::fromLatin1(picture_index_name));
    const QString data_path = folder.filePath(QString::fromLatin1(picture_data_name));
    if (!QFileInfo::exists(index_path) || !QFileInfo::exists(data_path)) {
        return;
    }
    const QByteArray index = read_whole_file(index_path, QStringLiteral("The picture index"));
    const QByteArray data = read_whole_file(data_path, QStringLiteral("The picture file"));
    for (qsizetype at = 0; at + picture_entry_size <= index.size(); at += picture_entry_size) {
        const char* entry = index.constData() + at;
        const std::int64_t length = entry_number(index_path, entry, picture_length_offset);
        const std::int64_t offset = entry_number(index_path, entry, picture_offset_offset);
        if (offset + length > data.size()) {
            throw Error(QStringLiteral("The picture dictionary index \"%1\" points past the end "
                                       "of \"%2\".")
                            .arg(index_path, data_path));
        }
        const QString character = from_code_page(
            trimmed_field(entry, picture_key_offset, picture_key_capacity).toByteArray(),
            picture_dictionary_code_page);
        const QString what = QStringLiteral("the model picture of %1").arg(character);
        check(models, what, decode_png(data.mid(offset, length), what));
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
        QSet<QByteArray> texts_seen;
        check_archive(installation, simplified_archive, strokes, texts_seen);
        check_archive(installation, traditional_archive, strokes, texts_seen);
        check_archive(installation, taiwan_overlay_archive, strokes, texts_seen);
        check_model_pictures(installation, models);
        report("strokes at rest", strokes);
        report("model pictures", models);
        return strokes.outside == 0 && models.outside == 0 ? 0 : 1;
    } catch (const Error& error) {
        std::fprintf(stderr, "check_practice_square: %s\n", qPrintable(error.message()));
        return 2;
    }
}
