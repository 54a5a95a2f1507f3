#include "optimizer/CuttingStock.h"

#include <algorithm>
#include <numeric>

namespace kadrel {

uint64_t CuttingProblem::totalPieces() const
{
    uint64_t total = 0;
    for (const PieceDemand& piece : pieces)
        total += piece.count;
    return total;
}

uint64_t CuttingProblem::demandedLength() const
{
    uint64_t total = 0;
    for (const PieceDemand& piece : pieces)
        total += uint64_t(piece.length) * piece.count;
    return total;
}

uint32_t CuttingProblem::longestStock() const
{
    uint32_t longest = 0;
    for (const StockSupply& supply : stock)
        longest = std::max(longest, supply.length);
    return longest;
}

uint32_t BarPattern::pieceCount() const
{
    return std::accumulate(counts.begin(), counts.end(), 0u);
}

uint64_t chargedLength(const CuttingProblem& problem, const BarPattern& pattern)
{
    uint64_t total = 0;
    for (std::size_t i = 0; i < pattern.counts.size(); ++i)
        total += uint64_t(pattern.counts[i]) * (uint64_t(problem.pieces[i].length) + problem.sawWidth);
    return total;
}

bool fitsOnBar(const CuttingProblem& problem, const BarPattern& pattern)
{
    if (pattern.stock >= problem.stock.size() || pattern.counts.size() != problem.pieces.size())
        return false;
    return chargedLength(problem, pattern) <= uint64_t(problem.stock[pattern.stock].length) + problem.sawWidth;
}

uint32_t leftoverOf(const CuttingProblem& problem, const BarPattern& pattern)
{
    const uint64_t bar = problem.stock[pattern.stock].length;
    const uint64_t charged = chargedLength(problem, pattern);
    return charged >= bar ? 0u : static_cast<uint32_t>(bar - charged);
}

void CuttingPlan::add(const BarPattern& pattern, uint32_t bars)
{
    if (bars == 0 || pattern.empty())
        return;
    for (PlannedPattern& planned : patterns) {
        if (planned.pattern == pattern) {
            planned.bars += bars;
            return;
        }
    }
    patterns.push_back(PlannedPattern{pattern, bars});
}

uint64_t CuttingPlan::material(const CuttingProblem& problem) const
{
    uint64_t total = 0;
    for (const PlannedPattern& planned : patterns)
        total += uint64_t(problem.stock[planned.pattern.stock].length) * planned.bars;
    return total;
}

uint64_t CuttingPlan::bars() const
{
    uint64_t total = 0;
    for (const PlannedPattern& planned : patterns)
        total += planned.bars;
    return total;
}

bool cutsExactDemand(const CuttingProblem& problem, const CuttingPlan& plan)
{
    std::vector<uint64_t> cut(problem.pieces.size(), 0);
    for (const PlannedPattern& planned : plan.patterns) {
        if (planned.pattern.counts.size() != cut.size())
            return false;
        for (std::size_t i = 0; i < cut.size(); ++i)
            cut[i] += uint64_t(planned.pattern.counts[i]) * planned.bars;
    }
    for (std::size_t i = 0; i < cut.size(); ++i)
        if (cut[i] != problem.pieces[i].count)
            return false;
    return true;
}

bool withinStock(const CuttingProblem& problem, const CuttingPlan& plan)
{
    std::vector<uint64_t> used(problem.stock.size(), 0);
    for (const PlannedPattern& planned : plan.patterns) {
        if (planned.pattern.stock >= used.size())
            return false;
        used[planned.pattern.stock] += planned.bars;
    }
    for (std::size_t k = 0; k < used.size(); ++k)
        if (used[k] > problem.stock[k].available)
            return false;
    return true;
}

bool everyBarFits(const CuttingProblem& problem, const CuttingPlan& plan)
{
    return std::all_of(plan.patterns.begin(), plan.patterns.end(),
                       [&](const PlannedPattern& planned) { return fitsOnBar(problem, planned.pattern); });
}

bool PlanScore::betterThan(const PlanScore& other) const
{
    if (material != other.material)
        return material < other.material;
    if (bars != other.bars)
        return bars < other.bars;
    if (usableRemnant != other.usableRemnant)
        return usableRemnant > other.usableRemnant;
    if (longestLeftover != other.longestLeftover)
        return longestLeftover > other.longestLeftover;
    return distinctPatterns < other.distinctPatterns;
}

PlanScore scoreOf(const CuttingProblem& problem, const CuttingPlan& plan)
{
    PlanScore score;
    score.material = plan.material(problem);
    score.bars = plan.bars();
    for (const PlannedPattern& planned : plan.patterns) {
        if (planned.bars == 0)
            continue;
        const uint32_t leftover = leftoverOf(problem, planned.pattern);
        if (leftover >= problem.remnantLength && leftover > 0)
            score.usableRemnant += uint64_t(leftover) * planned.bars;
        score.longestLeftover = std::max(score.longestLeftover, leftover);
        ++score.distinctPatterns;
    }
    return score;
}

bool firstFitDecreasing(const CuttingProblem& problem, std::vector<uint32_t>& demand,
                        std::vector<uint32_t>& stock, CuttingPlan& plan)
{
    const uint64_t saw = problem.sawWidth;
    std::vector<std::size_t> byLength(problem.pieces.size());
    std::iota(byLength.begin(), byLength.end(), 0);
    std::stable_sort(byLength.begin(), byLength.end(), [&](std::size_t a, std::size_t b) {
        return problem.pieces[a].length > problem.pieces[b].length;
    });
    std::vector<std::size_t> longestFirst(problem.stock.size());
    std::iota(longestFirst.begin(), longestFirst.end(), 0);
    std::stable_sort(longestFirst.begin(), longestFirst.end(), [&](std::size_t a, std::size_t b) {
        return problem.stock[a].length > problem.stock[b].length;
    });

    struct OpenBar {
        BarPattern pattern;
        uint64_t charged = 0;
    };
    std::vector<OpenBar> open;
    const auto room = [&](const OpenBar& bar) {
        return uint64_t(problem.stock[bar.pattern.stock].length) + saw - bar.charged;
    };
    bool complete = true;
    for (std::size_t i : byLength) {
        const uint64_t cost = uint64_t(problem.pieces[i].length) + saw;
        while (demand[i] > 0) {
            auto bar = std::find_if(open.begin(), open.end(), [&](const OpenBar& b) { return room(b) >= cost; });
            if (bar == open.end()) {
                const auto fresh = std::find_if(longestFirst.begin(), longestFirst.end(), [&](std::size_t k) {
                    return stock[k] > 0 && uint64_t(problem.stock[k].length) + saw >= cost;
                });
                if (fresh == longestFirst.end()) {
                    complete = false;
                    break;
                }
                --stock[*fresh];
                OpenBar started;
                started.pattern.stock = static_cast<uint32_t>(*fresh);
                started.pattern.counts.assign(problem.pieces.size(), 0);
                open.push_back(started);
                bar = open.end() - 1;
            }
            const uint64_t fitting = std::min<uint64_t>(demand[i], room(*bar) / std::max<uint64_t>(cost, 1));
            bar->pattern.counts[i] += static_cast<uint32_t>(fitting);
            bar->charged += fitting * cost;
            demand[i] -= static_cast<uint32_t>(fitting);
        }
        if (!complete)
            break;
    }

    // Every bar onto the shortest stock length left that holds it.
    for (OpenBar& bar : open) {
        for (auto k = longestFirst.rbegin(); k != longestFirst.rend(); ++k) {
            if (problem.stock[*k].length >= problem.stock[bar.pattern.stock].length)
                break;
            if (stock[*k] > 0 && uint64_t(problem.stock[*k].length) + saw >= bar.charged) {
                ++stock[bar.pattern.stock];
                --stock[*k];
                bar.pattern.stock = static_cast<uint32_t>(*k);
                break;
            }
        }
        plan.add(bar.pattern);
    }
    return complete;
}

} // namespace kadrel
