#include "output/frame_difference.h"

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

// Rows this close are resized again in one band: a band costs more than a few rows.
constexpr int band_join_gap = 4;

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

std::vector<QRect> changed_bands(const QImage& previous, const QImage& frame) {
    const int width = frame.width();
    std::vector<QRect> bands;
    for (int y = 0; y < frame.height(); ++y) {
        if (rows_equal(previous, frame, y)) {
            continue;
        }
        const uchar* a = previous.constScanLine(y);
        const uchar* b = frame.constScanLine(y);
        const int left = first_difference(a, b, width);
        const QRect row(QPoint(left, y), QPoint(last_difference(a, b, width, left), y));
        if (!bands.empty() && y - bands.back().bottom() <= band_join_gap) {
            bands.back() |= row;
        } else {
            bands.push_back(row);
        }
    }
    return bands;
}

}  // namespace inkwren
