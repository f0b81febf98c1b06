#include "charinfo/frequency_order.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "charinfo/info_text.h"

namespace inkwren {

QStringList most_common_first(const QStringList& characters, const CharInfoTable& table) {
    constexpr int unknown = std::numeric_limits<int>::max();
    std::vector<std::pair<int, QString>> ranked;
    ranked.reserve(std::size_t(characters.size()));
    for (const QString& character : characters) {
        const std::optional<CharInfo> info = table.find(first_character(character));
        ranked.emplace_back(info ? info->rank : unknown, character);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList sorted;
    for (auto& [rank, character] : ranked) {
        sorted << std::move(character);
    }
    return sorted;
}

}  // namespace inkwren
