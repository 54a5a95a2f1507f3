#include "optimizer/tests/support/LiteralPatternSearch.h"

#include <algorithm>
#include <vector>

namespace kadrel::oracle {
namespace {

using Pieces = std::vector<CsRow>;

// Single pieces longest first; pieces of equal length keep the order they were listed in.
void sortLongestFirst(Pieces& pieces)
{
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const CsRow& a, const CsRow& b) { return a.lenght > b.lenght; });
}

// Every demand row becomes as many single pieces as it has, numbered 1, 2, 3, ... in the order
// they are created.
Pieces expandDemand(const PrsTable& demand)
{
    Pieces pieces;
    uint32_t next = 1;
    for (const PrsRow& row : demand)
        for (uint32_t c = 0; c < row.pcs; ++c)
            pieces.push_back({next++, row.lenght});
    sortLongestFirst(pieces);
    return pieces;
}

// The shortest piece, but never more than the length being filled.
uint32_t shortestPiece(const Pieces& pieces, uint32_t length)
{
    uint32_t shortest = length;
    for (const CsRow& piece : pieces)
        shortest = std::min(shortest, piece.lenght);
    return shortest;
}

void copyInto(CsTable& table, const Pieces& pieces)
{
    table.clear();
    for (const CsRow& piece : pieces)
        table.append(piece);
}

// One first-fit pass over the pieces from a start offset.
struct Pass {
    Pieces placed;
    uint64_t consumed = 0;    // bar length used, saw cuts included
    std::size_t firstSkipped = 0;  // 1-based position where the rest may be looked for; 0 = none
    bool skipExists = false;
};

// Fills `length` first-fit with the pieces at positions start+1, start+2, ... Every piece costs
// its length plus the saw width; the first piece takes the whole length when its saw cut does not
// fit. The pass ends as soon as the rest cannot take even the shortest piece.
Pass firstFitPass(const Pieces& pieces, std::size_t start, uint32_t length, uint32_t sawWidth,
                  uint32_t minLenght)
{
    Pass pass;
    auto stoppedAt = [&pass](std::size_t position) {
        pass.skipExists = true;
        if (pass.firstSkipped == 0)
            pass.firstSkipped = position + 1;
    };
    for (std::size_t position = start + 1; position <= pieces.size(); ++position) {
        const CsRow& piece = pieces[position - 1];
        const uint64_t cost = uint64_t(piece.lenght) + sawWidth;
        if (pass.consumed == 0) {
            if (piece.lenght > length)
                continue;
            pass.placed.push_back(piece);
            const bool barFull = cost > length;
            pass.consumed = barFull ? length : cost;
            if (barFull) {
                stoppedAt(position);
                break;
            }
        } else if (pass.consumed + cost > length) {
            pass.skipExists = true;
            if (pass.firstSkipped == 0)
                pass.firstSkipped = position;
            if (length - pass.consumed < minLenght)
                break;
        } else {
            pass.placed.push_back(piece);
            pass.consumed += cost;
            if (length - pass.consumed < minLenght) {
                stoppedAt(position);
                break;
            }
        }
    }
    return pass;
}

bool placedAlready(const Pieces& placed, uint32_t id)
{
    return std::any_of(placed.begin(), placed.end(), [id](const CsRow& p) { return p.id == id; });
}

// Tries to replace the last piece of a pass by a better filling of the space it frees, taken
// from the pieces after the first skipped one.
void improveBySubSearch(const Pieces& pieces, Pass& pass, uint32_t barLength, uint32_t sawWidth)
{
    if (pass.placed.empty())
        return;
    const uint64_t leftover = barLength - pass.consumed;
    const uint64_t freeLength = leftover + pass.placed.back().lenght + sawWidth;

    PrsTable candidates;
    for (std::size_t position = pass.firstSkipped + 1; position <= pieces.size(); ++position) {
        const CsRow& piece = pieces[position - 1];
        if (piece.lenght <= freeLength && !placedAlready(pass.placed, piece.id))
            candidates.append({piece.id, piece.lenght, 1});
    }
    if (candidates.empty())
        return;

    CsTable subPattern;
    uint32_t subScrap = 0;
    literalSubOptimize(candidates, static_cast<uint32_t>(freeLength), subPattern, subScrap, sawWidth);
    if (!subPattern.empty() && subScrap < leftover) {
        pass.consumed = barLength - subScrap;
        pass.placed.pop_back();
        for (const CsRow& piece : subPattern)
            pass.placed.push_back(piece);
    }
}

// Modes 0, 1 and above 5: first-fit passes from start offsets 0, 1, 2, ... (mode 0: one pass),
// each improved by the sub-search; the first pass with the smallest leftover wins.
void firstFitSearch(const Pieces& pieces, uint32_t barLength, CsTable& selection, uint32_t& scrap,
                    uint8_t mode, uint32_t sawWidth)
{
    const uint32_t minLenght = shortestPiece(pieces, barLength);
    uint64_t lastScrap = barLength;
    for (std::size_t start = 0;; ++start) {
        Pass pass = firstFitPass(pieces, start, barLength, sawWidth, minLenght);
        if (pass.skipExists && barLength - pass.consumed > 0)
            improveBySubSearch(pieces, pass, barLength, sawWidth);
        if (barLength - pass.consumed < lastScrap) {
            copyInto(selection, pass.placed);
            lastScrap = barLength - pass.consumed;
            if (lastScrap == 0)
                break;
        }
        if (!pass.skipExists || mode == 0)
            break;
    }
    scrap = static_cast<uint32_t>(lastScrap);
}

// Modes 2 to 5: every choice of the first two (mode 3) or three pieces by position, the rest of
// the bar filled first-fit. Only a strictly smaller leftover replaces the pattern found first.
class LevelSearch {
public:
    LevelSearch(const Pieces& pieces, uint32_t barLength, uint8_t mode, uint32_t sawWidth,
                CsTable& selection, uint32_t& scrap)
        : pieces_(pieces), barLength_(barLength), mode_(mode), sawWidth_(sawWidth),
          minLenght_(shortestPiece(pieces, barLength)), lastScrap_(barLength),
          selection_(selection), scrap_(scrap)
    {
    }

    void run()
    {
        const bool longestStartOnly = mode_ == 4 || mode_ == 5;
        bool haveStart = false;
        uint32_t previousStart = 0;
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            t1_.clear();
            const CsRow& piece = pieces_[i];
            if (piece.lenght > barLength_)
                continue;
            if (longestStartOnly) {
                if (haveStart && piece.lenght <= previousStart)
                    break;
                haveStart = true;
                previousStart = piece.lenght;
            }
            const uint64_t cost = uint64_t(piece.lenght) + sawWidth_;
            total1_ = cost < barLength_ ? cost : barLength_;
            t1_.push_back(piece);
            t2_.clear();
            t3_.clear();
            t4_.clear();
            if (barLength_ - total1_ >= minLenght_)
                levelTwo(i);
            keepIfBetter(total1_);
        }
    }

private:
    // Tries one more piece on top of `total`: false when it is too long (look further), and
    // `stop` when it fits only without its saw cut (shorter pieces are not tried then).
    enum class Fit { Fits, TooLong, Stop };
    Fit tryPiece(uint64_t total, const CsRow& piece) const
    {
        if (total + piece.lenght > barLength_)
            return Fit::TooLong;
        if (total + piece.lenght + sawWidth_ > barLength_)
            return Fit::Stop;
        return Fit::Fits;
    }

    void levelTwo(std::size_t i)
    {
        for (std::size_t j = i + 1; j < pieces_.size(); ++j) {
            total2_ = total1_;
            t2_.clear();
            t3_.clear();
            t4_.clear();
            const Fit fit = tryPiece(total2_, pieces_[j]);
            if (fit == Fit::TooLong)
                continue;
            if (fit == Fit::Stop)
                break;
            total2_ += uint64_t(pieces_[j].lenght) + sawWidth_;
            t2_.push_back(pieces_[j]);
            if (barLength_ - total2_ >= minLenght_) {
                if (mode_ == 3)
                    fill(j, total2_, t3_);
                else
                    levelThree(j);
            }
            keepIfBetter(total2_);
        }
    }

    void levelThree(std::size_t j)
    {
        for (std::size_t k = j + 1; k < pieces_.size(); ++k) {
            total3_ = total2_;
            t3_.clear();
            t4_.clear();
            const Fit fit = tryPiece(total3_, pieces_[k]);
            if (fit == Fit::TooLong)
                continue;
            if (fit == Fit::Stop)
                break;
            total3_ += uint64_t(pieces_[k].lenght) + sawWidth_;
            t3_.push_back(pieces_[k]);
            if (barLength_ - total3_ >= minLenght_)
                fill(k, total3_, t4_);
            keepIfBetter(total3_);
        }
    }

    // First-fit fill with the pieces after position `after`, adding to `total`.
    void fill(std::size_t after, uint64_t& total, Pieces& into)
    {
        into.clear();
        for (std::size_t m = after + 1; m < pieces_.size(); ++m) {
            const Fit fit = tryPiece(total, pieces_[m]);
            if (fit == Fit::TooLong)
                continue;
            if (fit == Fit::Stop)
                break;
            total += uint64_t(pieces_[m].lenght) + sawWidth_;
            into.push_back(pieces_[m]);
            if (barLength_ - total < minLenght_)
                break;
        }
    }

    void keepIfBetter(uint64_t total)
    {
        if (barLength_ - total >= lastScrap_)
            return;
        lastScrap_ = barLength_ - total;
        selection_.clear();
        for (const Pieces* level : {&t1_, &t2_, &t3_, &t4_})
            for (const CsRow& piece : *level)
                selection_.append(piece);
        scrap_ = static_cast<uint32_t>(lastScrap_);
    }

    const Pieces& pieces_;
    const uint64_t barLength_;
    const uint8_t mode_;
    const uint64_t sawWidth_;
    const uint64_t minLenght_;
    uint64_t lastScrap_;
    CsTable& selection_;
    uint32_t& scrap_;
    uint64_t total1_ = 0, total2_ = 0, total3_ = 0;
    Pieces t1_, t2_, t3_, t4_;
};

bool isLevelMode(uint8_t mode)
{
    return mode >= 2 && mode <= 5;
}

} // namespace

Response literalOptimize(const PrsTable& demand, uint32_t barLength, CsTable& selection, uint32_t& scrap,
                  uint8_t mode, uint32_t sawWidth)
{
    selection.clear();
    const Pieces pieces = expandDemand(demand);
    if (isLevelMode(mode))
        LevelSearch(pieces, barLength, mode, sawWidth, selection, scrap).run();
    else
        firstFitSearch(pieces, barLength, selection, scrap, mode, sawWidth);
    return Response::Completed;
}

Response literalSubOptimize(const PrsTable& candidates, uint32_t freeLength, CsTable& selection,
                     uint32_t& scrap, uint32_t sawWidth)
{
    selection.clear();
    Pieces pieces;
    for (const PrsRow& row : candidates)
        pieces.push_back({row.id, row.lenght});
    sortLongestFirst(pieces);
    const uint32_t minLenght = shortestPiece(pieces, freeLength);

    uint64_t lastScrap = freeLength;
    for (std::size_t start = 0;; ++start) {
        const Pass pass = firstFitPass(pieces, start, freeLength, sawWidth, minLenght);
        if (freeLength - pass.consumed < lastScrap) {
            copyInto(selection, pass.placed);
            lastScrap = freeLength - pass.consumed;
            if (lastScrap == 0)
                break;
        }
        if (!pass.skipExists)
            break;
    }
    scrap = static_cast<uint32_t>(lastScrap);
    return Response::Completed;
}

} // namespace kadrel::oracle
