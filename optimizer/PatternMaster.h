#pragma once
// The linear program over bar patterns (Gilmore–Gomory): how many bars to cut by each pattern,
// in fractions, so that exactly the demanded pieces are cut and no stock length gives more bars than it
// has, at the least material. Patterns are generated as they are needed: after each solve the
// piece worths of the solution price the most valuable pattern of every stock length, and a
// pattern that would lower the material joins the program.
//
// Every solve also yields a lower bound of the material of any plan (Lagrangian: valid even when
// the solve is cut short), which equals the optimum once no pattern prices out.

#include "optimizer/CuttingStock.h"

#include <memory>
#include <vector>

namespace kadrel {

struct MasterOutcome {
    bool solved = false;      // the program was solved (false: the solver failed or time ran out first)
    bool feasible = false;    // the demand can be met from the stock
    bool proven = false;      // no pattern prices out: value is the optimum of the program
    double value = 0;         // material of the fractional plan, in length units
    double bound = 0;         // lower bound of the material of any plan, in length units
};

class PatternMaster {
public:
    explicit PatternMaster(const CuttingProblem& problem);
    ~PatternMaster();
    PatternMaster(const PatternMaster&) = delete;
    PatternMaster& operator=(const PatternMaster&) = delete;

    // Solves the program for a (remaining) demand and stock, generating patterns until none
    // prices out or the deadline passes. Patterns never hold more pieces of a length than its
    // demand here.
    MasterOutcome solve(const std::vector<uint32_t>& demand, const std::vector<uint32_t>& stock,
                        const Deadline& deadline);

    std::size_t patternCount() const { return patterns_.size(); }
    const std::vector<BarPattern>& patterns() const { return patterns_; }
    const BarPattern& pattern(std::size_t j) const { return patterns_[j]; }
    // Bars of pattern j in the last solution (fractional).
    double level(std::size_t j) const;
    // What one piece of each demanded length is worth in the last solution (its row price).
    std::vector<double> worths() const;

    // Rounds in which patterns were priced, over every solve.
    std::size_t pricingRounds() const { return rounds_; }

private:
    void addPattern(const BarPattern& pattern);
    void seedPatterns();

    struct Solver;
    const CuttingProblem& problem_;
    std::unique_ptr<Solver> solver_;
    std::vector<BarPattern> patterns_;
    std::size_t rounds_ = 0;
};

// The lower bound of material for a call, rounded up to what whole bars can give.
struct MaterialBound {
    bool known = false;       // false: the demand cannot be met from the stock, or no demand
    bool proven = false;      // the optimum of the program was reached, not cut short by time
    double linear = 0;        // the bound of the program, in length units
    uint64_t material = 0;    // the least material whole bars of the stock can make that is not below it
    uint64_t bars = 0;        // the fewest bars: the bound over the longest stock length, rounded up
};

// The least material not below `linear` that whole bars of the stock lengths make (any number
// of each); with one stock length the bound rounded up to whole bars.
uint64_t roundUpToWholeBars(const CuttingProblem& problem, double linear);

MaterialBound materialBoundOf(const CuttingProblem& problem, const MasterOutcome& outcome);

} // namespace kadrel
