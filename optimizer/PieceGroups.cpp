#include "optimizer/PieceGroups.h"

#include <algorithm>

namespace kadrel {
namespace {

struct NumberedRun {
    uint32_t lenght;
    uint32_t count;
    uint32_t firstId;
};

// Appends a run of pieces with consecutive numbers, joining it to the last group when the
// length is the same.
void appendRun(PieceGroups& pieces, uint32_t lenght, uint32_t count, uint32_t firstId)
{
    if (count == 0)
        return;
    const uint32_t position = static_cast<uint32_t>(pieces.pieceCount());
    if (pieces.groups.empty() || pieces.groups.back().lenght != lenght)
        pieces.groups.push_back({lenght, 0, position});
    pieces.groups.back().count += count;
    pieces.numbers.push_back({position, firstId});
}

PieceGroups groupLongestFirst(std::vector<NumberedRun> runs)
{
    std::stable_sort(runs.begin(), runs.end(),
                     [](const NumberedRun& a, const NumberedRun& b) { return a.lenght > b.lenght; });
    PieceGroups pieces;
    for (const NumberedRun& run : runs)
        appendRun(pieces, run.lenght, run.count, run.firstId);
    return pieces;
}

} // namespace

uint32_t PieceGroups::shortest(uint32_t length) const
{
    return groups.empty() ? length : std::min(length, groups.back().lenght);
}

uint32_t PieceGroups::lenghtAt(uint32_t position) const
{
    auto after = std::upper_bound(groups.begin(), groups.end(), position,
                                  [](uint32_t p, const PieceGroup& g) { return p < g.first; });
    return std::prev(after)->lenght;
}

uint32_t PieceGroups::idAt(uint32_t position) const
{
    auto after = std::upper_bound(numbers.begin(), numbers.end(), position,
                                  [](uint32_t p, const NumberRun& r) { return p < r.position; });
    const NumberRun& run = *std::prev(after);
    return run.firstId + (position - run.position);
}

PieceGroups expandDemand(const PrsTable& demand)
{
    std::vector<NumberedRun> runs;
    runs.reserve(demand.size());
    uint32_t next = 1;
    for (const PrsRow& row : demand) {
        runs.push_back({row.lenght, row.pcs, next});
        next += row.pcs;
    }
    return groupLongestFirst(std::move(runs));
}

PieceGroups piecesAsGiven(const PrsTable& candidates)
{
    std::vector<NumberedRun> runs;
    runs.reserve(candidates.size());
    for (const PrsRow& row : candidates)
        runs.push_back({row.lenght, 1, row.id});
    return groupLongestFirst(std::move(runs));
}

} // namespace kadrel
