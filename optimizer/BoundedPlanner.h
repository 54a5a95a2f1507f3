#pragma once
// Method 5, "Optymalizacja z dolną granicą": plans the whole demand close to the lower bound of
// material. The program over bar patterns is solved first (that gives the bound); then its
// fractional plan is made whole: every pattern is cut as many whole times as the solution holds,
// then the pattern with the most of a bar left over is cut once more, and the program is solved
// again for what is still uncut, until everything is cut. A last few pieces the program leaves
// are cut bar by bar, each bar filled as fully as it can be. When that plan is above the bound,
// the program over every pattern generated is solved in whole bars for a better one, the same
// rounding is tried on single stock lengths and on pairs of them, and the whole-bar search is
// given more patterns (every full pattern of a small order). Every plan cuts exactly the demand,
// takes no more bars of a length than it has, and never puts a bar over its length.

#include "optimizer/CuttingStock.h"
#include "optimizer/PatternMaster.h"
#include "optimizer/PatternPricing.h"

#include <functional>
#include <optional>

namespace kadrel {

class BoundedPlanner {
public:
    explicit BoundedPlanner(CuttingProblem problem);

    const CuttingProblem& problem() const { return problem_; }

    // The lower bound of material: computed once (by the deadline at the latest), then remembered.
    const MaterialBound& bound(const Deadline& deadline);

    // Complete plans of different material, best first, at most `keep` of them; empty when the
    // stock cannot cut the demand. keepGoing is asked between steps; false ends the planning at once with no plan.
    std::vector<CuttingPlan> plan(const Deadline& deadline, const std::function<bool()>& keepGoing,
                                  std::size_t keep = 3);

    // True when the last plan() was cut short by the deadline.
    bool timedOut() const { return timedOut_; }

private:
    bool dive(const Deadline& deadline, const std::function<bool()>& keepGoing, CuttingPlan& plan);
    void diveOnStockSubsets(const Deadline& deadline, const std::function<bool()>& keepGoing,
                            std::vector<CuttingPlan>& plans,
                            const std::function<CuttingPlan(CuttingPlan)>& improve) const;
    std::optional<CuttingPlan> wholeBarImprovement(const CuttingPlan& plan, const Deadline& deadline,
                                                   bool morePatterns);
    bool addEveryFullPattern(std::vector<BarPattern>& patterns, std::size_t most) const;
    void addPatternsAround(std::vector<BarPattern>& patterns, const std::vector<double>& worth,
                           const Deadline& deadline);
    bool cutWholeBars(std::vector<uint32_t>& demand, std::vector<uint32_t>& stock, CuttingPlan& plan);
    bool cutOneMore(std::vector<uint32_t>& demand, std::vector<uint32_t>& stock, CuttingPlan& plan);
    bool fillBarByBar(std::vector<uint32_t>& demand, std::vector<uint32_t>& stock, CuttingPlan& plan,
                      const Deadline& deadline);
    void fillRoom(BarPattern& pattern, const std::vector<uint32_t>& demand);
    std::vector<double> fillWorth() const;
    std::optional<BarPattern> fitted(const BarPattern& pattern, const std::vector<uint32_t>& demand,
                                     const std::vector<uint32_t>& stock) const;
    void take(const BarPattern& pattern, std::vector<uint32_t>& demand, std::vector<uint32_t>& stock,
              CuttingPlan& plan) const;

    CuttingProblem problem_;
    PatternMaster master_;
    PatternPricing pricing_;   // fills bars with the longest-taking choice of pieces
    std::optional<MaterialBound> bound_;
    bool rootCurrent_ = false;   // the program holds the solution of the whole demand
    std::vector<double> rootWorth_;   // piece worths of the program for the whole demand
    bool timedOut_ = false;
};

// Gathers the leftovers of a plan onto fewer bars, for longer usable remnants: single pieces move
// from a bar to another bar that still holds them whenever the bar they leave then has more left
// over than the bar they join had. A bar that could be cut from a shorter stock length with bars
// left gives pieces to bars with room until it fits it. A bar left empty is dropped, and every bar
// is finally cut from the shortest stock length left that holds it. What is cut never changes.
void gatherLeftovers(const CuttingProblem& problem, CuttingPlan& plan, const Deadline& deadline);

} // namespace kadrel
