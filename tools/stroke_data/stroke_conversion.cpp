#include "tools/stroke_data/stroke_conversion.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/code_page.h"
#include "strokes/stroke_text.h"
#include "tools/em_placement.h"
#include "tools/stroke_data/every_core.h"
#include "tools/stroke_data/pen_path.h"

namespace inkwren::tools {
namespace {

constexpr int max_pen_width = 999;  // the stroke text keeps three digits
constexpr double coordinate_step = 0.1;

PointRecord pen_point(QPointF pad_point, double width) {
    PointRecord record;
    record.x = std::round(pad_point.x() / coordinate_step) * coordinate_step;
    record.y = std::round(pad_point.y() / coordinate_step) * coordinate_step;
    record.pen_width = int(std::clamp<long>(std::lround(width), 1, max_pen_width));
    record.pen_color = 0;
    record.kind = record_kind::pen_point;
    return record;
}

std::vector<PointRecord> pen_points_along(const std::vector<PenSample>& path) {
    std::vector<PointRecord> points;
    for (const PenSample& sample : simplify_pen_path(path, position_tolerance, width_tolerance)) {
        points.push_back(pen_point(sample.centre, sample.width));
    }
    return points;
}

int record_steps(const std::vector<PointRecord>& records) {
    std::vector<QPointF> points;
    for (const PointRecord& record : records) {
        points.emplace_back(record.x, record.y);
    }
    return pen_steps(points);
}

std::vector<QPointF> centres_of(const std::vector<PenSample>& path) {
    std::vector<QPointF> centres;
    for (const PenSample& sample : path) {
        centres.push_back(sample.centre);
    }
    return centres;
}

void drop_thinner_end(std::vector<PenSample>& path) {
    if (path.front().width < path.back().width) {
        path.erase(path.begin());
    } else {
        path.pop_back();
    }
}

// Drops the thinner end sample until the points play within the budget: first on the dense
// path, which is cheap to count but takes a few steps more than its simplified points, then on
// the points themselves.
std::vector<PointRecord> within_steps(std::vector<PenSample> path, int budget) {
    constexpr int dense_path_slack = 3;
    while (path.size() > 2 && pen_steps(centres_of(path)) > budget + dense_path_slack) {
        drop_thinner_end(path);
    }
    std::vector<PointRecord> points = pen_points_along(path);
    while (path.size() > 2 && record_steps(points) > budget) {
        drop_thinner_end(path);
        points = pen_points_along(path);
    }
    return points;
}

QByteArray name_in(const QString& character, int code_page) {
    const QByteArray code = to_code_page(character, code_page);
    if (code.size() != 2 || from_code_page(code, code_page) != character) {
        return {};
    }
    return code + ".wrt";
}

}  // namespace

int pen_steps(const std::vector<QPointF>& pad_points) {
    int steps = 0;
    std::optional<QPoint> previous;
    for (const QPointF& point : pad_points) {
        const QPoint rounded(int(std::nearbyint(point.x())), int(std::nearbyint(point.y())));
        if (previous) {
            steps += std::max(std::abs(rounded.x() - previous->x()),
                              std::abs(rounded.y() - previous->y()));
        }
        previous = rounded;
    }
    return steps;
}

int median_pen_steps(const std::vector<QPointF>& median) {
    constexpr double first_scale = 200 / em_units;
    std::vector<QPointF> first_points;
    for (const QPointF& point : median) {
        first_points.emplace_back(point.x() * first_scale, (em_top - point.y()) * first_scale);
    }
    return pen_steps(first_points);
}

TObjList pen_points_of(const std::vector<QPointF>& outline, const std::vector<QPointF>& median) {
    std::vector<PenSample> path = trace_pen_path(outline, median);
    for (PenSample& sample : path) {
        sample.centre = to_pad(sample.centre);
        sample.width *= pixels_per_unit;
    }
    if (path.empty()) {
        for (const QPointF& point : median) {
            path.push_back({to_pad(point), 1});
        }
    }
    TObjList run = within_steps(path, median_pen_steps(median));
    run.push_back(end_marker(record_kind::pen_point));
    return run;
}

TLineList strokes_of(const HanziSource& source) {
    TLineList lines;
    for (std::size_t stroke = 0; stroke < source.medians.size(); ++stroke) {
        add_line(lines, pen_points_of(source.outlines[stroke], source.medians[stroke]));
    }
    return lines;
}

ArchiveNames archive_names_of(const QString& character) {
    return {name_in(character, big5_code_page), name_in(character, gbk_code_page)};
}

std::vector<ConvertedCharacter> convert_characters(const std::vector<HanziSource>& characters) {
    std::vector<ConvertedCharacter> converted(characters.size());
    for (std::size_t index = 0; index < characters.size(); ++index) {
        converted[index].names = archive_names_of(characters[index].character);
    }
    // Tracing is the slow part.
    on_every_core(characters.size(), [&](std::size_t index) {
        converted[index].strokes = strokes_of(characters[index]);
        converted[index].stroke_text = format_stroke_text(converted[index].strokes);
    });
    return converted;
}

std::vector<ArchiveSource> archive_sources(const std::vector<ConvertedCharacter>& characters,
                                           ArchiveKind kind) {
    std::vector<ArchiveSource> sources;
    for (const ConvertedCharacter& character : characters) {
        const ArchiveNames& names = character.names;
        const QByteArray& own_name =
            kind == ArchiveKind::simplified ? names.gb_name : names.big5_name;
        if (!own_name.isEmpty()) {
            sources.push_back({names.big5_name, names.gb_name, character.stroke_text});
        }
    }
    auto own_name_of = [kind](const ArchiveSource& source) {
        return kind == ArchiveKind::simplified ? source.gb_name : source.big5_name;
    };
    std::sort(sources.begin(), sources.end(), [&](const ArchiveSource& a, const ArchiveSource& b) {
        return own_name_of(a) < own_name_of(b);
    });
    return sources;
}

}  // namespace inkwren::tools
