// Makes the example stroke files users drop on the window, each a ".wrt" stroke file with its
// ".def" companion, from the archives of an installation folder. Running it again gives the
// same bytes.
//   make_examples --install DIR --out DIR
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/code_page.h"
#include "platform/error.h"
#include "tools/examples/example_strokes.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

constexpr int picture_size = 200;
constexpr std::int32_t flash_red = 0x0000FF;      // red in the low byte
constexpr std::int32_t pale_yellow = 0x00A8EEFF;  // light enough for black strokes
constexpr int flash_count = 3;

const QString usage = QStringLiteral("make_examples --install DIR --out DIR");

void print(const QString& text) {
    std::printf("%s\n", qPrintable(text));
}

// A calm pace for learners: a few pixels a tick and a short pause between strokes. The font is
// a Ming face of the usual size, since a companion's font replaces the stroke numbers' font.
CompanionSettings calm_settings() {
    CompanionSettings settings;
    settings.show_grid = true;
    settings.grey_first = true;
    settings.font_name = "AR PL UMing CN";
    settings.font_size = 16;
    settings.pen_speed = 3;
    settings.stroke_interval = 2;
    return settings;
}

// 永 over its model picture: the eight basic strokes in one character.
void write_model_example(const QString& installation, const QString& out) {
    const QString character = QStringLiteral("永");
    CompanionSettings settings = calm_settings();
    settings.show_model = true;
    settings.model_text = to_code_page(character, gbk_code_page);
    write_example(archived_strokes(installation, character), settings, character, out);
    print(QStringLiteral("%1.wrt: model picture under the strokes").arg(character));
}

QPainterPath ridge(QPointF start, const std::vector<std::array<QPointF, 3>>& curves) {
    QPainterPath path(start);
    for (const auto& curve : curves) {
        path.cubicTo(curve[0], curve[1], curve[2]);
    }
    path.lineTo(picture_size, picture_size);
    path.lineTo(0, picture_size);
    path.closeSubpath();
    return path;
}

QLinearGradient fading(int top, int bottom, QColor from, QColor to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

// Misty hills in pale ink on warm paper, so black strokes and the grey underlay read well over
// them. Drawn from fixed points and a seeded grain, so the picture is the same on every run.
QImage mountain_landscape() {
    QImage picture(picture_size, picture_size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor paper(250, 246, 236);
    painter.fillRect(picture.rect(),
                     fading(0, picture_size, QColor(252, 249, 242), QColor(246, 241, 229)));

    QRadialGradient sun(QPointF(148, 50), 20);
    sun.setColorAt(0, QColor(248, 222, 200));
    sun.setColorAt(0.7, QColor(248, 226, 206));
    sun.setColorAt(1, QColor(248, 226, 206, 0));
    painter.setBrush(sun);
    painter.drawEllipse(QPointF(148, 50), 20, 20);

    painter.setBrush(fading(84, 150, QColor(224, 230, 234), paper));
    painter.drawPath(ridge({0, 112}, {{{{18, 104}, {30, 88}, {46, 92}}},
                                      {{{62, 96}, {74, 110}, {92, 106}}},
                                      {{{112, 102}, {128, 80}, {150, 84}}},
                                      {{{170, 88}, {184, 102}, {200, 100}}}}));
    painter.setBrush(fading(118, 175, QColor(216, 224, 222), paper));
    painter.drawPath(ridge({0, 136}, {{{{14, 128}, {26, 118}, {42, 122}}},
                                      {{{60, 126}, {74, 144}, {104, 146}}},
                                      {{{134, 148}, {150, 124}, {172, 124}}},
                                      {{{186, 124}, {194, 130}, {200, 134}}}}));
    painter.setPen(QPen(QColor(226, 232, 234), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF& ripple : {QLineF(24, 178, 70, 178), QLineF(96, 184, 150, 184),
                                 QLineF(44, 191, 82, 191), QLineF(130, 193, 176, 193)}) {
        painter.drawLine(ripple);
    }
    painter.setPen(QPen(QColor(196, 196, 192), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF bird : {QPointF(118, 40), QPointF(128, 34)}) {
        painter.drawPolyline(QPolygonF({bird + QPointF(-4, -2), bird, bird + QPointF(4, -3)}));
    }
    painter.end();

    // A faint grain, like the fibres of rice paper. mt19937's sequence is fixed by the
    // standard, so the grain is too.
    std::mt19937 grain(20240101);
    for (int y = 0; y < picture_size; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture_size; ++x) {
            const int shift = int(grain() % 5) - 2;
            row[x] =
                qRgb(qBound(0, qRed(row[x]) + shift, 255), qBound(0, qGreen(row[x]) + shift, 255),
                     qBound(0, qBlue(row[x]) + shift, 255));
        }
    }
    return picture;
}

// 山 over a landscape picture kept beside the stroke file and named without a folder, so the
// two travel together. The nine-grid stays off so the picture shows.
void write_picture_example(const QString& installation, const QString& out) {
    const QString character = QStringLiteral("山");
    const QString picture_name = QStringLiteral("山景.bmp");
    const QString picture_path = QDir(out).filePath(picture_name);
    if (!mountain_landscape().save(picture_path, "BMP")) {
        throw Error(QStringLiteral("\"%1\" cannot be written.").arg(picture_path));
    }
    CompanionSettings settings = calm_settings();
    settings.show_grid = false;
    settings.back_pic_file = to_code_page(picture_name, gbk_code_page);
    write_example(archived_strokes(installation, character), settings, character, out);
    print(QStringLiteral("%1.wrt: background picture %2").arg(character, picture_name));
}

// 口 with its inside filled once the bottom stroke closes the box, and that closing stroke
// blinking. The bar comes after the seed, as its flashes are the first frames that show the
// fill. The seed sits in the lower right corner, right by the closing stroke's end: when the
// player redraws that stroke (flashing, or in two-colour mode) it also draws a thin line on to
// the seed, which this way stays under the ink.
void write_fill_example(const QString& installation, const QString& out) {
    const QString character = QStringLiteral("口");
    const QPoint seed(124, 124);
    TLineList lines = archived_strokes(installation, character);
    if (!encloses(lines, seed)) {
        throw Error(QStringLiteral("The strokes of %1 do not close around (%2, %3); the fill would "
                                   "run out of its box.")
                        .arg(character)
                        .arg(seed.x())
                        .arg(seed.y()));
    }
    const TObjList closing = lines.items.back();
    add_line(lines, fill_seed_element(seed, pale_yellow));
    add_line(lines, flash_bar_element(closing, flash_count, flash_red));
    write_example(lines, calm_settings(), character, out);
    print(QStringLiteral("%1.wrt: fill seed and flash bar").arg(character));
}

}  // namespace

int main(int argc, char** argv) {
    prefer_offscreen_platform();
    QGuiApplication app(argc, argv);
    try {
        const QStringList arguments = app.arguments();
        const QString installation = option(arguments, QStringLiteral("--install"), usage);
        const QString out = option(arguments, QStringLiteral("--out"), usage);
        if (!QDir().mkpath(out)) {
            throw Error(QStringLiteral("The folder \"%1\" cannot be made.").arg(out));
        }
        write_model_example(installation, out);
        write_picture_example(installation, out);
        write_fill_example(installation, out);
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "make_examples: %s\n", qPrintable(error.message()));
        return 1;
    }
}
