#pragma once
// The cutting of one profile seen as a whole: the demanded piece lengths with their counts, the
// stock lengths with the bars they offer, bar patterns (how many pieces of each length one bar
// gives) and plans (patterns with the number of bars cut so).
//
// The saw width is charged as the bar-pattern searches charge it: every piece costs its length
// plus the saw width, except a last piece that fits only without its own saw cut, which takes the
// rest of the bar (the bar then leaves nothing). So a bar holds its pieces when their lengths plus
// one saw width each add up to at most the bar length plus one saw width.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace kadrel {

struct PieceDemand {
    uint32_t length = 0;
    uint32_t count = 0;
};

struct StockSupply {
    uint32_t length = 0;
    uint32_t available = 0;   // bars that may be cut
};

struct CuttingProblem {
    std::vector<PieceDemand> pieces;   // distinct lengths
    std::vector<StockSupply> stock;    // distinct lengths
    uint32_t sawWidth = 0;
    uint32_t remnantLength = 0;        // a leftover at least this long is a usable remnant

    uint64_t totalPieces() const;
    uint64_t demandedLength() const;
    uint32_t longestStock() const;
};

// How many pieces of each demanded length one bar of a stock length gives.
struct BarPattern {
    uint32_t stock = 0;              // index into CuttingProblem::stock
    std::vector<uint32_t> counts;    // pieces per index of CuttingProblem::pieces

    bool operator==(const BarPattern&) const = default;
    uint32_t pieceCount() const;
    bool empty() const { return pieceCount() == 0; }
};

// Length the pieces take with one saw width each, the last piece's saw cut included.
uint64_t chargedLength(const CuttingProblem& problem, const BarPattern& pattern);
// Whether the bar holds the pattern (its last piece may go without its saw cut).
bool fitsOnBar(const CuttingProblem& problem, const BarPattern& pattern);
// What the bar leaves: 0 when the last piece takes the rest of the bar.
uint32_t leftoverOf(const CuttingProblem& problem, const BarPattern& pattern);

struct PlannedPattern {
    BarPattern pattern;
    uint32_t bars = 0;
};

// A cutting plan: patterns with the number of bars cut by each.
struct CuttingPlan {
    std::vector<PlannedPattern> patterns;

    void add(const BarPattern& pattern, uint32_t bars = 1);
    uint64_t material(const CuttingProblem& problem) const;
    uint64_t bars() const;
    bool empty() const { return patterns.empty(); }
};

// The checks every plan of the method must pass.
bool cutsExactDemand(const CuttingProblem& problem, const CuttingPlan& plan);
bool withinStock(const CuttingProblem& problem, const CuttingPlan& plan);
bool everyBarFits(const CuttingProblem& problem, const CuttingPlan& plan);

// Plans compared: less material, then fewer bars, then more usable remnant length, then a longer
// longest leftover, then fewer distinct patterns (fewer saw set-ups).
struct PlanScore {
    uint64_t material = 0;
    uint64_t bars = 0;
    uint64_t usableRemnant = 0;
    uint32_t longestLeftover = 0;
    uint64_t distinctPatterns = 0;

    bool betterThan(const PlanScore& other) const;
};
PlanScore scoreOf(const CuttingProblem& problem, const CuttingPlan& plan);

// The point in time a calculation must end by.
class Deadline {
public:
    using Clock = std::chrono::steady_clock;
    Deadline() = default;   // never passes
    explicit Deadline(std::chrono::milliseconds budget) : at_(Clock::now() + budget), limited_(true) {}
    bool passed() const { return limited_ && Clock::now() >= at_; }
    // Seconds left (at most `cap`; `cap` when the deadline never passes).
    double secondsLeft(double cap) const
    {
        if (!limited_)
            return cap;
        return std::min(cap, std::max(0.0, std::chrono::duration<double>(at_ - Clock::now()).count()));
    }

private:
    Clock::time_point at_{};
    bool limited_ = false;
};

// Cuts a remaining demand bar after bar from the remaining stock, first-fit decreasing: every
// piece, longest first, goes onto the first open bar that still holds it, else onto a new bar of
// the longest stock length left; each bar is then moved to the shortest stock length left that
// holds it. demand and stock are lowered by what is planned; false when stock runs out first.
bool firstFitDecreasing(const CuttingProblem& problem, std::vector<uint32_t>& demand,
                        std::vector<uint32_t>& stock, CuttingPlan& plan);

} // namespace kadrel
