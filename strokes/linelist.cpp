#include "strokes/linelist.h"

#include "platform/error.h"

namespace inkwren {

void add_line(TLineList& lines, const TObjList& stroke) {
    lines.items.push_back(copy_list(stroke));
}

TObjList copy_list(const TObjList& records) {
    return records;
}

TObjList flatten_lines(const TLineList& lines) {
    TObjList flat;
    for (const TObjList& stroke : lines.items) {
        flat.insert(flat.end(), stroke.begin(), stroke.end());
    }
    return flat;
}

TLineList split_strokes(const TObjList& records) {
    TLineList lines;
    if (records.empty()) {
        return lines;
    }
    if (!is_end_marker(records.back())) {
        throw Error(
            QStringLiteral("The last stroke has no end marker; the strokes cannot be split."));
    }
    TObjList stroke;
    for (const PointRecord& record : records) {
        if (is_end_marker(record) && stroke.empty()) {
            continue;
        }
        stroke.push_back(record);
        if (is_end_marker(record)) {
            lines.items.push_back(std::move(stroke));
            stroke.clear();
        }
    }
    return lines;
}

TObjList scaled_records(const TObjList& records, double factor) {
    TObjList result = records;
    for (PointRecord& record : result) {
        if (!is_end_marker(record)) {
            record.x *= factor;
            record.y *= factor;
        }
    }
    return result;
}

TLineList scaled_lines(const TLineList& lines, double factor) {
    TLineList result;
    for (const TObjList& stroke : lines.items) {
        result.items.push_back(scaled_records(stroke, factor));
    }
    return result;
}

void release_records(TObjList& records) {
    records.clear();
}

}  // namespace inkwren
