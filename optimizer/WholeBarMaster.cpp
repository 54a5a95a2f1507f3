#include "optimizer/WholeBarMaster.h"

#include <CbcModel.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <cmath>
#include <numeric>

namespace kadrel {

std::optional<std::vector<uint32_t>> wholeBarsOver(const CuttingProblem& problem,
                                                   const std::vector<BarPattern>& patterns,
                                                   const std::vector<uint32_t>& bars, double seconds)
{
    if (patterns.empty() || seconds <= 0)
        return std::nullopt;
    // Material is counted in units of the stock lengths' common divisor, so that every plan's
    // material is a whole number and a plan one unit better than the best known is the target.
    uint64_t unit = 0;
    for (const StockSupply& supply : problem.stock)
        unit = std::gcd(unit, uint64_t(supply.length));
    if (unit == 0)
        return std::nullopt;

    const int pieceRows = static_cast<int>(problem.pieces.size());
    const int rows = pieceRows + static_cast<int>(problem.stock.size());
    CoinPackedMatrix matrix(true, 0, 0);
    matrix.setDimensions(rows, 0);
    std::vector<double> columnLower(patterns.size(), 0.0), columnUpper(patterns.size(), COIN_DBL_MAX);
    std::vector<double> cost;
    double known = 0;
    for (std::size_t j = 0; j < patterns.size(); ++j) {
        std::vector<int> index;
        std::vector<double> element;
        for (int i = 0; i < pieceRows; ++i) {
            if (patterns[j].counts[std::size_t(i)] > 0) {
                index.push_back(i);
                element.push_back(patterns[j].counts[std::size_t(i)]);
            }
        }
        index.push_back(pieceRows + static_cast<int>(patterns[j].stock));
        element.push_back(1.0);
        matrix.appendCol(static_cast<int>(index.size()), index.data(), element.data());
        cost.push_back(double(problem.stock[patterns[j].stock].length / unit));
        known += cost.back() * bars[j];
    }
    std::vector<double> rowLower(std::size_t(rows), -COIN_DBL_MAX), rowUpper(std::size_t(rows), COIN_DBL_MAX);
    for (int i = 0; i < pieceRows; ++i)
        rowLower[std::size_t(i)] = problem.pieces[std::size_t(i)].count;
    for (std::size_t k = 0; k < problem.stock.size(); ++k)
        rowUpper[std::size_t(pieceRows) + k] = problem.stock[k].available;

    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), cost.data(), rowLower.data(),
                       rowUpper.data());
    for (std::size_t j = 0; j < patterns.size(); ++j)
        solver.setInteger(static_cast<int>(j));

    CbcModel model(solver);
    model.setLogLevel(0);
    model.messageHandler()->setLogLevel(0);
    model.setUseElapsedTime(true);
    model.setMaximumSeconds(seconds);
    std::vector<double> start(bars.begin(), bars.end());
    model.setBestSolution(start.data(), static_cast<int>(start.size()), known, true);
    // Only a plan at least one unit better counts, and the search ends once no plan can be.
    model.setCutoff(known - 0.5);
    model.setCutoffIncrement(0.999);
    model.setAllowableGap(0.999);
    model.branchAndBound();

    const double* best = model.bestSolution();
    if (best == nullptr || model.getObjValue() > known - 0.5)
        return std::nullopt;
    std::vector<uint32_t> whole(patterns.size(), 0);
    for (std::size_t j = 0; j < patterns.size(); ++j)
        whole[j] = static_cast<uint32_t>(std::llround(std::max(0.0, best[j])));
    return whole;
}

} // namespace kadrel
