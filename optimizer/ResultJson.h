#pragma once
// The result of a run as the JSON object of `kadrel calc --json`, written as it is made: only one
// solution's tables stand in memory at a time, so writing needs no more memory than the run.

#include <QStringList>

#include <cstddef>
#include <cstdio>
#include <limits>

namespace kadrel {

class OptimizerRun;

// Writes the result object to out. The first `solutions` rows of the ranking are written in full
// (cutting plan, statistics, bars and pieces), and the result rows of those solutions only; the
// ranking is always whole, and with every solution written so is every result row. Selects the
// first solution again afterwards. Returns false when the output failed.
bool writeResultJson(std::FILE* out, OptimizerRun& run, bool completed, const QStringList& messages,
                     std::size_t solutions = std::numeric_limits<std::size_t>::max());

} // namespace kadrel
