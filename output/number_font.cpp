#include "output/number_font.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "animation/raster.h"
#include "output/font_style.h"
#include "platform/code_page.h"

namespace inkwren {
namespace {

bool has_chinese(const QString& family) {
    if (!QFontDatabase::hasFamily(family)) {
        return false;
    }
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    return systems.contains(QFontDatabase::TraditionalChinese) ||
           systems.contains(QFontDatabase::SimplifiedChinese);
}

}  // namespace

QFont number_font(const SheetSettings& settings) {
    const QString chosen = from_code_page(settings.font_name, big5_code_page);
    const QString fallback = QString::fromLatin1(fallback_number_family);
    QFont font(has_chinese(chosen) ? chosen : fallback);
    // A Latin face still writes Arabic numbers; the Ming face writes the Chinese text around
    // them, glyph by glyph.
    if (settings.numeral_kind == NumeralKind::arabic && !has_chinese(chosen) &&
        QFontDatabase::hasFamily(chosen)) {
        font.setFamilies({chosen, fallback});
    }
    font.setPointSize(settings.font_size > 0 ? settings.font_size : initial_font_size);
    return with_font_style(font, settings.font_style);
}

QFont at_least_pixels(QFont font, int pixels) {
    // A size in points becomes pixels at the resolution of the pictures the numbers are drawn on.
    const QImage probe(1, 1, bitmap_format);
    const double size =
        font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * probe.logicalDpiY() / 72.0;
    if (size < pixels) {
        font.setPixelSize(pixels);
    }
    return font;
}

FontNumberRenderer::FontNumberRenderer(QFont font)
    : font_(std::move(font)), key_(font_.key() + u'\n') {}

// Sheets write the same few numbers again and again, character after character: each thread
// keeps the sizes and strips it made, by font and text, up to a bound.
FontNumberRenderer::Made& FontNumberRenderer::made() {
    constexpr qsizetype most_kept = 1024;
    thread_local Made cache;
    if (cache.sizes.size() + cache.strips.size() > most_kept) {
        cache = {};
    }
    return cache;
}

QSize FontNumberRenderer::measure(const QString& text) const {
    QHash<QString, QSize>& sizes = made().sizes;
    const QString key = key_ + text;
    if (const auto found = sizes.constFind(key); found != sizes.cend()) {
        return *found;
    }
    // Measured on a picture, so the size is in the pixels the strip is drawn in.
    QImage probe(1, 1, bitmap_format);
    const QFontMetrics metrics(font_, &probe);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    sizes.insert(key, size);
    return size;
}

QImage FontNumberRenderer::strip(const QString& text, bool with_text) const {
    const QString key = key_ + (with_text ? u'1' : u'0') + text;
    if (const auto found = made().strips.constFind(key); found != made().strips.cend()) {
        return *found;
    }
    const QSize size = measure(text);
    QImage picture = make_bitmap(std::max(size.width(), 1), std::max(size.height(), 1));
    if (with_text && !text.isEmpty()) {
        QPainter painter(&picture);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignTop, text);
    }
    made().strips.insert(key, picture);
    return picture;
}

}  // namespace inkwren
