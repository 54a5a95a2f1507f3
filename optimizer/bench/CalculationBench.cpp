// Whole optimizer runs for one profile: preparation, every combination of stock lengths, ranking.
//
// Arguments of every case: pieces, distinct piece lengths, stock lengths, method (PAR:MODE) and
// the joint threshold (PAR:EXTEND, 0 = no joints). Piece lengths between 300 and 2900 drawn with
// a fixed seed; stock lengths from 3000 to 7500, each with enough bars to cut the whole demand
// alone, so that every combination of stock lengths is worked. Saw width 5, joint tolerance 10,
// no control time.
//
// BM_Run is the run as the program makes it. BM_Search runs the same calculation with a chosen
// bar-pattern search (last argument): 0 the search without memory, 1 with one memory per run (as
// BM_Run), 2 the piece-by-piece reference search of the tests, to show what the grouping gains.

#include "global/ScriptedServices.h"
#include "optimizer/CalculationDriver.h"
#include "optimizer/ControlTime.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/PatternSearch.h"
#include "optimizer/RecordSetInput.h"
#include "optimizer/tests/support/LiteralPatternSearch.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace kadrel;

namespace {

constexpr uint32_t Profile = 1;

RecordSetInput makeInput(int pieces, int distinct, int stockLengths)
{
    RecordSetInput input;
    global::ProfileRecord profile;
    profile.id = Profile;
    profile.profileCode = QStringLiteral("BENCH");
    profile.remnantLenght = 800;
    profile.price = 10;
    profile.scrapPrice = 1;
    profile.weldingPrice = 2;
    input.profiles.push_back(profile);

    std::mt19937 random(static_cast<uint32_t>(pieces * 7 + distinct));
    std::uniform_int_distribution<uint32_t> lengthOf(300, 2900);
    std::vector<uint32_t> lengths;
    while (lengths.size() < static_cast<std::size_t>(distinct)) {
        const uint32_t l = lengthOf(random);
        if (std::find(lengths.begin(), lengths.end(), l) == lengths.end())
            lengths.push_back(l);
    }
    uint64_t demand = 0;
    for (int d = 0; d < distinct; ++d) {
        global::CutRecord cut;
        cut.id = static_cast<uint32_t>(d + 1);
        cut.orderId = 1;
        cut.orderProfileId = 1;
        cut.profileId = Profile;
        cut.status = 1;
        cut.lenght = lengths[static_cast<std::size_t>(d)];
        cut.pcs = static_cast<uint32_t>(pieces / distinct + (d < pieces % distinct ? 1 : 0));
        demand += uint64_t(cut.lenght) * cut.pcs;
        input.cuts.push_back(cut);
    }

    const uint32_t stock[] = {6000, 6500, 3000, 7500, 4500, 7000};
    for (int s = 0; s < stockLengths; ++s) {
        global::ProfileLengthRecord length;
        length.id = static_cast<uint32_t>(s + 1);
        length.profileId = Profile;
        length.lenght = stock[s];
        length.intStock = static_cast<int32_t>(demand / stock[s] * 2 + 5);
        input.lengths.push_back(length);
    }
    return input;
}

OptimizerCall makeCall(const benchmark::State& state)
{
    OptimizerCall call;
    call.profile = Profile;
    call.mode = static_cast<uint8_t>(state.range(3));
    call.status = 1;
    call.extend = static_cast<uint32_t>(state.range(4));
    return call;
}

void BM_Run(benchmark::State& state)
{
    RecordSetInput input = makeInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                     static_cast<int>(state.range(2)));
    const OptimizerCall call = makeCall(state);
    RunSettings settings;
    settings.controlTimeLimit = 10000;

    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    std::size_t solutions = 0;
    uint32_t bestScrap = 0, bars = 0;
    for (auto _ : state) {
        OptimizerRun run(input, RunServices{dialogs, clipboard, clock}, call, settings);
        if (!run.run()) {
            state.SkipWithError(dialogs.messages().join(QStringLiteral(" / ")).toStdString().c_str());
            return;
        }
        solutions = run.ranking().size();
        bestScrap = run.ranking().empty() ? 0 : run.ranking()[0].totalScrap;
        bars = run.ranking().empty() ? 0 : run.ranking()[0].profiles;
    }
    state.counters["solutions"] = static_cast<double>(solutions);
    state.counters["bars"] = bars;
    state.counters["scrap"] = bestScrap;
    state.SetLabel(std::to_string(state.range(0)) + " pieces, " + std::to_string(state.range(1)) + " lengths, "
                   + std::to_string(state.range(2)) + " stock lengths, method " + std::to_string(state.range(3))
                   + (state.range(4) ? ", joints from " + std::to_string(state.range(4)) : ""));
}

void BM_Search(benchmark::State& state)
{
    RecordSetInput input = makeInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                     static_cast<int>(state.range(2)));
    const OptimizerCall call = makeCall(state);
    RunSettings settings;
    settings.controlTimeLimit = 10000;
    const uint32_t saw = settings.sawWidth;
    const int kind = static_cast<int>(state.range(5));

    global::ScriptedDialogs dialogs;
    global::FixedClock clock;
    std::size_t solutions = 0;
    uint32_t bestScrap = 0;
    for (auto _ : state) {
        PatternSearch remembered;
        const BarPatternSearch search = [&](const PrsTable& demand, uint32_t bar, CsTable& selection,
                                            uint32_t& scrap, uint8_t mode) {
            switch (kind) {
            case 0: return optimize(demand, bar, selection, scrap, mode, saw);
            case 1: return remembered.optimize(demand, bar, selection, scrap, mode, saw);
            default: return oracle::literalOptimize(demand, bar, selection, scrap, mode, saw);
            }
        };
        RunTables tables;
        ControlTime controlTime(clock, dialogs);
        controlTime.start(settings.controlTimeLimit);
        CalculationDriver driver(input, dialogs, call, settings, tables, search, controlTime);
        if (!driver.loadStock(LengthTable{}) || !driver.loadDemand() || !driver.run()) {
            state.SkipWithError(dialogs.messages().join(QStringLiteral(" / ")).toStdString().c_str());
            return;
        }
        solutions = tables.ranking.size();
        bestScrap = tables.ranking.empty() ? 0 : tables.ranking[0].totalScrap;
    }
    state.counters["solutions"] = static_cast<double>(solutions);
    state.counters["scrap"] = bestScrap;
    const char* kinds[] = {"grouped search", "grouped search with memory", "reference search"};
    state.SetLabel(std::to_string(state.range(0)) + " pieces, method " + std::to_string(state.range(3))
                   + (state.range(4) ? ", joints" : "") + ", " + kinds[kind]);
}

void searchCases(benchmark::internal::Benchmark* b)
{
    for (int mode = 0; mode <= 4; ++mode)
        for (int kind : {0, 1, 2})
            b->Args({200, 20, 4, mode, 0, kind});
    for (int mode : {0, 1, 4})
        for (int kind : {0, 1, 2})
            b->Args({2000, 40, 5, mode, 0, kind});
    b->Unit(benchmark::kMillisecond)->Iterations(1);
}

void runCases(benchmark::internal::Benchmark* b)
{
    for (int extend : {0, 500}) {
        for (int mode = 0; mode <= 4; ++mode) {
            b->Args({50, 10, 3, mode, extend});
            b->Args({200, 20, 4, mode, extend});
        }
        for (int mode = 0; mode <= 4; ++mode)
            b->Args({2000, 40, 5, mode, extend});
    }
    b->Unit(benchmark::kMillisecond)->Iterations(1);
}

} // namespace

BENCHMARK(BM_Run)->Apply(runCases);
BENCHMARK(BM_Search)->Apply(searchCases);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
