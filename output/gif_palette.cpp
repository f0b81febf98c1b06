#include "output/gif_palette.h"

#include <QCoreApplication>

#include <gif_lib.h>

#include "platform/error.h"

namespace inkwren {
namespace {

Rgb rgb_at(const uchar* pixel) {
    return Rgb(pixel[0]) | (Rgb(pixel[1]) << 8) | (Rgb(pixel[2]) << 16);
}

}  // namespace

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
    std::array<GifColorType, max_gif_colors> map{};
    int map_size = max_gif_colors;
    if (GifQuantizeBuffer(unsigned(rect.width()), unsigned(rect.height()), &map_size, red.data(),
                          green.data(), blue.data(), indices.data(), map.data()) == GIF_ERROR) {
        throw Error(QCoreApplication::translate(
            "GifEncoder", "An animation frame could not be reduced to 256 colours."));
    }
    std::vector<Rgb> colors;
    for (int index = 0; index < map_size; ++index) {
        const GifColorType& c = map[std::size_t(index)];
        colors.push_back(Rgb(c.Red) | (Rgb(c.Green) << 8) | (Rgb(c.Blue) << 16));
    }
    palette.assign(std::move(colors));
}

}  // namespace inkwren
