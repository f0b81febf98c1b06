#include "animation/smooth_ink.h"

#include <algorithm>
#include <cmath>

#include "animation/raster.h"

namespace inkwren {
namespace {

constexpr std::int32_t white = white_color;

// x / 255 rounded, for x up to 255 × 255 + 255.
constexpr unsigned div255(unsigned x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Premultiplied ARGB of a colour value (red in its low byte) at a coverage.
QRgb premultiplied(std::int32_t colour, unsigned coverage) {
    const unsigned red = unsigned(colour) & 0xFF;
    const unsigned green = unsigned(colour) >> 8 & 0xFF;
    const unsigned blue = unsigned(colour) >> 16 & 0xFF;
    return coverage << 24 | div255(red * coverage) << 16 | div255(green * coverage) << 8 |
           div255(blue * coverage);
}

// Every channel, alpha included, at a share of 255.
QRgb faded(QRgb pixel, unsigned share) {
    return div255(qAlpha(pixel) * share) << 24 | div255(qRed(pixel) * share) << 16 |
           div255(qGreen(pixel) * share) << 8 | div255(qBlue(pixel) * share);
}

// Premultiplied source over destination.
QRgb over(QRgb source, QRgb destination) {
    const QRgb below = faded(destination, 255 - qAlpha(source));
    return source + below;
}

void cover(QRgb& pixel, std::int32_t colour, unsigned coverage) {
    if (colour == white) {
        pixel = faded(pixel, 255 - coverage);
        return;
    }
    const unsigned alpha = qAlpha(pixel);
    if (coverage == 255 || alpha == 0) {
        pixel = premultiplied(colour, coverage);
    } else if (pixel == premultiplied(colour, alpha)) {
        // The same colour: the shapes join, so the pixel is covered by the larger share.
        pixel = premultiplied(colour, std::max(alpha, coverage));
    } else {
        pixel = over(premultiplied(colour, coverage), pixel);
    }
}

QRgb* row_of(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

const QRgb* row_of(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// Every twin starts transparent: twins of one size share one empty image until drawn on, so a
// layer nothing is drawn on takes no memory of its own.
QImage transparent_image(QSize size) {
    thread_local QImage last;
    if (last.size() != size) {
        last = QImage(size, QImage::Format_ARGB32_Premultiplied);
        last.fill(Qt::transparent);
    }
    return last;
}

}  // namespace

SmoothInk::SmoothInk(QSize size) : image_(transparent_image(size)), changed_(QPoint(0, 0), size) {}

void SmoothInk::touch(QRect area) {
    area &= image_.rect();
    changed_ |= area;
    drawn_ |= area;
}

QRect SmoothInk::take_changed() {
    return std::exchange(changed_, QRect());
}

namespace {

// A line with round ends as a shape: for a row, the columns whose centres lie within a distance
// of it. The shape is convex, so they are one run.
struct Capsule {
    double ax, ay, dx, dy, length, ux, uy;

    Capsule(QPoint from, QPoint to)
        : ax(from.x()),
          ay(from.y()),
          dx(to.x() - ax),
          dy(to.y() - ay),
          length(std::sqrt(dx * dx + dy * dy)),
          ux(length > 0 ? dx / length : 0),
          uy(length > 0 ? dy / length : 0) {}

    struct Span {
        double left = 1, right = 0;  // empty
        bool empty() const { return left > right; }
        void join(Span other) {
            if (other.empty()) {
                return;
            }
            if (empty()) {
                *this = other;
                return;
            }
            left = std::min(left, other.left);
            right = std::max(right, other.right);
        }
        void meet(Span other) {
            left = std::max(left, other.left);
            right = std::min(right, other.right);
        }
    };

    static Span disc(double centre_x, double height, double reach) {
        if (std::abs(height) >= reach) {
            return {};
        }
        const double half = std::sqrt(reach * reach - height * height);
        return {centre_x - half, centre_x + half};
    }

    // The x with low <= slope * x + offset <= high.
    static Span between(double slope, double offset, double low, double high) {
        if (std::abs(slope) < 1e-12) {
            return offset >= low && offset <= high ? Span{-1e9, 1e9} : Span{};
        }
        const double a = (low - offset) / slope;
        const double b = (high - offset) / slope;
        return {std::min(a, b), std::max(a, b)};
    }

    // Columns relative to the start, for a row at height py relative to it.
    Span span(double py, double reach) const {
        Span run = disc(0, py, reach);
        run.join(disc(dx, py - dy, reach));
        if (length > 0) {
            Span band = between(ux, uy * py, 0, length);
            band.meet(between(-uy, ux * py, -reach, reach));
            run.join(band);
        }
        return run;
    }

    double distance(double px, double py) const {
        const double along = std::clamp(px * ux + py * uy, 0.0, length);
        const double ex = px - along * ux;
        const double ey = py - along * uy;
        return std::sqrt(ex * ex + ey * ey);
    }
};

}  // namespace

// The canvas's pen covers the pixels whose centres (half a pixel right of and below their
// corner) lie within half its width of the line; a pixel here is covered by how far its centre
// lies inside that edge, up to half a pixel.
void SmoothInk::line(QPoint from, QPoint to, int width, std::int32_t colour) {
    // The canvas draws nothing for a line that goes nowhere.
    if (is_null() || from == to) {
        return;
    }
    colour &= white;
    const double radius = std::max(width, 1) / 2.0;
    const double outer = radius + 0.5;
    const double inner = radius - 0.5;
    const Capsule capsule(from, to);
    const QRgb solid = colour == white ? 0 : premultiplied(colour, 255);
    const int reach = int(std::ceil(outer));
    const int top = std::max(std::min(from.y(), to.y()) - reach, 0);
    const int bottom = std::min(std::max(from.y(), to.y()) + reach, image_.height() - 1);
    const int last_column = image_.width() - 1;
    // Columns whose centres lie in a span relative to the start, within the picture.
    auto columns = [&](Capsule::Span span) {
        return std::pair{std::max(int(std::ceil(span.left + capsule.ax - 0.5)), 0),
                         std::min(int(std::floor(span.right + capsule.ax - 0.5)), last_column)};
    };
    QRect touched;
    for (int y = top; y <= bottom; ++y) {
        const double py = y + 0.5 - capsule.ay;
        const Capsule::Span outside = capsule.span(py, outer);
        if (outside.empty()) {
            continue;
        }
        const auto [left, right] = columns(outside);
        if (left > right) {
            continue;
        }
        touched |= QRect(left, y, right - left + 1, 1);
        Capsule::Span inside = inner > 0 ? capsule.span(py, inner) : Capsule::Span{};
        auto [solid_left, solid_right] =
            inside.empty() ? std::pair{right + 1, right} : columns(inside);
        QRgb* row = row_of(image_, y);
        for (int x = left; x <= right; ++x) {
            if (x >= solid_left && x <= solid_right) {
                std::fill(row + x, row + solid_right + 1, solid);
                x = solid_right;
                continue;
            }
            const double distance = capsule.distance(x + 0.5 - capsule.ax, py);
            const double share = std::min(1.0, outer - distance);
            if (share > 0) {
                cover(row[x], colour, unsigned(share * 255.0 + 0.5));
            }
        }
    }
    touch(touched);
}

void SmoothInk::take_changes(const QImage& area_before, const QImage& after, QRect area,
                             Hard mode) {
    const QPoint origin = area.topLeft();
    area &= image_.rect() & after.rect() & area_before.rect().translated(origin);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = row_of(image_, y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const std::int32_t colour = color_at(after, x, y);
            const std::int32_t was = color_at(area_before, x - origin.x(), y - origin.y());
            if (colour == was) {
                continue;
            }
            const bool was_empty = was == white;
            if (colour == white) {
                row[x] = 0;
            } else if (mode == Hard::under && was_empty) {
                row[x] = over(row[x], premultiplied(colour, 255));
            } else {
                row[x] = premultiplied(colour, 255);
            }
        }
    }
    touch(area);
}

// Each pixel another twin drew, combined with the one here; the area is changed here.
template <typename Combine>
void SmoothInk::take_drawn(const SmoothInk& other, Combine combine) {
    if (other.is_null() || other.image_.size() != image_.size()) {
        return;
    }
    const QRect area = other.drawn_;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* source = row_of(other.image_, y);
        QRgb* row = row_of(image_, y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(source[x]) != 0) {
                row[x] = combine(source[x], row[x]);
            }
        }
    }
    touch(area);
}

void SmoothInk::overlay(const SmoothInk& newer) {
    take_drawn(newer, [](QRgb source, QRgb pixel) {
        return qAlpha(source) >= qAlpha(pixel) ? source : over(source, pixel);
    });
}

void SmoothInk::settle(SmoothInk& stroke, std::int32_t from, std::int32_t to) {
    take_drawn(stroke, [from = from & white, to = to & white](QRgb source, QRgb pixel) {
        const unsigned alpha = qAlpha(source);
        return over(source == premultiplied(from, alpha) ? premultiplied(to, alpha) : source,
                    pixel);
    });
    stroke.clear();
}

void SmoothInk::clear() {
    for (int y = drawn_.top(); y <= drawn_.bottom(); ++y) {
        std::fill_n(row_of(image_, y) + drawn_.left(), drawn_.width(), QRgb(0));
    }
    touch(drawn_);
    drawn_ = QRect();
}

void lay_over(QImage& picture, const SmoothInk& ink, QRect area) {
    area &= picture.rect() & ink.image().rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* source = row_of(ink.image(), y);
        uchar* row = picture.scanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = source[x];
            const unsigned alpha = qAlpha(pixel);
            if (alpha == 0) {
                continue;
            }
            uchar* out = row + 3 * x;
            const unsigned rest = 255 - alpha;
            out[0] = uchar(unsigned(qRed(pixel)) + div255(out[0] * rest));
            out[1] = uchar(unsigned(qGreen(pixel)) + div255(out[1] * rest));
            out[2] = uchar(unsigned(qBlue(pixel)) + div255(out[2] * rest));
        }
    }
}

void show_area(QImage& shown, const QImage& background,
               std::initializer_list<const SmoothInk*> inks, QRect area) {
    area &= shown.rect() & background.rect();
    if (area.isEmpty()) {
        return;
    }
    const int depth = shown.depth() / 8;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::copy_n(background.constScanLine(y) + depth * area.left(), depth * area.width(),
                    shown.scanLine(y) + depth * area.left());
    }
    for (const SmoothInk* ink : inks) {
        lay_over(shown, *ink, area);
    }
}

QImage soften_edges(const QImage& picture) {
    QImage softened = picture;
    const int width = picture.width();
    const int height = picture.height();
    auto at = [&](int x, int y) {
        return picture.constScanLine(std::clamp(y, 0, height - 1)) +
               3 * std::clamp(x, 0, width - 1);
    };
    auto same = [](const uchar* a, const uchar* b) { return std::equal(a, a + 3, b); };
    for (int y = 0; y < height; ++y) {
        uchar* out = softened.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const uchar* centre = at(x, y);
            if (same(centre, at(x - 1, y)) && same(centre, at(x + 1, y)) &&
                same(centre, at(x, y - 1)) && same(centre, at(x, y + 1))) {
                continue;
            }
            for (int channel = 0; channel < 3; ++channel) {
                unsigned sum = 0;
                for (int row = -1; row <= 1; ++row) {
                    for (int column = -1; column <= 1; ++column) {
                        const unsigned weight = (row == 0 ? 2u : 1u) * (column == 0 ? 2u : 1u);
                        sum += weight * at(x + column, y + row)[channel];
                    }
                }
                out[3 * x + channel] = uchar((sum + 8) / 16);
            }
        }
    }
    return softened;
}

}  // namespace inkwren
