#include "output/picture_merge.h"

#include <algorithm>

#include "animation/raster.h"

namespace inkwren {

namespace {

constexpr uchar white_threshold = 250;

bool is_white(const uchar* pixel) {
    return pixel[0] >= white_threshold && pixel[1] >= white_threshold &&
           pixel[2] >= white_threshold;
}

bool lies_outside(const QImage& destination, const QImage& source, int x, int y) {
    return y >= destination.height() || source.height() + y < 1 || x >= destination.width() ||
           source.width() + x < 1;
}

// The span [first, last) of source columns or rows that lands inside a destination of extent.
struct Span {
    int first;
    int last;
};

Span overlap(int offset, int source_extent, int destination_extent) {
    return {std::max(0, -offset), std::min(source_extent, destination_extent - offset)};
}

}  // namespace

void merge_bmp(QImage& destination, const QImage& source, int x, int y) {
    if (!is_24bit(source) || lies_outside(destination, source, x, y)) {
        return;
    }
    if (!is_24bit(destination)) {
        destination = to_24bit(destination);
    }
    const Span columns = overlap(x, source.width(), destination.width());
    const Span rows = overlap(y, source.height(), destination.height());
    for (int row = rows.first; row < rows.last; ++row) {
        const uchar* from = source.constScanLine(row) + 3 * columns.first;
        uchar* to = destination.scanLine(row + y) + 3 * (columns.first + x);
        for (int column = columns.first; column < columns.last; ++column, from += 3, to += 3) {
            if (!is_white(from)) {
                std::copy(from, from + 3, to);
            }
        }
    }
}

}  // namespace inkwren
