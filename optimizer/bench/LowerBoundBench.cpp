// Method 5 (planning with the lower bound) against the best of methods 0 to 4, on three classes of
// generated orders, and the cost of the bound itself.
//
// BM_Class/class/method: every order of a class (20 orders, fixed seeds) planned by one method
// per iteration: method 5, or "classic", the five methods 0 to 4 each run in full and the best
// (least material) kept. Counters per class: the mean and largest number of bars and the mean
// and largest material above the bound, the share of orders planned at the rounded bound, and
// the time per order.
//   class 0 "hard":  150 pieces of 12 lengths between 1,500 and 3,000, one stock length 6,000
//   class 1 "mixed": 300 pieces of 30 lengths between 300 and 4,000, stock 6,000 and 6,500
//   class 2 "small": 400 pieces of 20 lengths between 200 and 900, stock 6,000
// Saw width 5, every stock length with enough bars to cut the whole order.
//
// BM_Large: method 5 on 2,000 pieces of 40 lengths from 5 stock lengths (the order of
// CalculationBench). BM_Bound: the bound alone on that order (what every run of methods 0 to 4
// now pays in addition).

#include "global/ScriptedServices.h"
#include "optimizer/BoundedPlanner.h"
#include "optimizer/CalculationDriver.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/RecordSetInput.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

using namespace kadrel;

namespace {

constexpr uint32_t Profile = 1;
constexpr int OrdersPerClass = 20;

struct OrderClass {
    const char* name;
    int pieces;
    int lengths;
    uint32_t shortest;
    uint32_t longest;
    std::vector<uint32_t> stock;
};

const OrderClass& orderClass(int which)
{
    static const OrderClass classes[] = {
        {"hard", 150, 12, 1500, 3000, {6000}},
        {"mixed", 300, 30, 300, 4000, {6000, 6500}},
        {"small", 400, 20, 200, 900, {6000}},
    };
    return classes[which];
}

RecordSetInput emptyProfile()
{
    RecordSetInput input;
    global::ProfileRecord profile;
    profile.id = Profile;
    profile.profileCode = QStringLiteral("BENCH");
    profile.remnantLenght = 800;
    input.profiles.push_back(profile);
    return input;
}

void addStock(RecordSetInput& input, const std::vector<uint32_t>& lengths, uint64_t demand)
{
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        global::ProfileLengthRecord length;
        length.id = static_cast<uint32_t>(s + 1);
        length.profileId = Profile;
        length.lenght = lengths[s];
        length.intStock = static_cast<int32_t>(demand / lengths[s] * 2 + 5);
        input.lengths.push_back(length);
    }
}

// One order of a class: distinct lengths drawn uniformly, every piece one of them at random.
RecordSetInput classOrder(const OrderClass& c, int seed)
{
    RecordSetInput input = emptyProfile();
    std::mt19937 random(static_cast<uint32_t>(seed * 7919 + c.pieces));
    std::uniform_int_distribution<uint32_t> lengthOf(c.shortest, c.longest);
    std::vector<uint32_t> lengths;
    while (lengths.size() < static_cast<std::size_t>(c.lengths)) {
        const uint32_t l = lengthOf(random);
        if (std::find(lengths.begin(), lengths.end(), l) == lengths.end())
            lengths.push_back(l);
    }
    std::vector<uint32_t> counts(lengths.size(), 0);
    std::uniform_int_distribution<std::size_t> pick(0, lengths.size() - 1);
    for (int p = 0; p < c.pieces; ++p)
        ++counts[pick(random)];
    uint64_t demand = 0;
    for (std::size_t d = 0; d < lengths.size(); ++d) {
        if (counts[d] == 0)
            continue;
        global::CutRecord cut;
        cut.id = static_cast<uint32_t>(d + 1);
        cut.orderId = 1;
        cut.orderProfileId = 1;
        cut.profileId = Profile;
        cut.status = 1;
        cut.lenght = lengths[d];
        cut.pcs = counts[d];
        demand += uint64_t(cut.lenght) * cut.pcs;
        input.cuts.push_back(cut);
    }
    addStock(input, c.stock, demand);
    return input;
}

// The order of CalculationBench: 2,000 pieces of 40 lengths between 300 and 2,900, evenly spread,
// stock 6,000 / 6,500 / 3,000 / 7,500 / 4,500.
RecordSetInput largeOrder()
{
    RecordSetInput input = emptyProfile();
    const int pieces = 2000, distinct = 40;
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
    addStock(input, {6000, 6500, 3000, 7500, 4500}, demand);
    return input;
}

struct Planned {
    bool complete = false;
    uint64_t material = 0;
    uint64_t bars = 0;
    MaterialBound bound;
};

Planned runMethod(RecordSetInput& input, uint8_t mode)
{
    OptimizerCall call;
    call.profile = Profile;
    call.mode = mode;
    call.status = 1;
    RunSettings settings;
    settings.controlTimeLimit = 10000;
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    OptimizerRun run(input, RunServices{dialogs, clipboard, clock}, call, settings);
    Planned planned;
    planned.complete = run.run();
    planned.bound = run.lowerBound();
    for (const RankingRow& row : run.ranking()) {
        if (planned.material == 0 || uint64_t(row.totalUsed) < planned.material) {
            planned.material = row.totalUsed;
            planned.bars = row.profiles;
        }
    }
    return planned;
}

Planned bestClassic(RecordSetInput& input)
{
    Planned best;
    for (uint8_t mode = 0; mode <= 4; ++mode) {
        const Planned planned = runMethod(input, mode);
        if (planned.complete && (!best.complete || planned.material < best.material)) {
            best = planned;
        }
        best.bound = planned.bound;
    }
    return best;
}

void BM_Class(benchmark::State& state)
{
    const OrderClass& c = orderClass(static_cast<int>(state.range(0)));
    const bool classic = state.range(1) == 0;
    std::vector<RecordSetInput> orders;
    for (int seed = 1; seed <= OrdersPerClass; ++seed)
        orders.push_back(classOrder(c, seed));

    double barsAbove = 0, maxBarsAbove = 0, materialAbove = 0, maxMaterialAbove = 0, atBound = 0;
    double seconds = 0;
    int incomplete = 0;
    for (auto _ : state) {
        barsAbove = maxBarsAbove = materialAbove = maxMaterialAbove = atBound = seconds = 0;
        incomplete = 0;
        for (RecordSetInput& order : orders) {
            const auto started = std::chrono::steady_clock::now();
            const Planned planned = classic ? bestClassic(order) : runMethod(order, LowerBoundMethod);
            seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (!planned.complete || !planned.bound.known) {
                ++incomplete;
                continue;
            }
            const double bars = double(planned.bars) - double(planned.bound.bars);
            const double material = (double(planned.material) - double(planned.bound.material)) / 1000.0;
            barsAbove += bars;
            maxBarsAbove = std::max(maxBarsAbove, bars);
            materialAbove += material;
            maxMaterialAbove = std::max(maxMaterialAbove, material);
            if (planned.material == planned.bound.material)
                atBound += 1;
        }
    }
    const double n = OrdersPerClass;
    state.counters["bars_above"] = barsAbove / n;
    state.counters["bars_above_max"] = maxBarsAbove;
    state.counters["m_above"] = materialAbove / n;
    state.counters["m_above_max"] = maxMaterialAbove;
    state.counters["at_bound_%"] = atBound / n * 100;
    state.counters["s_per_order"] = seconds / n;
    state.counters["incomplete"] = incomplete;
    state.SetLabel(std::string(c.name) + (classic ? ", best of methods 0-4" : ", method 5"));
}

void BM_Large(benchmark::State& state)
{
    RecordSetInput input = largeOrder();
    Planned planned;
    for (auto _ : state)
        planned = runMethod(input, LowerBoundMethod);
    state.counters["bars"] = double(planned.bars);
    state.counters["bound_bars"] = double(planned.bound.bars);
    state.counters["m_above"] = (double(planned.material) - double(planned.bound.material)) / 1000.0;
    state.counters["proven"] = planned.bound.proven;
}

void BM_Bound(benchmark::State& state)
{
    RecordSetInput input = largeOrder();
    CuttingProblem problem;
    problem.sawWidth = 5;
    for (const global::CutRecord& cut : input.cuts)
        problem.pieces.push_back(PieceDemand{cut.lenght, cut.pcs});
    for (const global::ProfileLengthRecord& length : input.lengths)
        problem.stock.push_back(StockSupply{length.lenght, static_cast<uint32_t>(length.intStock)});
    MaterialBound bound;
    for (auto _ : state) {
        BoundedPlanner planner(problem);
        bound = planner.bound(Deadline{});
    }
    state.counters["bound_m"] = double(bound.material) / 1000.0;
    state.counters["proven"] = bound.proven;
}

} // namespace

BENCHMARK(BM_Class)->ArgsProduct({{0, 1, 2}, {1, 0}})->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Large)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Bound)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
