#include "output/sheet_grid.h"

#include <QPainter>
#include <QPen>

#include "animation/raster.h"

namespace inkwren {

Qt::PenStyle grid_pen_style(GridStyle style) {
    switch (style) {
        case GridStyle::dashed:
            return Qt::DashLine;
        case GridStyle::dotted:
            return Qt::DotLine;
        default:  // solid, and any unknown value
            return Qt::SolidLine;
    }
}

QImage draw_ninegrids(QSize size, std::int32_t colour, GridStyle style, bool inner_lines,
                      int side) {
    QImage picture = make_bitmap(size.width(), size.height());
    const int left = (size.width() - side) / 2;
    const int top = (size.height() - side) / 2;
    QPainter painter(&picture);
    QPen pen(to_qcolor(colour), 1);
    painter.setPen(pen);
    painter.drawRect(left, top, side, side);
    if (!inner_lines) {
        return picture;
    }
    pen.setStyle(grid_pen_style(style));
    painter.setPen(pen);
    for (const int third : {side / 3, 2 * (side / 3)}) {
        painter.drawLine(left + third, top, left + third, top + side);
        painter.drawLine(left, top + third, left + side, top + third);
    }
    return picture;
}

}  // namespace inkwren
