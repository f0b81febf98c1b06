#include "tools/stroke_order/taiwan_form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

#include "tools/stroke_order/median_geometry.h"
#include "tools/stroke_order/stroke_features.h"

namespace inkwren::tools {
namespace {

using Path = std::vector<QPointF>;

// How far along the median, in em units, the point nearest to it lies.
double place_along(const Path& median, QPointF point) {
    double best_distance = distance(point, median.front());
    double best_place = 0;
    double travelled = 0;
    for (size_t index = 1; index < median.size(); ++index) {
        const QPointF from = median[index - 1];
        const QPointF step = median[index] - from;
        const double length = distance(median[index], from);
        const double share =
            length == 0
                ? 0
                : std::clamp(QPointF::dotProduct(point - from, step) / (length * length), 0.0, 1.0);
        const double away = distance(point, from + share * step);
        if (away < best_distance) {
            best_distance = away;
            best_place = travelled + share * length;
        }
        travelled += length;
    }
    return best_place;
}

QPointF point_along(const Path& median, double at) {
    double travelled = 0;
    for (size_t index = 1; index < median.size(); ++index) {
        const double length = distance(median[index], median[index - 1]);
        if (travelled + length >= at && length > 0) {
            return median[index - 1] +
                   (at - travelled) / length * (median[index] - median[index - 1]);
        }
        travelled += length;
    }
    return median.back();
}

// The median up to the cut (before) or from it (after), the cut point in both.
Path median_part(const Path& median, double at, bool before) {
    const QPointF cut = point_along(median, at);
    Path part;
    double travelled = 0;
    if (!before) {
        part.push_back(cut);
    }
    for (size_t index = 0; index < median.size(); ++index) {
        if (index > 0) {
            travelled += distance(median[index], median[index - 1]);
        }
        if ((travelled < at) == before && distance(median[index], cut) > 0.5) {
            part.push_back(median[index]);
        }
    }
    if (before) {
        part.push_back(cut);
    }
    return part;
}

// The outline's part whose points lie nearest the median before the cut (or after it), closed
// along the line where the nearest place crosses the cut.
Path outline_part(const Path& outline, const Path& median, double at, bool before) {
    std::vector<double> places;
    for (const QPointF point : outline) {
        places.push_back(place_along(median, point));
    }
    auto inside = [&](size_t index) { return (places[index] <= at) == before; };
    Path part;
    for (size_t index = 0; index < outline.size(); ++index) {
        const size_t next = (index + 1) % outline.size();
        if (inside(index)) {
            part.push_back(outline[index]);
        }
        if (inside(index) != inside(next) && places[next] != places[index]) {
            const double share = (at - places[index]) / (places[next] - places[index]);
            part.push_back(outline[index] + share * (outline[next] - outline[index]));
        }
    }
    return part;
}

double heading_change(QPointF from, QPointF corner, QPointF to) {
    const double in = std::atan2(corner.y() - from.y(), corner.x() - from.x());
    const double out = std::atan2(to.y() - corner.y(), to.x() - corner.x());
    return std::abs(std::remainder(out - in, 2 * std::numbers::pi)) * 180 / std::numbers::pi;
}

// Turns of the median, in degrees: a part with a corner may be a 折; a stroke may be cut at a
// bend (鬼's 丿 below its vertical); a stroke that bends nowhere may be cut at its middle.
constexpr double corner_turn = 45;
constexpr double bend_turn = 30;
constexpr double straight_turn = 20;

// Where a stroke may be cut, as lengths along its median: at each bend, and at the middle of a
// straight stroke.
std::vector<double> cut_places(const Path& median) {
    const Path corners = median_corners(median);
    std::vector<double> places;
    double sharpest = 0;
    for (size_t index = 1; index + 1 < corners.size(); ++index) {
        const double change =
            heading_change(corners[index - 1], corners[index], corners[index + 1]);
        sharpest = std::max(sharpest, change);
        if (change > bend_turn) {
            places.push_back(place_along(median, corners[index]));
        }
    }
    if (sharpest < straight_turn) {
        places.push_back(length_of(median) / 2);
    }
    return places;
}

// A part shorter than this cannot be a stroke of its own.
constexpr double shortest_part = 40;

// A part of a cut stroke is new to the classifier, which learnt from whole strokes: its kind is
// judged by its shape alone. Which kinds it may be, as a set of kind indexes.
using KindSet = std::array<bool, stroke_kind_count>;

double heading_of(const Path& median) {
    const QPointF step = median.back() - median.front();
    return std::atan2(step.y(), step.x()) * 180 / std::numbers::pi;
}

bool turns_a_corner(const Path& median) {
    const Path corners = median_corners(median);
    for (size_t index = 1; index + 1 < corners.size(); ++index) {
        if (heading_change(corners[index - 1], corners[index], corners[index + 1]) > corner_turn) {
            return true;
        }
    }
    return false;
}

// The longest a dot is, in em units.
constexpr double longest_dot = 120;

KindSet kinds_by_shape(const Path& median) {
    const double heading = heading_of(median);
    auto within = [heading](double from, double to) { return heading >= from && heading <= to; };
    KindSet kinds{};
    auto allow = [&kinds](char kind) { kinds[stroke_kinds.find(kind)] = true; };
    if (within(-30, 50)) {
        allow('h');
    }
    if (within(-120, -60)) {
        allow('s');
    }
    if (within(-180, -110) || within(150, 180)) {
        allow('p');
    }
    if (within(-80, -10) || length_of(median) < longest_dot) {
        allow('n');
    }
    if (turns_a_corner(median)) {
        allow('z');
    }
    return kinds;
}

KindOdds odds_of(const KindSet& kinds) {
    const auto allowed = double(std::ranges::count(kinds, true));
    KindOdds odds{};
    for (size_t kind = 0; kind < odds.size(); ++kind) {
        odds[kind] = allowed == 0  ? 1.0 / stroke_kind_count
                     : kinds[kind] ? 0.9 / allowed
                                   : 0.1 / (stroke_kind_count - allowed);
    }
    return odds;
}

// How many strokes other than the parts may take a place of another kind than they look: the
// classifier misnames a stroke now and then, more often the slanted ones of 艹 and 化.
constexpr int misnamed_strokes_allowed = 2;

// How many strokes other than the cut stroke's parts take a place of another kind than their
// likeliest, when the parts are written one after the other, each at a place of a kind its shape
// allows; nothing when they are not.
std::optional<int> misnamed_strokes(const TaiwanOrder& order, int cut_stroke, const KindSet& first,
                                    const KindSet& second, std::string_view sequence) {
    const auto first_place = std::ranges::find(order.strokes, cut_stroke) - order.strokes.begin();
    const auto second_place =
        std::ranges::find(order.strokes, cut_stroke + 1) - order.strokes.begin();
    if (second_place != first_place + 1) {
        return std::nullopt;
    }
    auto allows = [&](const KindSet& kinds, std::ptrdiff_t place) {
        return kinds[stroke_kinds.find(sequence[size_t(place)])];
    };
    if (!allows(first, first_place) || !allows(second, second_place)) {
        return std::nullopt;
    }
    int misnamed = order.unlike_places;
    // The parts count as unlike where their likeliest kind (the first allowed) is not their
    // place's.
    for (const auto place : {first_place, second_place}) {
        if (likeliest_kind(odds_of(place == first_place ? first : second)) !=
            sequence[size_t(place)]) {
            --misnamed;
        }
    }
    return misnamed;
}

// The mainland's strokes that Taiwan's sequence writes otherwise: the stretch between the longest
// beginning and the longest end both sequences share, with a stroke on either side (a stroke
// cut in two may share its kind with the stroke before or after it). Taken as the data's
// strokes, which follow the mainland's sequence.
struct StrokeRange {
    int first;
    int last;
};

std::optional<StrokeRange> where_taiwan_differs(const StrokeSequences& sequences) {
    const std::string& mainland = sequences.mainland;
    const std::string& taiwan = sequences.taiwan;
    if (mainland.empty()) {
        return std::nullopt;
    }
    size_t shared_start = 0;
    while (shared_start < mainland.size() && mainland[shared_start] == taiwan[shared_start]) {
        ++shared_start;
    }
    size_t shared_end = 0;
    while (shared_end < mainland.size() - shared_start &&
           mainland[mainland.size() - 1 - shared_end] == taiwan[taiwan.size() - 1 - shared_end]) {
        ++shared_end;
    }
    return StrokeRange{std::max(int(shared_start) - 1, 0),
                       std::min(int(mainland.size() - shared_end), int(mainland.size()) - 1)};
}

}  // namespace

HanziSource with_stroke_cut(const HanziSource& character, int stroke, double at) {
    HanziSource cut = character;
    const Path& median = character.medians[size_t(stroke)];
    const Path& outline = character.outlines[size_t(stroke)];
    const auto place = [stroke](auto& list) { return list.begin() + stroke; };
    cut.medians[size_t(stroke)] = median_part(median, at, false);
    cut.medians.insert(place(cut.medians), median_part(median, at, true));
    cut.outlines[size_t(stroke)] = outline_part(outline, median, at, false);
    cut.outlines.insert(place(cut.outlines), outline_part(outline, median, at, true));
    return cut;
}

std::optional<TaiwanForm> taiwan_form(const HanziSource& character,
                                      const StrokeKindClassifier& classifier,
                                      const StrokeSequences& sequences) {
    const std::string_view sequence = sequences.taiwan;
    const std::optional<StrokeRange> differing = where_taiwan_differs(sequences);
    if (sequence.size() != character.medians.size() + 1 ||
        sequences.mainland.size() != character.medians.size() || !differing) {
        return std::nullopt;
    }
    std::optional<TaiwanForm> best;
    for (int stroke = differing->first; stroke <= differing->last; ++stroke) {
        const Path& median = character.medians[size_t(stroke)];
        const double length = length_of(median);
        for (const double at : cut_places(median)) {
            if (at < shortest_part || length - at < shortest_part) {
                continue;
            }
            HanziSource cut = with_stroke_cut(character, stroke, at);
            std::vector<KindOdds> odds;
            for (const StrokeFeatures& features : stroke_features(cut)) {
                odds.push_back(classifier.odds(features));
            }
            const KindSet first = kinds_by_shape(cut.medians[size_t(stroke)]);
            const KindSet second = kinds_by_shape(cut.medians[size_t(stroke) + 1]);
            odds[size_t(stroke)] = odds_of(first);
            odds[size_t(stroke) + 1] = odds_of(second);
            TaiwanOrder order = taiwan_order(odds, sequence, Moves::likeliest);
            const std::optional<int> misnamed =
                misnamed_strokes(order, stroke, first, second, sequence);
            if (!misnamed || *misnamed > misnamed_strokes_allowed) {
                continue;
            }
            order.unlike_places = *misnamed;
            if (!best || order.cost < best->order.cost) {
                best = TaiwanForm{std::move(cut), stroke, std::move(order)};
            }
        }
    }
    return best;
}

}  // namespace inkwren::tools
