#include "output/gif_file.h"

#include <QCoreApplication>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

#include "output/gif_lzw.h"
#include "platform/error.h"

namespace inkwren {
namespace {

constexpr int max_sub_block = 255;

QString tr(const char* text) {
    return QCoreApplication::translate("GifEncoder", text);
}

// The bits of a colour table that holds count colours (a table has at least two entries).
int table_bits(int count) {
    int bits = 1;
    while ((1 << bits) < count) {
        ++bits;
    }
    return bits;
}

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

void put_frame_control(GifFileType* gif, int delay, int transparent) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;  // each image is drawn over the ones before
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = transparent < 0 ? NO_TRANSPARENT_COLOR : transparent;
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

void put_image(GifFileType* gif, const EncodedImage& image, CodeSizes code_sizes) {
    put_frame_control(gif, image.delay, image.transparent);
    const ColorMap local = color_map(image.local_colors);
    // giflib drops its copy of the last local table, unfreed, when an image without one follows.
    if (!local && gif->Image.ColorMap != nullptr) {
        GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
    }
    const QRect& r = image.rect;
    // giflib writes the code size of the table an image uses; an image of the global table
    // written with a code size of its own has it lent to the table for the moment.
    ColorMapObject* table = local || code_sizes == CodeSizes::of_table ? nullptr : gif->SColorMap;
    const int table_code_size = table != nullptr ? table->BitsPerPixel : 0;
    if (table != nullptr) {
        table->BitsPerPixel = image.min_code_size;
    }
    const int result =
        EGifPutImageDesc(gif, r.left(), r.top(), r.width(), r.height(), false, local.get());
    if (table != nullptr) {
        table->BitsPerPixel = table_code_size;
    }
    check(gif, result);
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

}  // namespace

int min_code_size(int colors) {
    return std::max(2, table_bits(colors));
}

QByteArray gif_file(QSize size, const std::vector<Rgb>& global, std::vector<EncodedImage>& images,
                    CodeSizes code_sizes) {
    if (code_sizes == CodeSizes::of_table) {
        const int code_size = min_code_size(int(global.size()));
        for (EncodedImage& image : images) {
            match_code_size(image, code_size);
        }
    }
    QByteArray bytes;
    GifOutput output(bytes);
    GifFileType* gif = output.get();
    EGifSetGifVersion(gif, true);
    const ColorMap global_map = color_map(global);
    check(gif, EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, global_map.get()));
    put_loop_extension(gif);
    for (const EncodedImage& image : images) {
        put_image(gif, image, code_sizes);
    }
    output.close();
    return bytes;
}

}  // namespace inkwren
