#include "animation/stroke_numbers.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "animation/raster.h"
#include "animation/stroke_model.h"
#include "animation/stroke_rendering.h"

namespace inkwren {
namespace {

// Digits shrink with the square root of the strokes, as the room around each start does: the five
// strokes of 永 get digits a twentieth of the pad high, the 29 of 鬱 7 pixels on a pad of 200
// and 15 on one of 650.
constexpr double height_per_density = 0.12;
constexpr double largest_height_share = 0.05;
constexpr double least_height = 7.0;
// A digit of the bold sans is about 0.8 of its height wide, each further one 0.95 more.
constexpr double first_digit_width = 0.8;
constexpr double next_digit_width = 0.95;
constexpr double halo_share = 0.2;
constexpr double least_halo = 1.5;
// Places tried around a start: rings a quarter of the digits' height apart, out to four heights.
constexpr double ring_step_share = 0.25;
constexpr double reach_share = 4.0;
// A number farther than one and a half heights from its start is tied to it by a thin line.
constexpr double leader_distance_share = 1.5;
constexpr double start_dot_share = 0.15;
// The pen's first direction is read this far along the stroke, past the jitter of its start.
constexpr double direction_reach = 6.0;

// Brick-red digits in a white halo: apart from the black ink, the blue highlight and grid and the
// grey underlay, and readable over any of them.
const QColor digit_colour(0xC0, 0x39, 0x2B);
const QColor halo_colour(0xFF, 0xFF, 0xFF);

double length(QPointF vector) {
    return std::hypot(vector.x(), vector.y());
}

QPointF first_direction(const TObjList& element) {
    const QPointF start(element.front().x, element.front().y);
    QPointF farthest;
    for (const PointRecord& record : element) {
        if (is_end_marker(record)) {
            break;
        }
        const QPointF step = QPointF(record.x, record.y) - start;
        if (length(step) >= direction_reach) {
            return step / length(step);
        }
        if (length(step) > length(farthest)) {
            farthest = step;
        }
    }
    return length(farthest) > 0 ? farthest / length(farthest) : QPointF();
}

double halo_width(double height) {
    return std::max(least_halo, halo_share * height);
}

int digit_count(int number) {
    return int(QString::number(number).size());
}

// The box of this size centred as near the point as keeps it inside the pad; the pad's middle
// where it is too small for the box.
QRectF box_inside(QPointF centre, QSizeF size, QSize pad) {
    auto clamp = [](double value, double half, int side) {
        return side < 2 * half ? side / 2.0 : std::clamp(value, half, side - half);
    };
    const QPointF middle(clamp(centre.x(), size.width() / 2, pad.width()),
                         clamp(centre.y(), size.height() / 2, pad.height()));
    return {middle - QPointF(size.width(), size.height()) / 2, size};
}

// The pixels a box touches.
QRect pixels_of(const QRectF& box) {
    return box.toAlignedRect();
}

bool meets_any(const QRect& box, const std::vector<QRect>& taken) {
    return std::any_of(taken.begin(), taken.end(),
                       [&box](const QRect& other) { return other.intersects(box); });
}

// The centres a start's number may take, nearest first: rings around the start, each beginning
// behind the stroke and turning alternately to either side, so that of two places equally near
// the one off the stroke's way comes first.
std::vector<QPointF> candidate_centres(const StrokeStart& start, double height) {
    const QPointF behind = length(start.direction) > 0
                               ? -start.direction
                               : QPointF(-std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2);
    const double behind_angle = std::atan2(behind.y(), behind.x());
    const double step = std::max(1.0, ring_step_share * height);
    const int rings = int(std::ceil(reach_share * height / step));
    std::vector<QPointF> centres{start.point};
    for (int ring = 1; ring <= rings; ++ring) {
        const double distance = ring * step;
        // About one place per step along the ring, and an even number for the two sides.
        const int directions = 2 * std::max(4, int(std::lround(std::numbers::pi * ring)));
        const double turn = 2 * std::numbers::pi / directions;
        for (int at = 0; at < directions; ++at) {
            const int side = at % 2 == 0 ? 1 : -1;
            const double angle = behind_angle + side * ((at + 1) / 2) * turn;
            centres.push_back(start.point + distance * QPointF(std::cos(angle), std::sin(angle)));
        }
    }
    return centres;
}

// The first free box in the order of the candidates, else the least inked of those that meet no
// other number, else the least inked. Ink is counted first, as it costs the least.
QRectF best_box(const StrokeStart& start, QSizeF size, const InkMap& ink, double height,
                const std::vector<QRect>& taken) {
    QRectF best;
    bool best_meets = true;
    int best_ink = std::numeric_limits<int>::max();
    for (const QPointF& centre : candidate_centres(start, height)) {
        const QRectF box = box_inside(centre, size, ink.size());
        const int inked = ink.ink_in(pixels_of(box));
        if (best_meets || inked < best_ink) {
            const bool meets = meets_any(pixels_of(box), taken);
            if (!meets && inked == 0) {
                return box;
            }
            if (std::pair(meets, inked) < std::pair(best_meets, best_ink)) {
                best = box;
                best_meets = meets;
                best_ink = inked;
            }
        }
    }
    return best;
}

QFont number_font(double height) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(std::max(6, int(std::lround(height / 0.73))));  // digits are 0.73 em high
    return font;
}

// The number's digits in their halo on a transparent picture the size of its box and a pixel
// more each side, the digits' outline centred.
QImage draw_number_sprite(const NumberMark& mark) {
    const QSize size = mark.box.size().toSize() + QSize(2, 2);
    QImage sprite(size, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainterPath digits;
    digits.addText(QPointF(), number_font(mark.height), QString::number(mark.number));
    digits.translate(QPointF(size.width(), size.height()) / 2 - digits.boundingRect().center());
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(digits, QPen(halo_colour, 2 * halo_width(mark.height), Qt::SolidLine,
                                    Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(digits, digit_colour);
    return sprite;
}

QImage draw_start_dot(double height) {
    const double dot = std::max(1.2, start_dot_share * height);
    const int side = 2 * int(std::ceil(dot)) + 4;
    QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(digit_colour);
    painter.drawEllipse(QPointF(side / 2.0, side / 2.0), dot, dot);
    return sprite;
}

// Where a sprite centred on the point has its top-left pixel.
QPoint sprite_corner(QPointF centre, QSize size) {
    const QPointF corner = centre - QPointF(size.width(), size.height()) / 2;
    return {int(std::lround(corner.x())), int(std::lround(corner.y()))};
}

// Lays a premultiplied sprite over the picture. The pad's 24-bit pictures are blended here
// pixel by pixel: a painter converts every line to and fro, which at every frame of a large pad
// cost more than the pen's own drawing.
void blend_sprite(QImage& picture, QPoint at, const QImage& sprite) {
    if (picture.format() != QImage::Format_RGB888 ||
        sprite.format() != QImage::Format_ARGB32_Premultiplied) {
        QPainter(&picture).drawImage(at, sprite);
        return;
    }
    const QRect area = QRect(at, sprite.size()) & picture.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(sprite.constScanLine(y - at.y()));
        uchar* to = picture.scanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = from[x - at.x()];
            const int keep = 255 - qAlpha(pixel);
            if (keep == 255) {
                continue;
            }
            uchar* rgb = to + 3 * x;
            rgb[0] = uchar(qRed(pixel) + (rgb[0] * keep + 127) / 255);
            rgb[1] = uchar(qGreen(pixel) + (rgb[1] * keep + 127) / 255);
            rgb[2] = uchar(qBlue(pixel) + (rgb[2] * keep + 127) / 255);
        }
    }
}

// The point of the box nearest the start.
QPointF nearest_in(const QRectF& box, QPointF point) {
    return {std::clamp(point.x(), box.left(), box.right()),
            std::clamp(point.y(), box.top(), box.bottom())};
}

bool has_leader(const NumberMark& mark) {
    return length(nearest_in(mark.box, mark.start) - mark.start) >
           leader_distance_share * mark.height;
}

// A number moved away from its start points at it with a thin line, drawn under the dots.
void draw_leaders(QImage& picture, const std::vector<NumberMark>& marks, int shown) {
    if (std::none_of(marks.begin(), marks.begin() + shown, has_leader)) {
        return;
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int at = 0; at < shown; ++at) {
        const NumberMark& mark = marks[std::size_t(at)];
        if (has_leader(mark)) {
            painter.setPen(QPen(digit_colour, std::max(1.0, 0.08 * mark.height)));
            painter.drawLine(nearest_in(mark.box, mark.start), mark.start);
        }
    }
}

}  // namespace

InkMap::InkMap(const QImage& character)
    : size_(character.size()), sums_(std::size_t((size_.width() + 1) * (size_.height() + 1))) {
    // The pad's pictures are 24-bit; anything else is read as such.
    const QImage picture = character.convertToFormat(QImage::Format_RGB888);
    const int stride = size_.width() + 1;
    for (int y = 0; y < size_.height(); ++y) {
        const uchar* rgb = picture.constScanLine(y);
        int row = 0;
        for (int x = 0; x < size_.width(); ++x, rgb += 3) {
            row += (rgb[0] & rgb[1] & rgb[2]) != 0xFF;
            sums_[std::size_t((y + 1) * stride + x + 1)] =
                sums_[std::size_t(y * stride + x + 1)] + row;
        }
    }
}

int InkMap::ink_in(const QRect& box) const {
    const QRect area = box & QRect(QPoint(), size_);
    if (area.isEmpty()) {
        return 0;
    }
    const int left = area.left(), top = area.top();
    const int right = area.right() + 1, bottom = area.bottom() + 1;
    return sum_to(right, bottom) - sum_to(left, bottom) - sum_to(right, top) + sum_to(left, top);
}

std::vector<StrokeStart> stroke_starts(const TLineList& lines) {
    std::vector<StrokeStart> starts;
    const CharacterStrokes strokes(lines);
    for (const Stroke& stroke : strokes.strokes()) {
        const TObjList& element = lines.items[std::size_t(stroke.ink_element)];
        const PointRecord& first = element.front();
        starts.push_back({QPointF(first.x, first.y), first_direction(element)});
    }
    return starts;
}

double number_height(QSize pad, int strokes) {
    const double side = std::min(pad.width(), pad.height());
    const double height = height_per_density * side / std::sqrt(std::max(1, strokes));
    return std::max(least_height, std::min(height, largest_height_share * side));
}

QSizeF number_box_size(double height, int digits) {
    const double width = (first_digit_width + next_digit_width * (digits - 1)) * height;
    const double halo = 2 * halo_width(height);
    return {std::ceil(width + halo), std::ceil(height + halo)};
}

std::vector<NumberMark> place_numbers(const std::vector<StrokeStart>& starts, const InkMap& ink,
                                      double height) {
    std::vector<NumberMark> marks;
    std::vector<QRect> taken;
    marks.reserve(starts.size());
    for (const StrokeStart& start : starts) {
        const int number = int(marks.size()) + 1;
        const QSizeF size = number_box_size(height, digit_count(number));
        marks.push_back({number, best_box(start, size, ink, height, taken), height, start.point});
        taken.push_back(pixels_of(marks.back().box));
    }
    return marks;
}

std::vector<NumberMark> place_stroke_numbers(const TLineList& lines, QSize pad,
                                             double width_scale) {
    QImage character = make_bitmap(pad.width(), pad.height());
    RestStyle style;
    style.width_scale = width_scale;
    draw_at_rest(character, lines, style);
    const std::vector<StrokeStart> starts = stroke_starts(lines);
    return place_numbers(starts, InkMap(character), number_height(pad, int(starts.size())));
}

void StrokeNumberPainter::draw(QImage& picture, const TLineList& lines, int shown_strokes,
                               QSize pad, double width_scale) {
    if (shown_strokes <= 0) {
        return;
    }
    const std::vector<NumberMark>& marks = marks_for(lines, pad, width_scale);
    if (marks.empty()) {
        return;
    }
    const int shown = std::min(shown_strokes, int(marks.size()));
    draw_leaders(picture, marks, shown);
    for (int at = 0; at < shown; ++at) {
        blend_sprite(picture, sprite_corner(marks[std::size_t(at)].start, dot_.size()), dot_);
    }
    for (int at = 0; at < shown; ++at) {
        const NumberMark& mark = marks[std::size_t(at)];
        const QImage& digits = sprite(mark);
        blend_sprite(picture, sprite_corner(mark.box.center(), digits.size()), digits);
    }
}

const std::vector<NumberMark>& StrokeNumberPainter::marks_for(const TLineList& lines, QSize pad,
                                                              double width_scale) {
    if (lines.items != placed_lines_.items || pad != placed_pad_ || width_scale != placed_scale_) {
        marks_ = place_stroke_numbers(lines, pad, width_scale);
        placed_lines_ = lines;
        placed_pad_ = pad;
        placed_scale_ = width_scale;
        sprites_.clear();
        dot_ = marks_.empty() ? QImage() : draw_start_dot(marks_.front().height);
    }
    return marks_;
}

const QImage& StrokeNumberPainter::sprite(const NumberMark& mark) {
    auto [at, added] = sprites_.try_emplace(mark.number);
    if (added) {
        at->second = draw_number_sprite(mark);
    }
    return at->second;
}

}  // namespace inkwren
