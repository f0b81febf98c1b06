#include "output/resampling.h"

#include <algorithm>
#include <cmath>

#include "animation/raster.h"
#include "platform/error.h"

namespace inkwren {

namespace {

constexpr double kernel_support = 2.0;

double axis_scale(int source_size, int target_size) {
    if (source_size == 1 || target_size == 1) {
        return double(target_size) / source_size;
    }
    return double(target_size - 1) / (source_size - 1);
}

// Mirrors a position beyond either end back inside; a source too small for one mirroring to
// suffice is clamped, so nothing is ever read outside it.
int mirrored(int position, int size) {
    if (position < 0) {
        position = -position;
    } else if (position >= size) {
        position = 2 * size - position - 1;
    }
    return std::clamp(position, 0, size - 1);
}

TargetSample sample_at(int target_position, double scale, int source_size) {
    const bool shrinking = scale < 1.0;
    const double support = shrinking ? kernel_support / scale : kernel_support;
    TargetSample sample{target_position / scale, {}};
    const int first = int(std::floor(sample.centre - support));
    const int last = int(std::ceil(sample.centre + support));
    for (int j = first; j <= last; ++j) {
        const double distance = sample.centre - j;
        const double weight =
            shrinking ? mitchell_kernel(distance * scale) * scale : mitchell_kernel(distance);
        if (weight != 0.0) {
            sample.weights.push_back({mirrored(j, source_size), weight});
        }
    }
    return sample;
}

uchar to_byte(double value) {
    return uchar(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

// Each target pixel of a row from the source row, three bytes at a time.
void resample_row(const uchar* source, uchar* target, const AxisWeights& axis) {
    for (const TargetSample& sample : axis.samples) {
        double red = 0, green = 0, blue = 0;
        for (const SourceWeight& share : sample.weights) {
            const uchar* pixel = source + 3 * share.position;
            red += share.weight * pixel[0];
            green += share.weight * pixel[1];
            blue += share.weight * pixel[2];
        }
        target[0] = to_byte(red);
        target[1] = to_byte(green);
        target[2] = to_byte(blue);
        target += 3;
    }
}

QImage resample_horizontally(const QImage& source, int target_width) {
    const AxisWeights axis = resampling_weights(source.width(), target_width);
    QImage target = make_bitmap(target_width, source.height());
    for (int y = 0; y < source.height(); ++y) {
        resample_row(source.constScanLine(y), target.scanLine(y), axis);
    }
    return target;
}

// Whole rows are summed at once so the source is read along its scan lines.
QImage resample_vertically(const QImage& source, int target_height) {
    const AxisWeights axis = resampling_weights(source.height(), target_height);
    const int row_bytes = 3 * source.width();
    QImage target = make_bitmap(source.width(), target_height);
    std::vector<double> sums(row_bytes);
    for (int y = 0; y < target_height; ++y) {
        std::fill(sums.begin(), sums.end(), 0.0);
        for (const SourceWeight& share : axis.samples[y].weights) {
            const uchar* row = source.constScanLine(share.position);
            for (int i = 0; i < row_bytes; ++i) {
                sums[i] += share.weight * row[i];
            }
        }
        uchar* target_row = target.scanLine(y);
        for (int i = 0; i < row_bytes; ++i) {
            target_row[i] = to_byte(sums[i]);
        }
    }
    return target;
}

}  // namespace

double mitchell_kernel(double x) {
    x = std::abs(x);
    if (x < 1.0) {
        return (7.0 * x * x * x - 12.0 * x * x + 16.0 / 3.0) / 6.0;
    }
    if (x < 2.0) {
        return (-7.0 / 3.0 * x * x * x + 12.0 * x * x - 20.0 * x + 32.0 / 3.0) / 6.0;
    }
    return 0.0;
}

AxisWeights resampling_weights(int source_size, int target_size) {
    AxisWeights axis{axis_scale(source_size, target_size), {}};
    axis.samples.reserve(std::max(target_size, 0));
    for (int i = 0; i < target_size; ++i) {
        axis.samples.push_back(sample_at(i, axis.scale, source_size));
    }
    return axis;
}

QImage resized_picture(const QImage& source, QSize size) {
    if (source.width() < 1 || source.height() < 1) {
        throw Error(QStringLiteral("Source bitmap too small"));
    }
    if (size.isEmpty()) {
        return QImage(size.expandedTo({0, 0}), bitmap_format);
    }
    const QImage picture = is_24bit(source) ? source : to_24bit(source);
    return resample_vertically(resample_horizontally(picture, size.width()), size.height());
}

void resize_picture(const QImage& source, QImage& destination) {
    destination = resized_picture(source, destination.size());
}

}  // namespace inkwren
