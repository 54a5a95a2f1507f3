#include "optimizer/BoundedPlanner.h"

#include "optimizer/PatternPricing.h"
#include "optimizer/WholeBarMaster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace kadrel {

namespace {

// Fractions of a bar closer than this to a whole bar count as whole.
constexpr double WholeTolerance = 1e-6;
// The whole-bar search over the generated patterns is given at most this many seconds (and never
// more than four fifths of the time left).
constexpr double WholeBarSeconds = 2.0;
// Orders with at most this many full patterns have the whole-bar search choose among all of them.
constexpr std::size_t MostFullPatterns = 5000;
// Groups of at most this many stock lengths are tried on their own.
constexpr int LargestStockGroup = 2;
// Gathering leftovers is given this long, also when the deadline has passed.
constexpr std::chrono::milliseconds GatherBudget{1000};

std::vector<uint32_t> demandOf(const CuttingProblem& problem)
{
    std::vector<uint32_t> demand;
    for (const PieceDemand& piece : problem.pieces)
        demand.push_back(piece.count);
    return demand;
}

std::vector<uint32_t> stockOf(const CuttingProblem& problem)
{
    std::vector<uint32_t> stock;
    for (const StockSupply& supply : problem.stock)
        stock.push_back(supply.available);
    return stock;
}

bool allCut(const std::vector<uint32_t>& demand)
{
    return std::all_of(demand.begin(), demand.end(), [](uint32_t n) { return n == 0; });
}

} // namespace

BoundedPlanner::BoundedPlanner(CuttingProblem problem)
    : problem_(std::move(problem)), master_(problem_), pricing_(problem_)
{
}

const MaterialBound& BoundedPlanner::bound(const Deadline& deadline)
{
    if (!bound_ && !PatternPricing::affordable(problem_)) {
        // Lengths so long that pricing patterns would take gigabytes: no bound, and method 5
        // plans first-fit decreasing alone.
        bound_ = MaterialBound{};
        rootCurrent_ = false;
    }
    if (!bound_) {
        const MasterOutcome root = master_.solve(demandOf(problem_), stockOf(problem_), deadline);
        bound_ = materialBoundOf(problem_, root);
        rootCurrent_ = root.solved;
        if (root.solved)
            rootWorth_ = master_.worths();
    }
    return *bound_;
}

std::vector<CuttingPlan> BoundedPlanner::plan(const Deadline& deadline, const std::function<bool()>& keepGoing,
                                              std::size_t keep)
{
    timedOut_ = false;
    const MaterialBound& lower = bound(deadline);
    std::vector<CuttingPlan> plans;

    const auto gathered = [&](CuttingPlan plan) {
        CuttingPlan moved = plan;
        gatherLeftovers(problem_, moved, Deadline{GatherBudget});
        return scoreOf(problem_, moved).betterThan(scoreOf(problem_, plan)) ? moved : plan;
    };
    const auto best = [&]() -> const CuttingPlan* {
        const CuttingPlan* found = nullptr;
        for (const CuttingPlan& candidate : plans)
            if (!found || candidate.material(problem_) < found->material(problem_))
                found = &candidate;
        return found;
    };
    const auto atBound = [&]() { return best() != nullptr && best()->material(problem_) <= lower.material; };

    if (lower.known) {
        CuttingPlan dived;
        if (dive(deadline, keepGoing, dived))
            plans.push_back(gathered(dived));
        if (!keepGoing())
            return {};
        if (!atBound() && best() != nullptr)
            if (std::optional<CuttingPlan> better = wholeBarImprovement(*best(), deadline, false))
                plans.push_back(gathered(*better));
        if (!atBound())
            diveOnStockSubsets(deadline, [&]() { return keepGoing() && !atBound(); }, plans, gathered);
        if (!keepGoing())
            return {};
        if (!atBound() && best() != nullptr)
            if (std::optional<CuttingPlan> better = wholeBarImprovement(*best(), deadline, true))
                plans.push_back(gathered(*better));
    }
    // Plain first-fit decreasing: a plan also when the program could not be solved in time.
    std::vector<uint32_t> demand = demandOf(problem_);
    std::vector<uint32_t> stock = stockOf(problem_);
    CuttingPlan simple;
    if (firstFitDecreasing(problem_, demand, stock, simple))
        plans.push_back(gathered(simple));
    timedOut_ = deadline.passed();

    std::stable_sort(plans.begin(), plans.end(), [&](const CuttingPlan& a, const CuttingPlan& b) {
        return scoreOf(problem_, a).betterThan(scoreOf(problem_, b));
    });
    // One plan per material: of plans with equal material only the preferred one is offered.
    std::vector<CuttingPlan> distinct;
    for (const CuttingPlan& candidate : plans) {
        const uint64_t material = candidate.material(problem_);
        const bool seen = std::any_of(distinct.begin(), distinct.end(),
                                      [&](const CuttingPlan& p) { return p.material(problem_) == material; });
        if (!seen && distinct.size() < keep)
            distinct.push_back(candidate);
    }
    return distinct;
}

// The rounding on groups of the stock lengths alone (the others given no bars): single lengths
// first, then pairs, while time is left.
void BoundedPlanner::diveOnStockSubsets(const Deadline& deadline, const std::function<bool()>& keepGoing,
                                        std::vector<CuttingPlan>& plans,
                                        const std::function<CuttingPlan(CuttingPlan)>& improve) const
{
    const std::size_t lengths = problem_.stock.size();
    if (lengths < 2 || lengths > 16)
        return;
    std::vector<uint32_t> groups;
    for (uint32_t mask = 1; mask + 1 < (1u << lengths); ++mask)
        if (std::popcount(mask) <= LargestStockGroup)
            groups.push_back(mask);
    std::stable_sort(groups.begin(), groups.end(),
                     [](uint32_t a, uint32_t b) { return std::popcount(a) < std::popcount(b); });
    for (uint32_t mask : groups) {
        if (deadline.passed() || !keepGoing())
            return;
        CuttingProblem alone = problem_;
        for (std::size_t k = 0; k < lengths; ++k)
            if ((mask & (1u << k)) == 0)
                alone.stock[k].available = 0;
        BoundedPlanner planner(alone);
        if (!planner.bound(deadline).known)
            continue;
        CuttingPlan plan;
        if (planner.dive(deadline, keepGoing, plan))
            plans.push_back(improve(plan));
    }
}

bool BoundedPlanner::dive(const Deadline& deadline, const std::function<bool()>& keepGoing, CuttingPlan& plan)
{
    std::vector<uint32_t> demand = demandOf(problem_);
    std::vector<uint32_t> stock = stockOf(problem_);
    if (!rootCurrent_) {
        const MasterOutcome root = master_.solve(demand, stock, deadline);
        if (!root.solved || !root.feasible)
            return false;
    }
    rootCurrent_ = false;

    while (!allCut(demand)) {
        if (!cutWholeBars(demand, stock, plan) && !cutOneMore(demand, stock, plan))
            break;
        if (allCut(demand) || deadline.passed() || !keepGoing())
            break;
        const MasterOutcome outcome = master_.solve(demand, stock, deadline);
        if (!outcome.solved || !outcome.feasible)
            break;
    }
    if (!allCut(demand) && keepGoing())
        fillBarByBar(demand, stock, plan, deadline);
    return allCut(demand);
}

std::optional<CuttingPlan> BoundedPlanner::wholeBarImprovement(const CuttingPlan& plan, const Deadline& deadline,
                                                                bool morePatterns)
{
    std::vector<BarPattern> patterns = master_.patterns();
    std::vector<uint32_t> bars(patterns.size(), 0);
    for (const PlannedPattern& planned : plan.patterns) {
        auto same = std::find(patterns.begin(), patterns.end(), planned.pattern);
        if (same == patterns.end()) {
            patterns.push_back(planned.pattern);
            bars.push_back(planned.bars);
        } else {
            bars[std::size_t(same - patterns.begin())] += planned.bars;
        }
    }
    // More patterns to choose from: every full pattern of a small order; else, for every stock
    // length and piece length, a bar holding that piece and otherwise the most worth, by the
    // program's worths and by length.
    std::vector<BarPattern> more;
    if (morePatterns && !addEveryFullPattern(more, MostFullPatterns)) {
        more.clear();
        if (!rootWorth_.empty())
            addPatternsAround(more, rootWorth_, deadline);
        addPatternsAround(more, fillWorth(), deadline);
    }
    for (const BarPattern& pattern : more) {
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end()) {
            patterns.push_back(pattern);
            bars.push_back(0);
        }
    }

    const std::optional<std::vector<uint32_t>> whole =
        wholeBarsOver(problem_, patterns, bars, deadline.secondsLeft(WholeBarSeconds) * 0.8);
    if (!whole)
        return std::nullopt;

    // The whole-bar plan may cut a few pieces more than demanded: its bars give them up.
    std::vector<uint32_t> demand = demandOf(problem_);
    std::vector<uint32_t> stock = stockOf(problem_);
    CuttingPlan better;
    for (std::size_t j = 0; j < patterns.size(); ++j) {
        for (uint32_t n = 0; n < (*whole)[j]; ++n) {
            if (const std::optional<BarPattern> pattern = fitted(patterns[j], demand, stock))
                take(*pattern, demand, stock, better);
        }
    }
    if (!allCut(demand) && !fillBarByBar(demand, stock, better, deadline))
        return std::nullopt;
    return better;
}

// Every pattern (no more pieces of a length than demanded) that holds no further demanded piece;
// false when there are more than `most`.
bool BoundedPlanner::addEveryFullPattern(std::vector<BarPattern>& patterns, std::size_t most) const
{
    const std::vector<uint32_t> demand = demandOf(problem_);
    const uint64_t saw = problem_.sawWidth;
    uint64_t shortest = UINT64_MAX;
    for (const PieceDemand& piece : problem_.pieces)
        if (piece.count > 0)
            shortest = std::min<uint64_t>(shortest, uint64_t(piece.length) + saw);
    for (uint32_t k = 0; k < problem_.stock.size(); ++k) {
        const uint64_t capacity = uint64_t(problem_.stock[k].length) + saw;
        BarPattern current{k, std::vector<uint32_t>(problem_.pieces.size(), 0)};
        bool tooMany = false;
        const std::function<void(std::size_t, uint64_t)> walk = [&](std::size_t i, uint64_t room) {
            if (tooMany)
                return;
            if (i == problem_.pieces.size()) {
                if (current.empty())
                    return;
                // Full: no demanded piece still missing from it fits into the room.
                for (std::size_t n = 0; n < problem_.pieces.size(); ++n)
                    if (current.counts[n] < demand[n] && uint64_t(problem_.pieces[n].length) + saw <= room)
                        return;
                patterns.push_back(current);
                tooMany = patterns.size() > most;
                return;
            }
            const uint64_t weight = uint64_t(problem_.pieces[i].length) + saw;
            const uint32_t fit = static_cast<uint32_t>(std::min<uint64_t>(demand[i], weight == 0 ? demand[i] : room / weight));
            for (uint32_t n = fit + 1; n-- > 0 && !tooMany;) {
                current.counts[i] = n;
                walk(i + 1, room - n * weight);
            }
            current.counts[i] = 0;
        };
        if (shortest <= capacity)
            walk(0, capacity);
        if (tooMany)
            return false;
    }
    return true;
}

void BoundedPlanner::addPatternsAround(std::vector<BarPattern>& patterns, const std::vector<double>& worth,
                                       const Deadline& deadline)
{
    const std::vector<uint32_t> demand = demandOf(problem_);
    for (uint32_t k = 0; k < problem_.stock.size() && !deadline.passed(); ++k) {
        for (std::size_t i = 0; i < problem_.pieces.size(); ++i) {
            BarPattern pattern{k, std::vector<uint32_t>(problem_.pieces.size(), 0)};
            pattern.counts[i] = 1;
            if (demand[i] == 0 || !fitsOnBar(problem_, pattern))
                continue;
            std::vector<uint32_t> left = demand;
            --left[i];
            const uint64_t room = uint64_t(problem_.stock[k].length) + problem_.sawWidth - chargedLength(problem_, pattern);
            const PricedPattern rest = pricing_.bestWithin(worth, left, room);
            for (std::size_t n = 0; n < left.size(); ++n)
                pattern.counts[n] += rest.pattern.counts[n];
            patterns.push_back(pattern);
        }
    }
}

// Every pattern as many whole times as the fractional plan cuts it.
bool BoundedPlanner::cutWholeBars(std::vector<uint32_t>& demand, std::vector<uint32_t>& stock, CuttingPlan& plan)
{
    bool cut = false;
    for (std::size_t j = 0; j < master_.patternCount(); ++j) {
        const double level = master_.level(j);
        auto whole = static_cast<uint64_t>(std::floor(level + WholeTolerance));
        for (; whole > 0; --whole) {
            std::optional<BarPattern> pattern = fitted(master_.pattern(j), demand, stock);
            if (!pattern)
                break;
            if (pattern->counts != master_.pattern(j).counts)
                fillRoom(*pattern, demand);   // fewer pieces than the pattern: room for others
            take(*pattern, demand, stock, plan);
            cut = true;
        }
    }
    return cut;
}

// The pattern with the largest fraction of a bar in the fractional plan, cut once.
bool BoundedPlanner::cutOneMore(std::vector<uint32_t>& demand, std::vector<uint32_t>& stock, CuttingPlan& plan)
{
    std::vector<std::size_t> order;
    for (std::size_t j = 0; j < master_.patternCount(); ++j)
        if (master_.level(j) > 0)
            order.push_back(j);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return master_.level(a) > master_.level(b); });
    for (std::size_t j : order) {
        if (std::optional<BarPattern> pattern = fitted(master_.pattern(j), demand, stock)) {
            fillRoom(*pattern, demand);
            take(*pattern, demand, stock, plan);
            return true;
        }
    }
    return false;
}

// What the bar still holds filled with the longest-taking choice of the pieces still demanded.
void BoundedPlanner::fillRoom(BarPattern& pattern, const std::vector<uint32_t>& demand)
{
    std::vector<uint32_t> left = demand;
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] -= pattern.counts[i];
    const uint64_t room = uint64_t(problem_.stock[pattern.stock].length) + problem_.sawWidth
        - chargedLength(problem_, pattern);
    const PricedPattern extra = pricing_.bestWithin(fillWorth(), left, room);
    for (std::size_t i = 0; i < left.size(); ++i)
        pattern.counts[i] += extra.pattern.counts[i];
}

std::vector<double> BoundedPlanner::fillWorth() const
{
    std::vector<double> worth;
    for (const PieceDemand& piece : problem_.pieces)
        worth.push_back(double(piece.length) + problem_.sawWidth);
    return worth;
}

// Bar by bar: the bar (of any stock length left) whose best pattern fills the largest share of it.
bool BoundedPlanner::fillBarByBar(std::vector<uint32_t>& demand, std::vector<uint32_t>& stock, CuttingPlan& plan,
                                  const Deadline& deadline)
{
    const std::vector<double> worth = fillWorth();
    while (!allCut(demand)) {
        if (deadline.passed())
            return firstFitDecreasing(problem_, demand, stock, plan);
        const std::vector<PricedPattern> priced = pricing_.best(worth, demand);
        std::optional<std::size_t> chosen;
        double bestShare = 0;
        for (std::size_t k = 0; k < priced.size(); ++k) {
            if (stock[k] == 0 || priced[k].pattern.empty())
                continue;
            const double share = priced[k].worth / problem_.stock[k].length;
            if (!chosen || share > bestShare) {
                chosen = k;
                bestShare = share;
            }
        }
        if (!chosen)
            return false;
        const std::optional<BarPattern> pattern = fitted(priced[*chosen].pattern, demand, stock);
        if (!pattern)
            return false;
        take(*pattern, demand, stock, plan);
    }
    return true;
}

// The pattern with no more pieces of a length than are still demanded, on the shortest stock
// length left that holds it; nothing when no piece of it is demanded or no bar holds it.
std::optional<BarPattern> BoundedPlanner::fitted(const BarPattern& pattern, const std::vector<uint32_t>& demand,
                                                 const std::vector<uint32_t>& stock) const
{
    BarPattern trimmed = pattern;
    for (std::size_t i = 0; i < trimmed.counts.size(); ++i)
        trimmed.counts[i] = std::min(trimmed.counts[i], demand[i]);
    if (trimmed.empty())
        return std::nullopt;
    const uint64_t charged = chargedLength(problem_, trimmed);
    std::optional<uint32_t> shortest;
    for (uint32_t k = 0; k < problem_.stock.size(); ++k) {
        if (stock[k] == 0 || uint64_t(problem_.stock[k].length) + problem_.sawWidth < charged)
            continue;
        if (!shortest || problem_.stock[k].length < problem_.stock[*shortest].length)
            shortest = k;
    }
    if (!shortest)
        return std::nullopt;
    trimmed.stock = *shortest;
    return trimmed;
}

void BoundedPlanner::take(const BarPattern& pattern, std::vector<uint32_t>& demand, std::vector<uint32_t>& stock,
                          CuttingPlan& plan) const
{
    for (std::size_t i = 0; i < demand.size(); ++i)
        demand[i] -= pattern.counts[i];
    --stock[pattern.stock];
    plan.add(pattern);
}

// ---- Gathering leftovers ------------------------------------------------------------------------

void gatherLeftovers(const CuttingProblem& problem, CuttingPlan& plan, const Deadline& deadline)
{
    struct Bar {
        BarPattern pattern;
        int64_t room = 0;   // what the bar still holds: its length and one saw width less the charged length
    };
    const int64_t saw = problem.sawWidth;
    std::vector<Bar> bars;
    std::vector<uint32_t> spare;
    for (const StockSupply& supply : problem.stock)
        spare.push_back(supply.available);
    for (const PlannedPattern& planned : plan.patterns) {
        spare[planned.pattern.stock] -= std::min(spare[planned.pattern.stock], planned.bars);
        const int64_t room = int64_t(problem.stock[planned.pattern.stock].length) + saw
            - int64_t(chargedLength(problem, planned.pattern));
        for (uint32_t n = 0; n < planned.bars; ++n)
            bars.push_back(Bar{planned.pattern, room});
    }

    // A piece moves from bar a to bar b when b holds it and a is then left with more room than b
    // had: the sum of squared rooms grows, so the moves end.
    bool moved = true;
    for (int sweep = 0; moved && sweep < 50 && !deadline.passed(); ++sweep) {
        moved = false;
        std::sort(bars.begin(), bars.end(), [](const Bar& x, const Bar& y) { return x.room > y.room; });
        for (std::size_t a = 0; a < bars.size(); ++a) {
            for (std::size_t i = 0; i < problem.pieces.size(); ++i) {
                const int64_t weight = int64_t(problem.pieces[i].length) + saw;
                while (bars[a].pattern.counts[i] > 0) {
                    std::size_t target = bars.size();
                    for (std::size_t b = bars.size(); b-- > 0;) {
                        if (b == a || bars[b].pattern.empty() || bars[b].room < weight)
                            continue;
                        if (bars[a].room + weight > bars[b].room) {
                            target = b;
                            break;
                        }
                    }
                    if (target == bars.size())
                        break;
                    --bars[a].pattern.counts[i];
                    bars[a].room += weight;
                    ++bars[target].pattern.counts[i];
                    bars[target].room -= weight;
                    moved = true;
                }
            }
        }
    }

    // Emptied bars go back to stock; every bar onto the shortest stock length left that holds it.
    CuttingPlan gathered;
    std::vector<std::size_t> shortestFirst(problem.stock.size());
    std::iota(shortestFirst.begin(), shortestFirst.end(), 0);
    std::stable_sort(shortestFirst.begin(), shortestFirst.end(),
                     [&](std::size_t x, std::size_t y) { return problem.stock[x].length < problem.stock[y].length; });

    // A bar cut from a longer stock length than needed gives pieces to bars with room until it
    // fits a shorter stock length that has bars left, longest pieces first; else it stays as it is.
    for (std::size_t a = 0; a < bars.size() && !deadline.passed(); ++a) {
        Bar& bar = bars[a];
        if (bar.pattern.empty())
            continue;
        for (std::size_t k : shortestFirst) {
            const int64_t target = int64_t(problem.stock[k].length);
            if (target >= int64_t(problem.stock[bar.pattern.stock].length))
                break;
            if (spare[k] == 0)
                continue;
            int64_t excess = int64_t(problem.stock[bar.pattern.stock].length) - bar.room - target;
            std::vector<std::pair<std::size_t, std::size_t>> moves;   // piece length, receiving bar
            std::vector<int64_t> room(bars.size());
            for (std::size_t b = 0; b < bars.size(); ++b)
                room[b] = bars[b].room;
            std::vector<uint32_t> counts = bar.pattern.counts;
            for (std::size_t i = 0; i < problem.pieces.size() && excess > 0; ++i) {
                const int64_t weight = int64_t(problem.pieces[i].length) + saw;
                while (counts[i] > 0 && excess > 0) {
                    std::size_t receiver = bars.size();
                    for (std::size_t b = 0; b < bars.size(); ++b)
                        if (b != a && !bars[b].pattern.empty() && room[b] >= weight
                            && (receiver == bars.size() || room[b] < room[receiver]))
                            receiver = b;
                    if (receiver == bars.size())
                        break;
                    room[receiver] -= weight;
                    --counts[i];
                    excess -= weight;
                    moves.emplace_back(i, receiver);
                }
            }
            if (excess > 0 || std::all_of(counts.begin(), counts.end(), [](uint32_t n) { return n == 0; }))
                continue;
            for (const auto& [i, receiver] : moves) {
                ++bars[receiver].pattern.counts[i];
                bars[receiver].room -= int64_t(problem.pieces[i].length) + saw;
            }
            bar.pattern.counts = counts;
            --spare[k];
            ++spare[bar.pattern.stock];
            bar.pattern.stock = static_cast<uint32_t>(k);
            bar.room = target + saw - int64_t(chargedLength(problem, bar.pattern));
            break;
        }
    }
    for (Bar& bar : bars) {
        if (bar.pattern.empty()) {
            ++spare[bar.pattern.stock];
            continue;
        }
        const uint64_t charged = chargedLength(problem, bar.pattern);
        for (std::size_t k : shortestFirst) {
            if (problem.stock[k].length >= problem.stock[bar.pattern.stock].length)
                break;
            if (spare[k] > 0 && uint64_t(problem.stock[k].length) + problem.sawWidth >= charged) {
                --spare[k];
                ++spare[bar.pattern.stock];
                bar.pattern.stock = static_cast<uint32_t>(k);
                break;
            }
        }
    }
    for (const Bar& bar : bars)
        gathered.add(bar.pattern);
    plan = std::move(gathered);
}

} // namespace kadrel
