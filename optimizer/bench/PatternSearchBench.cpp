// The bar-pattern search on demands from a few pieces to thousands: the product's search and,
// where it finishes in reasonable time, the piece-by-piece reference search of the tests.
//
// Arguments of every case: pieces, distinct lengths, mode, and whether the bar can be used up
// exactly. Saw width 5, piece lengths between 300 and 2900 drawn with a fixed seed. The open
// cases use a bar of 6000, where some pattern usually leaves nothing and ends the search early;
// the closed cases use a bar of 6003 and pieces whose length plus saw cut is a multiple of 10, so
// every pattern leaves at least 3 and the whole search is walked.

#include "optimizer/PatternSearch.h"
#include "optimizer/tests/support/LiteralPatternSearch.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace kadrel;

namespace {

constexpr uint32_t Saw = 5;

struct Case {
    PrsTable demand;
    uint32_t bar = 6000;
    uint8_t mode = 0;
};

Case makeCase(const benchmark::State& state)
{
    const int pieces = static_cast<int>(state.range(0));
    const int distinct = static_cast<int>(state.range(1));
    const bool closed = state.range(3) != 0;
    Case c;
    c.mode = static_cast<uint8_t>(state.range(2));
    c.bar = closed ? 6003 : 6000;
    std::mt19937 random(static_cast<uint32_t>(pieces * 131 + distinct));
    std::vector<uint32_t> lengths;
    std::uniform_int_distribution<uint32_t> lengthOf(300, 2900);
    while (lengths.size() < static_cast<std::size_t>(distinct)) {
        const uint32_t drawn = lengthOf(random);
        const uint32_t l = closed ? drawn / 10 * 10 + 5 : drawn;
        if (std::find(lengths.begin(), lengths.end(), l) == lengths.end())
            lengths.push_back(l);
    }
    // Pieces spread over the lengths as evenly as the count allows.
    for (int d = 0; d < distinct; ++d) {
        const uint32_t count = static_cast<uint32_t>(pieces / distinct + (d < pieces % distinct ? 1 : 0));
        c.demand.append({static_cast<uint32_t>(d + 1), lengths[static_cast<std::size_t>(d)], count});
    }
    return c;
}

void report(benchmark::State& state, uint32_t scrap)
{
    state.counters["scrap"] = scrap;
    state.SetLabel("pieces " + std::to_string(state.range(0)) + ", lengths " + std::to_string(state.range(1))
                   + ", mode " + std::to_string(state.range(2)) + (state.range(3) ? ", closed" : ""));
}

void BM_Product(benchmark::State& state)
{
    const Case c = makeCase(state);
    CsTable selection;
    uint32_t scrap = 0;
    for (auto _ : state) {
        optimize(c.demand, c.bar, selection, scrap, c.mode, Saw);
        benchmark::DoNotOptimize(selection.rows().data());
    }
    report(state, scrap);
}

void BM_Reference(benchmark::State& state)
{
    const Case c = makeCase(state);
    CsTable selection;
    uint32_t scrap = 0;
    for (auto _ : state) {
        oracle::literalOptimize(c.demand, c.bar, selection, scrap, c.mode, Saw);
        benchmark::DoNotOptimize(selection.rows().data());
    }
    report(state, scrap);
}

// A memory shared over the iterations: what a calculation sees when it asks again for a demand
// it has already searched.
void BM_Remembered(benchmark::State& state)
{
    const Case c = makeCase(state);
    PatternSearch search;
    CsTable selection;
    uint32_t scrap = 0;
    for (auto _ : state) {
        search.optimize(c.demand, c.bar, selection, scrap, c.mode, Saw);
        benchmark::DoNotOptimize(selection.rows().data());
    }
    report(state, scrap);
}

const std::vector<std::pair<int, int>> sizes = {
    {20, 5}, {60, 20}, {200, 20}, {200, 40}, {2000, 40}, {2000, 200}, {20000, 40}};

void productCases(benchmark::internal::Benchmark* b)
{
    for (int closed : {0, 1})
        for (const auto& [pieces, distinct] : sizes)
            for (int mode = 0; mode <= 5; ++mode)
                b->Args({pieces, distinct, mode, closed});
    b->Unit(benchmark::kMicrosecond);
}

// The reference search walks pieces by position: its level search grows with the cube of the
// pieces, its first-fit passes with the square (times the sub-search).
void referenceCases(benchmark::internal::Benchmark* b)
{
    for (int closed : {0, 1})
        for (const auto& [pieces, distinct] : sizes)
            for (int mode = 0; mode <= 5; ++mode) {
                const bool levels = mode >= 2;
                if (pieces <= 60 || (pieces <= 200 && distinct <= 20) || (!levels && pieces <= 200)
                    || ((mode == 4 || mode == 5) && pieces <= 200))
                    b->Args({pieces, distinct, mode, closed});
            }
    b->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_Product)->Apply(productCases);
BENCHMARK(BM_Reference)->Apply(referenceCases);
BENCHMARK(BM_Remembered)->Args({2000, 40, 2, 1})->Args({2000, 40, 0, 1})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
