#include "tools/stroke_data/stroke_conversion.h"

#include <algorithm>
#include <cmath>

#include "platform/code_page.h"
#include "strokes/stroke_text.h"

namespace inkwren::tools {
namespace {

constexpr double em_size = 1024;
constexpr double pad_size = 200;
constexpr double baseline = 900;
constexpr double width_factor = 0.8;
constexpr int max_pen_width = 999;  // the stroke text keeps three digits

QByteArray name_in(const QString& character, int code_page) {
    const QByteArray code = to_code_page(character, code_page);
    if (code.size() != 2 || from_code_page(code, code_page) != character) {
        return {};
    }
    return code + ".wrt";
}

}  // namespace

QPointF to_pad(QPointF em_point) {
    return {em_point.x() * pad_size / em_size, (baseline - em_point.y()) * pad_size / em_size};
}

double polygon_area(const std::vector<QPointF>& polygon) {
    double twice_area = 0;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const QPointF& a = polygon[index];
        const QPointF& b = polygon[(index + 1) % polygon.size()];
        twice_area += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice_area) / 2;
}

double polyline_length(const std::vector<QPointF>& points) {
    double length = 0;
    for (std::size_t index = 1; index < points.size(); ++index) {
        const QPointF step = points[index] - points[index - 1];
        length += std::hypot(step.x(), step.y());
    }
    return length;
}

int pen_width_for(const std::vector<QPointF>& outline, const std::vector<QPointF>& median) {
    const double area = polygon_area(outline);
    const double length = polyline_length(median);
    // A dot's median may have no length; its outline is then about as wide as it is long.
    const double em_width = length > 0 ? width_factor * area / length : std::sqrt(area);
    const long width = std::lround(em_width * pad_size / em_size);
    return int(std::clamp<long>(width, 1, max_pen_width));
}

TLineList strokes_of(const HanziSource& source) {
    TLineList lines;
    for (std::size_t stroke = 0; stroke < source.medians.size(); ++stroke) {
        const int width = pen_width_for(source.outlines[stroke], source.medians[stroke]);
        TObjList run;
        for (const QPointF& em_point : source.medians[stroke]) {
            PointRecord record;
            const QPointF pad_point = to_pad(em_point);
            record.x = pad_point.x();
            record.y = pad_point.y();
            record.pen_width = width;
            record.pen_color = 0;
            record.kind = record_kind::pen_point;
            run.push_back(record);
        }
        run.push_back(end_marker(record_kind::pen_point));
        add_line(lines, run);
    }
    return lines;
}

ArchiveNames archive_names_of(const QString& character) {
    return {name_in(character, big5_code_page), name_in(character, gbk_code_page)};
}

std::vector<ArchiveSource> archive_sources(const std::vector<HanziSource>& characters,
                                           ArchiveKind kind) {
    std::vector<ArchiveSource> sources;
    for (const HanziSource& character : characters) {
        const ArchiveNames names = archive_names_of(character.character);
        const QByteArray& own_name =
            kind == ArchiveKind::simplified ? names.gb_name : names.big5_name;
        if (!own_name.isEmpty()) {
            sources.push_back(
                {names.big5_name, names.gb_name, format_stroke_text(strokes_of(character))});
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
