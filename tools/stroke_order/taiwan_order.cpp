#include "tools/stroke_order/taiwan_order.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/stroke_order/cheapest_assignment.h"

namespace inkwren::tools {
namespace {

// The cost of moving a stroke by one place, against the odds of its kind (in nats).
constexpr double cost_per_place = 0.3;
// A far smaller cost growing with the square of the move: of two assignments moving strokes as
// many places in all, the one keeping strokes of a kind in their order is cheaper.
constexpr double cost_per_place_squared = 0.001;
// How much likelier, in nats per moved stroke, the moved order must make the kinds.
constexpr double clear_gain_per_moved_stroke = 2.5;

double cost_of(const std::vector<std::vector<double>>& cost, const std::vector<int>& column_of) {
    double total = 0;
    for (size_t row = 0; row < column_of.size(); ++row) {
        total += cost[row][column_of[row]];
    }
    return total;
}

}  // namespace

bool TaiwanOrder::moves() const {
    for (size_t place = 0; place < strokes.size(); ++place) {
        if (strokes[place] != int(place)) {
            return true;
        }
    }
    return false;
}

TaiwanOrder taiwan_order(const std::vector<KindOdds>& strokes, std::string_view sequence,
                         Moves moves) {
    const int count = int(strokes.size());
    std::vector<std::vector<double>> cost(count, std::vector<double>(count));
    for (int stroke = 0; stroke < count; ++stroke) {
        for (int place = 0; place < count; ++place) {
            const int kind = int(stroke_kinds.find(sequence[place]));
            const int move = stroke - place;
            cost[stroke][place] = -std::log(strokes[stroke][kind]) +
                                  cost_per_place * std::abs(move) +
                                  cost_per_place_squared * move * move;
        }
    }
    std::vector<int> place_of = cheapest_assignment(cost);
    std::vector<int> unmoved(count);
    for (int stroke = 0; stroke < count; ++stroke) {
        unmoved[stroke] = stroke;
    }
    const int moved = int(count - std::ranges::count_if(unmoved, [&](int stroke) {
                              return place_of[stroke] == stroke;
                          }));
    if (moves == Moves::only_clear && moved > 0 &&
        cost_of(cost, unmoved) - cost_of(cost, place_of) < clear_gain_per_moved_stroke * moved) {
        place_of = unmoved;
    }
    TaiwanOrder order;
    order.cost = cost_of(cost, place_of);
    order.strokes.resize(count);
    for (int stroke = 0; stroke < count; ++stroke) {
        order.strokes[place_of[stroke]] = stroke;
        if (likeliest_kind(strokes[stroke]) != sequence[place_of[stroke]]) {
            ++order.unlike_places;
        }
    }
    return order;
}

namespace {

// The data's own order, when each stroke is of the kind one standard or the other names at its
// place; nothing otherwise.
std::optional<TaiwanOrder> named_order(const CharacterFeatures& character,
                                       const KindClassifiers& classifiers,
                                       const StrokeSequences& sequences) {
    if (!labels_for(sequences, int(character.strokes.size()), Standard::taiwan)) {
        return std::nullopt;
    }
    TaiwanOrder order;
    for (size_t place = 0; place < character.strokes.size(); ++place) {
        const StrokeFeatures& stroke = character.strokes[place];
        if (likeliest_kind(classifiers.taiwan.odds(stroke)) != sequences.taiwan[place] &&
            likeliest_kind(classifiers.mainland.odds(stroke)) != sequences.mainland[place]) {
            return std::nullopt;
        }
        order.strokes.push_back(int(place));
    }
    return order;
}

}  // namespace

std::vector<std::optional<TaiwanOrder>> taiwan_orders(
    const std::vector<CharacterFeatures>& characters, const KindClassifiers& classifiers,
    const StrokeDictionary& dictionary) {
    std::vector<std::optional<TaiwanOrder>> orders(characters.size());
    for (std::size_t index = 0; index < characters.size(); ++index) {
        const CharacterFeatures& character = characters[index];
        const auto entry = dictionary.constFind(character.character);
        if (entry == dictionary.constEnd() || entry->taiwan.size() != character.strokes.size()) {
            continue;
        }
        orders[index] = named_order(character, classifiers, *entry);
        if (orders[index]) {
            continue;
        }
        std::vector<KindOdds> odds;
        for (const StrokeFeatures& stroke : character.strokes) {
            odds.push_back(classifiers.taiwan.odds(stroke));
        }
        orders[index] = taiwan_order(odds, entry->taiwan);
    }
    return orders;
}

}  // namespace inkwren::tools
