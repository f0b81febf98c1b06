#include "tools/model_pictures/png_encoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/error.h"

namespace inkwren::tools {
namespace {

// libpng is C: when it fails it calls our error handler and expects it never to return. A C++
// exception thrown there would unwind through libpng's frames, which C does not allow, so the
// handler longjmps back to write_png() instead and the error becomes an Error once we are out.
// Everything libpng may jump over is plain data, so the jump skips no destructor.
struct PngContext {
    std::jmp_buf jump;
    char message[200];
    char warning[200];
    QByteArray* out;
    bool out_of_memory;
};

[[noreturn]] void on_error(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "%s", message);
    std::longjmp(context->jump, 1);
}

// libpng often gives the reason for an error as a warning just before it: a zero width is
// warned of, and the error then only says "Invalid IHDR data". The warnings are kept for the
// message; on its own a warning does not stop the encoder.
void on_warning(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    const size_t used = std::strlen(context->warning);
    std::snprintf(context->warning + used, sizeof context->warning - used, "%s%s",
                  used == 0 ? "" : "; ", message);
}

QString reason(const PngContext& context) {
    QString text = QString::fromUtf8(context.message);
    if (context.warning[0] != '\0') {
        text += QStringLiteral(" (%1)").arg(QString::fromUtf8(context.warning));
    }
    return text;
}

void append_bytes(png_structp png, png_bytep data, size_t length) {
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    try {
        context->out->append(reinterpret_cast<const char*>(data), qsizetype(length));
    } catch (...) {
        context->out_of_memory = true;
    }
    // Raised outside the catch block, so that the jump leaves no exception half handled.
    if (context->out_of_memory) {
        png_error(png, "out of memory");
    }
}

void flush_nothing(png_structp) {}

// Owns libpng's two write structures, so that every way out of encode_png() frees them.
class PngWriteGuard {
public:
    explicit PngWriteGuard(PngContext& context) {
        // Created with libpng's own handlers: its creation code guards itself and answers null.
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
        if (png_ == nullptr || info_ == nullptr) {
            png_destroy_write_struct(&png_, &info_);
            throw Error(QStringLiteral("libpng cannot start a PNG encoder (out of memory)."));
        }
        png_set_error_fn(png_, &context, on_error, on_warning);
        png_set_write_fn(png_, &context, append_bytes, flush_nothing);
    }
    ~PngWriteGuard() { png_destroy_write_struct(&png_, &info_); }
    PngWriteGuard(const PngWriteGuard&) = delete;
    PngWriteGuard& operator=(const PngWriteGuard&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// What write_png() needs, prepared beforehand so that the boundary owns nothing.
struct PngLayout {
    png_uint_32 width;
    png_uint_32 height;
    int colour_type;
    int bit_depth;
    const png_color* palette;
    int palette_size;
    png_bytepp rows;
};

// The only function libpng may jump back to. It must not own anything with a destructor.
bool write_png(const PngWriteGuard& guard, const PngLayout& layout, PngContext& context) {
    if (setjmp(context.jump) != 0) {
        return false;
    }
    png_structp png = guard.png();
    png_infop info = guard.info();
    png_set_IHDR(png, info, layout.width, layout.height, layout.bit_depth, layout.colour_type,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.colour_type == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, layout.palette, layout.palette_size);
    }
    // Past level 6 zlib searches so long on our mostly blank pictures that encoding takes ten
    // times as long, for files 6 % smaller.
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    // Our rows hold one byte per palette index; libpng packs them into the smaller depth.
    png_set_packing(png);
    png_write_image(png, layout.rows);
    png_write_end(png, nullptr);
    return true;
}

int palette_bit_depth(int colours) {
    for (int depth : {1, 2, 4}) {
        if (colours <= (1 << depth)) {
            return depth;
        }
    }
    return 8;
}

}  // namespace

QByteArray encode_png(const QImage& image) {
    const bool indexed =
        image.format() == QImage::Format_Indexed8 && image.colorCount() <= PNG_MAX_PALETTE_LENGTH;
    const QImage pixels = indexed ? image : image.convertToFormat(QImage::Format_RGB888);

    std::vector<png_color> palette;
    for (QRgb colour : pixels.colorTable()) {
        palette.push_back(
            {png_byte(qRed(colour)), png_byte(qGreen(colour)), png_byte(qBlue(colour))});
    }
    std::vector<png_bytep> rows;
    for (int y = 0; y < pixels.height(); ++y) {
        // libpng only reads the rows, but its interface is not const.
        rows.push_back(const_cast<png_bytep>(pixels.constScanLine(y)));
    }

    PngContext context{};
    QByteArray out;
    context.out = &out;
    const PngWriteGuard guard(context);
    const PngLayout layout{png_uint_32(pixels.width()),
                           png_uint_32(pixels.height()),
                           indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                           indexed ? palette_bit_depth(int(palette.size())) : 8,
                           palette.data(),
                           int(palette.size()),
                           rows.data()};
    if (!write_png(guard, layout, context)) {
        throw Error(QStringLiteral("A %1 × %2 picture cannot be encoded as PNG: %3.")
                        .arg(pixels.width())
                        .arg(pixels.height())
                        .arg(reason(context)));
    }
    return out;
}

}  // namespace inkwren::tools
