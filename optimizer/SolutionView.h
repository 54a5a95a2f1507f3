#pragma once
// What the optimizer shows of one solution: the cutting plan per bar (SHOWCUTSSCHEMA),
// its statistics (CALCULATESTATISTIC), the bars used per stock length (SHOWUSEDPROFILES) and the
// bar and piece tables handed to acceptance, reports and exports (CREATESOLUTIONTABLES).

#include "optimizer/WorkTables.h"

#include <QString>
#include <optional>

namespace kadrel {

// M_DISPLAY: one row per bar of the selected solution.
struct DisplayRow {
    uint32_t id = 0;        // row number after sorting, 1..n
    uint32_t lenght = 0;    // bar length
    QString cuts;           // pattern text, e.g. "1200x3;800" (at most 128 characters)
    uint32_t leftover = 0;  // the bar's leftover
};
using DisplayTable = MemTable<DisplayRow>;

// The STATISTIC group: lengths in metres, percentages of the used bar length.
struct Statistics {
    double totalLengh = 0;          // LOC:STAT_TOTAL_LENGH
    uint32_t totalPcs = 0;          // LOC:STAT_TOTAL_PCS
    double cutLenght = 0;           // LOC:STAT_CUT_LENGHT
    double cutLenghtPerc = 0;       // LOC:STAT_CUT_LENGHT_PERC
    uint32_t totalCuts = 0;         // LOC:STAT_TOTAL_CUTS
    double totalScrap = 0;          // LOC:STAT_TOTAL_SCRAP
    double totalScrapPerc = 0;      // LOC:STAT_TOTAL_SCRAP_PERC
    double totalPurescrap = 0;      // LOC:STAT_TOTAL_PURESCRAP
    double totalPurescrapPerc = 0;  // LOC:STAT_TOTAL_PURESCRAP_PERC
    double totalRemnant = 0;        // LOC:STAT_TOTAL_REMNANT
    double totalRemnantPerc = 0;    // LOC:STAT_TOTAL_REMNANT_PERC
    uint32_t totalRemnantPcs = 0;   // LOC:STAT_TOTAL_REMNANT_PCS
    double totalSaw = 0;            // LOC:STAT_TOTAL_SAW
    double totalSawPerc = 0;        // LOC:STAT_TOTAL_SAW_PERC
    uint32_t extensions = 0;        // LOC:EXTENSIONS
    // The lower bound of material of the call and how far the solution lies above it.
    bool lowerBoundKnown = false;
    double lowerBound = 0;          // m
    double excessOverBoundPerc = 0; // material above the bound, in % of the bound
};

// The pattern text of a bar: piece lengths in the given order separated by ";", a run of equal
// consecutive lengths written once followed by "x" and the run length.
QString patternText(const std::vector<uint32_t>& pieceLengths);

// SHOWCUTSSCHEMA: the cutting plan of one solution. Also counts the pieces, the pure scrap,
// the usable remnant and its pieces into statistics (those fields are reset first).
void showCutsSchema(const ResultTable& results, uint32_t combNo, uint32_t remnantLenght,
                    DisplayTable& display, Statistics& statistics);

// CALCULATESTATISTIC: the remaining statistics from the ranking row of the solution.
void calculateStatistic(const RankingRow& solution, Statistics& statistics);

// SHOWUSEDPROFILES: M_PRL:USED = number of bars of each stock length in the cutting plan.
void showUsedProfiles(const DisplayTable& display, PrlTable& stock);

// CREATESOLUTIONTABLES: the bars and pieces of one solution. The used counts of pieceStates are
// zeroed first and then count the pieces identified. Returns the error text (nothing shown)
// when a bar length is missing from the stock or a piece cannot be identified.
std::optional<QString> createSolutionTables(const ResultTable& results, uint32_t combNo,
                                            const PrlTable& stock, SPrt2Table& pieceStates,
                                            SolutionItemTable& items, SolutionSubitemTable& subitems);

// The text shown when a piece of the solution cannot be matched to a cut record.
extern const QString PieceIdentificationError;

} // namespace kadrel
