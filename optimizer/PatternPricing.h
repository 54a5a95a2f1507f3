#pragma once
// The most valuable bar pattern of every stock length when each piece length has a worth: an
// exact bounded knapsack over the piece lengths. A piece weighs its length plus the saw width and
// a bar holds its length plus one saw width (the last piece needs no saw cut of its own), so the
// patterns found are exactly the ones fitsOnBar accepts.

#include "optimizer/CuttingStock.h"

#include <cstdint>
#include <vector>

namespace kadrel {

struct PricedPattern {
    BarPattern pattern;
    double worth = 0;   // sum of the worths of its pieces
};

class PatternPricing {
public:
    explicit PatternPricing(const CuttingProblem& problem);

    // The table of one pricing grows with the longest bar: a value per unit of length and a bit
    // per item and unit. Whether it stays within MaxTableBytes and MaxTableSteps for this
    // problem (bars of kilometres in millimetres would need gigabytes).
    static bool affordable(const CuttingProblem& problem);
    static constexpr uint64_t MaxTableBytes = uint64_t(256) << 20;
    static constexpr uint64_t MaxTableSteps = 1000000000;

    // worth[i]: what one piece of length i is worth (pieces worth nothing are left out);
    // limit[i]: at most that many pieces of length i on one bar. One pattern per stock length,
    // in the order of the problem's stock.
    std::vector<PricedPattern> best(const std::vector<double>& worth, const std::vector<uint32_t>& limit);

    // The most valuable pieces within a free length (the room of a bar: its length and one saw
    // width less what its pieces already take); stock is left as given.
    PricedPattern bestWithin(const std::vector<double>& worth, const std::vector<uint32_t>& limit,
                             uint64_t room);

private:
    void solve(const std::vector<double>& worth, const std::vector<uint32_t>& limit);
    PricedPattern patternAt(uint32_t stock, std::size_t room) const;

    struct Item {
        uint32_t piece = 0;   // index into the problem's pieces
        uint32_t count = 0;   // pieces this item stands for
        uint32_t weight = 0;
        double worth = 0;
    };

    const CuttingProblem& problem_;
    uint32_t capacity_ = 0;            // the longest bar plus one saw width
    std::vector<Item> items_;
    std::vector<double> value_;        // best worth within each capacity
    std::vector<uint64_t> taken_;      // bit per item and capacity: the item improved it
    std::size_t words_ = 0;            // words of taken_ per item
};

} // namespace kadrel
