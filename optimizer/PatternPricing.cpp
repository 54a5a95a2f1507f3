#include "optimizer/PatternPricing.h"

#include <algorithm>

namespace kadrel {

PatternPricing::PatternPricing(const CuttingProblem& problem) : problem_(problem)
{
    capacity_ = problem.longestStock() + problem.sawWidth;
}

bool PatternPricing::affordable(const CuttingProblem& problem)
{
    const uint64_t width = uint64_t(problem.longestStock()) + problem.sawWidth + 1;
    // Items as solve() makes them at most: 1, 2, 4, ... pieces up to what one bar can hold.
    uint64_t items = 0;
    for (const PieceDemand& piece : problem.pieces) {
        const uint64_t weight = uint64_t(piece.length) + problem.sawWidth;
        if (weight == 0 || weight >= width)
            continue;
        for (uint64_t most = std::min<uint64_t>(piece.count, (width - 1) / weight); most > 0; most /= 2)
            ++items;
    }
    const uint64_t bytes = width * sizeof(double) + items * ((width + 63) / 64) * sizeof(uint64_t);
    return bytes <= MaxTableBytes && items * width <= MaxTableSteps;
}

std::vector<PricedPattern> PatternPricing::best(const std::vector<double>& worth,
                                                const std::vector<uint32_t>& limit)
{
    solve(worth, limit);
    std::vector<PricedPattern> patterns;
    patterns.reserve(problem_.stock.size());
    for (uint32_t k = 0; k < problem_.stock.size(); ++k)
        patterns.push_back(patternAt(k, std::size_t(problem_.stock[k].length) + problem_.sawWidth));
    return patterns;
}

PricedPattern PatternPricing::bestWithin(const std::vector<double>& worth, const std::vector<uint32_t>& limit,
                                         uint64_t room)
{
    solve(worth, limit);
    return patternAt(0, static_cast<std::size_t>(room));
}

void PatternPricing::solve(const std::vector<double>& worth, const std::vector<uint32_t>& limit)
{
    // Each piece length becomes items of 1, 2, 4, ... pieces, so that any count up to its limit
    // is a choice of items (each taken at most once).
    items_.clear();
    for (uint32_t i = 0; i < problem_.pieces.size(); ++i) {
        if (worth[i] <= 0 || limit[i] == 0)
            continue;
        const uint64_t weight = uint64_t(problem_.pieces[i].length) + problem_.sawWidth;
        if (weight == 0 || weight > capacity_)
            continue;
        uint32_t left = static_cast<uint32_t>(std::min<uint64_t>(limit[i], capacity_ / weight));
        for (uint32_t chunk = 1; left > 0; chunk *= 2) {
            const uint32_t count = std::min(chunk, left);
            items_.push_back(Item{i, count, static_cast<uint32_t>(weight * count), worth[i] * count});
            left -= count;
        }
    }

    const std::size_t width = std::size_t(capacity_) + 1;
    words_ = (width + 63) / 64;
    value_.assign(width, 0.0);
    taken_.assign(items_.size() * words_, 0);
    for (std::size_t n = 0; n < items_.size(); ++n) {
        const Item& item = items_[n];
        uint64_t* bits = taken_.data() + n * words_;
        for (std::size_t c = capacity_; c >= item.weight; --c) {
            const double with = value_[c - item.weight] + item.worth;
            if (with > value_[c]) {
                value_[c] = with;
                bits[c / 64] |= uint64_t(1) << (c % 64);
            }
            if (c == item.weight)
                break;
        }
    }
}

PricedPattern PatternPricing::patternAt(uint32_t stock, std::size_t room) const
{
    PricedPattern priced;
    priced.pattern.stock = stock;
    priced.pattern.counts.assign(problem_.pieces.size(), 0);
    std::size_t c = std::min<std::size_t>(capacity_, room);
    for (std::size_t n = items_.size(); n-- > 0;) {
        const uint64_t* bits = taken_.data() + n * words_;
        if ((bits[c / 64] >> (c % 64)) & 1u) {
            priced.pattern.counts[items_[n].piece] += items_[n].count;
            priced.worth += items_[n].worth;
            c -= items_[n].weight;
        }
    }
    return priced;
}

} // namespace kadrel
