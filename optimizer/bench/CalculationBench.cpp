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
//
// BM_Limits runs orders at the run limits (RunLimits.h); its last argument chooses the piece
// lengths: 0 between 300 and 2900 as above, 1 between 2500 and 3000 (one or two pieces a bar, the
// most bars and searches). BM_JsonResult writes the JSON result of the 20,000-piece order of 100
// lengths (the run made once, not timed) with every solution or only the first.

#include "global/ScriptedServices.h"
#include "optimizer/CalculationDriver.h"
#include "optimizer/ControlTime.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/PatternSearch.h"
#include "optimizer/RecordSetInput.h"
#include "optimizer/ResultJson.h"
#include "optimizer/tests/support/LiteralPatternSearch.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

using namespace kadrel;

namespace {

constexpr uint32_t Profile = 1;

RecordSetInput makeInput(int pieces, int distinct, int stockLengths, uint32_t shortest = 300, uint32_t longest = 2900)
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
    std::uniform_int_distribution<uint32_t> lengthOf(shortest, longest);
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
    int64_t bestScrap = 0;
    uint32_t bars = 0;
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
    state.counters["scrap"] = static_cast<double>(bestScrap);
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
    int64_t bestScrap = 0;
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
    state.counters["scrap"] = static_cast<double>(bestScrap);
    const char* kinds[] = {"grouped search", "grouped search with memory", "reference search"};
    state.SetLabel(std::to_string(state.range(0)) + " pieces, method " + std::to_string(state.range(3))
                   + (state.range(4) ? ", joints" : "") + ", " + kinds[kind]);
}

void BM_Limits(benchmark::State& state)
{
    const bool longPieces = state.range(5) != 0;
    RecordSetInput input = makeInput(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                     static_cast<int>(state.range(2)), longPieces ? 2500 : 300,
                                     longPieces ? 3000 : 2900);
    const OptimizerCall call = makeCall(state);
    RunSettings settings;
    settings.controlTimeLimit = 10000;
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    uint32_t bars = 0;
    for (auto _ : state) {
        OptimizerRun run(input, RunServices{dialogs, clipboard, clock}, call, settings);
        if (!run.run()) {
            state.SkipWithError(dialogs.messages().join(QStringLiteral(" / ")).toStdString().c_str());
            return;
        }
        bars = run.ranking()[0].profiles;
    }
    state.counters["bars"] = bars;
    state.SetLabel(std::to_string(state.range(0)) + " pieces, " + std::to_string(state.range(1)) + " lengths, method "
                   + std::to_string(state.range(3)) + (state.range(4) ? ", joints" : "")
                   + (longPieces ? ", pieces 2500-3000" : ", pieces 300-2900"));
}

// The run whose result BM_JsonResult writes, made once.
struct JsonCase {
    RecordSetInput input = makeInput(20000, 100, 5);
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    std::unique_ptr<OptimizerRun> run;
    bool completed = false;

    JsonCase()
    {
        OptimizerCall call;
        call.profile = Profile;
        call.status = 1;
        RunSettings settings;
        settings.controlTimeLimit = 10000;
        run = std::make_unique<OptimizerRun>(input, RunServices{dialogs, clipboard, clock}, call, settings);
        completed = run->run();
    }
};

void BM_JsonResult(benchmark::State& state)
{
    static JsonCase c;
    if (!c.completed) {
        state.SkipWithError("the run ended without solutions");
        return;
    }
    const std::size_t solutions = state.range(0) < 0 ? c.run->ranking().size() : std::size_t(state.range(0));
    std::FILE* out = std::fopen("/dev/null", "w");
    for (auto _ : state)
        if (!writeResultJson(out, *c.run, true, {}, solutions))
            state.SkipWithError("the result could not be written");
    std::fclose(out);
    state.SetLabel("20000 pieces, 100 lengths, 5 stock lengths: " + std::to_string(solutions) + " of "
                   + std::to_string(c.run->ranking().size()) + " solutions in full");
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

void limitCases(benchmark::internal::Benchmark* b)
{
    for (const auto& [pieces, lengths] : {std::pair{20000, 100}, std::pair{10000, 200}}) {
        for (int mode = 0; mode <= 5; ++mode)
            b->Args({pieces, lengths, 5, mode, 0, 0});
        for (int mode = 0; mode <= 5; ++mode)
            b->Args({pieces, lengths, 5, mode, 0, 1});
        b->Args({pieces, lengths, 5, 1, 500, 0});
        b->Args({pieces, lengths, 5, 1, 500, 1});
    }
    b->Unit(benchmark::kMillisecond)->Iterations(1);
}

BENCHMARK(BM_Run)->Apply(runCases);
BENCHMARK(BM_Search)->Apply(searchCases);
BENCHMARK(BM_Limits)->Apply(limitCases);
BENCHMARK(BM_JsonResult)->Arg(-1)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

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
