#include "output/frame_difference.h"

#include <cstdlib>
#include <cstring>

namespace inkwren {
namespace {

// The first pixel from the left, before limit, where the rows differ; limit when none does.
int first_difference(const uchar* a, const uchar* b, int limit) {
    if (std::memcmp(a, b, std::size_t(limit) * 3) == 0) {
        return limit;
    }
    int x = 0;
    while (std::memcmp(a + x * 3, b + x * 3, 3) == 0) {
        ++x;
    }
    return x;
}

// The last pixel from the right, after limit, where the rows differ; limit when none does.
int last_difference(const uchar* a, const uchar* b, int width, int limit) {
    const int from = limit + 1;
    if (from >= width ||
        std::memcmp(a + from * 3, b + from * 3, std::size_t(width - from) * 3) == 0) {
        return limit;
    }
    int x = width - 1;
    while (std::memcmp(a + x * 3, b + x * 3, 3) == 0) {
        --x;
    }
    return x;
}

bool rows_equal(const QImage& a, const QImage& b, int y) {
    return std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 3) == 0;
}

}  // namespace

QRect changed_rect(const QImage& previous, const QImage& frame) {
    const int width = frame.width();
    int top = 0;
    while (top < frame.height() && rows_equal(previous, frame, top)) {
        ++top;
    }
    if (top == frame.height()) {
        return {};
    }
    int bottom = frame.height() - 1;
    while (rows_equal(previous, frame, bottom)) {
        --bottom;
    }
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const uchar* a = previous.constScanLine(y);
        const uchar* b = frame.constScanLine(y);
        left = first_difference(a, b, left);
        right = last_difference(a, b, width, right);
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect noticeable_rect(const QImage& shown, const QImage& frame, QRect area, int tolerance) {
    QRect noticeable;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* a = shown.constScanLine(y) + area.left() * 3;
        const uchar* b = frame.constScanLine(y) + area.left() * 3;
        for (int x = area.left(); x <= area.right(); ++x, a += 3, b += 3) {
            if (std::abs(a[0] - b[0]) > tolerance || std::abs(a[1] - b[1]) > tolerance ||
                std::abs(a[2] - b[2]) > tolerance) {
                noticeable |= QRect(x, y, 1, 1);
            }
        }
    }
    return noticeable;
}

}  // namespace inkwren
