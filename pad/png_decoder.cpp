#include "pad/png_decoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/error.h"

namespace inkwren {
namespace {

// Deflate cannot expand data by more than about 1032 to 1, so a header promising more pixel
// data than that is damaged; refusing it keeps a few bytes from claiming a gigabyte.
constexpr std::int64_t max_inflation_ratio = 1032;
constexpr std::int64_t max_inflation_slack = 1024;

constexpr int png_signature_size = 8;
constexpr int rgba_bytes = 4;

// Everything libpng's callbacks need: the bytes being read and the message of a failure.
struct DecodeContext {
    const png_byte* data;
    std::size_t size;
    std::size_t position;
    char message[200];
};

[[noreturn]] void on_error(png_structp png, png_const_charp message) {
    auto* context = static_cast<DecodeContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings concern ancillary chunks (colour profiles, text); the pixels are still right.
void on_warning(png_structp, png_const_charp) {}

// Reading past the end of the picture is a libpng error like any other damage.
void read_from_memory(png_structp png, png_bytep out, std::size_t length) {
    auto* context = static_cast<DecodeContext*>(png_get_io_ptr(png));
    if (length > context->size - context->position) {
        png_error(png, "the picture data ends too early");
    }
    std::memcpy(out, context->data + context->position, length);
    context->position += length;
}

// Owns libpng's two read structures, so that every way out of decode_png() frees them.
class PngReadGuard {
public:
    explicit PngReadGuard(DecodeContext& context) {
        // Created with libpng's own handlers: its creation code guards itself and answers null.
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
        if (png_ == nullptr || info_ == nullptr) {
            png_destroy_read_struct(&png_, &info_, nullptr);
            throw Error(QStringLiteral("libpng cannot start a PNG decoder (out of memory)."));
        }
        png_set_error_fn(png_, &context, on_error, on_warning);
        png_set_read_fn(png_, &context, read_from_memory);
    }
    ~PngReadGuard() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReadGuard(const PngReadGuard&) = delete;
    PngReadGuard& operator=(const PngReadGuard&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

struct PngHeader {
    png_uint_32 width;
    png_uint_32 height;
    std::size_t stored_row_bytes;  // one row as the file holds it, before any conversion
};

// libpng is C: on failure it calls on_error(), which must not return. A C++ exception thrown
// there would unwind through libpng's frames, which C does not allow, so on_error() longjmps
// back to one of the two boundaries below and decode_png() throws once they have returned.
// The boundaries own nothing with a destructor, so the jump skips none.
bool read_header(const PngReadGuard& guard, PngHeader& header) {
    png_structp png = guard.png();
    png_infop info = guard.info();
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_read_info(png, info);
    header.width = png_get_image_width(png, info);
    header.height = png_get_image_height(png, info);
    header.stored_row_bytes = png_get_rowbytes(png, info);
    return true;
}

// Reads the pixels as 8-bit RGBA rows whatever the file holds; rows has one pointer per row.
bool read_rgba_rows(const PngReadGuard& guard, png_bytepp rows) {
    png_structp png = guard.png();
    png_infop info = guard.info();
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, transparency to alpha
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // opaque pictures get an opaque alpha
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(png_get_image_width(png, info)) * rgba_bytes) {
        png_error(png, "its rows cannot be converted to RGBA");
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

Error decode_failure(const QString& what, const QString& reason) {
    return Error(QStringLiteral("%1 is not a readable PNG picture: %2.").arg(what, reason));
}

void check_size(const QString& what, const PngHeader& header, std::int64_t data_size) {
    if (header.width > png_uint_32(max_png_side) || header.height > png_uint_32(max_png_side)) {
        throw decode_failure(what, QStringLiteral("it claims %1 × %2 pixels, more than the %3 "
                                                  "pixels a side a picture may have")
                                       .arg(header.width)
                                       .arg(header.height)
                                       .arg(max_png_side));
    }
    const std::int64_t stored_bytes = std::int64_t(header.stored_row_bytes) * header.height;
    if (stored_bytes > data_size * max_inflation_ratio + max_inflation_slack) {
        throw decode_failure(what, QStringLiteral("its %1 bytes cannot hold the %2 × %3 pixels "
                                                  "it claims")
                                       .arg(data_size)
                                       .arg(header.width)
                                       .arg(header.height));
    }
}

std::uint8_t over_white(std::uint8_t channel, std::uint8_t alpha) {
    return std::uint8_t((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

void lay_over_white(const QImage& rgba, QImage& rgb) {
    for (int y = 0; y < rgba.height(); ++y) {
        const std::uint8_t* in = rgba.constScanLine(y);
        std::uint8_t* out = rgb.scanLine(y);
        for (int x = 0; x < rgba.width(); ++x, in += rgba_bytes, out += 3) {
            out[0] = over_white(in[0], in[3]);
            out[1] = over_white(in[1], in[3]);
            out[2] = over_white(in[2], in[3]);
        }
    }
}

QImage allocate(const QString& what, const PngHeader& header, QImage::Format format) {
    QImage image(int(header.width), int(header.height), format);
    if (image.isNull()) {
        throw decode_failure(what, QStringLiteral("there is not enough memory for its %1 × %2 "
                                                  "pixels")
                                       .arg(header.width)
                                       .arg(header.height));
    }
    return image;
}

}  // namespace

QImage decode_png(const QByteArray& bytes, const QString& what) {
    const auto* data = reinterpret_cast<const png_byte*>(bytes.constData());
    if (bytes.size() < png_signature_size || png_sig_cmp(data, 0, png_signature_size) != 0) {
        throw decode_failure(what, QStringLiteral("it does not begin with the PNG signature"));
    }
    DecodeContext context{data, std::size_t(bytes.size()), 0, {}};
    const PngReadGuard guard(context);
    auto libpng_failure = [&] {
        return decode_failure(what, QString::fromLatin1(context.message));
    };

    PngHeader header{};
    if (!read_header(guard, header)) {
        throw libpng_failure();
    }
    check_size(what, header, bytes.size());

    QImage rgba = allocate(what, header, QImage::Format_RGBA8888);
    std::vector<png_bytep> rows(header.height);
    for (int y = 0; y < rgba.height(); ++y) {
        rows[std::size_t(y)] = rgba.scanLine(y);
    }
    if (!read_rgba_rows(guard, rows.data())) {
        throw libpng_failure();
    }
    QImage rgb = allocate(what, header, QImage::Format_RGB888);
    lay_over_white(rgba, rgb);
    return rgb;
}

}  // namespace inkwren
