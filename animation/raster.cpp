#include "animation/raster.h"

#include <QPen>
#include <QPolygon>

namespace inkwren {
namespace {

std::int32_t pixel_color(const uchar* pixel) {
    return std::int32_t(pixel[0]) | std::int32_t(pixel[1]) << 8 | std::int32_t(pixel[2]) << 16;
}

void set_pixel_color(uchar* pixel, std::int32_t color) {
    pixel[0] = uchar(color & 0xFF);
    pixel[1] = uchar(color >> 8 & 0xFF);
    pixel[2] = uchar(color >> 16 & 0xFF);
}

}  // namespace

QColor to_qcolor(std::int32_t color) {
    return QColor(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF);
}

std::int32_t color_at(const QImage& bitmap, int x, int y) {
    return pixel_color(bitmap.constScanLine(y) + 3 * x);
}

QImage make_bitmap(int width, int height, std::int32_t fill) {
    QImage bitmap(std::max(width, 0), std::max(height, 0), bitmap_format);
    bitmap.fill(to_qcolor(fill));
    return bitmap;
}

bool is_24bit(const QImage& bitmap) {
    return bitmap.format() == bitmap_format;
}

QImage to_24bit(const QImage& picture) {
    if (is_24bit(picture)) {
        return picture;
    }
    if (!picture.hasAlphaChannel()) {
        return picture.convertToFormat(bitmap_format);
    }
    QImage flat = make_bitmap(picture.width(), picture.height());
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

Canvas::Canvas(QImage& bitmap) : bitmap_(bitmap) {}

Canvas::~Canvas() {
    finish();
}

void Canvas::finish() {
    painter_.reset();
}

QPainter& Canvas::painter() {
    if (!painter_) {
        painter_.emplace(&bitmap_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void Canvas::apply_pen(QPainter& target) const {
    QPen pen(to_qcolor(pen_color));
    pen.setWidth(std::max(pen_width, 1));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    target.setPen(pen);
    target.setCompositionMode(pen_mode == PenMode::not_xor
                                  ? QPainter::RasterOp_NotSourceXorDestination
                                  : QPainter::CompositionMode_SourceOver);
}

void Canvas::apply_brush(QPainter& target) const {
    if (brush_style == BrushStyle::clear) {
        target.setBrush(Qt::NoBrush);
    } else {
        target.setBrush(to_qcolor(brush_color));
    }
}

template <typename Draw>
void Canvas::draw_hard(QRect area, SmoothInk::Hard mode, Draw draw) {
    touched_ |= area & bitmap_.rect();
    if (twin.ink == nullptr) {
        draw();
        return;
    }
    finish();
    area &= bitmap_.rect();
    const QImage before = bitmap_.copy(area);
    draw();
    finish();
    twin.ink->take_changes(before, bitmap_, area, mode);
}

// The area a pen of the canvas's width may reach around the points.
QRect Canvas::pen_reach(QRect points) const {
    const int reach = std::max(pen_width, 1) / 2 + 2;
    return points.normalized().adjusted(-reach, -reach, reach, reach);
}

void Canvas::line_to(QPoint point) {
    const QPoint from = std::exchange(position_, point);
    if (twin.ink != nullptr && pen_mode == PenMode::copy) {
        twin.ink->line(from, point, pen_width, pen_color);
        if (twin.alone) {
            return;
        }
    } else if (twin.ink != nullptr) {
        draw_hard(pen_reach(QRect(from, point)), SmoothInk::Hard::cover, [&] {
            QPainter& target = painter();
            apply_pen(target);
            target.drawLine(from, point);
        });
        return;
    }
    touched_ |= pen_reach(QRect(from, point)) & bitmap_.rect();
    QPainter& target = painter();
    apply_pen(target);
    target.drawLine(from, point);
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) {
        return;
    }
    draw_hard(pen_reach(QRect(QPoint(left, top), QPoint(right, bottom))), SmoothInk::Hard::cover,
              [&] {
                  QPainter& target = painter();
                  apply_pen(target);
                  apply_brush(target);
                  // A one-pixel pen covers the pixels from left to right - 1, as the rectangle's
                  // own area.
                  target.drawRect(QRect(QPoint(left, top), QPoint(right - 2, bottom - 2)));
              });
}

void Canvas::polygon(const std::vector<QPoint>& corners) {
    const QPolygon shape(QList<QPoint>(corners.begin(), corners.end()));
    draw_hard(pen_reach(shape.boundingRect()), SmoothInk::Hard::cover, [&] {
        QPainter& target = painter();
        apply_pen(target);
        apply_brush(target);
        target.drawPolygon(shape);
    });
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    draw_hard(pen_reach(box), SmoothInk::Hard::cover, [&] {
        QPainter& target = painter();
        apply_pen(target);
        apply_brush(target);
        target.drawEllipse(box);
    });
}

void Canvas::flood_fill(QPoint seed) {
    finish();
    draw_hard(bitmap_.rect(), SmoothInk::Hard::under,
              [&] { flood_fill_surface(bitmap_, seed, brush_color); });
}

void Canvas::draw_picture(QPoint top_left, const QImage& picture) {
    draw_hard(QRect(top_left, picture.size()), SmoothInk::Hard::cover, [&] {
        QPainter& target = painter();
        target.setCompositionMode(QPainter::CompositionMode_Source);
        target.drawImage(top_left, picture);
        target.setCompositionMode(QPainter::CompositionMode_SourceOver);
    });
}

// Scan-line fill with an explicit stack of seeds, so a fill over a whole large layer needs no
// deep recursion.
void flood_fill_surface(QImage& bitmap, QPoint seed, std::int32_t fill_color,
                        std::optional<std::int32_t> target_color) {
    if (!is_24bit(bitmap) || !bitmap.rect().contains(seed)) {
        return;
    }
    const std::int32_t target =
        target_color.value_or(color_at(bitmap, seed.x(), seed.y())) & 0xFFFFFF;
    fill_color &= 0xFFFFFF;
    if (target == fill_color) {
        return;
    }
    const int width = bitmap.width();
    const int height = bitmap.height();
    auto matches = [&](int x, int y) {
        return pixel_color(bitmap.constScanLine(y) + 3 * x) == target;
    };
    std::vector<QPoint> seeds{seed};
    while (!seeds.empty()) {
        const QPoint at = seeds.back();
        seeds.pop_back();
        if (!matches(at.x(), at.y())) {
            continue;
        }
        int left = at.x();
        while (left > 0 && matches(left - 1, at.y())) {
            --left;
        }
        int right = at.x();
        while (right + 1 < width && matches(right + 1, at.y())) {
            ++right;
        }
        uchar* row = bitmap.scanLine(at.y());
        for (int x = left; x <= right; ++x) {
            set_pixel_color(row + 3 * x, fill_color);
        }
        for (const int neighbour_row : {at.y() - 1, at.y() + 1}) {
            if (neighbour_row < 0 || neighbour_row >= height) {
                continue;
            }
            bool in_run = false;
            for (int x = left; x <= right; ++x) {
                const bool fillable = matches(x, neighbour_row);
                if (fillable && !in_run) {
                    seeds.emplace_back(x, neighbour_row);
                }
                in_run = fillable;
            }
        }
    }
}

}  // namespace inkwren
