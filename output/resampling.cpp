#include "output/resampling.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "animation/raster.h"
#include "output/frame_difference.h"
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

// Round half to even, as std::nearbyint does in the default rounding mode, without a library
// call: adding 1.5 * 2^23 leaves a float no bits for a fraction, so the hardware rounds it away.
uchar to_byte(float value) {
    constexpr float rounder = 12582912.0f;
    const float clamped = std::clamp(value, 0.0f, 255.0f);
    return uchar(int((clamped + rounder) - rounder));
}

// A picture's rows or columns as floats, three per pixel, each line contiguous. Both passes
// then sum whole lines at once, which the compiler turns into vector arithmetic; summing pixel
// by pixel along a row would wait on every addition in turn. Floats carry the sums of at most a
// few dozen weighted bytes to well within a thousandth, and twice as many fit in a vector.
struct Lines {
    int length;  // values per line
    std::unique_ptr<float[]> values;

    const float* line(int index) const { return values.get() + std::size_t(index) * length; }
};

Lines rows_of(const QImage& picture) {
    Lines rows{3 * picture.width(), std::make_unique_for_overwrite<float[]>(
                                        3 * std::size_t(picture.width()) * picture.height())};
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* row = picture.constScanLine(y);
        std::copy(row, row + rows.length, rows.values.get() + std::size_t(y) * rows.length);
    }
    return rows;
}

// Each row is widened whole first, which vectorises, and then dealt out pixel by pixel.
Lines columns_of(const QImage& picture) {
    const int width = picture.width();
    const int height = picture.height();
    Lines columns{3 * height,
                  std::make_unique_for_overwrite<float[]>(3 * std::size_t(width) * height)};
    std::vector<float> row_values(3 * std::size_t(width));
    for (int y = 0; y < height; ++y) {
        const uchar* row = picture.constScanLine(y);
        std::copy(row, row + row_values.size(), row_values.begin());
        float* value = columns.values.get() + 3 * std::size_t(y);
        for (int x = 0; x < width; ++x, value += columns.length) {
            std::copy_n(row_values.data() + 3 * x, 3, value);
        }
    }
    return columns;
}

void sum_lines(const Lines& lines, const TargetSample& sample, float* sums) {
    std::fill(sums, sums + lines.length, 0.0f);
    for (const SourceWeight& share : sample.weights) {
        const float* line = lines.line(share.position);
        const float weight = float(share.weight);
        for (int i = 0; i < lines.length; ++i) {
            sums[i] += weight * line[i];
        }
    }
}

QImage resample_horizontally(const QImage& source, int target_width) {
    const AxisWeights axis = resampling_weights(source.width(), target_width);
    const Lines columns = columns_of(source);
    std::vector<float> sums(columns.length);
    QImage target(target_width, source.height(), bitmap_format);
    uchar* const bits = target.bits();
    const qsizetype row_bytes = target.bytesPerLine();
    for (int x = 0; x < target_width; ++x) {
        sum_lines(columns, axis.samples[x], sums.data());
        uchar* pixel = bits + 3 * x;
        for (int i = 0; i < columns.length; i += 3, pixel += row_bytes) {
            pixel[0] = to_byte(sums[i]);
            pixel[1] = to_byte(sums[i + 1]);
            pixel[2] = to_byte(sums[i + 2]);
        }
    }
    return target;
}

QImage resample_vertically(const QImage& source, int target_height) {
    const AxisWeights axis = resampling_weights(source.height(), target_height);
    const Lines rows = rows_of(source);
    std::vector<float> sums(rows.length);
    QImage target(source.width(), target_height, bitmap_format);
    for (int y = 0; y < target_height; ++y) {
        sum_lines(rows, axis.samples[y], sums.data());
        std::transform(sums.begin(), sums.end(), target.scanLine(y), to_byte);
    }
    return target;
}

// The smallest and largest source position a target sample reads.
std::pair<int, int> reach(const TargetSample& sample) {
    int low = sample.weights.empty() ? 0 : sample.weights.front().position;
    int high = low;
    for (const SourceWeight& share : sample.weights) {
        low = std::min(low, share.position);
        high = std::max(high, share.position);
    }
    return {low, high};
}

// The target positions whose samples read any source position from low to high; empty when
// none does.
std::pair<int, int> reached_targets(const AxisWeights& axis, int low, int high) {
    int first = int(axis.samples.size());
    int last = -1;
    for (int i = 0; i < int(axis.samples.size()); ++i) {
        const auto [from, to] = reach(axis.samples[std::size_t(i)]);
        if (from <= high && low <= to) {
            first = std::min(first, i);
            last = std::max(last, i);
        }
    }
    return {first, last};
}

}  // namespace

FrameResizer::FrameResizer(QSize source, QSize target)
    : columns_(resampling_weights(source.width(), target.width())),
      rows_(resampling_weights(source.height(), target.height())) {}

const QImage& FrameResizer::resize(const QImage& frame) {
    const QImage picture = is_24bit(frame) ? frame : to_24bit(frame);
    if (previous_.isNull() || previous_.size() != picture.size()) {
        resized_ =
            resized_picture(picture, {int(columns_.samples.size()), int(rows_.samples.size())});
    } else if (const QRect changed = changed_rect(previous_, picture); !changed.isEmpty()) {
        const auto [left, right] = reached_targets(columns_, changed.left(), changed.right());
        const auto [top, bottom] = reached_targets(rows_, changed.top(), changed.bottom());
        if (left <= right && top <= bottom) {
            resize_region(picture, QRect(QPoint(left, top), QPoint(right, bottom)));
        }
    }
    previous_ = picture;
    return resized_;
}

// The target pixels of the region, summed in the same order and precision as the whole-picture
// passes, so they come out identical: the horizontal pass over the source rows the region's
// rows read, rounded to bytes, then the vertical pass.
void FrameResizer::resize_region(const QImage& frame, QRect region) {
    int first_row = frame.height();
    int last_row = -1;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const auto [from, to] = reach(rows_.samples[std::size_t(y)]);
        first_row = std::min(first_row, from);
        last_row = std::max(last_row, to);
    }
    const int width = region.width();
    std::vector<uchar> across(3 * std::size_t(width) * (last_row - first_row + 1));
    for (int row = first_row; row <= last_row; ++row) {
        const uchar* source = frame.constScanLine(row);
        uchar* out = across.data() + 3 * std::size_t(width) * (row - first_row);
        for (int x = 0; x < width; ++x) {
            const TargetSample& sample = columns_.samples[std::size_t(region.left() + x)];
            for (int channel = 0; channel < 3; ++channel) {
                float sum = 0.0f;
                for (const SourceWeight& share : sample.weights) {
                    sum += float(share.weight) * float(source[3 * share.position + channel]);
                }
                out[3 * x + channel] = to_byte(sum);
            }
        }
    }
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const TargetSample& sample = rows_.samples[std::size_t(y)];
        uchar* target = resized_.scanLine(y) + 3 * region.left();
        for (int value = 0; value < 3 * width; ++value) {
            float sum = 0.0f;
            for (const SourceWeight& share : sample.weights) {
                sum += float(share.weight) *
                       float(across[3 * std::size_t(width) * (share.position - first_row) +
                                    std::size_t(value)]);
            }
            target[value] = to_byte(sum);
        }
    }
}

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
