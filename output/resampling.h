// Picture resizing for the output pictures: a separable Mitchell-Netravali filter (B = C = 1/3)
// that keeps stroke edges crisp without ringing when a character is shrunk for a sheet or GIF.
#pragma once

#include <QImage>
#include <QSize>

#include <memory>
#include <optional>
#include <vector>

namespace inkwren {

// One source pixel's share in a target pixel.
struct SourceWeight {
    int position;
    double weight;
};

// Where a target pixel sits on the source axis and the source pixels that make it.
struct TargetSample {
    double centre;
    std::vector<SourceWeight> weights;
    int lowest = 0;  // the smallest and largest source position of the weights
    int highest = 0;
};

// The sampling of one axis, worked out once and reused for every row or column.
struct AxisWeights {
    double scale;
    std::vector<TargetSample> samples;
};

// The Mitchell-Netravali kernel with B = C = 1/3; zero from a distance of 2 on.
double mitchell_kernel(double x);

// The weights of a source axis of source_size pixels resampled to target_size pixels. The scale
// is (target - 1) / (source - 1), which maps first pixel to first and last to last; when either
// size is 1 that would divide by zero or give scale 0, so target / source is used instead.
// Positions beyond the source are mirrored back into it (and clamped for tiny sources).
AxisWeights resampling_weights(int source_size, int target_size);

// Replaces the destination by the source resampled to the destination's current size; the
// destination becomes a 24-bit picture. A source narrower or lower than a pixel throws Error.
void resize_picture(const QImage& source, QImage& destination);

// The source resampled to size, as a 24-bit picture.
QImage resized_picture(const QImage& source, QSize size);

// Resizes a run of frames of one size, as resized_picture would each of them, recomputing only
// the target pixels that what changed since the previous frame reaches: a frame of an animation,
// or the next picture of a stroke-order sheet, changes little, so this costs a fraction of
// resizing it whole.
class FrameResizer {
public:
    FrameResizer(QSize source, QSize target);
    ~FrameResizer();

    // The frame resized; the picture stays valid until the next call.
    const QImage& resize(const QImage& frame);
    // The same, for a frame that differs from the one before only within the areas given (none
    // known: compared as above).
    const QImage& resize(const QImage& frame, const std::optional<std::vector<QRect>>& changed);

private:
    void resize_bands(const QImage& frame, const std::vector<QRect>& bands);

    std::shared_ptr<const AxisWeights> columns_;
    std::shared_ptr<const AxisWeights> rows_;
    QImage previous_;  // the source frame last resized
    QImage across_;    // the previous frame resized across only: target wide, source high
    QImage resized_;
};

}  // namespace inkwren
