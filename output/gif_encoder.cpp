#include "output/gif_encoder.h"

#include <QCoreApplication>
#include <QRect>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "animation/raster.h"
#include "output/gif_lzw.h"
#include "output/resampling.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {

namespace {

constexpr int max_colors = 256;
constexpr int max_delay = 0xFFFF;  // the delay field has 16 bits
constexpr int max_sub_block = 255;

using Rgb = std::uint32_t;  // red in the low byte, as the raster's colour values

QString tr(const char* text) {
    return QCoreApplication::translate("GifEncoder", text);
}

Rgb rgb_at(const uchar* pixel) {
    return Rgb(pixel[0]) | (Rgb(pixel[1]) << 8) | (Rgb(pixel[2]) << 16);
}

// Colours to palette indices: an open hash table four times the largest palette.
class ColorLookup {
public:
    ColorLookup() { clear(); }

    void clear() { keys_.fill(empty); }

    // The index of the colour, or -1 when it has none.
    int find(Rgb color) const {
        for (std::size_t slot = slot_for(color);; slot = (slot + 1) & (slot_count - 1)) {
            if (keys_[slot] == color) {
                return indices_[slot];
            }
            if (keys_[slot] == empty) {
                return -1;
            }
        }
    }

    void insert(Rgb color, int index) {
        std::size_t slot = slot_for(color);
        while (keys_[slot] != empty) {
            slot = (slot + 1) & (slot_count - 1);
        }
        keys_[slot] = color;
        indices_[slot] = std::uint8_t(index);
    }

private:
    static constexpr std::size_t slot_count = 4 * max_colors;
    static constexpr Rgb empty = 0xFFFFFFFF;  // no 24-bit colour has this value

    static std::size_t slot_for(Rgb color) { return (color * 2654435761u) >> (32 - 10); }

    std::array<Rgb, slot_count> keys_;
    std::array<std::uint8_t, slot_count> indices_{};
};

// Up to 256 colours in the order they were first met.
class Palette {
public:
    int size() const { return int(colors_.size()); }
    const std::vector<Rgb>& colors() const { return colors_; }

    // The colour's index, adding it when there is room; -1 when the palette is full.
    int index_of(Rgb color) {
        const int index = lookup_.find(color);
        if (index >= 0 || size() == max_colors) {
            return index;
        }
        lookup_.insert(color, size());
        colors_.push_back(color);
        return size() - 1;
    }

    // Forgets the colours added after the first count.
    void truncate(int count) {
        colors_.resize(std::size_t(count));
        lookup_.clear();
        for (int index = 0; index < count; ++index) {
            lookup_.insert(colors_[std::size_t(index)], index);
        }
    }

    void assign(std::vector<Rgb> colors) {
        colors_ = std::move(colors);
        truncate(size());
    }

private:
    std::vector<Rgb> colors_;
    ColorLookup lookup_;
};

// One image of the file: a rectangle of palette indices, compressed.
struct EncodedImage {
    QRect rect;
    int delay = 0;  // hundredths; identical frames that followed are folded in
    int min_code_size = 2;
    std::vector<Rgb> local_colors;  // empty: the image uses the global table
    QByteArray codes;               // the LZW code stream
};

// The bits of a colour table that holds count colours (a table has at least two entries).
int table_bits(int count) {
    int bits = 1;
    while ((1 << bits) < count) {
        ++bits;
    }
    return bits;
}

int min_code_size(int colors) {
    return std::max(2, table_bits(colors));
}

// nearest(size × scale), halves to even.
QSize scaled_size(QSize size, double scale) {
    return {std::max(1, int(std::nearbyint(size.width() * scale))),
            std::max(1, int(std::nearbyint(size.height() * scale)))};
}

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

// The smallest rectangle that holds every pixel where the frames differ; empty when they are
// the same.
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

// The indices of the rectangle's pixels in the palette, row by row. When the palette runs out
// of room it is left as it was and the answer is false.
bool index_pixels(const QImage& frame, QRect rect, Palette& palette,
                  std::vector<std::uint8_t>& indices) {
    const int size_before = palette.size();
    indices.resize(std::size_t(rect.width()) * std::size_t(rect.height()));
    std::uint8_t* out = indices.data();
    Rgb last_color = 0xFFFFFFFF;
    int last_index = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* pixel = frame.constScanLine(y) + rect.left() * 3;
        for (int x = 0; x < rect.width(); ++x, pixel += 3) {
            const Rgb color = rgb_at(pixel);
            if (color != last_color) {
                last_index = palette.index_of(color);
                if (last_index < 0) {
                    palette.truncate(size_before);
                    return false;
                }
                last_color = color;
            }
            *out++ = std::uint8_t(last_index);
        }
    }
    return true;
}

// The rectangle reduced to at most 256 colours by giflib's median cut.
void quantize_pixels(const QImage& frame, QRect rect, Palette& palette,
                     std::vector<std::uint8_t>& indices) {
    const std::size_t count = std::size_t(rect.width()) * std::size_t(rect.height());
    std::vector<GifByteType> red(count);
    std::vector<GifByteType> green(count);
    std::vector<GifByteType> blue(count);
    std::size_t i = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* pixel = frame.constScanLine(y) + rect.left() * 3;
        for (int x = 0; x < rect.width(); ++x, pixel += 3, ++i) {
            red[i] = pixel[0];
            green[i] = pixel[1];
            blue[i] = pixel[2];
        }
    }
    indices.resize(count);
    std::array<GifColorType, max_colors> map{};
    int map_size = max_colors;
    if (GifQuantizeBuffer(unsigned(rect.width()), unsigned(rect.height()), &map_size, red.data(),
                          green.data(), blue.data(), indices.data(), map.data()) == GIF_ERROR) {
        throw Error(tr("An animation frame could not be reduced to 256 colours."));
    }
    std::vector<Rgb> colors;
    for (int index = 0; index < map_size; ++index) {
        const GifColorType& c = map[std::size_t(index)];
        colors.push_back(Rgb(c.Red) | (Rgb(c.Green) << 8) | (Rgb(c.Blue) << 16));
    }
    palette.assign(std::move(colors));
}

// --- Writing the file through giflib ---

Error gif_error(int code) {
    return Error(
        tr("The GIF could not be put together: %1.").arg(QString::fromUtf8(GifErrorString(code))));
}

void check(GifFileType* gif, int result) {
    if (result == GIF_ERROR) {
        throw gif_error(gif->Error);
    }
}

int append_to_bytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

// An open giflib writer, closed (and freed) on every way out.
class GifOutput {
public:
    explicit GifOutput(QByteArray& bytes) {
        int code = 0;
        file_ = EGifOpen(&bytes, append_to_bytes, &code);
        if (file_ == nullptr) {
            throw gif_error(code);
        }
    }
    ~GifOutput() {
        if (file_ != nullptr) {
            EGifCloseFile(file_, nullptr);
        }
    }
    GifOutput(const GifOutput&) = delete;
    GifOutput& operator=(const GifOutput&) = delete;

    GifFileType* get() const { return file_; }

    // Writes the trailer.
    void close() {
        int code = 0;
        GifFileType* file = std::exchange(file_, nullptr);
        if (EGifCloseFile(file, &code) == GIF_ERROR) {
            throw gif_error(code);
        }
    }

private:
    GifFileType* file_ = nullptr;
};

struct ColorMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, ColorMapDeleter>;

// A giflib colour table of the colours, padded to a power of two; none for no colours.
ColorMap color_map(const std::vector<Rgb>& colors) {
    if (colors.empty()) {
        return nullptr;
    }
    std::vector<GifColorType> entries(std::size_t(1) << table_bits(int(colors.size())));
    for (std::size_t i = 0; i < colors.size(); ++i) {
        entries[i] = {GifByteType(colors[i] & 0xFF), GifByteType((colors[i] >> 8) & 0xFF),
                      GifByteType((colors[i] >> 16) & 0xFF)};
    }
    ColorMap map(GifMakeMapObject(int(entries.size()), entries.data()));
    if (!map) {
        throw gif_error(E_GIF_ERR_NOT_ENOUGH_MEM);
    }
    return map;
}

// Loop forever: the application extension browsers know, with a loop count of 0.
void put_loop_extension(GifFileType* gif) {
    static const GifByteType name[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loop_forever[] = {1, 0, 0};
    check(gif, EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
    check(gif, EGifPutExtensionBlock(gif, sizeof name, name));
    check(gif, EGifPutExtensionBlock(gif, sizeof loop_forever, loop_forever));
    check(gif, EGifPutExtensionTrailer(gif));
}

void put_frame_control(GifFileType* gif, int delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;  // each image is drawn over the ones before
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType bytes[4];
    const auto length = EGifGCBToExtension(&control, bytes);
    check(gif, EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), bytes));
}

// The code stream in sub-blocks of at most 255 bytes, and the empty block that ends it.
void put_codes(GifFileType* gif, const QByteArray& codes) {
    std::array<GifByteType, max_sub_block + 1> block;
    for (qsizetype start = 0; start < codes.size(); start += max_sub_block) {
        const auto length = std::min<qsizetype>(max_sub_block, codes.size() - start);
        block[0] = GifByteType(length);
        std::memcpy(block.data() + 1, codes.constData() + start, std::size_t(length));
        check(gif, EGifPutCodeNext(gif, block.data()));
    }
    check(gif, EGifPutCodeNext(gif, nullptr));
}

void put_image(GifFileType* gif, const EncodedImage& image) {
    put_frame_control(gif, image.delay);
    const ColorMap local = color_map(image.local_colors);
    // giflib drops its copy of the last local table, unfreed, when an image without one follows.
    if (!local && gif->Image.ColorMap != nullptr) {
        GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
    }
    const QRect& r = image.rect;
    check(gif, EGifPutImageDesc(gif, r.left(), r.top(), r.width(), r.height(), false, local.get()));
    put_codes(gif, image.codes);
}

// giflib starts each image's code stream with the code size of its table, so images
// compressed while the global table was smaller are compressed again for its final size.
void match_code_size(EncodedImage& image, int code_size) {
    if (!image.local_colors.empty() || image.min_code_size == code_size) {
        return;
    }
    const std::size_t count = std::size_t(image.rect.width()) * std::size_t(image.rect.height());
    const std::vector<std::uint8_t> indices =
        lzw_decompress(image.codes, image.min_code_size, count);
    image.codes = lzw_compress(indices.data(), count, code_size);
    image.min_code_size = code_size;
}

QByteArray gif_file(QSize size, const Palette& global, std::vector<EncodedImage>& images) {
    const int code_size = min_code_size(global.size());
    for (EncodedImage& image : images) {
        match_code_size(image, code_size);
    }
    QByteArray bytes;
    GifOutput output(bytes);
    GifFileType* gif = output.get();
    EGifSetGifVersion(gif, true);
    const ColorMap global_map = color_map(global.colors());
    check(gif, EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, global_map.get()));
    put_loop_extension(gif);
    for (const EncodedImage& image : images) {
        put_image(gif, image);
    }
    output.close();
    return bytes;
}

}  // namespace

int gif_delay(int captured_hundredths) {
    const std::int64_t tripled = 3 * std::int64_t(std::max(0, captured_hundredths));
    std::int64_t delay = tripled / 2;
    if (tripled % 2 != 0 && delay % 2 != 0) {
        ++delay;  // a half goes to the even neighbour
    }
    return int(std::min<std::int64_t>(delay, max_delay));
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
    } else if (images.back().delay + delay <= max_delay) {
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
    last.delay = std::min(max_delay, last.delay - s.last_frame_delay + gif_last_frame_delay);
    const QByteArray bytes = gif_file(s.previous.size(), s.global, s.images);
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
