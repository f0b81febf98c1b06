#include "animation/element_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "animation/rounding.h"
#include "animation/stroke_model.h"

namespace inkwren {
namespace {

struct Extent {
    double min_x = std::numeric_limits<double>::infinity();
    double min_y = std::numeric_limits<double>::infinity();
    double max_x = -std::numeric_limits<double>::infinity();
    double max_y = -std::numeric_limits<double>::infinity();

    bool empty() const { return min_x > max_x; }
    double width() const { return max_x - min_x; }
    double height() const { return max_y - min_y; }
};

Extent extent_of(const TObjList& element) {
    Extent extent;
    for (const PointRecord& record : element) {
        if (is_end_marker(record)) {
            continue;
        }
        extent.min_x = std::min(extent.min_x, record.x);
        extent.min_y = std::min(extent.min_y, record.y);
        extent.max_x = std::max(extent.max_x, record.x);
        extent.max_y = std::max(extent.max_y, record.y);
    }
    return extent;
}

// The part of a wanted shift that keeps the points from low to high inside [1, limit − 1]. A
// shift is never forced: points already outside may stay, they just go no further out.
double allowed_shift(double wanted, double low, double high, int limit) {
    const double least = std::min(1 - low, 0.0);
    const double most = std::max(limit - 1 - high, 0.0);
    if (least > most) {
        return 0;
    }
    return std::clamp(wanted, least, most);
}

template <typename Change>
void change_points(TObjList& element, Change change) {
    for (PointRecord& record : element) {
        if (!is_end_marker(record)) {
            change(record);
        }
    }
}

}  // namespace

bool is_flash_bar(const TObjList& element) {
    return element_kind(element) == ElementKind::flash;
}

std::optional<EdgeBox> bounding_box(const TObjList& element) {
    const Extent extent = extent_of(element);
    if (extent.empty()) {
        return std::nullopt;
    }
    return EdgeBox{round_even(extent.min_x - box_margin), round_even(extent.min_y - box_margin),
                   round_even(extent.max_x + box_margin), round_even(extent.max_y + box_margin)};
}

EdgeBox flash_bar_box(const PointRecord& bar, QSize picture) {
    const int x = round_even(bar.x);
    const int y = round_even(bar.y);
    return {x - picture.width(), y, x, y + picture.height()};
}

std::optional<EdgeBox> selection_box(const TObjList& element, QSize flashbar_picture) {
    if (is_flash_bar(element) && !flashbar_picture.isEmpty()) {
        return flash_bar_box(element.front(), flashbar_picture);
    }
    return bounding_box(element);
}

EdgeBox resize_handle(const EdgeBox& box) {
    return {box.left - handle_reach, box.top - handle_reach, box.left + handle_reach,
            box.top + handle_reach};
}

bool hits_record(const PointRecord& record, QPoint mouse) {
    return std::abs(mouse.x() - record.x) < hit_reach && std::abs(mouse.y() - record.y) < hit_reach;
}

std::optional<int> hit_record(const TObjList& element, QPoint mouse, QSize flashbar_picture) {
    for (std::size_t index = 0; index < element.size(); ++index) {
        const PointRecord& record = element[index];
        if (is_end_marker(record) || record.kind == record_kind::move_point) {
            continue;
        }
        const bool hit =
            record.kind == record_kind::flash_bar && !flashbar_picture.isEmpty()
                ? flash_bar_box(record, flashbar_picture).contains(mouse.x(), mouse.y())
                : hits_record(record, mouse);
        if (hit) {
            return int(index);
        }
    }
    return std::nullopt;
}

std::optional<int> hit_point(const TObjList& element, QPoint mouse) {
    for (std::size_t index = 0; index < element.size(); ++index) {
        if (!is_end_marker(element[index]) && hits_record(element[index], mouse)) {
            return int(index);
        }
    }
    return std::nullopt;
}

bool inside_pad(double x, double y, QSize pad) {
    return 1 <= x && x < pad.width() && 1 <= y && y < pad.height();
}

bool shift_element(TObjList& element, double dx, double dy, QSize pad) {
    const Extent extent = extent_of(element);
    if (extent.empty()) {
        return false;
    }
    dx = allowed_shift(dx, extent.min_x, extent.max_x, pad.width());
    dy = allowed_shift(dy, extent.min_y, extent.max_y, pad.height());
    if (dx == 0 && dy == 0) {
        return false;
    }
    change_points(element, [&](PointRecord& record) {
        record.x += dx;
        record.y += dy;
    });
    return true;
}

bool resize_element(TObjList& element, QPoint from, QPoint to, QSize pad) {
    const std::optional<EdgeBox> box = bounding_box(element);
    if (!box || box->width() < smallest_resizable || box->height() < smallest_resizable) {
        return false;
    }
    const double sx = double(from.x() - to.x() + box->width()) / box->width();
    const double sy = double(from.y() - to.y() + box->height()) / box->height();
    const Extent before = extent_of(element);
    const auto too_thin = [](double span, double factor) {
        return factor <= 0 || (span >= 1 && span * factor < 1);
    };
    if (too_thin(before.width(), sx) || too_thin(before.height(), sy)) {
        return false;
    }
    TObjList scaled = element;
    change_points(scaled, [&](PointRecord& record) {
        record.x *= sx;
        record.y *= sy;
    });
    // Scaled about the pad's origin, then moved back so the box keeps its bottom-right corner.
    const EdgeBox after = *bounding_box(scaled);
    const int dx = box->right - after.right;
    const int dy = box->bottom - after.bottom;
    bool inside = true;
    change_points(scaled, [&](PointRecord& record) {
        record.x += dx;
        record.y += dy;
        inside = inside && inside_pad(record.x, record.y, pad);
    });
    if (!inside) {
        return false;
    }
    element = std::move(scaled);
    return true;
}

}  // namespace inkwren
