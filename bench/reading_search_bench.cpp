// Finding characters by a typed reading over 10,000 characters: building the index, and the
// queries of the character field, with what the very first query in a program costs.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "charinfo/reading_search.h"
#include "charinfo/syllable.h"

namespace {

using namespace inkwren;

constexpr int entry_count = 10'000;

// Syllables that many characters share come first, so that "shi" holds the most.
QStringList syllables_most_shared_first() {
    QStringList order = {"shi", "yi",  "ji",  "yu",   "xi",   "li",  "zhi", "qi",  "fu",
                         "wei", "yan", "hui", "jian", "xian", "zhu", "bi",  "yong"};
    for (const QString& letters : mandarin_syllables()) {
        if (!order.contains(letters)) {
            order.append(letters);
        }
    }
    return order;
}

// Characters with one to three readings each, tones spread over the four and the neutral one,
// and ranks shuffled against code points.
std::vector<ReadingIndex::Entry> synthetic_entries() {
    const QStringList syllables = syllables_most_shared_first();
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<ReadingIndex::Entry> entries;
    for (int number = 0; number < entry_count; ++number) {
        const double draw = unit(random);
        const int reading_count = draw < 0.7 ? 1 : draw < 0.9 ? 2 : 3;
        QStringList readings;
        for (int each = 0; each < reading_count; ++each) {
            // Skewed towards the front of the list.
            const auto at = static_cast<qsizetype>(std::pow(unit(random), 1.5) * syllables.size());
            const int tone = unit(random) < 0.05 ? 5 : 1 + static_cast<int>(random() % 4);
            readings.append(marked_pinyin({syllables[at], tone}));
        }
        entries.push_back({static_cast<char32_t>(0x4E00 + number), readings,
                           static_cast<int>((number * 7919L) % entry_count)});
    }
    return entries;
}

const std::vector<ReadingIndex::Entry>& entries() {
    static const std::vector<ReadingIndex::Entry> made = synthetic_entries();
    return made;
}

const ReadingIndex& index() {
    static const ReadingIndex built(entries());
    return built;
}

void BM_BuildIndex(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadingIndex(entries()));
    }
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond);

void BM_Query(benchmark::State& state, const char16_t* typed, std::size_t limit) {
    const ReadingIndex& searched = index();
    std::size_t found = 0;
    for (auto _ : state) {
        found = searched.characters_read_as(QStringView(typed), limit).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_Query, yong, u"yong", 50)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Query, yong3, u"yong3", 50)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Query, zhuyin_yong3, u"ㄩㄥˇ", 50)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Query, shi, u"shi", 50)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Query, shi_unlimited, u"shi", std::numeric_limits<std::size_t>::max())
    ->Unit(benchmark::kMicrosecond);

// The syllable tables are made on first use: the first query of a program pays for them.
void report_first_query() {
    QElapsedTimer clock;
    clock.start();
    const std::size_t found = ReadingIndex().characters_read_as(u"ㄩㄥˇ").size();
    const double first = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const std::size_t entry_total = entries().size();
    clock.restart();
    const ReadingIndex built(entries());
    const double building = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    const std::size_t shi = built.characters_read_as(u"shi").size();
    const double query = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    std::printf(
        "Cold start: the first query of the program (syllable tables made) %.3f ms (%zu found)\n"
        "            then building the index of %zu characters %.3f ms, its first query \"shi\" "
        "%.3f ms (%zu found)\n",
        first, found, entry_total, building, query, shi);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    report_first_query();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
