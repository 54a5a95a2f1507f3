#include "optimizer/PatternMaster.h"

#include "optimizer/PatternPricing.h"

#include <ClpSimplex.hpp>
#include <CoinHelperFunctions.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kadrel {

namespace {

// The program counts material in thousands of length units (metres of millimetre lengths), so
// that its numbers stay small.
constexpr double Scale = 1000.0;
// A pattern joins the program when it lowers the material by more than this (scaled units).
constexpr double PricingTolerance = 1e-7;
// Bars of a pattern below this count as none.
constexpr double LevelTolerance = 1e-9;
// Rounds of pricing in one solve at most.
constexpr std::size_t MaxRounds = 5000;

} // namespace

// The program: one row per demanded length (exactly its demand), one row per stock length (at
// most its bars), and first one slack column per demanded length at a prohibitive price, so that
// every program can be solved and the slack shows a demand the stock cannot meet.
struct PatternMaster::Solver {
    ClpSimplex lp;
    int pieceRows = 0;
    int stockRows = 0;
    int slackColumns = 0;
};

PatternMaster::PatternMaster(const CuttingProblem& problem)
    : problem_(problem), solver_(std::make_unique<Solver>())
{
    Solver& s = *solver_;
    s.lp.setLogLevel(0);
    s.pieceRows = static_cast<int>(problem.pieces.size());
    s.stockRows = static_cast<int>(problem.stock.size());
    s.lp.resize(s.pieceRows + s.stockRows, 0);
    for (int i = 0; i < s.pieceRows; ++i) {
        s.lp.setRowLower(i, problem.pieces[std::size_t(i)].count);
        s.lp.setRowUpper(i, problem.pieces[std::size_t(i)].count);
    }
    for (int k = 0; k < s.stockRows; ++k) {
        s.lp.setRowLower(s.pieceRows + k, -COIN_DBL_MAX);
        s.lp.setRowUpper(s.pieceRows + k, problem.stock[std::size_t(k)].available);
    }
    const double prohibitive = 1000.0 * std::max<double>(problem.longestStock(), 1.0) / Scale;
    for (int i = 0; i < s.pieceRows; ++i) {
        const double one = 1.0;
        s.lp.addColumn(1, &i, &one, 0.0, COIN_DBL_MAX, prohibitive);
    }
    s.slackColumns = s.pieceRows;
    seedPatterns();
}

PatternMaster::~PatternMaster() = default;

void PatternMaster::addPattern(const BarPattern& pattern)
{
    Solver& s = *solver_;
    std::vector<int> rows;
    std::vector<double> elements;
    for (std::size_t i = 0; i < pattern.counts.size(); ++i) {
        if (pattern.counts[i] == 0)
            continue;
        rows.push_back(static_cast<int>(i));
        elements.push_back(pattern.counts[i]);
    }
    rows.push_back(s.pieceRows + static_cast<int>(pattern.stock));
    elements.push_back(1.0);
    s.lp.addColumn(static_cast<int>(rows.size()), rows.data(), elements.data(), 0.0, COIN_DBL_MAX,
                   problem_.stock[pattern.stock].length / Scale);
    patterns_.push_back(pattern);
}

// A start: on every stock length, as many pieces of one length as the bar holds.
void PatternMaster::seedPatterns()
{
    const uint64_t saw = problem_.sawWidth;
    for (uint32_t k = 0; k < problem_.stock.size(); ++k) {
        const uint64_t room = uint64_t(problem_.stock[k].length) + saw;
        for (std::size_t i = 0; i < problem_.pieces.size(); ++i) {
            const uint64_t weight = uint64_t(problem_.pieces[i].length) + saw;
            if (weight == 0 || weight > room || problem_.pieces[i].count == 0)
                continue;
            BarPattern pattern;
            pattern.stock = k;
            pattern.counts.assign(problem_.pieces.size(), 0);
            pattern.counts[i] = static_cast<uint32_t>(std::min<uint64_t>(problem_.pieces[i].count, room / weight));
            addPattern(pattern);
        }
    }
}

double PatternMaster::level(std::size_t j) const
{
    const double x = solver_->lp.primalColumnSolution()[solver_->slackColumns + static_cast<int>(j)];
    return x < LevelTolerance ? 0.0 : x;
}

std::vector<double> PatternMaster::worths() const
{
    const double* rowPrice = solver_->lp.dualRowSolution();
    return std::vector<double>(rowPrice, rowPrice + solver_->pieceRows);
}

MasterOutcome PatternMaster::solve(const std::vector<uint32_t>& demand, const std::vector<uint32_t>& stock,
                                   const Deadline& deadline)
{
    Solver& s = *solver_;
    MasterOutcome outcome;
    uint64_t pieces = 0;
    for (int i = 0; i < s.pieceRows; ++i) {
        s.lp.setRowLower(i, demand[std::size_t(i)]);
        s.lp.setRowUpper(i, demand[std::size_t(i)]);
        pieces += demand[std::size_t(i)];
    }
    for (int k = 0; k < s.stockRows; ++k)
        s.lp.setRowUpper(s.pieceRows + k, stock[std::size_t(k)]);
    if (pieces == 0) {
        outcome.solved = outcome.feasible = outcome.proven = true;
        return outcome;
    }

    PatternPricing pricing(problem_);
    std::vector<double> worth(problem_.pieces.size());
    double bestBound = 0;
    bool haveBound = false;
    s.lp.dual();
    for (std::size_t round = 0; round < MaxRounds; ++round) {
        if (s.lp.status() != 0) {
            s.lp.primal();
            if (s.lp.status() != 0)
                return outcome;   // the solver failed: nothing is known
        }
        outcome.solved = true;
        const double* rowPrice = s.lp.dualRowSolution();
        for (int i = 0; i < s.pieceRows; ++i)
            worth[std::size_t(i)] = rowPrice[i];

        // Lagrangian bound with these worths: a plan cuts exactly the demand, and every bar of it
        // costs at least its stock length less the worth of its pieces and the price of its
        // stock row; no plan cuts more bars of a length than it has, nor more bars than pieces.
        ++rounds_;
        const std::vector<PricedPattern> priced = pricing.best(worth, demand);
        double bound = 0;
        for (int i = 0; i < s.pieceRows; ++i)
            bound += worth[std::size_t(i)] * demand[std::size_t(i)];
        bool improving = false;
        for (int k = 0; k < s.stockRows; ++k) {
            const double stockPrice = std::min(0.0, rowPrice[s.pieceRows + k]);
            const double bars = std::min<double>(stock[std::size_t(k)], double(pieces));
            bound += stockPrice * stock[std::size_t(k)];
            const double reduced = problem_.stock[std::size_t(k)].length / Scale - stockPrice
                - priced[std::size_t(k)].worth;
            if (reduced < 0)
                bound += reduced * bars;
            if (reduced < -PricingTolerance && stock[std::size_t(k)] > 0 && !priced[std::size_t(k)].pattern.empty()) {
                addPattern(priced[std::size_t(k)].pattern);
                improving = true;
            }
        }
        if (!haveBound || bound > bestBound) {
            bestBound = bound;
            haveBound = true;
        }
        if (!improving) {
            outcome.proven = true;
            break;
        }
        if (deadline.passed())
            break;
        s.lp.primal();
    }

    outcome.value = s.lp.objectiveValue() * Scale;
    outcome.bound = std::max(0.0, bestBound) * Scale;
    double slack = 0;
    const double* x = s.lp.primalColumnSolution();
    for (int i = 0; i < s.slackColumns; ++i)
        slack += x[i];
    outcome.feasible = outcome.solved && slack < 1e-6;
    if (outcome.proven)
        outcome.bound = std::min(outcome.bound, outcome.value);
    return outcome;
}

uint64_t roundUpToWholeBars(const CuttingProblem& problem, double linear)
{
    // A hair below the bound, so that rounding errors of the program never lift it over a plan.
    const double target = std::max(0.0, linear - 1e-6 * std::max(1.0, linear));
    const uint64_t atLeast = static_cast<uint64_t>(std::ceil(target));
    if (atLeast == 0)
        return 0;
    uint64_t unit = 0;
    uint64_t longest = 0;
    for (const StockSupply& supply : problem.stock) {
        unit = std::gcd(unit, uint64_t(supply.length));
        longest = std::max<uint64_t>(longest, supply.length);
    }
    if (unit == 0)
        return atLeast;
    const uint64_t first = (atLeast + unit - 1) / unit;   // in units of the common divisor
    const uint64_t span = longest / unit;
    constexpr uint64_t MaxCells = 4'000'000;
    if (first + span > MaxCells)
        return atLeast;
    // Which sums of bar lengths (in units) can be made, up to the first one at or above the bound.
    std::vector<char> made(first + span + 1, 0);
    made[0] = 1;
    for (uint64_t sum = 1; sum <= first + span; ++sum) {
        for (const StockSupply& supply : problem.stock) {
            const uint64_t step = supply.length / unit;
            if (step <= sum && made[sum - step]) {
                made[sum] = 1;
                break;
            }
        }
        if (made[sum] && sum >= first)
            return sum * unit;
    }
    return atLeast;
}

MaterialBound materialBoundOf(const CuttingProblem& problem, const MasterOutcome& outcome)
{
    MaterialBound bound;
    if (!outcome.solved || !outcome.feasible || problem.stock.empty())
        return bound;
    bound.known = true;
    bound.proven = outcome.proven;
    bound.linear = outcome.proven ? outcome.value : outcome.bound;
    // The Lagrangian bound is the valid one; the optimum of the program is used only to the
    // extent it agrees.
    // No plan uses less material than the length of the pieces it cuts.
    const double valid = std::max(std::min(outcome.bound, bound.linear), double(problem.demandedLength()));
    bound.linear = valid;
    bound.material = roundUpToWholeBars(problem, valid);
    const double longest = problem.longestStock();
    bound.bars = longest > 0 ? static_cast<uint64_t>(std::ceil(std::max(0.0, valid - 1e-6 * std::max(1.0, valid)) / longest))
                             : 0;
    return bound;
}

} // namespace kadrel
