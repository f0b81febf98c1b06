#include "output/frame_difference.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace inkwren {
namespace {

// Rows are compared eight bytes at a time, then byte by byte within the first eight that
// differ.
bool words_equal(const uchar* a, const uchar* b) {
    std::uint64_t left = 0;
    std::uint64_t right = 0;
    std::memcpy(&left, a, sizeof left);
    std::memcpy(&right, b, sizeof right);
    return left == right;
}

// The first pixel from the left, before limit, where the rows differ; limit when none does.
int first_difference(const uchar* a, const uchar* b, int limit) {
    const std::size_t bytes = std::size_t(limit) * 3;
    std::size_t i = 0;
    while (i + 8 <= bytes && words_equal(a + i, b + i)) {
        i += 8;
    }
    while (i < bytes && a[i] == b[i]) {
        ++i;
    }
    return int(i / 3);
}

// The last pixel from the right, after limit, where the rows differ; limit when none does.
int last_difference(const uchar* a, const uchar* b, int width, int limit) {
    const std::size_t from = std::size_t(limit + 1) * 3;
    std::size_t end = std::size_t(width) * 3;
    while (end >= from + 8 && words_equal(a + end - 8, b + end - 8)) {
        end -= 8;
    }
    while (end > from && a[end - 1] == b[end - 1]) {
        --end;
    }
    return end > from ? int((end - 1) / 3) : limit;
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
