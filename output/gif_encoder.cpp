#include "output/gif_encoder.h"

#include <QCoreApplication>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "animation/raster.h"
#include "output/frame_difference.h"
#include "output/gif_file.h"
#include "output/gif_lzw.h"
#include "output/gif_palette.h"
#include "output/resampling.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("GifEncoder", text);
}

// nearest(size × scale), halves to even.
QSize scaled_size(QSize size, double scale) {
    return {std::max(1, int(std::nearbyint(size.width() * scale))),
            std::max(1, int(std::nearbyint(size.height() * scale)))};
}

}  // namespace

int gif_delay(int captured_hundredths) {
    const std::int64_t tripled = 3 * std::int64_t(std::max(0, captured_hundredths));
    std::int64_t delay = tripled / 2;
    if (tripled % 2 != 0 && delay % 2 != 0) {
        ++delay;  // a half goes to the even neighbour
    }
    return int(std::min<std::int64_t>(delay, max_gif_delay));
}

struct GifEncoder::State {
    double scale = 1.0;
    std::optional<FrameResizer> resizer;  // frames after the first resize only what changed
    QSize source_size;
    QImage previous;
    int frame_count = 0;
    int last_frame_delay = 0;
    Palette global;
    std::vector<EncodedImage> images;
    std::vector<std::uint8_t> indices;  // reused for every image

    void add(const QImage& frame, int delay);
    void encode(const QImage& frame, QRect rect, int delay);
};

void GifEncoder::State::add(const QImage& frame, int delay) {
    if (!previous.isNull() && frame.size() != previous.size()) {
        throw Error(tr("A frame of the animation differs in size from the first."));
    }
    if (previous.isNull()) {
        encode(frame, frame.rect(), delay);
    } else if (const QRect rect = changed_rect(previous, frame); !rect.isEmpty()) {
        encode(frame, rect, delay);
    } else if (images.back().delay + delay <= max_gif_delay) {
        images.back().delay += delay;  // the same picture simply shows longer
    } else {
        encode(frame, QRect(0, 0, 1, 1), delay);
    }
    previous = frame;
    last_frame_delay = delay;
    ++frame_count;
}

void GifEncoder::State::encode(const QImage& frame, QRect rect, int delay) {
    EncodedImage image;
    image.rect = rect;
    image.delay = delay;
    if (index_pixels(frame, rect, global, indices)) {
        image.min_code_size = min_code_size(global.size());
    } else {
        // The global table is full: this image brings its own colours.
        Palette local;
        if (!index_pixels(frame, rect, local, indices)) {
            quantize_pixels(frame, rect, local, indices);
        }
        image.local_colors = local.colors();
        image.min_code_size = min_code_size(local.size());
    }
    image.codes = lzw_compress(indices.data(), indices.size(), image.min_code_size);
    images.push_back(std::move(image));
}

GifEncoder::GifEncoder(double scale) : state_(std::make_unique<State>()) {
    state_->scale = scale;
}

GifEncoder::~GifEncoder() = default;

void GifEncoder::add(const QImage& frame, int delay_hundredths) {
    if (frame.isNull()) {
        throw Error(tr("An empty picture cannot be a frame of the animation."));
    }
    State& s = *state_;
    const QImage picture = is_24bit(frame) ? frame : to_24bit(frame);
    if (s.frame_count > 0 && picture.size() != s.source_size) {
        throw Error(tr("A frame of the animation differs in size from the first."));
    }
    s.source_size = picture.size();
    if (s.scale == 1.0) {
        s.add(picture, gif_delay(delay_hundredths));
        return;
    }
    if (!s.resizer) {
        s.resizer.emplace(picture.size(), scaled_size(picture.size(), s.scale));
    }
    s.add(s.resizer->resize(picture), gif_delay(delay_hundredths));
}

int GifEncoder::frame_count() const {
    return state_->frame_count;
}

QByteArray GifEncoder::finish() {
    if (state_->frame_count == 0) {
        throw Error(tr("The animation has no frames to write as a GIF."));
    }
    State& s = *state_;
    EncodedImage& last = s.images.back();
    last.delay = std::min(max_gif_delay, last.delay - s.last_frame_delay + gif_last_frame_delay);
    const QByteArray bytes = gif_file(s.previous.size(), s.global.colors(), s.images);
    const double scale = s.scale;
    state_ = std::make_unique<State>();
    state_->scale = scale;
    return bytes;
}

std::size_t GifEncoder::memory_used() const {
    const State& s = *state_;
    std::size_t bytes = sizeof(State) + std::size_t(s.previous.sizeInBytes()) +
                        s.indices.capacity() + s.images.capacity() * sizeof(EncodedImage) +
                        s.global.colors().capacity() * sizeof(Rgb);
    for (const EncodedImage& image : s.images) {
        bytes += std::size_t(image.codes.capacity()) + image.local_colors.capacity() * sizeof(Rgb);
    }
    return bytes;
}

void save_gif(const QByteArray& gif, const QString& path) {
    write_whole_file(path, gif);
}

}  // namespace inkwren
