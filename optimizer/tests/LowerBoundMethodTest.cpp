// Method 5 and the lower bound of material: the saw rule of its bars against the bar-pattern
// searches, the pattern pricing against enumeration, the fewest bars on orders small enough to
// try every plan, and randomized orders through whole runs against methods 0 to 4.
#include "optimizer/BoundedPlanner.h"
#include "optimizer/PatternPricing.h"
#include "optimizer/PatternSearch.h"
#include "optimizer/tests/support/CalcFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <random>

using namespace kadrel;
using namespace kadrel::fixture;

namespace {

CuttingProblem problemOf(std::vector<PieceDemand> pieces, std::vector<StockSupply> stock, uint32_t saw = 5)
{
    CuttingProblem problem;
    problem.pieces = std::move(pieces);
    problem.stock = std::move(stock);
    problem.sawWidth = saw;
    return problem;
}

BarPattern patternOf(const CuttingProblem& problem, uint32_t stock, std::vector<uint32_t> counts)
{
    counts.resize(problem.pieces.size(), 0);
    return BarPattern{stock, counts};
}

// Every pattern (count vectors up to the demand) a bar of stock length k holds, the empty one left out.
std::vector<BarPattern> everyPattern(const CuttingProblem& problem, uint32_t k, const std::vector<uint32_t>& limit)
{
    std::vector<BarPattern> patterns;
    BarPattern current{k, std::vector<uint32_t>(problem.pieces.size(), 0)};
    std::function<void(std::size_t)> walk = [&](std::size_t i) {
        if (i == problem.pieces.size()) {
            if (!current.empty() && fitsOnBar(problem, current))
                patterns.push_back(current);
            return;
        }
        for (uint32_t n = 0; n <= limit[i]; ++n) {
            current.counts[i] = n;
            if (!fitsOnBar(problem, current) && n > 0)
                break;
            walk(i + 1);
        }
        current.counts[i] = 0;
    };
    walk(0);
    return patterns;
}

// The least material of any plan that cuts exactly the demand from the stock, tried plan by plan
// (bars of one pattern after another, patterns in a fixed order); nothing when no plan exists.
std::optional<uint64_t> leastMaterial(const CuttingProblem& problem)
{
    std::vector<uint32_t> demand;
    for (const PieceDemand& piece : problem.pieces)
        demand.push_back(piece.count);
    std::vector<uint32_t> stock;
    for (const StockSupply& supply : problem.stock)
        stock.push_back(supply.available);
    std::vector<BarPattern> patterns;
    for (uint32_t k = 0; k < problem.stock.size(); ++k)
        for (const BarPattern& p : everyPattern(problem, k, demand))
            patterns.push_back(p);

    std::map<std::vector<uint32_t>, std::optional<uint64_t>> memory;
    std::function<std::optional<uint64_t>(std::vector<uint32_t>&, std::vector<uint32_t>&)> best =
        [&](std::vector<uint32_t>& left, std::vector<uint32_t>& bars) -> std::optional<uint64_t> {
        if (std::all_of(left.begin(), left.end(), [](uint32_t n) { return n == 0; }))
            return uint64_t{0};
        std::vector<uint32_t> key = left;
        key.insert(key.end(), bars.begin(), bars.end());
        if (auto known = memory.find(key); known != memory.end())
            return known->second;
        // The first piece length still demanded is cut by some bar: try each pattern holding it.
        const std::size_t first = std::size_t(std::find_if(left.begin(), left.end(), [](uint32_t n) { return n > 0; })
                                              - left.begin());
        std::optional<uint64_t> result;
        for (const BarPattern& p : patterns) {
            if (p.counts[first] == 0 || bars[p.stock] == 0)
                continue;
            bool fits = true;
            for (std::size_t i = 0; i < left.size(); ++i)
                fits = fits && p.counts[i] <= left[i];
            if (!fits)
                continue;
            for (std::size_t i = 0; i < left.size(); ++i)
                left[i] -= p.counts[i];
            --bars[p.stock];
            if (std::optional<uint64_t> rest = best(left, bars)) {
                const uint64_t total = *rest + problem.stock[p.stock].length;
                if (!result || total < *result)
                    result = total;
            }
            ++bars[p.stock];
            for (std::size_t i = 0; i < left.size(); ++i)
                left[i] += p.counts[i];
        }
        memory[key] = result;
        return result;
    };
    return best(demand, stock);
}

void expectSoundPlan(const CuttingProblem& problem, const CuttingPlan& plan, const std::string& where)
{
    EXPECT_TRUE(cutsExactDemand(problem, plan)) << where;
    EXPECT_TRUE(withinStock(problem, plan)) << where;
    EXPECT_TRUE(everyBarFits(problem, plan)) << where;
}

} // namespace

// ---- The saw rule ---------------------------------------------------------------------------

TEST(LowerBoundMethodTest, EveryPieceCostsTheSawWidthButALastPieceThatFitsOnlyWithoutIt)
{
    const CuttingProblem problem =
        problemOf({{3000, 2}, {2995, 1}, {2000, 3}, {6000, 1}, {5998, 1}, {1996, 3}}, {{6000, 9}});
    struct Case {
        std::vector<uint32_t> counts;
        bool fits;
        uint32_t leftover;
    } cases[] = {
        {{1, 1}, true, 0},           // 3005 + 2995: the last piece goes without its saw cut
        {{2}, false, 0},             // 3005 + 3000 is over the bar
        {{0, 0, 2}, true, 1990},     // 2 × 2005
        {{0, 0, 3}, false, 0},       // 3 × 2005 = 6015: over the bar by more than a saw cut
        {{0, 0, 0, 0, 0, 3}, true, 0},   // 3 × 2001 = 6003: the last piece has 2 of its 5
        {{0, 0, 0, 1}, true, 0},     // a piece of the bar's length
        {{0, 0, 0, 0, 1}, true, 0},  // a piece that leaves less than a saw cut
        {{1, 0, 1}, true, 990},
    };
    for (const Case& c : cases) {
        const BarPattern pattern = patternOf(problem, 0, c.counts);
        EXPECT_EQ(fitsOnBar(problem, pattern), c.fits);
        if (c.fits) {
            EXPECT_EQ(leftoverOf(problem, pattern), c.leftover);
        }
    }
}

// Every pattern the bar-pattern searches of methods 0 to 4 return is one the method-5 rule
// accepts, with the same leftover: method 5 charges the saw exactly as they do.
TEST(LowerBoundMethodTest, PatternsOfTheSearchesObeyTheSameSawRule)
{
    std::mt19937 random(4242);
    for (int instance = 0; instance < 60; ++instance) {
        const uint32_t saw = random() % 2 == 0 ? 5 : 4;
        PrsTable demand;
        CuttingProblem problem;
        problem.sawWidth = saw;
        const int lengths = 2 + int(random() % 5);
        for (int d = 0; d < lengths; ++d) {
            const uint32_t length = 200 + random() % 3000;
            if (std::any_of(problem.pieces.begin(), problem.pieces.end(), [&](const PieceDemand& p) { return p.length == length; }))
                continue;
            const uint32_t pcs = 1 + random() % 4;
            demand.append(PrsRow{uint32_t(demand.size() + 1), length, pcs});
            problem.pieces.push_back(PieceDemand{length, pcs});
        }
        const uint32_t bar = 1000 + random() % 6000;
        problem.stock.push_back(StockSupply{bar, 1});
        for (uint8_t mode = 0; mode <= 4; ++mode) {
            CsTable selection;
            uint32_t scrap = bar;
            ASSERT_EQ(optimize(demand, bar, selection, scrap, mode, saw), Response::Completed);
            if (selection.empty())
                continue;
            BarPattern pattern{0, std::vector<uint32_t>(problem.pieces.size(), 0)};
            for (const CsRow& piece : selection)
                for (std::size_t i = 0; i < problem.pieces.size(); ++i)
                    if (problem.pieces[i].length == piece.lenght)
                        ++pattern.counts[i];
            EXPECT_TRUE(fitsOnBar(problem, pattern)) << "instance " << instance << " mode " << int(mode);
            EXPECT_EQ(leftoverOf(problem, pattern), scrap) << "instance " << instance << " mode " << int(mode);
        }
    }
}

// ---- Pricing ----------------------------------------------------------------------------------

TEST(LowerBoundMethodTest, PricingFindsTheMostValuablePatternOfEveryStockLength)
{
    std::mt19937 random(77);
    for (int instance = 0; instance < 40; ++instance) {
        CuttingProblem problem = problemOf({}, {}, random() % 3 == 0 ? 0 : 5);
        for (int d = 0; d < 4; ++d)
            problem.pieces.push_back(PieceDemand{300 + uint32_t(random() % 2500), 0});
        problem.stock = {{2500 + uint32_t(random() % 2000), 1}, {6000, 1}};
        std::vector<double> worth;
        std::vector<uint32_t> limit;
        for (int d = 0; d < 4; ++d) {
            worth.push_back(double(int(random() % 200)) / 10.0 - 3.0);   // some worth nothing or less
            limit.push_back(random() % 5);
        }
        PatternPricing pricing(problem);
        const std::vector<PricedPattern> priced = pricing.best(worth, limit);
        ASSERT_EQ(priced.size(), 2u);
        for (uint32_t k = 0; k < 2; ++k) {
            double best = 0;
            for (const BarPattern& p : everyPattern(problem, k, limit)) {
                double w = 0;
                for (std::size_t i = 0; i < 4; ++i)
                    w += p.counts[i] * worth[i];
                best = std::max(best, w);
            }
            EXPECT_NEAR(priced[k].worth, best, 1e-9) << "instance " << instance << " stock " << k;
            EXPECT_EQ(priced[k].pattern.stock, k);
            EXPECT_TRUE(priced[k].pattern.empty() || fitsOnBar(problem, priced[k].pattern));
            for (std::size_t i = 0; i < 4; ++i)
                EXPECT_LE(priced[k].pattern.counts[i], limit[i]);
        }
    }
}

// ---- The bound and the plan on orders small enough to try every plan ----------------------------

TEST(LowerBoundMethodTest, FewestBarsOnOrdersSmallEnoughToTryEveryPlan)
{
    std::mt19937 random(2024);
    int limitedByStock = 0;
    for (int instance = 0; instance < 60; ++instance) {
        CuttingProblem problem = problemOf({}, {}, 5);
        const int lengths = 1 + int(random() % 3);
        for (int d = 0; d < lengths; ++d)
            problem.pieces.push_back(PieceDemand{500 + uint32_t(random() % 3500), 1 + uint32_t(random() % 3)});
        problem.stock.push_back(StockSupply{6000, 2 + uint32_t(random() % 6)});
        if (random() % 2 == 0)
            problem.stock.push_back(StockSupply{4000 + uint32_t(random() % 1500), uint32_t(random() % 4)});
        const std::string where = "instance " + std::to_string(instance);

        const std::optional<uint64_t> least = leastMaterial(problem);
        BoundedPlanner planner(problem);
        const MaterialBound& bound = planner.bound(Deadline{});
        const std::vector<CuttingPlan> plans = planner.plan(Deadline{}, [] { return true; });
        if (!least) {
            ++limitedByStock;
            EXPECT_TRUE(plans.empty()) << where;
            EXPECT_FALSE(bound.known) << where;
            continue;
        }
        ASSERT_TRUE(bound.known) << where;
        EXPECT_TRUE(bound.proven) << where;
        EXPECT_LE(bound.linear, double(*least) + 1e-6) << where;
        EXPECT_LE(bound.material, *least) << where;
        ASSERT_FALSE(plans.empty()) << where;
        EXPECT_EQ(plans.front().material(problem), *least) << where;
        for (const CuttingPlan& plan : plans)
            expectSoundPlan(problem, plan, where);
    }
    EXPECT_GT(limitedByStock, 0);   // some orders the stock cannot cut were among them
}

TEST(LowerBoundMethodTest, BoundIsRoundedUpToWhatWholeBarsMake)
{
    const CuttingProblem one = problemOf({{1000, 1}}, {{6000, 5}});
    EXPECT_EQ(roundUpToWholeBars(one, 6000.5), 12000u);
    EXPECT_EQ(roundUpToWholeBars(one, 5999.0), 6000u);
    EXPECT_EQ(roundUpToWholeBars(one, 0.0), 0u);
    // 6000 and 6500: 12500 is the first sum of bars at or above 12001.
    const CuttingProblem two = problemOf({{1000, 1}}, {{6000, 5}, {6500, 5}});
    EXPECT_EQ(roundUpToWholeBars(two, 12001.0), 12500u);
    EXPECT_EQ(roundUpToWholeBars(two, 6001.0), 6500u);
    EXPECT_EQ(roundUpToWholeBars(two, 6501.0), 12000u);
}

// ---- Whole runs --------------------------------------------------------------------------------

namespace {

struct Bar {
    uint32_t length = 0;
    std::vector<uint32_t> pieces;
    std::optional<uint32_t> leftover;
};

std::vector<Bar> barsOf(const OptimizerRun& run, uint32_t combNo)
{
    std::vector<Bar> bars;
    std::optional<uint32_t> current;
    for (const ResultRow& row : run.results()) {
        if (row.combNo != combNo)
            continue;
        if (!current || *current != row.profileNo) {
            bars.push_back(Bar{row.profileLengt, {}, std::nullopt});
            current = row.profileNo;
        }
        if (row.cutId == 0)
            bars.back().leftover = row.cut;
        else
            bars.back().pieces.push_back(row.cut);
    }
    return bars;
}

struct RandomOrder {
    CalcProblem problem;
    std::map<uint32_t, uint32_t> demand;        // length -> pieces
    std::map<uint32_t, int32_t> available;      // stock length -> bars
};

RandomOrder randomOrder(std::mt19937& random)
{
    RandomOrder order;
    const int lengths = 3 + int(random() % 8);
    uint32_t cutId = 100;
    for (int d = 0; d < lengths; ++d) {
        const uint32_t length = 300 + random() % 2700;
        const uint32_t pcs = 1 + random() % 8;
        order.problem.piece(++cutId, length, pcs);
        order.demand[length] += pcs;
    }
    const uint32_t stock[] = {6000, 6500, 4000};
    const int stockLengths = 1 + int(random() % 3);
    for (int s = 0; s < stockLengths; ++s) {
        // Sometimes few bars of a length, so that the stock limits the plan.
        const int32_t bars = random() % 3 == 0 ? int32_t(2 + random() % 6) : 200;
        order.problem.stockLength(uint32_t(11 + s), stock[s], bars);
        order.available[stock[s]] = bars;
    }
    return order;
}

} // namespace

// Randomized orders (fixed seed): every plan of method 5 cuts exactly the demand, puts no bar
// over its length with the saw widths, takes no more bars of a length than there are, and uses
// no more material than the best of methods 0 to 4; no solution of any method is below the bound.
TEST(LowerBoundMethodTest, RandomOrdersPlannedSoundlyAndNeverWorseThanTheOtherMethods)
{
    std::mt19937 random(9001);
    const uint32_t saw = 5;
    int compared = 0;
    for (int instance = 0; instance < 40; ++instance) {
        RandomOrder order = randomOrder(random);
        const std::string where = "instance " + std::to_string(instance);
        RunSettings settings;
        settings.sawWidth = saw;
        settings.controlTimeLimit = 10000;

        std::optional<uint64_t> bestClassic;
        std::vector<uint64_t> classicMaterials;
        for (uint8_t mode = 0; mode <= 4; ++mode) {
            RunHarness classic;
            OptimizerRun& run = classic.start(order.problem, callFor(mode), settings);
            if (!run.run())
                continue;
            for (const RankingRow& row : run.ranking()) {
                classicMaterials.push_back(row.totalUsed);
                if (!bestClassic || uint64_t(row.totalUsed) < *bestClassic)
                    bestClassic = row.totalUsed;
            }
        }

        RunHarness harness;
        OptimizerRun& run = harness.start(order.problem, callFor(LowerBoundMethod), settings);
        const bool planned = run.run();
        if (!planned) {
            // Only when the stock cannot cut the demand: then no method may have a plan either.
            EXPECT_FALSE(run.lowerBound().known) << where;
            EXPECT_FALSE(bestClassic.has_value()) << where;
            continue;
        }
        ASSERT_TRUE(run.lowerBound().known) << where;
        for (uint64_t material : classicMaterials)
            EXPECT_LE(run.lowerBound().material, material) << where;

        for (std::size_t row = 0; row < run.ranking().size(); ++row) {
            const RankingRow& solution = run.ranking()[row];
            EXPECT_GE(solution.totalUsed, run.lowerBound().material) << where;
            std::map<uint32_t, uint32_t> cut;
            std::map<uint32_t, int32_t> barsUsed;
            for (const Bar& bar : barsOf(run, solution.combNo)) {
                uint64_t charged = 0;
                for (uint32_t piece : bar.pieces) {
                    ++cut[piece];
                    charged += piece + saw;
                }
                ASSERT_FALSE(bar.pieces.empty()) << where;
                // Over the bar only by the saw cut of the last piece, and the leftover as charged.
                EXPECT_LE(charged, uint64_t(bar.length) + saw) << where;
                const uint32_t leftover = charged >= bar.length ? 0 : uint32_t(bar.length - charged);
                EXPECT_EQ(bar.leftover.value_or(0), leftover) << where;
                ++barsUsed[bar.length];
            }
            EXPECT_EQ(cut, order.demand) << where;
            for (const auto& [length, bars] : barsUsed)
                EXPECT_LE(bars, order.available[length]) << where << " length " << length;
            // Every piece is identified with its cut record.
            SolutionItemTable items;
            SolutionSubitemTable subitems;
            EXPECT_FALSE(run.solutionTablesOf(int(row), items, subitems).has_value()) << where;
            EXPECT_EQ(subitems.size(), run.totalCuts()) << where;
        }
        if (bestClassic) {
            ++compared;
            EXPECT_LE(run.ranking().front().totalUsed, *bestClassic) << where;
        }
    }
    EXPECT_GT(compared, 25);
}

TEST(LowerBoundMethodTest, StatisticsShowTheBoundAndTheExcessOverIt)
{
    CalcProblem problem;
    problem.stockLength(11, 6000, 20);
    problem.piece(101, 2500, 3);   // 3 × 2505 = 7515: two bars at the least, and two suffice
    problem.piece(102, 1500, 1);
    for (uint8_t mode : {uint8_t(0), LowerBoundMethod}) {
        RunHarness harness;
        RunSettings settings;
        settings.controlTimeLimit = 10000;
        OptimizerRun& run = harness.start(problem, callFor(mode), settings);
        ASSERT_TRUE(run.run()) << int(mode);
        EXPECT_TRUE(run.lowerBound().known);
        EXPECT_EQ(run.lowerBound().material, 12000u);
        EXPECT_EQ(run.lowerBound().bars, 2u);
        const Statistics& s = run.statistics();
        EXPECT_TRUE(s.lowerBoundKnown);
        EXPECT_DOUBLE_EQ(s.lowerBound, 12.0);
        const double material = run.ranking()[0].totalUsed;
        EXPECT_DOUBLE_EQ(s.excessOverBoundPerc, (material - 12000.0) / 12000.0 * 100.0);
        if (mode == LowerBoundMethod) {
            EXPECT_EQ(run.ranking()[0].totalUsed, 12000u);
            EXPECT_TRUE(run.durationText().contains(QStringLiteral("Metoda 5")));
        }
    }
}

TEST(LowerBoundMethodTest, NoJointsInMethodFiveAndNoPlanWhenTheStockIsShort)
{
    CalcProblem problem;
    problem.stockLength(11, 6000, 3);
    problem.piece(101, 4000, 3);
    problem.piece(102, 2600, 2);
    RunSettings settings;
    settings.controlTimeLimit = 10000;
    {
        RunHarness harness;
        OptimizerRun& run = harness.start(problem, callFor(LowerBoundMethod, 7, 500), settings);
        // 4000 and 2600 never share a bar: four bars are needed (two 2600 share one) and three
        // are there. Method 5 never joins sections from leftovers.
        EXPECT_FALSE(run.run());
        EXPECT_FALSE(run.lowerBound().known);
        ASSERT_EQ(harness.dialogs.messages().size(), 1);
        EXPECT_EQ(harness.dialogs.messages().front(), CalcMessages::NoSolutionTryMethod4);
    }
    problem.lengths.front().intStock = 5;
    {
        RunHarness harness;
        OptimizerRun& run = harness.start(problem, callFor(LowerBoundMethod, 7, 500), settings);
        ASSERT_TRUE(run.run());
        for (const RankingRow& row : run.ranking())
            EXPECT_EQ(row.extensions, 0u);
        EXPECT_EQ(run.ranking()[0].profiles, 4u);
    }
}

// With no time at all the run still returns a complete plan with a valid bound.
TEST(LowerBoundMethodTest, AtTheTimeLimitTheBestPlanFoundIsReturnedWithItsBound)
{
    std::mt19937 random(31);
    CalcProblem problem;
    std::map<uint32_t, uint32_t> demand;
    for (uint32_t d = 0; d < 30; ++d) {
        const uint32_t length = 300 + random() % 2600;
        problem.piece(100 + d, length, 1 + random() % 20);
    }
    problem.stockLength(11, 6000, 10000);
    problem.stockLength(12, 6500, 10000);
    RunSettings settings;
    settings.controlTimeLimit = 10000;
    settings.timeLimitSeconds = 0;
    RunHarness harness;
    OptimizerRun& run = harness.start(problem, callFor(LowerBoundMethod), settings);
    ASSERT_TRUE(run.run());
    ASSERT_TRUE(run.lowerBound().known);
    EXPECT_LE(run.lowerBound().material, run.ranking()[0].totalUsed);
    EXPECT_GT(run.lowerBound().material, 0u);
}
