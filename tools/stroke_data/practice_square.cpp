#include "tools/stroke_data/practice_square.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "animation/stroke_rendering.h"

namespace inkwren::tools {
namespace {

// The smallest rectangle holding every pixel that is not white; the margin depends only on it.
struct InkBounds {
    int left;
    int right;
    int top;
    int bottom;
};

// A pixel is white when all three of its bytes are 255, so the first and last bytes of a row
// that are not 255 lie in its first and last inked pixels.
std::optional<InkBounds> ink_bounds(const QImage& pixels) {
    const qsizetype row_bytes = 3 * qsizetype(pixels.width());
    const std::vector<uchar> white(row_bytes, 255);
    auto inked = [](uchar byte) { return byte != 255; };
    std::optional<InkBounds> bounds;
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar* row = pixels.constScanLine(y);
        if (std::memcmp(row, white.data(), row_bytes) == 0) {
            continue;
        }
        const uchar* first_inked = std::find_if(row, row + row_bytes, inked);
        const uchar* last_inked = std::find_if(std::make_reverse_iterator(row + row_bytes),
                                               std::make_reverse_iterator(first_inked), inked)
                                      .base() -
                                  1;
        const int first = int(first_inked - row) / 3;
        const int last = int(last_inked - row) / 3;
        if (!bounds) {
            bounds = InkBounds{first, last, y, y};
        }
        bounds->left = std::min(bounds->left, first);
        bounds->right = std::max(bounds->right, last);
        bounds->bottom = y;
    }
    return bounds;
}

}  // namespace

SquareInside practice_square(int pad_side) {
    const int side = grid_side(pad_side);
    const int left = (pad_side - side) / 2;
    // The frame lines are two pixels wide: on the left and top the pixel before the square's
    // edge and the edge itself, on the right and bottom the last two pixels of the square.
    return {left + 1, left + side - 3};
}

std::optional<int> margin_inside_square(const QImage& picture) {
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB888);
    const std::optional<InkBounds> ink = ink_bounds(pixels);
    if (!ink) {
        return std::nullopt;
    }
    const SquareInside inside = practice_square(pixels.width());
    return std::min({ink->left - inside.first, inside.last - ink->right, ink->top - inside.first,
                     inside.last - ink->bottom});
}

}  // namespace inkwren::tools
