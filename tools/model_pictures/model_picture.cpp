#include "tools/model_pictures/model_picture.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/error.h"
#include "tools/em_placement.h"

namespace inkwren::tools {
namespace {

// Sixteen tints give smooth edges at this size and let each picture be stored at four bits a
// pixel.
constexpr int tint_count = 16;

quint8 blend(int paper, int ink, int level) {
    const int tint =
        (paper * (tint_count - 1 - level) + ink * level + (tint_count - 1) / 2) / (tint_count - 1);
    // The pad copies a picture onto the grid channel by channel, skipping bytes of 255, so an
    // edge tint with a 255 byte would mix with the grid line below it. No tint has one.
    return quint8(std::min(tint, 254));
}

// The smallest box holding every pixel that is not paper (index 0); empty for a blank glyph.
QRect ink_box(const QImage& tints) {
    int left = tints.width(), right = -1, top = tints.height(), bottom = -1;
    for (int y = 0; y < tints.height(); ++y) {
        const uchar* row = tints.constScanLine(y);
        for (int x = 0; x < tints.width(); ++x) {
            if (row[x] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The glyph as tint indexes: its ink is what will show, faint coverage rounded to paper.
QImage glyph_tints(const QRawFont& font, quint32 glyph, const QTransform& transform) {
    const QImage alpha = font.alphaMapForGlyph(glyph, QRawFont::PixelAntialiasing, transform);
    if (alpha.format() != QImage::Format_Alpha8) {
        throw Error(QStringLiteral("The Kai face gave glyph %1 as an image of format %2, not as "
                                   "8-bit coverage.")
                        .arg(glyph)
                        .arg(int(alpha.format())));
    }
    return tint_coverage(alpha);
}

}  // namespace

QString kai_family_for(int code_page) {
    return code_page == big5_code_page ? QStringLiteral("AR PL UKai TW")
                                       : QStringLiteral("AR PL UKai CN");
}

QList<QRgb> model_palette() {
    QList<QRgb> palette{qRgb(255, 255, 255)};
    for (int level = 1; level < tint_count; ++level) {
        palette.push_back(qRgb(blend(255, qRed(model_ink), level),
                               blend(255, qGreen(model_ink), level),
                               blend(255, qBlue(model_ink), level)));
    }
    return palette;
}

QImage tint_coverage(const QImage& coverage) {
    QImage picture(coverage.size(), QImage::Format_Indexed8);
    picture.setColorTable(model_palette());
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* alpha = coverage.constScanLine(y);
        uchar* index = picture.scanLine(y);
        for (int x = 0; x < coverage.width(); ++x) {
            index[x] = uchar((alpha[x] * (tint_count - 1) + 127) / 255);
        }
    }
    return picture;
}

ModelPictureRenderer::ModelPictureRenderer(const QString& family) {
    if (!QFontDatabase::hasFamily(family)) {
        throw Error(QStringLiteral("The Kai face \"%1\" is not installed; install the Debian "
                                   "package fonts-arphic-ukai.")
                        .arg(family));
    }
    QFont font(family);
    font.setPixelSize(int(em_pixels));
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    font_ = QRawFont::fromFont(font);
    if (!font_.isValid() || font_.familyName().compare(family, Qt::CaseInsensitive) != 0) {
        throw Error(QStringLiteral("The Kai face \"%1\" cannot be loaded; reinstall the Debian "
                                   "package fonts-arphic-ukai.")
                        .arg(family));
    }
}

bool ModelPictureRenderer::draws(char32_t character) const {
    return font_.supportsCharacter(uint(character));
}

QImage ModelPictureRenderer::render(char32_t character) const {
    QImage picture(model_picture_side, model_picture_side, QImage::Format_Indexed8);
    picture.setColorTable(model_palette());
    picture.fill(0);
    const QList<quint32> glyphs = font_.glyphIndexesForString(QString::fromUcs4(&character, 1));
    if (glyphs.isEmpty()) {
        return picture;
    }
    // FreeType draws the glyph itself; filling its outline with QPainter took several times as
    // long, since the painter hands every fill of a few hundred spans to a thread pool.
    const QImage glyph = glyph_tints(font_, glyphs[0], QTransform());
    const QRect ink = ink_box(glyph);
    if (ink.isEmpty()) {
        return picture;
    }
    // The coverage image has a margin of its own, so its ink is placed where the outline's exact
    // bounds say the glyph lies.
    const QRectF outline = font_.pathForGlyph(glyphs[0]).boundingRect();
    const QPoint to(qFloor(em_left + outline.left()), qFloor(pad_baseline + outline.top()));
    const QRect placed = QRect(to, ink.size()) & picture.rect();
    for (int y = placed.top(); y <= placed.bottom(); ++y) {
        const uchar* from =
            glyph.constScanLine(ink.top() + y - to.y()) + ink.left() + placed.left() - to.x();
        std::copy(from, from + placed.width(), picture.scanLine(y) + placed.left());
    }
    return picture;
}

}  // namespace inkwren::tools
