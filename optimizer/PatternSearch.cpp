#include "optimizer/PatternSearch.h"

#include "optimizer/FirstFitSearch.h"
#include "optimizer/LevelSearch.h"
#include "optimizer/PieceGroups.h"

namespace kadrel {
namespace {

bool isLevelMode(uint8_t mode)
{
    return mode >= 2 && mode <= 5;
}

void writeSelection(const PieceGroups& pieces, const SearchOutcome& outcome, CsTable& selection)
{
    selection.clear();
    for (uint32_t position : outcome.positions)
        selection.append({pieces.idAt(position), pieces.lenghtAt(position)});
}

// Runs the search; returns whether it wrote a leftover (the level search does not when no
// piece fits).
bool search(const PrsTable& demand, uint32_t barLength, CsTable& selection, uint32_t& scrap,
            uint8_t mode, uint32_t sawWidth)
{
    const PieceGroups pieces = expandDemand(demand);
    if (isLevelMode(mode)) {
        const SearchOutcome outcome = levelSearch(pieces, barLength, mode, sawWidth);
        writeSelection(pieces, outcome, selection);
        if (outcome.found)
            scrap = static_cast<uint32_t>(outcome.scrap);
        return outcome.found;
    }
    const SearchOutcome outcome = firstFitSearch(pieces, barLength, mode, sawWidth);
    writeSelection(pieces, outcome, selection);
    scrap = static_cast<uint32_t>(outcome.scrap);
    return true;
}

} // namespace

Response optimize(const PrsTable& demand, uint32_t barLength, CsTable& selection, uint32_t& scrap,
                  uint8_t mode, uint32_t sawWidth)
{
    search(demand, barLength, selection, scrap, mode, sawWidth);
    return Response::Completed;
}

Response subOptimize(const PrsTable& candidates, uint32_t freeLength, CsTable& selection,
                     uint32_t& scrap, uint32_t sawWidth)
{
    const PieceGroups pieces = piecesAsGiven(candidates);
    const SearchOutcome outcome = subSearch(pieces, freeLength, sawWidth);
    writeSelection(pieces, outcome, selection);
    scrap = static_cast<uint32_t>(outcome.scrap);
    return Response::Completed;
}

std::size_t PatternSearch::QuestionHash::operator()(const Question& question) const
{
    std::size_t hash = question.barLength * 1000003u ^ question.mode * 7919u ^ question.sawWidth;
    for (uint32_t value : question.demand)
        hash = hash * 1099511628211ull ^ value;
    return hash;
}

Response PatternSearch::optimize(const PrsTable& demand, uint32_t barLength, CsTable& selection,
                                 uint32_t& scrap, uint8_t mode, uint32_t sawWidth)
{
    Question question;
    question.demand.reserve(demand.size() * 2);
    for (const PrsRow& row : demand) {
        question.demand.push_back(row.lenght);
        question.demand.push_back(row.pcs);
    }
    question.barLength = barLength;
    question.mode = mode;
    question.sawWidth = sawWidth;

    auto known = memory_.find(question);
    if (known == memory_.end()) {
        if (memory_.size() >= MemoryLimit)
            memory_.clear();
        ++searches_;
        Answer answer;
        answer.scrapWritten = search(demand, barLength, selection, answer.scrap, mode, sawWidth);
        answer.selection = selection.rows();
        known = memory_.emplace(std::move(question), std::move(answer)).first;
    } else {
        ++hits_;
        selection.rows() = known->second.selection;
    }
    if (known->second.scrapWritten)
        scrap = known->second.scrap;
    return Response::Completed;
}

} // namespace kadrel
