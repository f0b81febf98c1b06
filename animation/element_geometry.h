// Where an element of the line list lies on the pad and how the editor changes it: its
// bounding box and resize handle, the squares a click must fall in to hit a record, and the
// moves and scalings of its points. Plain functions over one element's records.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

#include "strokes/linelist.h"

namespace inkwren {

// A box by its four edges, as the editor compares them (a point is inside when strictly
// between both pairs of edges).
struct EdgeBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(double x, double y) const {
        return left < x && x < right && top < y && y < bottom;
    }
    bool operator==(const EdgeBox&) const = default;
};

inline constexpr int box_margin = 10;          // the bounding box's widening on every side
inline constexpr int hit_reach = 5;            // a click hits a record closer than this
inline constexpr int handle_reach = 5;         // half the side of the resize handle
inline constexpr int smallest_resizable = 20;  // boxes narrower or lower are not resized

bool is_flash_bar(const TObjList& element);

// The smallest and largest coordinates of the element's points (end markers left out),
// widened by box_margin and rounded; nothing for an element without points.
std::optional<EdgeBox> bounding_box(const TObjList& element);

// A flash bar's picture hangs from its point by its top-right corner.
EdgeBox flash_bar_box(const PointRecord& bar, QSize picture);

// The box a click must fall in to keep an element selected: the flash bar box for a flash bar,
// the bounding box otherwise.
std::optional<EdgeBox> selection_box(const TObjList& element, QSize flashbar_picture);

// The square of ±handle_reach around the box's top-left corner.
EdgeBox resize_handle(const EdgeBox& box);

bool hits_record(const PointRecord& record, QPoint mouse);

// The first record of the element a click hits: a flash bar by its picture, other records
// (move points never) by their hit square.
std::optional<int> hit_record(const TObjList& element, QPoint mouse, QSize flashbar_picture);

// The first record whose hit square holds the mouse, whatever its kind.
std::optional<int> hit_point(const TObjList& element, QPoint mouse);

// Inside the pad means 1 ≤ x < width and 1 ≤ y < height.
bool inside_pad(double x, double y, QSize pad);

// Shifts every point of the element by (dx, dy), as far as the pad allows: the shift is cut
// short so that no point leaves the pad. Answers whether anything moved.
bool shift_element(TObjList& element, double dx, double dy, QSize pad);

// Scales the element about the bottom-right corner of its bounding box, as dragging the resize
// handle from `from` to `to` does. Not applied (answers false) when the box is too small to
// resize, when the element would turn over or become thinner than a pixel where it was not, or
// when a point would leave the pad.
bool resize_element(TObjList& element, QPoint from, QPoint to, QSize pad);

}  // namespace inkwren
