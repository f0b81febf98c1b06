#include "tests/support/fixtures.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <stdexcept>

#include "platform/code_page.h"
#include "strokes/stroke_text.h"

namespace inkwren::testing {

TempFolder::TempFolder() : dir_(QDir::tempPath() + QStringLiteral("/筆順測試-XXXXXX")) {
    if (!dir_.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}

QString TempFolder::path() const {
    return dir_.path() + QLatin1Char('/');
}

QString TempFolder::file(const QString& name) const {
    return path() + name;
}

void write_file(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray read_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    return file.readAll();
}

QByteArray big5(const QString& character) {
    return to_code_page(character, big5_code_page);
}

QByteArray gbk(const QString& character) {
    return to_code_page(character, gbk_code_page);
}

ArchiveSource archive_source(const QString& character, const QByteArray& stroke_text) {
    auto name = [](const QByteArray& code) {
        return code.contains('?') ? QByteArray() : code + ".wrt";
    };
    return {name(big5(character)), name(gbk(character)), stroke_text};
}

int count_of(const QImage& bitmap, std::int32_t color) {
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const QColor pixel = bitmap.pixelColor(x, y);
            const std::int32_t value = pixel.red() | pixel.green() << 8 | pixel.blue() << 16;
            count += value == color ? 1 : 0;
        }
    }
    return count;
}

int red_pixels(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor colour = picture.pixelColor(x, y);
            count += colour.red() - colour.green() > 80 && colour.red() - colour.blue() > 80;
        }
    }
    return count;
}

PointRecord point(double x, double y, std::int32_t kind) {
    return {.x = x, .y = y, .pen_width = 4, .pen_color = 0x0000FF, .kind = kind};
}

TLineList sample_lines(int strokes) {
    TLineList lines;
    for (int stroke = 0; stroke < strokes; ++stroke) {
        TObjList run;
        for (int point = 0; point < 3; ++point) {
            run.push_back(
                {.x = 20 + 10 * point + 0.5 * stroke, .y = 30 + 7.0 * stroke, .pen_width = 9});
        }
        run.push_back(end_marker(record_kind::pen_point));
        add_line(lines, run);
    }
    return lines;
}

QByteArray sample_stroke_text(int strokes) {
    return format_stroke_text(sample_lines(strokes));
}

void build_archive(const QString& folder, const std::vector<ArchiveSource>& sources,
                   const QString& data_name, const QString& index_name) {
    write_archive(QDir(folder).filePath(data_name), QDir(folder).filePath(index_name), sources);
}

QString shipped_data_file(const QString& name) {
    return QStringLiteral(INKWREN_DATA_DIR "/") + name;
}

void make_installation(const QString& folder) {
    const QDir dir(folder);
    build_archive(folder, {archive_source(QStringLiteral("永"), sample_stroke_text(5)),
                           archive_source(QStringLiteral("國"), sample_stroke_text(11)),
                           archive_source(QStringLiteral("国"), sample_stroke_text(8)),
                           archive_source(QStringLiteral("我"), sample_stroke_text(7))});
    build_archive(folder,
                  {archive_source(QStringLiteral("永"), sample_stroke_text(5)),
                   archive_source(QStringLiteral("國"), sample_stroke_text(10))},
                  QStringLiteral("tstrokes.cdf"), QStringLiteral("tstrokes-idx.dat"));
    // 國 in Taiwan's order, told apart from the mainland's by its count.
    build_archive(folder, {archive_source(QStringLiteral("國"), sample_stroke_text(11))},
                  QStringLiteral("tstrokes-taiwan.cdf"), QStringLiteral("tstrokes-taiwan-idx.dat"));
    for (const char* name : {"english.txt", "lang.txt", "lang-gb.txt", "textlist.txt", "c.cfg",
                             "shand.bmp", "salt.bmp", "sreplay.bmp", "spause.bmp", "sstop.bmp",
                             "magnify.bmp", "shrink.bmp", "pen.bmp", "flashbar.bmp"}) {
        const QString file = QString::fromLatin1(name);
        write_file(dir.filePath(file), read_file(shipped_data_file(file)));
    }
}

bool run_events_until(const std::function<bool()>& done, int limit_ms) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(1);
    QTimer::singleShot(limit_ms, &loop, &QEventLoop::quit);
    if (!done()) {
        loop.exec();
    }
    return done();
}

}  // namespace inkwren::testing
