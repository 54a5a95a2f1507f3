#include "optimizer/CombinationOptimizer.h"

#include "optimizer/ControlTime.h"

#include <limits>
#include <optional>

namespace kadrel {

namespace {

constexpr uint32_t Largest = std::numeric_limits<uint32_t>::max();

// A piece chosen to be made of two sections: the first cut from a leftover, the second added to
// the demand.
struct Joint {
    uint32_t demandId = 0;       // M_PRS2:ID of the extended piece
    uint32_t firstSection = 0;
    uint32_t secondSection = 0;
};

class CombinationWork {
public:
    CombinationWork(uint32_t combination, ResultTable& results, SPrt2Table& pieceStates,
                    uint8_t mode, uint32_t extend, const CombinationContext& context)
        : combination_(combination), results_(results), pieceStates_(pieceStates), mode_(mode),
          extend_(extend), context_(context)
    {
    }

    void copyInputs(const CombinationTable& bars, const PrsTable& demand, const SPrtTable& pieces);
    Response run();
    void appendPieceStates();

private:
    void startJoint();
    std::optional<Joint> choosePieceToExtend(uint32_t leftover);
    void addSecondSection(const Joint& joint);
    std::size_t chooseBar(CsTable& pattern, uint32_t& leftover, bool& failed);
    void recordBar(uint32_t barLength, const CsTable& pattern);

    const uint32_t combination_;
    ResultTable& results_;
    SPrt2Table& pieceStates_;
    const uint8_t mode_;
    const uint32_t extend_;
    const CombinationContext& context_;

    CombinationTable bars_;   // M_COMBINATION
    PrsTable remaining_;      // M_PRS2, shortest first
    SPrtTable pieces_;        // S_PRT
    uint32_t minLenght_ = Largest;
    uint32_t profileNo_ = 0;
};

void CombinationWork::copyInputs(const CombinationTable& bars, const PrsTable& demand,
                                 const SPrtTable& pieces)
{
    for (const CombinationRow& bar : bars)
        bars_.insertOrdered(CombinationRow{bar.lenght, bar.quantity, 0, 0},
                            [](const CombinationRow& r) { return r.lenght; });
    for (const PrsRow& piece : demand) {
        remaining_.insertOrdered(piece, [](const PrsRow& r) { return r.lenght; });
        minLenght_ = std::min(minLenght_, piece.lenght);
    }
    for (SPrtRow piece : pieces) {
        piece.sectionOff = 0;
        pieces_.append(piece);
    }
}

// The first cut record of a demanded length, longest first, that can take a joint: the second
// section must be at least the minimum joint length.
std::optional<Joint> CombinationWork::choosePieceToExtend(uint32_t leftover)
{
    const uint32_t tolerance = context_.extTolerance;
    // A leftover not longer than the joint tolerance leaves no first section.
    if (leftover <= tolerance)
        return std::nullopt;
    for (std::size_t i = remaining_.size(); i-- > 0;) {
        const uint32_t length = remaining_[i].lenght;
        if (static_cast<int64_t>(length) - leftover < static_cast<int64_t>(extend_))
            continue;
        const std::size_t record = pieces_.findFirst([&](const SPrtRow& r) {
            return r.lenght1 == length && r.lenght2 == 0 && r.pcs != r.usedPcs1;
        });
        if (record == SPrtTable::npos)
            continue;

        Joint joint{remaining_[i].id, leftover - tolerance, length - leftover + tolerance};
        pieces_[record].pcs -= 1;
        pieces_.append(SPrtRow{pieces_[record].dbId, joint.firstSection, joint.secondSection, 1, 1, 1, 0});
        if (--remaining_[i].pcs == 0)
            remaining_.removeAt(i);
        return joint;
    }
    return std::nullopt;
}

void CombinationWork::addSecondSection(const Joint& joint)
{
    remaining_.insertOrdered(PrsRow{joint.demandId, joint.secondSection, 1},
                             [](const PrsRow& r) { return r.lenght; });
}

// The start joint: the first bar's leftover (cut by the caller) may take the first section of a
// piece. The leftover row becomes the first-section row and the tolerance is left over.
void CombinationWork::startJoint()
{
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const ResultRow row = results_[i];
        if (row.profileNo != 0 || row.combNo != combination_)
            continue;
        if (row.cutId != 0 || extend_ == 0 || row.cut <= extend_)
            continue;
        const std::optional<Joint> joint = choosePieceToExtend(row.cut);
        if (!joint)
            continue;
        addSecondSection(*joint);
        results_[i].cut = joint->firstSection;
        results_[i].cutId = joint->demandId;
        results_.append(ResultRow{row.combNo, row.profileNo, row.profileLengt, context_.extTolerance, 0});

        // The leftover is used up and no longer an available bar.
        for (std::size_t b = bars_.size(); b-- > 0;) {
            if (bars_[b].lenght == row.cut) {
                if (--bars_[b].quantity == 0)
                    bars_.removeAt(b);
                break;
            }
        }
        return;
    }
}

// One pass: the best pattern of every available bar; the chosen bar is the first in table order
// among the usable ones with the smallest leftover. Returns its index or npos when no bar can
// take any piece.
std::size_t CombinationWork::chooseBar(CsTable& pattern, uint32_t& leftover, bool& failed)
{
    std::size_t chosen = CombinationTable::npos;
    leftover = Largest;
    CsTable candidate;
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        CombinationRow& bar = bars_[i];
        bar.scrap = Largest;
        if (bar.lenght < minLenght_) {
            bar.useless = 1;
            continue;
        }
        if (bar.useless)
            continue;   // could not take any piece in an earlier pass: never chosen again
        uint32_t scrap = Largest;
        candidate.clear();
        if (context_.search(remaining_, bar.lenght, candidate, scrap, mode_) != Response::Completed) {
            failed = true;
            return CombinationTable::npos;
        }
        bar.scrap = scrap;
        if (scrap >= bar.lenght) {
            bar.useless = 1;
            continue;
        }
        if (scrap < leftover) {
            leftover = scrap;
            chosen = i;
            pattern = candidate;
        }
    }
    return chosen;
}

void CombinationWork::recordBar(uint32_t barLength, const CsTable& pattern)
{
    ++profileNo_;
    for (const CsRow& piece : pattern) {
        const std::size_t at =
            remaining_.findFirst([&](const PrsRow& r) { return r.lenght == piece.lenght; });
        if (at == PrsTable::npos)
            continue;
        if (--remaining_[at].pcs == 0)
            remaining_.removeAt(at);
        results_.append(ResultRow{combination_, profileNo_, barLength, piece.lenght, piece.id});
    }
}

Response CombinationWork::run()
{
    startJoint();
    CsTable pattern;
    for (;;) {
        uint32_t leftover = Largest;
        bool failed = false;
        const std::size_t chosen = chooseBar(pattern, leftover, failed);
        if (failed)
            return Response::Cancelled;
        if (chosen == CombinationTable::npos)
            break;
        if (!context_.controlTime.check())
            return Response::Cancelled;

        const uint32_t barLength = bars_[chosen].lenght;
        if (--bars_[chosen].quantity == 0)
            bars_.removeAt(chosen);
        recordBar(barLength, pattern);

        if (extend_ > 0 && leftover > extend_) {
            if (const std::optional<Joint> joint = choosePieceToExtend(leftover)) {
                addSecondSection(*joint);
                results_.append(ResultRow{combination_, profileNo_, barLength, joint->firstSection,
                                          joint->demandId});
                results_.append(ResultRow{combination_, profileNo_, barLength, context_.extTolerance, 0});
                continue;
            }
        }

        // The leftover becomes an available bar of its own.
        bars_.append(CombinationRow{leftover, 1, 0, leftover < minLenght_ ? 1u : 0u});
        results_.append(ResultRow{combination_, profileNo_, barLength, leftover, 0});
        if (remaining_.empty())
            break;
    }
    return Response::Completed;
}

void CombinationWork::appendPieceStates()
{
    for (const SPrtRow& piece : pieces_)
        pieceStates_.append(
            SPrt2Row{combination_, piece.dbId, piece.lenght1, piece.lenght2, piece.pcs, 0, 0, 0});
}

} // namespace

Response optimizeCombination(uint32_t combination, const CombinationTable& bars,
                             const PrsTable& demand, ResultTable& results, const SPrtTable& pieces,
                             SPrt2Table& pieceStates, uint8_t mode, uint32_t extend,
                             const CombinationContext& context)
{
    CombinationWork work(combination, results, pieceStates, mode, extend, context);
    work.copyInputs(bars, demand, pieces);
    const Response response = work.run();
    work.appendPieceStates();
    return response;
}

} // namespace kadrel
