#include "animation/stroke_numbers.h"

#include <QFont>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "animation/stroke_model.h"

namespace inkwren {
namespace {

// A pad of 200 pixels gets circles of 8 pixels' radius, room for "29" in a readable size; a
// larger pad smaller ones for its size, which cover less of the character.
constexpr double radius_share = 0.036;
constexpr double smallest_radius = 8.0;
// Room kept between two circles, as a share of the radius, so their outlines do not touch.
constexpr double gap_share = 0.2;
// Places tried around a start: rings half a radius apart, twelve directions on each.
constexpr double ring_step_share = 0.5;
constexpr int ring_count = 16;
constexpr int directions_per_ring = 12;
// The pen's first direction is read this far along the stroke, past the jitter of its start.
constexpr double direction_reach = 6.0;

// Brick-red digits and ring on white: apart from the black ink, the blue highlight and grid
// and the grey underlay.
const QColor ring_colour(0xC0, 0x39, 0x2B);
// The white lets the strokes under a circle show through faintly, so a circle never hides
// what it numbers.
const QColor fill_colour(0xFF, 0xFF, 0xFF, 0xC8);
constexpr double start_dot_share = 0.2;
constexpr double leader_share = 0.1;

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

// The point moved the least to keep a circle of the radius inside the pad; the pad's middle
// where it is too small for one.
QPointF inside(QPointF point, QSize pad, double radius) {
    auto clamp = [radius](double value, int side) {
        return side < 2 * radius ? side / 2.0 : std::clamp(value, radius, side - radius);
    };
    return {clamp(point.x(), pad.width()), clamp(point.y(), pad.height())};
}

// How far a circle at centre stays from the nearest placed circle; negative when they overlap.
double clearance(QPointF centre, double radius, const std::vector<NumberMark>& placed) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const NumberMark& mark : placed) {
        nearest = std::min(nearest, length(centre - mark.centre) - radius - mark.radius);
    }
    return nearest;
}

// The places a start's circle may take, best first: the start itself, then rings around it,
// each ring beginning behind the stroke and turning alternately to either side.
std::vector<QPointF> candidate_centres(const StrokeStart& start, QSize pad, double radius) {
    const QPointF behind = length(start.direction) > 0
                               ? -start.direction
                               : QPointF(-std::numbers::sqrt2 / 2, -std::numbers::sqrt2 / 2);
    const double behind_angle = std::atan2(behind.y(), behind.x());
    const double turn = 2 * std::numbers::pi / directions_per_ring;
    std::vector<QPointF> centres{inside(start.point, pad, radius)};
    for (int ring = 1; ring <= ring_count; ++ring) {
        const double distance = ring * ring_step_share * radius;
        for (int step = 0; step < directions_per_ring; ++step) {
            const int side = step % 2 == 0 ? 1 : -1;
            const double angle = behind_angle + side * ((step + 1) / 2) * turn;
            const QPointF offset(std::cos(angle), std::sin(angle));
            centres.push_back(inside(start.point + distance * offset, pad, radius));
        }
    }
    return centres;
}

QPointF best_centre(const StrokeStart& start, QSize pad, double radius,
                    const std::vector<NumberMark>& placed) {
    const double wanted = gap_share * radius;
    QPointF best;
    double best_clearance = -std::numeric_limits<double>::infinity();
    for (const QPointF& centre : candidate_centres(start, pad, radius)) {
        const double room = clearance(centre, radius, placed);
        if (room >= wanted) {
            return centre;
        }
        if (room > best_clearance) {
            best = centre;
            best_clearance = room;
        }
    }
    return best;
}

QFont number_font(double radius, int digits) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    // Two digits and more are narrower so that they fit inside the ring.
    font.setPixelSize(std::max(6, int(std::lround(radius * (digits < 2 ? 1.25 : 1.0)))));
    if (digits >= 2) {
        font.setStretch(QFont::SemiCondensed);
    }
    return font;
}

// The sprite's side: the circle and a margin for its antialiased edge, even so that its middle
// falls on a pixel corner.
int sprite_side(double radius) {
    return 2 * int(std::ceil(radius)) + 4;
}

// One number's circle on a transparent square, centred.
QImage draw_sprite(int number, double radius) {
    const int side = sprite_side(radius);
    QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPointF centre(side / 2.0, side / 2.0);
    const double ring_width = std::max(1.5, radius * 0.14);
    painter.setPen(QPen(ring_colour, ring_width));
    painter.setBrush(fill_colour);
    const double drawn_radius = radius - ring_width / 2;
    painter.drawEllipse(centre, drawn_radius, drawn_radius);
    const QString text = QString::number(number);
    painter.setFont(number_font(radius, int(text.size())));
    painter.setPen(ring_colour);
    painter.drawText(QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)),
                     Qt::AlignCenter, text);
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

int shown_count(const std::vector<NumberMark>& marks, int shown) {
    return std::clamp(shown, 0, int(marks.size()));
}

double start_dot_radius(const NumberMark& mark) {
    return std::max(1.5, mark.radius * start_dot_share);
}

// Under the circles, a line from a circle moved aside to its start, so that a number far from
// its stroke still points at where the stroke begins.
void draw_leader(QPainter& painter, const NumberMark& mark) {
    const QPointF away = mark.start - mark.centre;
    if (length(away) > mark.radius) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ring_colour, std::max(1.5, mark.radius * leader_share)));
        painter.drawLine(mark.centre + away * (mark.radius / length(away)), mark.start);
    }
}

// The dot on a start, on a transparent square of its own.
QImage draw_start_dot(double dot) {
    const int side = 2 * int(std::ceil(dot)) + 4;
    QImage sprite(side, side, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ring_colour);
    painter.drawEllipse(QPointF(side / 2.0, side / 2.0), dot, dot);
    return sprite;
}

// Leaders first, then the dots over them, then (by the caller) the circles over both.
void draw_start_marks(QImage& picture, const std::vector<NumberMark>& marks, int shown,
                      const QImage& dot) {
    const auto has_leader = [](const NumberMark& mark) {
        return length(mark.start - mark.centre) > mark.radius;
    };
    if (std::any_of(marks.begin(), marks.begin() + shown, has_leader)) {
        QPainter painter(&picture);
        for (int at = 0; at < shown; ++at) {
            draw_leader(painter, marks[std::size_t(at)]);
        }
    }
    for (int at = 0; at < shown; ++at) {
        blend_sprite(picture, sprite_corner(marks[std::size_t(at)].start, dot.size()), dot);
    }
}

void draw_circles(QImage& picture, const std::vector<NumberMark>& marks, int shown,
                  const std::function<const QImage&(const NumberMark&)>& circle) {
    for (int at = 0; at < shown; ++at) {
        const NumberMark& mark = marks[std::size_t(at)];
        const QImage& sprite = circle(mark);
        blend_sprite(picture, sprite_corner(mark.centre, sprite.size()), sprite);
    }
}

}  // namespace

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

double number_radius(QSize pad) {
    return std::max(smallest_radius, radius_share * std::min(pad.width(), pad.height()));
}

std::vector<NumberMark> place_numbers(const std::vector<StrokeStart>& starts, QSize pad) {
    const double radius = number_radius(pad);
    std::vector<NumberMark> marks;
    marks.reserve(starts.size());
    for (const StrokeStart& start : starts) {
        const QPointF centre = best_centre(start, pad, radius, marks);
        marks.push_back({int(marks.size()) + 1, centre, radius, start.point});
    }
    return marks;
}

bool circles_overlap(const NumberMark& first, const NumberMark& second) {
    return length(first.centre - second.centre) < first.radius + second.radius;
}

void draw_number_marks(QImage& picture, const std::vector<NumberMark>& marks, int shown) {
    if (marks.empty()) {
        return;
    }
    shown = shown_count(marks, shown);
    draw_start_marks(picture, marks, shown, draw_start_dot(start_dot_radius(marks.front())));
    QImage sprite;
    draw_circles(picture, marks, shown, [&sprite](const NumberMark& mark) -> const QImage& {
        sprite = draw_sprite(mark.number, mark.radius);
        return sprite;
    });
}

void draw_stroke_numbers(QImage& picture, const TLineList& lines, int shown_strokes, QSize pad) {
    StrokeNumberPainter().draw(picture, lines, shown_strokes, pad);
}

void StrokeNumberPainter::draw(QImage& picture, const TLineList& lines, int shown_strokes,
                               QSize pad) {
    if (shown_strokes <= 0) {
        return;
    }
    const std::vector<NumberMark>& marks = marks_for(lines, pad);
    if (marks.empty()) {
        return;
    }
    const int shown = shown_count(marks, shown_strokes);
    draw_start_marks(picture, marks, shown, dot_sprite(marks.front()));
    draw_circles(picture, marks, shown,
                 [this](const NumberMark& mark) -> const QImage& { return sprite(mark); });
}

const std::vector<NumberMark>& StrokeNumberPainter::marks_for(const TLineList& lines, QSize pad) {
    if (lines.items != placed_lines_.items || pad != placed_pad_) {
        marks_ = place_numbers(stroke_starts(lines), pad);
        placed_lines_ = lines;
        placed_pad_ = pad;
    }
    return marks_;
}

const QImage& StrokeNumberPainter::dot_sprite(const NumberMark& mark) {
    if (mark.radius != sprite_radius_) {
        sprites_.clear();
        sprite_radius_ = mark.radius;
    }
    if (dot_.isNull() || dot_radius_ != mark.radius) {
        dot_ = draw_start_dot(start_dot_radius(mark));
        dot_radius_ = mark.radius;
    }
    return dot_;
}

const QImage& StrokeNumberPainter::sprite(const NumberMark& mark) {
    if (mark.radius != sprite_radius_) {
        sprites_.clear();
        sprite_radius_ = mark.radius;
    }
    auto [at, added] = sprites_.try_emplace(mark.number);
    if (added) {
        at->second = draw_sprite(mark.number, mark.radius);
    }
    return at->second;
}

}  // namespace inkwren
