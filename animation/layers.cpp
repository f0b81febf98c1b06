#include "animation/layers.h"

#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "animation/raster.h"

namespace inkwren {
namespace {

bool is_white(const uchar* pixel) {
    return (pixel[0] & pixel[1] & pixel[2]) == 255;
}

// Layers are mostly white, so eight pixels (24 bytes) at a time are tested for being blank.
bool eight_white(const uchar* pixels) {
    std::uint64_t words[3];
    std::memcpy(words, pixels, sizeof words);
    return (words[0] & words[1] & words[2]) == ~std::uint64_t(0);
}

// Grows the bitmap to at least the size, keeping its pixels at the top left; new area is white.
void grow_to(QImage& bitmap, int width, int height) {
    if (bitmap.width() >= width && bitmap.height() >= height) {
        return;
    }
    QImage grown = make_bitmap(std::max(width, bitmap.width()), std::max(height, bitmap.height()));
    for (int row = 0; row < bitmap.height(); ++row) {
        std::memcpy(grown.scanLine(row), bitmap.constScanLine(row),
                    std::size_t(bitmap.width()) * 3);
    }
    bitmap = std::move(grown);
}

// Copies the non-white pixels of columns [first, last) of a scan line onto another, shifted.
void overlay_row(const uchar* from, uchar* to, int first, int last, int shift = 0) {
    for (int column = first; column < last; ++column) {
        if (column + 8 <= last && eight_white(from + 3 * column)) {
            column += 7;
            continue;
        }
        const uchar* pixel = from + 3 * column;
        if (!is_white(pixel)) {
            std::memcpy(to + 3 * (column + shift), pixel, 3);
        }
    }
}

}  // namespace

void overlay(QImage& destination, const QImage& source, int dx, int dy, QSize min_size) {
    if (!is_24bit(source) || !is_24bit(destination)) {
        return;
    }
    grow_to(destination, std::max(source.width(), min_size.width()),
            std::max(source.height(), min_size.height()));
    if (dy >= destination.height() || source.height() + dy < 1 || dx >= destination.width() ||
        source.width() + dx < 1) {
        return;
    }
    const int first_column = std::max(0, -dx);
    const int last_column = std::min(source.width(), destination.width() - dx);
    const int last_row = std::min(source.height(), destination.height() - dy);
    for (int row = std::max(0, -dy); row < last_row; ++row) {
        overlay_row(source.constScanLine(row), destination.scanLine(row + dy), first_column,
                    last_column, dx);
    }
}

void compose_area(QImage& picture, const QImage& background, const QImage& ink, QRect area) {
    area &= picture.rect() & background.rect() & ink.rect();
    for (int row = area.top(); row <= area.bottom(); ++row) {
        uchar* to = picture.scanLine(row);
        std::memcpy(to + 3 * area.left(), background.constScanLine(row) + 3 * area.left(),
                    std::size_t(area.width()) * 3);
        overlay_row(ink.constScanLine(row), to, area.left(), area.right() + 1);
    }
}

void overlay_centred(QImage& destination, const QImage& picture, QSize pad_size) {
    if (!is_24bit(picture) || !is_24bit(destination)) {
        return;
    }
    grow_to(destination, std::max(picture.width(), pad_size.width()),
            std::max(picture.height(), pad_size.height()));
    const int dx =
        picture.width() < pad_size.width() ? (pad_size.width() - picture.width()) / 2 : 0;
    const int dy =
        picture.height() < pad_size.height() ? (pad_size.height() - picture.height()) / 2 : 0;
    const int width = std::min(picture.width(), destination.width() - dx);
    const int height = std::min(picture.height(), destination.height() - dy);
    for (int row = 0; row < height; ++row) {
        const uchar* from = picture.constScanLine(row);
        uchar* to = destination.scanLine(row + dy) + 3 * dx;
        for (int byte = 0; byte < 3 * width; ++byte) {
            if (from[byte] < 255) {
                to[byte] = from[byte];
            }
        }
    }
}

QImage blank_layer(QSize size) {
    thread_local QImage last;
    if (last.size() != size) {
        last = make_bitmap(size.width(), size.height());
    }
    return last;
}

void draw_centred(QImage& layer, const QImage& picture) {
    // C++ division drops the fraction toward zero, which is the centring wanted, negative too.
    const QPoint top_left((layer.width() - picture.width()) / 2,
                          (layer.height() - picture.height()) / 2);
    QPainter painter(&layer);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(top_left, picture);
}

void clear_to_white(QImage& bitmap, QSize size) {
    QPainter painter(&bitmap);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
}

std::optional<InkCrop> crop_to_ink(const QImage& bitmap) {
    if (!is_24bit(bitmap)) {
        return std::nullopt;
    }
    int left = bitmap.width();
    int top = bitmap.height();
    int right = 0;
    int bottom = 0;
    for (int row = 0; row < bitmap.height(); ++row) {
        const uchar* line = bitmap.constScanLine(row);
        for (int column = 0; column < bitmap.width(); ++column) {
            if (!is_white(line + 3 * column)) {
                left = std::min(left, column);
                right = std::max(right, column);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        }
    }
    if (right <= left || bottom <= top) {
        return std::nullopt;
    }
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    return InkCrop{bitmap.copy(box), box};
}

}  // namespace inkwren
