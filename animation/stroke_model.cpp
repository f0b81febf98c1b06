#include "animation/stroke_model.h"

#include <algorithm>

namespace inkwren {
namespace {

bool ends_with_pen_up(const TObjList& element) {
    return !element.empty() && is_end_marker(element.back()) &&
           element.back().kind == record_kind::pen_up;
}

}  // namespace

ElementKind element_kind(const TObjList& element) {
    bool pen = false;
    for (const PointRecord& record : element) {
        if (is_end_marker(record)) {
            continue;
        }
        switch (record.kind) {
            case record_kind::bezier_control:
                return ElementKind::curve;
            case record_kind::pen_point:
            case record_kind::old_pen_point:
                pen = true;
                break;
            default:
                break;
        }
    }
    if (pen) {
        return ElementKind::pen;
    }
    if (!element.empty() && !is_end_marker(element.front())) {
        if (element.front().kind == record_kind::fill_seed) {
            return ElementKind::fill;
        }
        if (element.front().kind == record_kind::flash_bar) {
            return ElementKind::flash;
        }
    }
    return ElementKind::other;
}

bool is_written(ElementKind kind) {
    return kind == ElementKind::pen || kind == ElementKind::curve;
}

CharacterStrokes::CharacterStrokes(const TLineList& lines) : elements_(lines.count()) {
    bool goes_on = false;
    for (int index = 0; index < lines.count(); ++index) {
        const TObjList& element = lines.items[std::size_t(index)];
        const ElementKind kind = element_kind(element);
        if (is_written(kind) && !(goes_on && !strokes_.empty())) {
            Stroke stroke;
            stroke.number = count() + 1;
            stroke.kind = kind;
            stroke.first_element = strokes_.empty() ? 0 : index;
            stroke.ink_element = index;
            if (!strokes_.empty()) {
                strokes_.back().end_element = index;
            }
            strokes_.push_back(stroke);
        }
        goes_on = ends_with_pen_up(element);
    }
    if (!strokes_.empty()) {
        strokes_.back().end_element = elements_;
    }
}

int CharacterStrokes::elements_of_first(int n) const {
    n = std::clamp(n, 0, count());
    return n == 0 ? 0 : strokes_[std::size_t(n) - 1].end_element;
}

}  // namespace inkwren
