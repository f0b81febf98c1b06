// One drawing instruction of a character's strokes. A stroke is a run of point records closed
// by an end marker, a record whose x is 99999.
#pragma once

#include <cstdint>

namespace inkwren {

inline constexpr double end_marker_coord = 99999;

namespace record_kind {
inline constexpr std::int32_t old_pen_point = 0;  // older stroke texts; read back as pen_point
inline constexpr std::int32_t fill_seed = 1;
inline constexpr std::int32_t pen_point = 2;
inline constexpr std::int32_t bezier_control = 3;
inline constexpr std::int32_t move_point = 4;
inline constexpr std::int32_t flash_bar = 5;
inline constexpr std::int32_t flash_step = 6;  // made by the player while playing, never stored
inline constexpr std::int32_t pen_up = 99;
}  // namespace record_kind

struct PointRecord {
    double x = 0;
    double y = 0;
    std::int32_t pen_width = 0;
    std::int32_t pen_color = 0;  // 0x00BBGGRR
    std::int32_t repeat_count = 0;
    bool instant = false;
    std::int32_t kind = record_kind::pen_point;
    std::int32_t fill_color = 0;

    bool operator==(const PointRecord&) const = default;
};

inline bool is_end_marker(const PointRecord& record) {
    return record.x == end_marker_coord;
}

inline PointRecord end_marker(std::int32_t kind = record_kind::old_pen_point) {
    PointRecord marker;
    marker.x = end_marker_coord;
    marker.y = end_marker_coord;
    marker.kind = kind;
    return marker;
}

}  // namespace inkwren
