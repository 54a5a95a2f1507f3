#include "optimizer/FirstFitSearch.h"

#include <algorithm>

namespace kadrel {
namespace {

// Pieces placed from one group: list positions from .. from + count - 1.
struct PlacedRun {
    uint32_t group = 0;
    uint32_t from = 0;
    uint32_t count = 0;
};

// What one first-fit pass from a start position did.
struct Pass {
    uint64_t consumed = 0;       // length used, saw cuts included
    uint64_t firstSkipped = 0;   // 1-based position after which the sub-search looks; 0 = none
    bool skipExists = false;     // some piece did not fit, or the pass stopped early
    uint32_t usedOfStartGroup = 0;
    std::vector<PlacedRun> runs;

    void reset()
    {
        consumed = 0;
        firstSkipped = 0;
        skipExists = false;
        usedOfStartGroup = 0;
        runs.clear();
    }

    void place(uint32_t group, uint32_t from, uint32_t count)
    {
        if (!runs.empty() && runs.back().group == group)
            runs.back().count += count;
        else
            runs.push_back({group, from, count});
    }

    // The pass ends with piece `position` as its last: what follows it is left for the sub-search.
    void stopAfter(uint32_t position)
    {
        skipExists = true;
        if (firstSkipped == 0)
            firstSkipped = uint64_t(position) + 2;
    }

    void skip(uint32_t position)
    {
        skipExists = true;
        if (firstSkipped == 0)
            firstSkipped = uint64_t(position) + 1;
    }
};

// Fills `length` first-fit with the pieces from list position `from` (in group `startGroup`) on.
// Every piece costs its length plus the saw width; the first piece takes the whole length when
// its saw cut does not fit. A piece that does not fit is passed over; the pass ends once the rest
// is shorter than the shortest piece. Pieces of one length are placed together: as many as fit.
void firstFitPass(const PieceGroups& pieces, uint32_t startGroup, uint32_t from, uint64_t length,
                  uint64_t sawWidth, uint64_t minLenght, Pass& pass)
{
    pass.reset();
    for (uint32_t g = startGroup; g < pieces.groups.size(); ++g) {
        const PieceGroup& group = pieces.groups[g];
        const uint32_t begin = g == startGroup ? from : group.first;
        const uint32_t available = group.end() - begin;
        const uint64_t cost = uint64_t(group.lenght) + sawWidth;
        uint32_t next = 0;   // pieces of the group looked at
        uint32_t placed = 0;
        auto noteUse = [&] {
            if (g == startGroup)
                pass.usedOfStartGroup = placed;
        };

        // The first piece of the bar (repeated while pieces cost nothing at all).
        while (next < available && pass.consumed == 0) {
            if (group.lenght > length)
                break;   // too long to start the bar: every piece of this length is passed over
            pass.place(g, begin + next, 1);
            ++next;
            ++placed;
            noteUse();
            if (cost > length) {
                pass.consumed = length;
                pass.stopAfter(begin + next - 1);
                return;
            }
            pass.consumed = cost;
        }
        if (pass.consumed == 0 || next == available)
            continue;

        if (pass.consumed + cost <= length) {
            const uint64_t fitting = cost == 0 ? available - next : (length - pass.consumed) / cost;
            const uint32_t taken = static_cast<uint32_t>(std::min<uint64_t>(available - next, fitting));
            pass.place(g, begin + next, taken);
            next += taken;
            placed += taken;
            noteUse();
            pass.consumed += taken * cost;
            if (length - pass.consumed < minLenght) {
                pass.stopAfter(begin + next - 1);
                return;
            }
        }
        if (next < available) {
            // This piece does not fit, nor do the others of its length.
            pass.skip(begin + next);
            if (length - pass.consumed < minLenght)
                return;
        }
    }
}

// The start of the next pass worth running. A pass from a later piece of the start group that
// differs from the one just run only in having fewer unused pieces of that length after the ones
// it places cannot leave less (and equal leftovers keep the earlier pass), so the start moves on
// to where the group has no more pieces left than the pass used.
void advanceStart(const PieceGroups& pieces, uint32_t& group, uint32_t& from, uint32_t used)
{
    const PieceGroup& current = pieces.groups[group];
    const uint32_t available = current.end() - from;
    const uint32_t nextAvailable = std::min(used, available - 1);
    if (nextAvailable > 0) {
        from = current.end() - nextAvailable;
        return;
    }
    ++group;
    if (group < pieces.groups.size())
        from = pieces.groups[group].first;
}

void appendPositions(const Pass& pass, std::vector<uint32_t>& positions)
{
    for (const PlacedRun& run : pass.runs)
        for (uint32_t c = 0; c < run.count; ++c)
            positions.push_back(run.from + c);
}

// The pieces the sub-search may use: those after the first skipped position that fit in the
// freed length and are not on the bar already. In every group they are one run of positions: the
// pass places the first pieces of a group it reaches whole, and before the first skipped piece it
// places nothing after it. `starts` gets the demand position of each candidate group's first piece.
void collectCandidates(const PieceGroups& pieces, const Pass& pass, uint64_t freeLength,
                       PieceGroups& candidates, std::vector<uint32_t>& starts)
{
    candidates.groups.clear();
    candidates.numbers.clear();
    starts.clear();
    uint32_t listed = 0;
    std::size_t run = 0;
    for (uint32_t g = 0; g < pieces.groups.size(); ++g) {
        const PieceGroup& group = pieces.groups[g];
        while (run < pass.runs.size() && pass.runs[run].group < g)
            ++run;
        if (group.lenght > freeLength || group.end() <= pass.firstSkipped)
            continue;
        uint64_t from = std::max<uint64_t>(group.first, pass.firstSkipped);
        if (run < pass.runs.size() && pass.runs[run].group == g)
            from = std::max<uint64_t>(from, pass.runs[run].from + pass.runs[run].count);
        if (from >= group.end())
            continue;
        const uint32_t count = group.end() - static_cast<uint32_t>(from);
        candidates.groups.push_back({group.lenght, count, listed});
        starts.push_back(static_cast<uint32_t>(from));
        listed += count;
    }
}

// Demand position of a candidate, from its position in the candidate list.
uint32_t demandPosition(const PieceGroups& candidates, const std::vector<uint32_t>& starts,
                        uint32_t candidate)
{
    auto after = std::upper_bound(candidates.groups.begin(), candidates.groups.end(), candidate,
                                  [](uint32_t c, const PieceGroup& g) { return c < g.first; });
    const std::size_t g = static_cast<std::size_t>(after - candidates.groups.begin()) - 1;
    return starts[g] + (candidate - candidates.groups[g].first);
}

} // namespace

SearchOutcome subSearch(const PieceGroups& pieces, uint64_t freeLength, uint64_t sawWidth)
{
    SearchOutcome outcome;
    outcome.scrap = freeLength;
    if (pieces.groups.empty())
        return outcome;
    const uint64_t minLenght = std::min<uint64_t>(freeLength, pieces.groups.back().lenght);
    Pass pass;
    uint32_t group = 0;
    uint32_t from = pieces.groups[0].first;
    while (group < pieces.groups.size()) {
        firstFitPass(pieces, group, from, freeLength, sawWidth, minLenght, pass);
        if (freeLength - pass.consumed < outcome.scrap) {
            outcome.positions.clear();
            appendPositions(pass, outcome.positions);
            outcome.scrap = freeLength - pass.consumed;
            outcome.found = true;
            if (outcome.scrap == 0)
                break;
        }
        if (!pass.skipExists)
            break;
        advanceStart(pieces, group, from, pass.usedOfStartGroup);
    }
    return outcome;
}

SearchOutcome firstFitSearch(const PieceGroups& pieces, uint32_t barLength, uint8_t mode,
                             uint32_t sawWidth)
{
    SearchOutcome outcome;
    outcome.scrap = barLength;
    if (pieces.groups.empty())
        return outcome;
    const uint64_t bar = barLength;
    const uint64_t saw = sawWidth;
    const uint64_t minLenght = pieces.shortest(barLength);

    Pass pass;
    PieceGroups candidates;
    std::vector<uint32_t> candidateStarts;
    uint32_t group = 0;
    uint32_t from = pieces.groups[0].first;
    while (group < pieces.groups.size()) {
        firstFitPass(pieces, group, from, bar, saw, minLenght, pass);
        uint64_t leftover = bar - pass.consumed;

        // Improve the pass: refill the space of its last piece (and its saw cut) from the pieces
        // after the first skipped one.
        SearchOutcome refill;
        if (pass.skipExists && leftover > 0 && !pass.runs.empty()) {
            const PlacedRun& lastRun = pass.runs.back();
            const uint64_t freeLength = leftover + pieces.groups[lastRun.group].lenght + saw;
            collectCandidates(pieces, pass, freeLength, candidates, candidateStarts);
            if (!candidates.groups.empty()) {
                refill = subSearch(candidates, freeLength, saw);
                refill.found = refill.found && refill.scrap < leftover;
                if (refill.found)
                    leftover = refill.scrap;
            }
        }

        if (leftover < outcome.scrap) {
            outcome.positions.clear();
            appendPositions(pass, outcome.positions);
            if (refill.found) {
                outcome.positions.pop_back();
                for (uint32_t candidate : refill.positions)
                    outcome.positions.push_back(demandPosition(candidates, candidateStarts, candidate));
            }
            outcome.scrap = leftover;
            outcome.found = true;
            if (leftover == 0)
                break;
        }
        if (!pass.skipExists || mode == 0)
            break;
        advanceStart(pieces, group, from, pass.usedOfStartGroup);
    }
    return outcome;
}

} // namespace kadrel
