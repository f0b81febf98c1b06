#include "animation/stroke_layer.h"

#include <cstring>

namespace inkwren {
namespace {

constexpr int bytes_per_pixel = 3;

// The layer's pixels that are not white, laid on the ink in the colour.
void lay(const QImage& layer, QImage& ink, QRect area, std::int32_t colour) {
    const uchar red = uchar(colour & 0xFF);
    const uchar green = uchar((colour >> 8) & 0xFF);
    const uchar blue = uchar((colour >> 16) & 0xFF);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* from = layer.constScanLine(y) + area.left() * bytes_per_pixel;
        uchar* to = ink.scanLine(y) + area.left() * bytes_per_pixel;
        for (int x = 0; x < area.width(); ++x, from += bytes_per_pixel, to += bytes_per_pixel) {
            if ((from[0] & from[1] & from[2]) != 0xFF) {
                to[0] = red;
                to[1] = green;
                to[2] = blue;
            }
        }
    }
}

}  // namespace

void StrokeLayer::prepare(QSize size) {
    close();
    if (layer_.size() != size) {
        canvas_.reset();
        layer_ = make_bitmap(size.width(), size.height());
        canvas_.emplace(layer_);
    }
}

void StrokeLayer::release() {
    canvas_.reset();
    layer_ = QImage();
    drawn_ = QRect();
    first_index_.reset();
}

void StrokeLayer::open(int first_index, QPoint start, int start_width, bool start_dot) {
    close();
    if (!canvas_) {
        return;
    }
    first_index_ = first_index;
    start_ = start;
    start_width_ = start_width;
    start_dot_ = start_dot;
    drawn_any_ = start_dot;
    exact_ = true;
}

void StrokeLayer::line(QPoint from, QPoint to, int width) {
    drawn_any_ = true;
    canvas_->pen_width = width;
    canvas_->move_to(from);
    canvas_->line_to(to);
}

QRect StrokeLayer::lay_pending(QImage& ink, std::int32_t colour) {
    if (!canvas_) {
        return {};
    }
    canvas_->finish();
    const QRect pending = canvas_->take_touched() & ink.rect();
    if (!pending.isEmpty()) {
        lay(layer_, ink, pending, colour);
        drawn_ |= pending;
    }
    return pending;
}

std::optional<QRect> StrokeLayer::finish(QImage& ink, std::int32_t colour, int first_index) {
    std::optional<QRect> laid;
    // A stroke with nothing drawn is left to the caller too: the stroke found behind its end
    // is then the one before it.
    if (is_open() && exact_ && drawn_any_ && *first_index_ == first_index &&
        ink.size() == layer_.size()) {
        if (start_dot_) {
            line(start_, start_, start_width_);
        }
        take_lines_drawn();
        lay(layer_, ink, drawn_, colour);
        laid = drawn_;
    }
    close();
    return laid;
}

void StrokeLayer::take_lines_drawn() {
    if (canvas_) {
        canvas_->finish();
        drawn_ |= canvas_->take_touched() & layer_.rect();
    }
}

void StrokeLayer::close() {
    take_lines_drawn();
    for (int y = drawn_.top(); y <= drawn_.bottom(); ++y) {
        std::memset(layer_.scanLine(y) + drawn_.left() * bytes_per_pixel, 0xFF,
                    std::size_t(drawn_.width()) * bytes_per_pixel);
    }
    drawn_ = QRect();
    first_index_.reset();
    exact_ = false;
}

}  // namespace inkwren
