#include "output/resampling.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
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
    if (!sample.weights.empty()) {
        const auto [lowest, highest] = std::minmax_element(
            sample.weights.begin(), sample.weights.end(),
            [](const SourceWeight& a, const SourceWeight& b) { return a.position < b.position; });
        sample.lowest = lowest->position;
        sample.highest = highest->position;
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

// The weights of the sizes met so far: sheets and animations resize many pictures of a few
// sizes. Each thread keeps its own, so no lock is needed; shared pointers keep a caller's weights
// alive when a full cache is cleared.
std::shared_ptr<const AxisWeights> cached_weights(int source_size, int target_size) {
    constexpr std::size_t most_kept = 64;
    thread_local std::map<std::pair<int, int>, std::shared_ptr<const AxisWeights>> cache;
    const std::pair key(source_size, target_size);
    if (const auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    if (cache.size() >= most_kept) {
        cache.clear();
    }
    auto weights =
        std::make_shared<const AxisWeights>(resampling_weights(source_size, target_size));
    cache.emplace(key, weights);
    return weights;
}

// A run of positions on an axis, the end not included.
struct Span {
    int begin = 0;
    int end = 0;

    bool empty() const { return begin >= end; }
    int size() const { return end - begin; }
};

// A picture's rows or columns as floats, three per pixel, each line contiguous. Both passes
// then sum whole lines at once, which the compiler turns into vector arithmetic; summing pixel
// by pixel along a row would wait on every addition in turn. Floats carry the sums of at most a
// few dozen weighted bytes to well within a thousandth, and twice as many fit in a vector.
// Only a part of the picture may be held: the lines from position first on, each cut short.
struct Lines {
    int first;   // the position of the first line held
    int length;  // values per line
    std::unique_ptr<float[]> values;

    const float* line(int position) const {
        return values.get() + std::size_t(position - first) * length;
    }
};

Lines rows_of(const QImage& picture, Span rows, Span columns) {
    Lines lines{
        rows.begin, 3 * columns.size(),
        std::make_unique_for_overwrite<float[]>(3 * std::size_t(columns.size()) * rows.size())};
    for (int y = rows.begin; y < rows.end; ++y) {
        const uchar* row = picture.constScanLine(y) + 3 * columns.begin;
        std::copy(row, row + lines.length,
                  lines.values.get() + std::size_t(y - rows.begin) * lines.length);
    }
    return lines;
}

// Each row is widened whole first, which vectorises, and then dealt out pixel by pixel.
Lines columns_of(const QImage& picture, Span columns, Span rows) {
    Lines lines{
        columns.begin, 3 * rows.size(),
        std::make_unique_for_overwrite<float[]>(3 * std::size_t(columns.size()) * rows.size())};
    std::vector<float> row_values(3 * std::size_t(columns.size()));
    for (int y = rows.begin; y < rows.end; ++y) {
        const uchar* row = picture.constScanLine(y) + 3 * columns.begin;
        std::copy(row, row + row_values.size(), row_values.begin());
        float* value = lines.values.get() + 3 * std::size_t(y - rows.begin);
        for (int x = 0; x < columns.size(); ++x, value += lines.length) {
            std::copy_n(row_values.data() + 3 * x, 3, value);
        }
    }
    return lines;
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

// The smallest and largest source position a target sample reads.
std::pair<int, int> reach(const TargetSample& sample) {
    return {sample.lowest, sample.highest};
}

// The source positions the targets read.
Span read_by(const AxisWeights& axis, Span targets) {
    Span read{std::numeric_limits<int>::max(), 0};
    for (int i = targets.begin; i < targets.end; ++i) {
        const auto [low, high] = reach(axis.samples[std::size_t(i)]);
        read.begin = std::min(read.begin, low);
        read.end = std::max(read.end, high + 1);
    }
    return read.empty() ? Span{} : read;
}

// The target positions whose samples read any of the source positions; empty when none does.
Span reached_targets(const AxisWeights& axis, Span sources) {
    int first = int(axis.samples.size());
    int last = -1;
    for (int i = 0; i < int(axis.samples.size()); ++i) {
        const auto [from, to] = reach(axis.samples[std::size_t(i)]);
        if (from < sources.end && sources.begin <= to) {
            first = std::min(first, i);
            last = std::max(last, i);
        }
    }
    return {first, last + 1};
}

// The horizontal pass for the target columns of the source rows, written into across, which is
// as wide as the target and as high as the source.
void resample_across(const QImage& source, const AxisWeights& axis, Span targets, Span rows,
                     QImage& across) {
    const Lines columns = columns_of(source, read_by(axis, targets), rows);
    std::vector<float> sums(columns.length);
    const qsizetype row_bytes = across.bytesPerLine();
    uchar* const bits = across.bits() + row_bytes * rows.begin;
    for (int x = targets.begin; x < targets.end; ++x) {
        sum_lines(columns, axis.samples[std::size_t(x)], sums.data());
        uchar* pixel = bits + 3 * x;
        for (int i = 0; i < columns.length; i += 3, pixel += row_bytes) {
            pixel[0] = to_byte(sums[i]);
            pixel[1] = to_byte(sums[i + 1]);
            pixel[2] = to_byte(sums[i + 2]);
        }
    }
}

// The vertical pass for the target rows of the columns, from across into target.
void resample_down(const QImage& across, const AxisWeights& axis, Span targets, Span columns,
                   QImage& target) {
    const Lines rows = rows_of(across, read_by(axis, targets), columns);
    std::vector<float> sums(rows.length);
    for (int y = targets.begin; y < targets.end; ++y) {
        sum_lines(rows, axis.samples[std::size_t(y)], sums.data());
        std::transform(sums.begin(), sums.end(), target.scanLine(y) + 3 * columns.begin, to_byte);
    }
}

void check_source(const QImage& source) {
    if (source.width() < 1 || source.height() < 1) {
        throw Error(QStringLiteral("Source bitmap too small"));
    }
}

// Both passes over the whole picture; across keeps the first pass's result.
void resample_whole(const QImage& picture, const AxisWeights& columns, const AxisWeights& rows,
                    QImage& across, QImage& target) {
    const int width = int(columns.samples.size());
    const int height = int(rows.samples.size());
    across = QImage(width, picture.height(), bitmap_format);
    resample_across(picture, columns, {0, width}, {0, picture.height()}, across);
    target = QImage(width, height, bitmap_format);
    resample_down(across, rows, {0, height}, {0, width}, target);
}

}  // namespace

FrameResizer::FrameResizer(QSize source, QSize target)
    : columns_(cached_weights(source.width(), target.width())),
      rows_(cached_weights(source.height(), target.height())) {}

FrameResizer::~FrameResizer() = default;

const QImage& FrameResizer::resize(const QImage& frame) {
    return resize(frame, std::nullopt);
}

const QImage& FrameResizer::resize(const QImage& frame,
                                   const std::optional<std::vector<QRect>>& changed) {
    const QImage picture = is_24bit(frame) ? frame : to_24bit(frame);
    const QSize target(int(columns_->samples.size()), int(rows_->samples.size()));
    if (previous_.isNull() || previous_.size() != picture.size()) {
        check_source(picture);
        if (target.isEmpty()) {
            resized_ = QImage(target.expandedTo({0, 0}), bitmap_format);
        } else {
            resample_whole(picture, *columns_, *rows_, across_, resized_);
        }
    } else if (!target.isEmpty()) {
        resize_bands(picture, changed ? *changed : changed_bands(previous_, picture));
    }
    previous_ = picture;
    return resized_;
}

// The target pixels the bands reach, summed in the same order and precision as the
// whole-picture passes, so they come out identical: first the horizontal pass over every
// band's rows, then the vertical pass, which may read rows of more than one band.
void FrameResizer::resize_bands(const QImage& frame, const std::vector<QRect>& bands) {
    std::vector<std::pair<Span, Span>> reached;  // target columns and rows
    for (const QRect& band : bands) {
        const Span source_rows{band.top(), band.bottom() + 1};
        const Span columns = reached_targets(*columns_, {band.left(), band.right() + 1});
        const Span rows = reached_targets(*rows_, source_rows);
        if (!columns.empty()) {
            resample_across(frame, *columns_, columns, source_rows, across_);
        }
        if (!columns.empty() && !rows.empty()) {
            reached.emplace_back(columns, rows);
        }
    }
    for (const auto& [columns, rows] : reached) {
        resample_down(across_, *rows_, rows, columns, resized_);
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
    check_source(source);
    if (size.isEmpty()) {
        return QImage(size.expandedTo({0, 0}), bitmap_format);
    }
    const QImage picture = is_24bit(source) ? source : to_24bit(source);
    QImage across;
    QImage target;
    resample_whole(picture, *cached_weights(source.width(), size.width()),
                   *cached_weights(source.height(), size.height()), across, target);
    return target;
}

void resize_picture(const QImage& source, QImage& destination) {
    destination = resized_picture(source, destination.size());
}

}  // namespace inkwren
