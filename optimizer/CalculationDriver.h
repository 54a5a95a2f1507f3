#pragma once
// The calculation of one optimizer run: an optional bar-by-bar preselection of stock lengths, one
// pass over every combination of stock lengths, folding of reused remnants, totals, ranking,
// de-duplication and costing. It works on the run's tables, which the preparation has filled.

#include "optimizer/CombinationOptimizer.h"
#include "optimizer/CuttingStock.h"
#include "optimizer/OptimizerCall.h"
#include "optimizer/Preparation.h"
#include "optimizer/WorkTables.h"

#include <QString>
#include <functional>
#include <set>

namespace global { class Dialogs; }

namespace kadrel {

class BoundedPlanner;
class ControlTime;

// The tables and values of one run that the calculation and the window share.
struct RunTables {
    PrtTable prt;           // M_PRT
    SPrtTable sPrt;         // S_PRT
    SPrt2Table sPrt2;       // S_PRT2
    PrsTable prs;           // M_PRS
    PrlTable prl;           // M_PRL
    PrcTable prc;           // M_PRC
    ResultTable results;    // M_RESULTS
    RankingTable ranking;   // M_RANKING
    CutsDemand totals;      // LOC:TOTAL_LENGHT, LOC:MIN_CUTLENGHT, LOC:TOTAL_CUTS
    uint32_t remnantLenght = 0;  // LOC:REMNANT_LENGHT
    uint32_t progress = 0;       // LOC:PROGRESS
};

// Texts the calculation and the preparation show.
struct CalcMessages {
    static const QString NoStock;
    static const QString NoPieces;
    static const QString CannotCutPieces;
    static const QString NoSolution;
    static const QString NoSolutionTryMethod1;
    static const QString NoSolutionTryMethod4;
};

// The "no solution" message for a bar-pattern method; empty when the method shows none.
QString noSolutionMessage(uint8_t mode);

// TB_SEP: a bar chosen by the preselection.
struct SelectedBarRow {
    uint32_t no = 0;
    uint32_t profileId = 0;   // PROFL:ID
    uint32_t length = 0;
};

// TB_SET: what is cut from a preselected bar.
struct SelectedCutRow {
    uint32_t no = 0;
    uint32_t profileId = 0;
    uint32_t cutId = 0;       // CUT:ID, 0 on a leftover row
    uint32_t cutLength1 = 0;  // whole piece, first section or leftover
    uint32_t cutLength2 = 0;  // second section
};

class CalculationDriver {
public:
    CalculationDriver(OptimizerInput& input, global::Dialogs& dialogs, const OptimizerCall& call,
                      const RunSettings& settings, RunTables& tables, const BarPatternSearch& search,
                      ControlTime& controlTime);

    // Called once per combination with the progress counter; returning false stops the run.
    void setProgress(std::function<bool(uint32_t)> progress) { progress_ = std::move(progress); }

    // The whole calculation. Returns false when the run ended (a message was shown, a procedure
    // failed or the calculation was stopped); true when the ranking holds solutions.
    bool run();

    // Method 5: the plans of the bounded planner become the solutions (numbered 1, 2, ...), then
    // totals and ranking as for every method. Returns false as run() does.
    bool runBoundedMethod(BoundedPlanner& planner, const Deadline& deadline);

    // Reloads the usable stock through a length filter (empty = none). Shows the no-stock message
    // and returns false when nothing is usable.
    bool loadStock(const LengthTable& filter);
    // Reloads the demand (the piece table is emptied first). Shows the no-pieces message and
    // returns false when nothing is demanded.
    bool loadDemand();

    // The steps, public for the tests.
    bool preselect();
    void loadPieceSet();                 // LOAD_M_PRS:TABLE
    bool singleBarScan();                // CALCULATESTEPSCRAPS
    bool combinationSearch();            // RUN_OPTIMIZATION_LOOP
    bool totalsPerSolution();            // SELECTBESTCOMBINATION, COUNTEXTENSIONS
    bool rankSolutions();                // SHOWRANKING with ADDTOTALCOST

    const MemTable<SelectedBarRow>& selectedBars() const { return tbSep_; }
    const MemTable<SelectedCutRow>& selectedCuts() const { return tbSet_; }
    const LengthTable& selectedLengths() const { return tbSepl_; }
    bool preselectionStored() const { return preselectionStored_; }

private:
    bool selectionProcess();
    bool bestLengthLoop();
    bool allocateBestLength();
    bool removeDemandedPiece(uint32_t length);
    bool identifyCutRecord(uint32_t length, SelectedCutRow& cut);
    void offerLeftoverForJoint(uint32_t leftover, uint32_t barNo, uint32_t barProfileId);
    void storePreselectionAsSolution();
    void renumberPreselection(uint32_t combNo);
    bool loadStockChecked(const LengthTable& filter, bool checkEmpty);
    bool loadDemandChecked(bool checkEmpty);
    std::vector<SsRow> patternOf(uint32_t barLength) const;

    OptimizerInput& input_;
    global::Dialogs& dialogs_;
    const OptimizerCall& call_;
    const RunSettings& settings_;
    RunTables& t_;
    const BarPatternSearch& search_;
    ControlTime& controlTime_;
    std::function<bool(uint32_t)> progress_;

    SsTable ss_;                               // M_SS: patterns of the single-bar scan
    std::set<uint32_t> lengthsWithPattern_;    // M_PRL:IDs the scan found a pattern for
    uint32_t maxProfLen_ = 0;                  // LOC:MAX_PROF_LEN
    uint32_t selectionBestId_ = 0;             // LOC:SELECTION_BEST_ID
    MemTable<SelectedBarRow> tbSep_;
    MemTable<SelectedCutRow> tbSet_;
    LengthTable tbSepl_;
    bool preselectionStored_ = false;
};

// The demand and usable stock of the run as one cutting problem: every demanded length (a
// section counts as a length of its own) and every stock length with the bars it offers (equal
// lengths together).
CuttingProblem cuttingProblemOf(const RunTables& tables, uint32_t sawWidth);

// Writes a plan as solution combNo: its bars (numbered from 0, longest first) with their pieces,
// longest first, and a leftover row for every bar that leaves something; and the piece table of
// the solution, so that every piece is identified with its cut record.
void writePlan(const CuttingProblem& problem, const CuttingPlan& plan, uint32_t combNo, const SPrtTable& pieces,
               ResultTable& results, SPrt2Table& pieceStates);

// EXCLUDEREUSEDSCRAP: bars cut from a leftover of an earlier bar of the same solution are folded
// back onto that bar, whose leftover row then goes; finally the results are sorted by
// combination, bar number and descending cut id.
void foldReusedRemnants(ResultTable& results);

// Whether the preselection may join a demanded length onto a bar's leftover: a length of at least
// 1.43 times the leftover, or one whose second section is at least the minimum joint length.
bool isPreselectionJoinCandidate(uint32_t length, uint32_t leftover, uint32_t extend);

// ADDTOTALCOST for one ranking row with the profile's prices (per metre, welding per joint).
double totalCost(const RankingRow& row, const global::ProfileRecord& profile);

} // namespace kadrel
