#pragma once
// The program over bar patterns solved in whole bars (COIN-OR CBC) over the patterns generated so
// far, starting from a known plan: a plan of less material, when these patterns hold one.

#include "optimizer/CuttingStock.h"

#include <optional>
#include <vector>

namespace kadrel {

// bars[j]: bars cut by patterns[j] in the known plan. Returns the bars per pattern of a plan that
// cuts at least the demand from the stock with less material, or nothing (none found in the time
// given, or the known plan is already the best of these patterns).
std::optional<std::vector<uint32_t>> wholeBarsOver(const CuttingProblem& problem,
                                                   const std::vector<BarPattern>& patterns,
                                                   const std::vector<uint32_t>& bars, double seconds);

} // namespace kadrel
