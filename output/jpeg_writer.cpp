#include "output/jpeg_writer.h"

// <cstdio> comes before jpeglib.h, which needs size_t and FILE declared.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

#include "animation/raster.h"
#include "platform/error.h"
#include "platform/whole_file.h"

namespace inkwren {

namespace {

// libjpeg reports a failure by calling error_exit, which must not return. A C++ exception must
// not cross libjpeg's C frames, so the callback keeps the message and jumps back to the one
// small function that set the jump point; the Error is thrown after that function has returned.
struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jump_out(j_common_ptr info) {
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    failure->manager.format_message(info, failure->message);
    std::longjmp(failure->jump, 1);
}

// The output buffer, sized for the worst case so libjpeg never has to grow it. When libjpeg
// grows a buffer it frees its own earlier one, but tells us the new address only at the end,
// so after a failure we could not tell which buffer to free.
class OutputBuffer {
public:
    OutputBuffer() = default;
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    ~OutputBuffer() { take_back(); }

    // Room for the picture, kept from picture to picture and never cleared: libjpeg writes
    // before it reads.
    void make_room(const QImage& bitmap) {
        take_back();
        const std::size_t needed = worst_case_size(bitmap);
        if (needed > capacity_) {
            storage_ = std::make_unique_for_overwrite<unsigned char[]>(needed);
            capacity_ = needed;
        }
        data = storage_.get();
        size = capacity_;
    }

    // The bytes written, with libjpeg's own buffer freed if it made one after all.
    QByteArray written() {
        QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
        take_back();
        return bytes;
    }

    unsigned char* data = nullptr;
    unsigned long size = 0;

private:
    // Six bytes per pixel of the picture padded to whole 16-pixel blocks, and room for the
    // headers: more than any baseline JPEG of it needs.
    static std::size_t worst_case_size(const QImage& bitmap) {
        const std::size_t width = (std::size_t(bitmap.width()) + 15) / 16 * 16;
        const std::size_t height = (std::size_t(bitmap.height()) + 15) / 16 * 16;
        return width * height * 6 + 2048;
    }

    void take_back() {
        if (data != nullptr && data != storage_.get()) {
            std::free(data);  // libjpeg's own buffer, handed over to us
        }
        data = nullptr;
    }

    std::unique_ptr<unsigned char[]> storage_;
    std::size_t capacity_ = 0;
};

// A thread's compressor and buffer, kept from picture to picture: setting them up afresh cost
// as much as encoding a small sheet. The settings are made again for every picture, so each
// encodes as a fresh compressor would.
struct Compressor {
    Compressor() {
        info.err = jpeg_std_error(&failure.manager);
        failure.manager.error_exit = jump_out;
    }
    ~Compressor() { jpeg_destroy_compress(&info); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    JpegFailure failure{};
    jpeg_compress_struct info{};  // zeroed, so it may be destroyed even if creating it failed
    bool created = false;
    OutputBuffer buffer;
};

bool create(Compressor& compressor) {
    if (setjmp(compressor.failure.jump) != 0) {
        return false;
    }
    jpeg_create_compress(&compressor.info);
    return true;
}

// Every libjpeg call that can fail happens here, behind the jump point. Only trivial locals
// live in this frame, so the jump back skips no destructor. Answers false after a failure.
bool compress(Compressor& compressor, const QImage& bitmap, int quality, int dots_per_inch) {
    jpeg_compress_struct& info = compressor.info;
    if (setjmp(compressor.failure.jump) != 0) {
        return false;
    }
    jpeg_mem_dest(&info, &compressor.buffer.data, &compressor.buffer.size);
    info.image_width = JDIMENSION(bitmap.width());
    info.image_height = JDIMENSION(bitmap.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (dots_per_inch > 0) {
        info.density_unit = 1;  // dots per inch
        info.X_density = UINT16(dots_per_inch);
        info.Y_density = UINT16(dots_per_inch);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the rows, whatever its signature says.
        JSAMPROW row = const_cast<JSAMPROW>(bitmap.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

QByteArray jpeg_bytes(const QImage& bitmap, int quality, const QString& path, int dots_per_inch) {
    const QImage picture = is_24bit(bitmap) ? bitmap : to_24bit(bitmap);
    thread_local std::unique_ptr<Compressor> compressor;
    if (!compressor) {
        compressor = std::make_unique<Compressor>();
        compressor->created = create(*compressor);
    }
    compressor->buffer.make_room(picture);
    if (!compressor->created || !compress(*compressor, picture, quality, dots_per_inch)) {
        const QString reason = QString::fromLocal8Bit(compressor->failure.message);
        compressor.reset();  // left part way: the next picture starts afresh
        throw Error(
            QStringLiteral("The picture \"%1\" cannot be saved as JPEG: %2.").arg(path, reason));
    }
    return compressor->buffer.written();
}

void jpegsave(const QImage& bitmap, const QString& path, int quality, int dots_per_inch) {
    write_whole_file(path, jpeg_bytes(bitmap, quality, path, dots_per_inch));
}

}  // namespace inkwren
