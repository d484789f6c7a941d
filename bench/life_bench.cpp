// The table of useful lives: one search over all 589 entries, as the
// card's dialog runs it at every key the user types, and reading the file
// (done once per window or command).

#include <benchmark/benchmark.h>

#include "law/useful_life.h"

namespace {

const fenmark::law::LifeTable& table() {
    static const fenmark::law::LifeTable loaded = fenmark::law::loadLifeTable(FENMARK_LIFE_TABLE);
    return loaded;
}

void BM_Search(benchmark::State& bench, const char* query) {
    const fenmark::law::LifeTable& t = table();
    for (auto _ : bench) {
        auto found = t.search(query);
        benchmark::DoNotOptimize(found.data());
    }
}

// An everyday word, two words, a single kana found almost everywhere, and
// a word found nowhere (every entry read to its end).
BENCHMARK_CAPTURE(BM_Search, everydayWord, "ノートパソコン")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, twoWords, "木造 店舗")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, oneKana, "の")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, nothingFound, "存在しない資産")->Unit(benchmark::kMicrosecond);

void BM_ReadTable(benchmark::State& bench) {
    for (auto _ : bench) {
        auto loaded = fenmark::law::loadLifeTable(FENMARK_LIFE_TABLE);
        benchmark::DoNotOptimize(loaded.entries().data());
    }
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
