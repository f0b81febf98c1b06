#include "output/sheet_layout.h"

#include <QPainter>

#include <algorithm>

#include "animation/raster.h"
#include "animation/rounding.h"
#include "output/number_font.h"
#include "output/resampling.h"
#include "output/stroke_order_sheet.h"

namespace inkwren {
namespace {

constexpr int group_margin = 10;
constexpr int note_margin = 4;

}  // namespace

QSize reduced_size(QSize size) {
    return {round_even(size.width() * sheet_picture_scale),
            round_even(size.height() * sheet_picture_scale)};
}

QImage with_note(const QImage& sheet, const QString& note, const NumberRenderer& numbers) {
    const QImage strip = numbers.strip(note, true);
    const QImage line = resized_picture(strip, reduced_size(strip.size()));
    QImage noted = make_bitmap(std::max(sheet.width(), line.width() + 2 * note_margin),
                               sheet.height() + line.height() + 2 * note_margin);
    QPainter painter(&noted);
    painter.drawImage(0, 0, sheet);
    painter.drawImage(note_margin, sheet.height() + note_margin, line);
    return noted;
}

QString fitted_line(const QString& text, int width, const NumberRenderer& numbers) {
    const auto line_width = [&](const QString& line) {
        return round_even(numbers.measure(line).width() * sheet_picture_scale) + 2 * note_margin;
    };
    if (line_width(text) <= width) {
        return text;
    }
    QString cut = text;
    while (!cut.isEmpty() && line_width(cut + u'…') > width) {
        cut.chop(cut.size() >= 2 && cut.back().isLowSurrogate() ? 2 : 1);
    }
    return cut.trimmed() + u'…';
}

Placement place_pictures(int count, QSize picture, int per_row, QSize groups) {
    Placement placement;
    int width = picture.width();
    int height = picture.height();
    int column = 1;
    int row = 1;
    for (int m = 0; m < count; ++m) {
        placement.pictures.emplace_back(picture.width() * (column - 1),
                                        picture.height() * (row - 1));
        ++column;
        if (m != count - 1 && (column - 1) % per_row == 0) {
            column = 1;
            ++row;
            height += picture.height() + sheet_row_gap;
        }
        if (row == 1 && column - 1 < per_row && width < per_row * picture.width()) {
            width += picture.width();
        }
    }
    if (!groups.isEmpty()) {
        ++row;
        height += groups.height() + sheet_row_gap;
        // A sheet narrower than the group picture is widened so that nothing is cut off.
        width = std::max(width, groups.width() + group_margin);
        placement.groups = {width - groups.width() - group_margin,
                            picture.height() * (row - 1) + sheet_row_gap};
    }
    placement.sheet = {width, height};
    return placement;
}

}  // namespace inkwren
