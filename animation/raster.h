// The raster layer the player draws with: 24-bit bitmaps (QImage RGB888), colours as 0x00BBGGRR
// values, and a canvas with the state of a classic 2-D drawing surface (pen, brush, pen mode,
// current position) over QPainter without antialiasing, so every pixel is predictable. Flood
// fill is our own, working on the pixels directly.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "animation/smooth_ink.h"

namespace inkwren {

inline constexpr std::int32_t white_color = 0xFFFFFF;
inline constexpr std::int32_t black_color = 0x000000;
inline constexpr QImage::Format bitmap_format = QImage::Format_RGB888;

// A colour value has red in its low byte.
QColor to_qcolor(std::int32_t color);
std::int32_t color_at(const QImage& bitmap, int x, int y);

// A 24-bit bitmap filled with one colour (white unless told).
QImage make_bitmap(int width, int height, std::int32_t fill = white_color);
bool is_24bit(const QImage& bitmap);

// The same picture in 24 bits, transparent parts laid on white.
QImage to_24bit(const QImage& picture);

enum class PenMode { copy, not_xor };

// The anti-aliased twin a drawing goes to as well, when given. With alone, pen lines go to the
// twin only: for a bitmap that is not shown and on which nothing is filled afterwards.
struct SmoothTarget {
    SmoothInk* ink = nullptr;
    bool alone = false;
};
enum class BrushStyle { solid, clear };

class Canvas {
public:
    // A fresh canvas has a black pen of width 1 and a white solid brush.
    explicit Canvas(QImage& bitmap);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int pen_width = 1;
    std::int32_t pen_color = black_color;
    PenMode pen_mode = PenMode::copy;
    std::int32_t brush_color = white_color;
    BrushStyle brush_style = BrushStyle::solid;
    SmoothTarget twin;

    void move_to(QPoint point) { position_ = point; }
    QPoint position() const { return position_; }

    // A line from the current position to the point, which becomes the current position. Pens
    // wider than a pixel have round ends and joins, so one-pixel steps join into a smooth band.
    void line_to(QPoint point);

    // Outline with the pen, inside with the brush; right and bottom are exclusive.
    void rectangle(int left, int top, int right, int bottom);
    void polygon(const std::vector<QPoint>& corners);
    // The ellipse inside the box, outlined with the pen and filled with the brush.
    void ellipse(int left, int top, int right, int bottom);

    // Fills the area of the colour found at the point, reached through its four neighbours,
    // with the brush colour.
    void flood_fill(QPoint seed);

    // A plain copy of a picture, white included.
    void draw_picture(QPoint top_left, const QImage& picture);

    // Ends the painting so the pixels can be read or changed directly.
    void finish();

    // The area of the bitmap drawing may have changed since the last call (or since the canvas
    // was made), so that what is composed from it is brought up to date there alone.
    QRect take_touched() { return std::exchange(touched_, QRect()); }

private:
    QPainter& painter();
    void apply_pen(QPainter& painter) const;
    void apply_brush(QPainter& painter) const;
    // Draws something the twin cannot draw smooth, and gives it the pixels that changed.
    template <typename Draw>
    void draw_hard(QRect area, SmoothInk::Hard mode, Draw draw);
    QRect pen_reach(QRect points) const;

    QImage& bitmap_;
    std::optional<QPainter> painter_;
    QPoint position_;
    QRect touched_;
};

// The surface fill of a bitmap, usable without a canvas: the area of the target colour (the
// colour at the seed unless given) reached from the seed takes the fill colour.
void flood_fill_surface(QImage& bitmap, QPoint seed, std::int32_t fill_color,
                        std::optional<std::int32_t> target_color = std::nullopt);

}  // namespace inkwren
