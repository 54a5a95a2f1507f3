#include "optimizer/CalculationDriver.h"

#include "global/ErrorCodes.h"
#include "global/Services.h"
#include "optimizer/BoundedPlanner.h"
#include "optimizer/Combinations.h"
#include "optimizer/ControlTime.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace kadrel {

namespace {

constexpr uint32_t Largest = std::numeric_limits<uint32_t>::max();

// The bars of a stock length a combination may take, as a count of its table.
uint32_t barsOffered(const PrlRow& stockLength)
{
    return static_cast<uint32_t>(std::clamp<int64_t>(stockLength.available(), 0, Largest));
}

} // namespace

const QString CalcMessages::NoStock = QStringLiteral(
    "Brak stanów magazynowych oraz określonych długości handlowych do optymalizacji tego elementu");
const QString CalcMessages::NoPieces = QStringLiteral("Brak elementów do wycięcia");
const QString CalcMessages::CannotCutPieces =
    QStringLiteral("Brak możliwości wycięcia zdefiniowanych odcinków");
const QString CalcMessages::NoSolution = QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.");
const QString CalcMessages::NoSolutionTryMethod1 =
    QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 1");
const QString CalcMessages::NoSolutionTryMethod4 =
    QStringLiteral("Wybrany algorytm nie znajduje rozwiązania.|Spróbuj metody 4");

QString noSolutionMessage(uint8_t mode)
{
    switch (mode) {
    case 1:
        return CalcMessages::NoSolution;
    case 4:
        return CalcMessages::NoSolutionTryMethod1;
    case 2:
    case 3:
    case 5:
        return CalcMessages::NoSolutionTryMethod4;
    default:
        return {};
    }
}

CalculationDriver::CalculationDriver(OptimizerInput& input, global::Dialogs& dialogs,
                                     const OptimizerCall& call, const RunSettings& settings,
                                     RunTables& tables, const BarPatternSearch& search,
                                     ControlTime& controlTime)
    : input_(input), dialogs_(dialogs), call_(call), settings_(settings), t_(tables),
      search_(search), controlTime_(controlTime)
{
}

// ---- Reloading demand and stock -------------------------------------------------------------

bool CalculationDriver::loadStockChecked(const LengthTable& filter, bool checkEmpty)
{
    SLenTable selected;
    for (uint32_t id : call_.selectedLengths)
        selected.append(SLenRow{id});
    if (createLenghts(input_, dialogs_, call_.profile, selected, t_.prl, t_.remnantLenght, filter)
        != Response::Completed)
        return false;
    if (checkEmpty && t_.prl.empty()) {
        dialogs_.message(CalcMessages::NoStock);
        return false;
    }
    return true;
}

bool CalculationDriver::loadDemandChecked(bool checkEmpty)
{
    // The piece table always holds the current demand once.
    t_.sPrt.clear();
    if (createCuts(input_, dialogs_, call_.profile, call_.orderProfile, t_.sPrt, t_.prt, t_.totals,
                   call_.status)
        != Response::Completed)
        return false;
    if (checkEmpty && t_.prt.empty()) {
        dialogs_.message(CalcMessages::NoPieces);
        return false;
    }
    return true;
}

bool CalculationDriver::loadStock(const LengthTable& filter)
{
    return loadStockChecked(filter, true);
}

bool CalculationDriver::loadDemand()
{
    return loadDemandChecked(true);
}

// ---- The whole calculation ------------------------------------------------------------------

bool CalculationDriver::run()
{
    if (t_.prl.size() >= call_.extensions && !preselect())
        return false;

    // The whole remaining demand goes to the combination search.
    loadPieceSet();
    if (!t_.prt.empty() && !t_.prs.empty() && !combinationSearch())
        return false;

    foldReusedRemnants(t_.results);
    if (!totalsPerSolution())
        return false;
    return rankSolutions();
}

bool CalculationDriver::runBoundedMethod(BoundedPlanner& planner, const Deadline& deadline)
{
    bool stopped = false;
    const auto keepGoing = [this, &stopped]() {
        t_.progress = t_.progress >= 1000 ? 0 : t_.progress + 1;
        if (!stopped && progress_ && !progress_(t_.progress))
            stopped = true;
        return !stopped;
    };
    const std::vector<CuttingPlan> plans = planner.plan(deadline, keepGoing);
    if (stopped)
        return false;
    t_.results.clear();
    t_.sPrt2.clear();
    uint32_t combNo = 0;
    for (const CuttingPlan& plan : plans)
        writePlan(planner.problem(), plan, ++combNo, t_.sPrt, t_.results, t_.sPrt2);
    if (!totalsPerSolution())
        return false;
    return rankSolutions();
}

CuttingProblem cuttingProblemOf(const RunTables& tables, uint32_t sawWidth)
{
    CuttingProblem problem;
    problem.sawWidth = sawWidth;
    problem.remnantLength = tables.remnantLenght;
    for (const PrtRow& demanded : tables.prt) {
        auto same = std::find_if(problem.pieces.begin(), problem.pieces.end(),
                                 [&](const PieceDemand& p) { return p.length == demanded.lenght; });
        if (same == problem.pieces.end())
            problem.pieces.push_back(PieceDemand{demanded.lenght, demanded.pcs});
        else
            same->count += demanded.pcs;
    }
    for (const PrlRow& stockLength : tables.prl) {
        const uint32_t bars = barsOffered(stockLength);
        auto same = std::find_if(problem.stock.begin(), problem.stock.end(),
                                 [&](const StockSupply& s) { return s.length == stockLength.lenght; });
        if (same == problem.stock.end())
            problem.stock.push_back(StockSupply{stockLength.lenght, bars});
        else
            same->available += bars;
    }
    return problem;
}

void writePlan(const CuttingProblem& problem, const CuttingPlan& plan, uint32_t combNo, const SPrtTable& pieces,
               ResultTable& results, SPrt2Table& pieceStates)
{
    std::vector<const PlannedPattern*> order;
    for (const PlannedPattern& planned : plan.patterns)
        order.push_back(&planned);
    std::stable_sort(order.begin(), order.end(), [&](const PlannedPattern* a, const PlannedPattern* b) {
        const uint32_t lengthA = problem.stock[a->pattern.stock].length;
        const uint32_t lengthB = problem.stock[b->pattern.stock].length;
        if (lengthA != lengthB)
            return lengthA > lengthB;
        return leftoverOf(problem, a->pattern) < leftoverOf(problem, b->pattern);
    });
    std::vector<std::size_t> longestPieceFirst(problem.pieces.size());
    for (std::size_t i = 0; i < longestPieceFirst.size(); ++i)
        longestPieceFirst[i] = i;
    std::stable_sort(longestPieceFirst.begin(), longestPieceFirst.end(), [&](std::size_t a, std::size_t b) {
        return problem.pieces[a].length > problem.pieces[b].length;
    });

    // Pieces are numbered downwards so that the rows already stand in the order of the results:
    // combination, bar, piece number descending, the leftover (number 0) last.
    uint64_t number = problem.totalPieces();
    uint32_t barNo = 0;
    for (const PlannedPattern* planned : order) {
        const uint32_t barLength = problem.stock[planned->pattern.stock].length;
        const uint32_t leftover = leftoverOf(problem, planned->pattern);
        for (uint32_t n = 0; n < planned->bars; ++n, ++barNo) {
            for (std::size_t i : longestPieceFirst)
                for (uint32_t c = 0; c < planned->pattern.counts[i]; ++c)
                    results.append(ResultRow{combNo, barNo, barLength, problem.pieces[i].length,
                                             static_cast<uint32_t>(number--)});
            if (leftover > 0)
                results.append(ResultRow{combNo, barNo, barLength, leftover, 0});
        }
    }
    for (const SPrtRow& piece : pieces)
        pieceStates.append(SPrt2Row{combNo, piece.dbId, piece.lenght1, piece.lenght2, piece.pcs, 0, 0, 0});
}

void CalculationDriver::loadPieceSet()
{
    t_.prs.clear();
    t_.totals.totalCuts = 0;
    for (const PrtRow& demanded : t_.prt) {
        std::size_t at = t_.prs.findFirst([&](const PrsRow& r) { return r.id == demanded.id; });
        if (at == PrsTable::npos) {
            t_.prs.append(PrsRow{demanded.id, demanded.lenght, 0});
            at = t_.prs.size() - 1;
            if (demanded.lenght < t_.totals.minCut)
                t_.totals.minCut = demanded.lenght;
        }
        t_.prs[at].pcs += demanded.pcs;
        t_.totals.totalCuts += demanded.pcs;
    }
}

// ---- Single-bar scan ---------------------------------------------------------------------------

bool CalculationDriver::singleBarScan()
{
    selectionBestId_ = 0;
    uint32_t bestScrap = Largest;
    ss_.clear();
    lengthsWithPattern_.clear();
    CsTable pattern;
    for (PrlRow& stockLength : t_.prl) {
        uint32_t scrap = 0;
        pattern.clear();
        if (search_(t_.prs, stockLength.lenght, pattern, scrap, call_.mode) != Response::Completed)
            return false;
        if (pattern.empty())
            continue;
        lengthsWithPattern_.insert(stockLength.id);
        if (scrap < bestScrap || stockLength.lenght == maxProfLen_) {
            bestScrap = scrap;
            selectionBestId_ = stockLength.id;
        }
        stockLength.scrap = scrap;
        if (stockLength.useless)
            continue;
        for (const CsRow& piece : pattern)
            ss_.append(SsRow{stockLength.lenght, piece.id, piece.lenght});
        ss_.append(SsRow{stockLength.lenght, 0, scrap});
    }
    return true;
}

// The pattern of one bar of a length: the first block of rows of that length, its pieces and
// then its leftover row.
std::vector<SsRow> CalculationDriver::patternOf(uint32_t barLength) const
{
    std::vector<SsRow> block;
    std::size_t at = ss_.findFirst([&](const SsRow& r) { return r.profileLenght == barLength; });
    for (; at != SsTable::npos && at < ss_.size() && ss_[at].profileLenght == barLength; ++at) {
        block.push_back(ss_[at]);
        if (ss_[at].cutId == 0)
            break;
    }
    return block;
}

// ---- Preselection ----------------------------------------------------------------------------

bool CalculationDriver::preselect()
{
    if (!selectionProcess())
        return false;

    tbSepl_.clear();
    for (const SelectedBarRow& bar : tbSep_) {
        if (tbSepl_.findFirst([&](const LengthRow& r) { return r.length == bar.length; }) == LengthTable::npos)
            tbSepl_.insertOrdered(LengthRow{bar.length}, [](const LengthRow& r) { return r.length; });
    }
    if (tbSepl_.size() < call_.extensions) {
        // Only the lengths the preselection used take part in the combination search.
        if (!loadStock(tbSepl_))
            return false;
        if (!loadDemand())
            return false;
    }
    return true;
}

bool CalculationDriver::selectionProcess()
{
    maxProfLen_ = 0;
    if (!bestLengthLoop())
        return false;

    if (t_.prt.empty()) {
        storePreselectionAsSolution();
        t_.prl.clear();
        return loadStock(LengthTable{});
    }

    // Not every piece found a bar: try again with the longest stock length first.
    if (!loadStockChecked(LengthTable{}, false))
        return false;
    maxProfLen_ = 0;
    for (const PrlRow& stockLength : t_.prl)
        maxProfLen_ = std::max(maxProfLen_, stockLength.lenght);
    if (!loadDemandChecked(false))
        return false;
    if (!bestLengthLoop())
        return false;
    if (t_.prt.empty())
        storePreselectionAsSolution();
    if (!loadStockChecked(LengthTable{}, false))
        return false;
    if (!t_.prt.empty()) {
        dialogs_.message(CalcMessages::CannotCutPieces);
        return false;
    }
    return true;
}

bool CalculationDriver::bestLengthLoop()
{
    tbSep_.clear();
    tbSet_.clear();
    while (!t_.prl.empty() && !t_.prt.empty()) {
        loadPieceSet();
        if (!singleBarScan())
            return false;
        if (selectionBestId_ == 0)
            break;
        if (!allocateBestLength())
            return false;
    }
    return true;
}

bool CalculationDriver::allocateBestLength()
{
    const std::size_t at =
        t_.prl.findFirst([&](const PrlRow& r) { return r.id == selectionBestId_; });
    if (at == PrlTable::npos) {
        dialogs_.message(QStringLiteral("ErrorCode after GET for M_PRL:Table. ErrorCode = %1")
                             .arg(global::err::NotInList));
        return false;
    }
    const PrlRow bar = t_.prl[at];
    const uint32_t barNo = static_cast<uint32_t>(tbSep_.size()) + 1;
    tbSep_.append(SelectedBarRow{barNo, bar.dbId, bar.lenght});

    // One bar leaves the stock; internal stock may go below zero when the bar comes from the
    // external or incoming stock.
    t_.prl[at].stockQuantity -= 1;
    if (t_.prl[at].available() <= 0)
        t_.prl.removeAt(at);

    for (const SsRow& row : patternOf(bar.lenght)) {
        if (row.cutId != 0) {
            if (!removeDemandedPiece(row.cutLenght))
                return false;
            SelectedCutRow cut{barNo, bar.dbId, 0, 0, 0};
            if (!identifyCutRecord(row.cutLenght, cut))
                return false;
            tbSet_.append(cut);
        } else if (call_.extend > 0 && row.cutLenght >= call_.extend) {
            offerLeftoverForJoint(row.cutLenght, barNo, bar.dbId);
        } else {
            tbSet_.append(SelectedCutRow{barNo, bar.dbId, 0, row.cutLenght, 0});
        }
    }
    return true;
}

bool CalculationDriver::removeDemandedPiece(uint32_t length)
{
    const std::size_t at = t_.prt.findFirst([&](const PrtRow& r) { return r.lenght == length; });
    if (at == PrtTable::npos) {
        dialogs_.message(QStringLiteral("System Error after GET for M_PRT:Table in Correct_M_PRT:Table "
                                        "routine. ErrorCode = %1 Searched value = %2")
                             .arg(global::err::NotInList)
                             .arg(length));
        return false;
    }
    if (--t_.prt[at].pcs == 0)
        t_.prt.removeAt(at);
    return true;
}

// CORRECT_S_PRT:TABLE: the first cut record with a piece of this length still unplaced, as a
// second section or else, on the same record, as a whole piece or first section.
bool CalculationDriver::identifyCutRecord(uint32_t length, SelectedCutRow& cut)
{
    for (SPrtRow& record : t_.sPrt) {
        if (record.lenght2 == length && record.pcs > record.usedPcs2) {
            ++record.usedPcs2;
            cut.cutId = record.dbId;
            cut.cutLength2 = length;
            return true;
        }
        if (record.lenght1 == length && record.pcs > record.usedPcs1) {
            ++record.usedPcs1;
            cut.cutId = record.dbId;
            cut.cutLength1 = length;
            return true;
        }
    }
    dialogs_.message(QStringLiteral("System Error after GET/NEXT for S_PRT:Table in Correct_S_PRT:Table "
                                    "routine. ErrorCode = %1 Searched value = %2")
                         .arg(global::err::NotInList)
                         .arg(length));
    return false;
}

bool isPreselectionJoinCandidate(uint32_t length, uint32_t leftover, uint32_t extend)
{
    const int64_t l = length;
    const int64_t s = leftover;
    // Passed over: shorter than 1.43 times the leftover while the second section would be
    // shorter than the minimum joint length.
    return !(l * 100 < 143 * s && l - s < static_cast<int64_t>(extend));
}

// PRECESS_SELECTION_EXT: the leftover of a preselected bar takes the first section of one
// demanded piece (the shortest candidate); the second section becomes demand of its own.
void CalculationDriver::offerLeftoverForJoint(uint32_t leftover, uint32_t barNo, uint32_t barProfileId)
{
    const uint32_t tolerance = settings_.extTolerance;
    const int64_t s = leftover;
    for (std::size_t i = t_.prt.size(); leftover > tolerance && i-- > 0;) {
        const int64_t l = t_.prt[i].lenght;
        if (!isPreselectionJoinCandidate(t_.prt[i].lenght, leftover, call_.extend))
            continue;
        const std::size_t record = t_.sPrt.findFirst([&](const SPrtRow& r) {
            return r.lenght1 == t_.prt[i].lenght && r.lenght2 == 0 && r.pcs != r.usedPcs1;
        });
        if (record == SPrtTable::npos)
            continue;

        const uint32_t cutId = t_.sPrt[record].dbId;
        const uint32_t firstSection = leftover - tolerance;
        const uint32_t secondSection = static_cast<uint32_t>(l - s) + tolerance;
        t_.sPrt[record].pcs -= 1;
        t_.sPrt.append(SPrtRow{cutId, firstSection, secondSection, 1, 0, 0, 0});
        t_.sPrt2.append(SPrt2Row{1, cutId, firstSection, secondSection, 1, 0, 0, 0});

        uint32_t nextId = 0;
        for (const PrtRow& r : t_.prt)
            nextId = std::max(nextId, r.id);
        if (--t_.prt[i].pcs == 0)
            t_.prt.removeAt(i);
        t_.prt.insertOrdered(PrtRow{nextId + 1, secondSection, 1, 0, 0},
                             [](const PrtRow& r) { return r.lenght; }, true);

        tbSet_.append(SelectedCutRow{barNo, barProfileId, cutId, firstSection, 0});
        return;
    }
    tbSet_.append(SelectedCutRow{barNo, barProfileId, 0, leftover, 0});
}

// SELECTION_COMBINATION_CREATE: the preselected bars become solution 1.
void CalculationDriver::storePreselectionAsSolution()
{
    t_.results.clear();
    t_.sPrt2.clear();
    for (const SelectedCutRow& cut : tbSet_) {
        const std::size_t at = tbSep_.findFirst([&](const SelectedBarRow& b) { return b.no == cut.no; });
        const uint32_t barLength = at == decltype(tbSep_)::npos ? 0 : tbSep_[at].length;
        if (cut.cutLength1 > 0)
            t_.results.append(ResultRow{1, cut.no, barLength, cut.cutLength1, cut.cutId});
        if (cut.cutLength2 > 0)
            t_.results.append(ResultRow{1, cut.no, barLength, cut.cutLength2, cut.cutId});
        // Only pieces are recorded as piece states, never a leftover.
        if (cut.cutId != 0 && cut.cutLength1 + cut.cutLength2 > 0)
            t_.sPrt2.append(SPrt2Row{1, cut.cutId, cut.cutLength1, cut.cutLength2, 1, 0, 0, 0});
    }
    preselectionStored_ = true;
}

void CalculationDriver::renumberPreselection(uint32_t combNo)
{
    for (ResultRow& row : t_.results)
        if (row.combNo == 1)
            row.combNo = combNo;
    for (SPrt2Row& row : t_.sPrt2)
        if (row.combNo == 1)
            row.combNo = combNo;
}

// ---- Combination search -------------------------------------------------------------------

bool CalculationDriver::combinationSearch()
{
    if (createLenghtsCombination(t_.prl, t_.prc, t_.totals.minCut, t_.totals.totalLenght, dialogs_)
        != Response::Completed)
        return false;
    if (!singleBarScan())
        return false;
    if (t_.prc.empty())
        return true;
    const uint32_t lastCombination = t_.prc.back().step;

    // The preselection's solution keeps a number of its own, past every combination.
    if (preselectionStored_)
        renumberPreselection(lastCombination + 1);

    const CombinationContext context{search_, controlTime_, settings_.extTolerance};
    std::size_t memberAt = 0;
    for (uint64_t comb = 1; comb <= lastCombination; ++comb) {
        const uint32_t combNo = static_cast<uint32_t>(comb);
        t_.progress = t_.progress >= 1000 ? 0 : t_.progress + 1;
        if (progress_ && !progress_(t_.progress))
            return false;

        PrsTable remaining;   // M_PRS2
        for (const PrsRow& row : t_.prs)
            remaining.insertOrdered(row, [](const PrsRow& r) { return r.lenght; });

        // The bars of this combination; the first bar is the length whose single bar leaves the
        // smallest leftover (a length without any pattern is never the first bar).
        CombinationTable bars;
        uint32_t firstBar = 0;
        uint32_t firstBarScrap = Largest;
        while (memberAt < t_.prc.size() && t_.prc[memberAt].step < combNo)
            ++memberAt;
        for (; memberAt < t_.prc.size() && t_.prc[memberAt].step == combNo; ++memberAt) {
            const uint32_t length = t_.prc[memberAt].lenght;
            const std::size_t at = t_.prl.findFirst([&](const PrlRow& r) { return r.lenght == length; });
            if (at == PrlTable::npos)
                continue;
            const PrlRow& stockLength = t_.prl[at];
            bars.append(CombinationRow{length, barsOffered(stockLength), 0, 0});
            const uint32_t scrap =
                lengthsWithPattern_.count(stockLength.id) != 0 ? stockLength.scrap : Largest;
            if (scrap < firstBarScrap) {
                firstBarScrap = scrap;
                firstBar = length;
            }
        }
        if (firstBar == 0)
            continue;

        for (const SsRow& row : patternOf(firstBar)) {
            if (row.cutLenght == 0)
                continue;
            t_.results.append(ResultRow{combNo, 0, firstBar, row.cutLenght, row.cutId});
            if (row.cutId == 0) {
                // The first bar's leftover is a remnant later bars may use.
                bars.append(CombinationRow{row.cutLenght, 1, 0, 0});
                continue;
            }
            const std::size_t at =
                remaining.findFirst([&](const PrsRow& r) { return r.lenght == row.cutLenght; });
            if (at != PrsTable::npos && --remaining[at].pcs == 0)
                remaining.removeAt(at);
        }
        const std::size_t used =
            bars.findFirst([&](const CombinationRow& r) { return r.lenght == firstBar; });
        if (used != CombinationTable::npos && --bars[used].quantity == 0)
            bars.removeAt(used);

        if (optimizeCombination(combNo, bars, remaining, t_.results, t_.sPrt, t_.sPrt2, call_.mode,
                                call_.extend, context)
            != Response::Completed)
            return false;
    }
    return true;
}

// ---- Folding reused remnants ----------------------------------------------------------------

void foldReusedRemnants(ResultTable& results)
{
    ResultTable saved;                 // S_RESULTS: leftover rows met so far
    std::optional<ResultRow> inUse;    // the saved leftover the current bar is cut from
    bool havePrevious = false;
    uint32_t previousComb = 0;
    uint32_t previousBar = 0;

    std::size_t i = 0;
    std::size_t combinationStart = 0;   // first row of the combination being walked
    // The reused leftover is finished: its saved row and its source bar's leftover row go.
    auto finishLeftover = [&]() {
        const std::size_t s = saved.findFirst([&](const ResultRow& r) { return r == *inUse; });
        if (s != ResultTable::npos)
            saved.removeAt(s);
        const std::size_t r =
            results.findFirst([&](const ResultRow& row) { return row == *inUse; }, combinationStart);
        if (r != ResultTable::npos) {
            results.removeAt(r);
            if (r < i)
                --i;
        }
        inUse.reset();
    };

    while (i < results.size()) {
        ResultRow& row = results[i];
        const bool newBar = !havePrevious || row.combNo != previousComb || row.profileNo != previousBar;
        if (inUse && newBar) {
            finishLeftover();
            continue;
        }
        // Leftovers are only ever reused within their own combination.
        if (!havePrevious || row.combNo != previousComb) {
            saved.clear();
            combinationStart = i;
        }

        // FINDREUSEDSCRAP: a saved leftover of this combination as long as this row's bar, on the
        // lowest bar number not above this row's.
        std::size_t found = ResultTable::npos;
        for (std::size_t s = 0; s < saved.size(); ++s) {
            const ResultRow& candidate = saved[s];
            if (candidate.combNo != row.combNo || candidate.cut != row.profileLengt
                || candidate.profileNo > row.profileNo)
                continue;
            if (found == ResultTable::npos || candidate.profileNo < saved[found].profileNo)
                found = s;
        }

        const uint32_t originalComb = row.combNo;
        const uint32_t originalBar = row.profileNo;
        if (found != ResultTable::npos) {
            row.profileNo = saved[found].profileNo;
            row.profileLengt = saved[found].profileLengt;
            inUse = saved[found];
        } else if (inUse) {
            finishLeftover();
            continue;
        }
        havePrevious = true;
        previousComb = originalComb;
        previousBar = originalBar;
        if (row.cutId == 0)
            saved.append(row);
        ++i;
    }
    if (inUse)
        finishLeftover();

    results.sort([](const ResultRow& a, const ResultRow& b) {
        if (a.combNo != b.combNo)
            return a.combNo < b.combNo;
        if (a.profileNo != b.profileNo)
            return a.profileNo < b.profileNo;
        return a.cutId > b.cutId;
    });
}

// ---- Totals, ranking, costing ---------------------------------------------------------------

bool CalculationDriver::totalsPerSolution()
{
    std::vector<global::ProfileLengthRecord> stockRecords;
    if (const int error = input_.lengthsOfProfile(call_.profile, stockRecords); error != 0) {
        dialogs_.message(
            QStringLiteral("System Error after GET for PROFILES_LENGHTS table. ErrorCode = %1").arg(error));
        return false;
    }
    std::set<uint32_t> remnantLengths;   // stock lengths that are not typical bar lengths
    for (const auto& record : stockRecords)
        if (record.typicalLength == 0)
            remnantLengths.insert(record.lenght);

    t_.ranking.clear();
    std::size_t current = RankingTable::npos;
    bool havePrevious = false;
    uint32_t previousComb = 0;
    uint32_t previousBar = 0;
    for (const ResultRow& row : t_.results) {
        if (current == RankingTable::npos || t_.ranking[current].combNo != row.combNo) {
            current = t_.ranking.findFirst([&](const RankingRow& r) { return r.combNo == row.combNo; });
            if (current == RankingTable::npos) {
                RankingRow fresh;
                fresh.combNo = row.combNo;
                t_.ranking.append(fresh);
                current = t_.ranking.size() - 1;
            }
        }
        RankingRow& solution = t_.ranking[current];
        if (row.cutId != 0) {
            solution.totalCuts += row.cut;
        } else {
            solution.totalScrap += row.cut;
            solution.maxScrap = std::max(solution.maxScrap, row.cut);
            if (row.cut < t_.remnantLenght)
                solution.pureScrap += row.cut;
        }
        if (!havePrevious || row.combNo != previousComb || row.profileNo != previousBar) {
            solution.profiles += 1;
            solution.totalUsed += row.profileLengt;
            if (remnantLengths.count(row.profileLengt) != 0)
                solution.reusedRemnant += row.profileLengt;
        }
        havePrevious = true;
        previousComb = row.combNo;
        previousBar = row.profileNo;
    }

    // COUNTEXTENSIONS: pieces made of two sections.
    for (const SPrt2Row& piece : t_.sPrt2) {
        if (piece.lenght2 == 0)
            continue;
        const std::size_t at =
            t_.ranking.findFirst([&](const RankingRow& r) { return r.combNo == piece.combNo; });
        if (at != RankingTable::npos)
            t_.ranking[at].extensions += piece.pcs;
    }
    return true;
}

double totalCost(const RankingRow& row, const global::ProfileRecord& profile)
{
    return row.totalUsed * profile.price / 1000 - row.pureScrap * profile.scrapPrice / 1000
        + row.extensions * profile.weldingPrice
        + (row.totalScrap - row.pureScrap) * profile.remnantLoss / 1000
        - row.reusedRemnant * profile.remnantLoss / 1000;
}

bool CalculationDriver::rankSolutions()
{
    // Only solutions that cut the whole demand are listed.
    auto& rows = t_.ranking.rows();
    std::erase_if(rows, [&](const RankingRow& r) { return r.totalCuts != t_.totals.totalLenght; });

    t_.ranking.sort([](const RankingRow& a, const RankingRow& b) {
        if (a.totalScrap != b.totalScrap)
            return a.totalScrap < b.totalScrap;
        if (a.pureScrap != b.pureScrap)
            return a.pureScrap < b.pureScrap;
        return a.maxScrap > b.maxScrap;
    });

    global::ProfileRecord profile;
    bool priced = false;
    if (const int error = input_.fetchProfile(call_.profile, profile); error == 0)
        priced = true;
    else if (error != global::err::RecordNotFound)
        dialogs_.message(
            QStringLiteral("System Error after GET for PROFILES table. ErrorCode = %1").arg(error));

    // Equal totals, pure scrap and longest leftover: only the first such solution is listed.
    RankingTable kept;
    for (RankingRow row : t_.ranking) {
        if (!kept.empty()) {
            const RankingRow& last = kept.back();
            if (row.totalScrap == last.totalScrap && row.pureScrap == last.pureScrap
                && row.maxScrap == last.maxScrap)
                continue;
        }
        row.totalCost = priced ? totalCost(row, profile) : 0.0;
        kept.append(row);
    }
    t_.ranking = std::move(kept);

    if (t_.ranking.empty()) {
        const QString message = noSolutionMessage(call_.mode);
        if (!message.isEmpty())
            dialogs_.message(message);
        return false;
    }
    return true;
}

} // namespace kadrel
