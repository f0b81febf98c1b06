#include "tools/stroke_data/practice_square.h"

#include <algorithm>

#include "animation/stroke_rendering.h"

namespace inkwren::tools {

SquareInside practice_square(int pad_side) {
    const int side = grid_side(pad_side);
    const int left = (pad_side - side) / 2;
    // The frame lines are two pixels wide: on the left and top the pixel before the square's
    // edge and the edge itself, on the right and bottom the last two pixels of the square.
    return {left + 1, left + side - 3};
}

std::optional<int> margin_inside_square(const QImage& picture) {
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB888);
    const SquareInside inside = practice_square(pixels.width());
    std::optional<int> margin;
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar* row = pixels.constScanLine(y);
        for (int x = 0; x < pixels.width(); ++x) {
            if (row[3 * x] == 255 && row[3 * x + 1] == 255 && row[3 * x + 2] == 255) {
                continue;
            }
            const int here =
                std::min({x - inside.first, inside.last - x, y - inside.first, inside.last - y});
            margin = margin ? std::min(*margin, here) : here;
        }
    }
    return margin;
}

}  // namespace inkwren::tools
