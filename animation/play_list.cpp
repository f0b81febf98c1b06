#include "animation/play_list.h"

#include <algorithm>

#include "animation/beziers.h"
#include "animation/rounding.h"
#include "animation/stroke_model.h"
#include "platform/error.h"

namespace inkwren {

bool is_drawn_point(const PointRecord& record) {
    return !is_end_marker(record) &&
           (record.kind == record_kind::old_pen_point || record.kind == record_kind::pen_point ||
            record.kind == record_kind::bezier_control || record.kind == record_kind::move_point);
}

namespace {

bool starts_run_of(const PointRecord& record, std::int32_t kind) {
    return !is_end_marker(record) && record.kind == kind;
}

PointRecord flash_step(const PointRecord& bar, int x, int y, std::int32_t fill) {
    PointRecord step;
    step.x = x;
    step.y = y;
    step.kind = record_kind::flash_step;
    step.fill_color = fill;
    step.instant = bar.instant;
    return step;
}

PointRecord flash_marker(const PointRecord& bar, std::int32_t width, std::int32_t colour) {
    PointRecord marker = end_marker(record_kind::flash_step);
    marker.pen_width = width;
    marker.pen_color = colour;
    marker.instant = bar.instant;
    return marker;
}

// The bars from index on blink the stroke before them: each flash shows the bar's colour, then
// the stroke's own again.
void expand_flash_bars(const TObjList& source, std::size_t& index, TObjList& destination,
                       const PlayListOptions& options) {
    const PointRecord* stroke = nullptr;
    for (std::size_t back = index; back-- > 0;) {
        if (is_drawn_point(source[back])) {
            stroke = &source[back];
            break;
        }
    }
    const PointRecord& seed = stroke != nullptr ? *stroke : source[index];
    const int x = round_even(seed.x);
    const int y = round_even(seed.y);
    const std::int32_t stroke_colour = options.two_color ? options.done_color : seed.pen_color;
    for (; index < source.size() && starts_run_of(source[index], record_kind::flash_bar); ++index) {
        const PointRecord& bar = source[index];
        const std::int32_t flash_colour = options.two_color ? options.hilite_color : bar.fill_color;
        for (int flash = 1; flash <= bar.repeat_count; ++flash) {
            destination.push_back(flash_step(bar, x, y, flash_colour));
            destination.push_back(flash_marker(bar, 0, 0));
            destination.push_back(flash_step(bar, x, y, stroke_colour));
            if (flash != options.flash_count) {
                destination.push_back(flash_marker(bar, seed.pen_width, seed.pen_color));
            }
        }
    }
}

// The records cut after every end marker, keeping every record: a lone end marker or an
// unclosed run at the end still plays as it always has.
TLineList elements_of(const TObjList& records) {
    TLineList elements;
    TObjList element;
    for (const PointRecord& record : records) {
        element.push_back(record);
        if (is_end_marker(record)) {
            elements.items.push_back(std::move(element));
            element.clear();
        }
    }
    if (!element.empty()) {
        elements.items.push_back(std::move(element));
    }
    return elements;
}

TObjList records_of(const TLineList& elements, int first, int end) {
    TObjList records;
    for (int index = first; index < end; ++index) {
        const TObjList& element = elements.items[std::size_t(index)];
        records.insert(records.end(), element.begin(), element.end());
    }
    return records;
}

// A stroke's records, both passes. Nothing folds across a stroke's end: a pen-up that closes a
// stroke's last element would have carried the stroke on.
TObjList one_stroke_play_list(const TObjList& records, const PlayListOptions& options) {
    TObjList first = build_play_list(records, options);
    collapse_pen_ups(first);
    return build_play_list(first, options);
}

}  // namespace

TObjList build_play_list(const TObjList& source, const PlayListOptions& options) {
    TObjList list;
    std::size_t index = 0;
    while (index < source.size()) {
        check_play_list_room(list.size());
        const PointRecord& record = source[index];
        if (starts_run_of(record, record_kind::bezier_control)) {
            expand_bezier_run(source, index, list);
        } else if (starts_run_of(record, record_kind::pen_point)) {
            expand_polyline_run(source, index, list, options.step_len);
        } else if (starts_run_of(record, record_kind::flash_bar)) {
            if (options.expand_flash) {
                expand_flash_bars(source, index, list, options);
            } else {
                ++index;
            }
        } else {
            list.push_back(record);
            if (starts_run_of(record, record_kind::old_pen_point)) {
                list.back().kind = record_kind::pen_point;
            }
            ++index;
        }
    }
    return list;
}

// One pass from the front: a pen-up before the last record is dropped and marks the record
// kept after it, which is what folding them one by one from the back comes to.
void collapse_pen_ups(TObjList& list) {
    if (list.size() < 2) {
        return;
    }
    const std::size_t last = list.size() - 1;
    std::size_t kept = 0;
    bool pen_up = false;
    for (std::size_t index = 0; index <= last; ++index) {
        PointRecord record = list[index];
        if (record.kind == record_kind::pen_up && index < last) {
            pen_up = true;
            continue;
        }
        if (pen_up) {
            record.kind = record_kind::pen_up;
            pen_up = false;
        }
        list[kept++] = record;
    }
    list.resize(kept);
}

int PlayList::strokes_begun(int play_pos) const {
    return int(std::lower_bound(stroke_begins.begin(), stroke_begins.end(), play_pos) -
               stroke_begins.begin());
}

std::vector<TObjList> stroke_play_lists(const TObjList& records, const PlayListOptions& options) {
    const TLineList elements = elements_of(records);
    const CharacterStrokes strokes(elements);
    std::vector<TObjList> lists;
    std::size_t size = 0;
    for (const Stroke& stroke : strokes.strokes()) {
        lists.push_back(one_stroke_play_list(
            records_of(elements, stroke.first_element, stroke.end_element), options));
        size += lists.back().size();
        check_play_list_room(size);
    }
    return lists;
}

PlayList make_stroke_play_list(const TObjList& records, const PlayListOptions& options) {
    PlayList list;
    for (TObjList& stroke : stroke_play_lists(records, options)) {
        list.stroke_begins.push_back(int(list.records.size()));
        list.records.insert(list.records.end(), stroke.begin(), stroke.end());
    }
    if (list.stroke_begins.empty()) {
        // Marks without a stroke still play: a fill or a flash on a picture alone.
        list.records = one_stroke_play_list(records, options);
    }
    return list;
}

TObjList make_play_list(const TObjList& records, const PlayListOptions& options) {
    return make_stroke_play_list(records, options).records;
}

TObjList last_stroke(const TObjList& list, int index) {
    if (index < 1 || index > int(list.size())) {
        return {};
    }
    int found = index - 1;
    while (found >= 0 && !is_drawn_point(list[std::size_t(found)])) {
        --found;
    }
    TObjList stroke;
    if (found >= 0) {
        int start = found;
        while (start > 0 && !is_end_marker(list[std::size_t(start) - 1])) {
            --start;
        }
        // Up to the stroke's own last point: a fill seed or flash step after it is not part of
        // the stroke, and drawing it would run a line out to its point.
        for (int at = start; at <= found; ++at) {
            stroke.push_back(list[std::size_t(at)]);
        }
    }
    stroke.push_back(list[std::size_t(index) - 1]);
    return stroke;
}

}  // namespace inkwren
