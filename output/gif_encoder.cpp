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
#include "output/gif_table_order.h"
#include "output/nearest_palette.h"
#include "output/resampling.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {
namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("GifEncoder", text);
}

// How far a resampled frame's colours may be shown from what they are, in each channel: the
// shared table's entries, the strings of the code stream and the pixels left as they were
// each stay within it. Nearly all of it goes to the blended edges of strokes, pencil and grid,
// where an eighth of the range cannot be told apart at the size shown (the mean stays under
// 3 of 255); it keeps a half-size GIF under half of the full-size one, where a sixteenth
// still needs more codes than the quarter of the pixels saves.
constexpr int resampled_colour_tolerance = 32;

// nearest(size × scale), halves to even.
QSize scaled_size(QSize size, double scale) {
    return {std::max(1, int(std::nearbyint(size.width() * scale))),
            std::max(1, int(std::nearbyint(size.height() * scale)))};
}

int colour_difference(Rgb a, Rgb b) {
    int largest = 0;
    for (const int shift : {0, 8, 16}) {
        largest = std::max(largest, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return largest;
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
    Palette global;  // frames at their own size: their exact colours
    // Resampled frames: one table for them all, and what the images so far show with it.
    std::optional<NearestPalette> shared;
    QImage shown;
    std::vector<EncodedImage> images;
    std::vector<std::uint8_t> indices;  // reused for every image
    std::vector<Rgb> colors;            // the pixels' own colours, with the shared table
    std::vector<Rgb> shown_colors;      // and the colours they show now

    void add(const QImage& frame, int delay);
    QRect changed_area(const QImage& frame) const;
    void encode(const QImage& frame, QRect rect, int delay);
    void encode_exact(const QImage& frame, EncodedImage& image);
    void encode_near(const QImage& frame, EncodedImage& image);
    void keep_shown_pixels(QRect rect, int transparent);
};

QRect GifEncoder::State::changed_area(const QImage& frame) const {
    const QRect changed = changed_rect(previous, frame);
    if (!shared || changed.isEmpty()) {
        return changed;
    }
    // A pixel shown close enough to its new colour is left as it is.
    return noticeable_rect(shown, frame, changed, resampled_colour_tolerance);
}

void GifEncoder::State::add(const QImage& frame, int delay) {
    if (!previous.isNull() && frame.size() != previous.size()) {
        throw Error(tr("A frame of the animation differs in size from the first."));
    }
    if (previous.isNull()) {
        encode(frame, frame.rect(), delay);
    } else if (const QRect rect = changed_area(frame); !rect.isEmpty()) {
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
    if (shared) {
        encode_near(frame, image);
    } else {
        encode_exact(frame, image);
    }
    images.push_back(std::move(image));
}

void GifEncoder::State::encode_exact(const QImage& frame, EncodedImage& image) {
    if (index_pixels(frame, image.rect, global, indices)) {
        image.min_code_size = min_code_size(global.size());
    } else {
        // The global table is full: this image brings its own colours.
        Palette local;
        if (!index_pixels(frame, image.rect, local, indices)) {
            quantize_pixels(frame, image.rect, local, indices);
        }
        image.local_colors = local.colors();
        image.min_code_size = min_code_size(local.size());
    }
    image.codes = lzw_compress(indices.data(), indices.size(), image.min_code_size);
}

void GifEncoder::State::encode_near(const QImage& frame, EncodedImage& image) {
    const QRect& rect = image.rect;
    shared->index_pixels(frame, rect, indices, colors);
    const std::vector<Rgb>& table = shared->colors();
    if (!shown.isNull()) {
        image.transparent = int(table.size());
        keep_shown_pixels(rect, image.transparent);
    }
    image.min_code_size = min_code_size(int(table.size()) + (image.transparent >= 0 ? 1 : 0));
    image.codes = lzw_compress_near(indices.data(), colors.data(), indices.size(), table,
                                    resampled_colour_tolerance, image.min_code_size,
                                    shown_colors.data(), image.transparent);
    if (shown.isNull()) {
        shown = QImage(frame.size(), QImage::Format_RGB888);
    }
    const std::uint8_t* index = indices.data();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        uchar* pixel = shown.scanLine(y) + rect.left() * 3;
        for (int x = 0; x < rect.width(); ++x, pixel += 3, ++index) {
            if (*index == image.transparent) {
                continue;
            }
            const Rgb color = table[*index];
            pixel[0] = uchar(color & 0xFF);
            pixel[1] = uchar((color >> 8) & 0xFF);
            pixel[2] = uchar((color >> 16) & 0xFF);
        }
    }
}

void GifEncoder::State::keep_shown_pixels(QRect rect, int transparent) {
    shown_colors.resize(colors.size());
    std::size_t i = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* pixel = shown.constScanLine(y) + rect.left() * 3;
        for (int x = 0; x < rect.width(); ++x, pixel += 3, ++i) {
            shown_colors[i] = Rgb(pixel[0]) | (Rgb(pixel[1]) << 8) | (Rgb(pixel[2]) << 16);
            if (colour_difference(shown_colors[i], colors[i]) <= resampled_colour_tolerance) {
                indices[i] = std::uint8_t(transparent);
            }
        }
    }
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
        s.shared.emplace(resampled_colour_tolerance, max_gif_colors - 1);
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
    QByteArray bytes;
    if (s.shared) {
        std::vector<Rgb> colors = s.shared->colors();
        order_table_by_use(colors, s.images);
        bytes = gif_file(s.previous.size(), colors, s.images, CodeSizes::of_each_image);
    } else {
        bytes = gif_file(s.previous.size(), s.global.colors(), s.images);
    }
    const double scale = s.scale;
    state_ = std::make_unique<State>();
    state_->scale = scale;
    return bytes;
}

std::size_t GifEncoder::memory_used() const {
    const State& s = *state_;
    std::size_t bytes = sizeof(State) + std::size_t(s.previous.sizeInBytes()) +
                        s.indices.capacity() + s.images.capacity() * sizeof(EncodedImage) +
                        s.global.colors().capacity() * sizeof(Rgb) +
                        std::size_t(s.shown.sizeInBytes()) +
                        (s.colors.capacity() + s.shown_colors.capacity()) * sizeof(Rgb) +
                        (s.shared ? s.shared->memory_used() : 0);
    for (const EncodedImage& image : s.images) {
        bytes += std::size_t(image.codes.capacity()) + image.local_colors.capacity() * sizeof(Rgb);
    }
    return bytes;
}

void save_gif(const QByteArray& gif, const QString& path) {
    write_whole_file(path, gif);
}

}  // namespace inkwren
