#pragma once
// One run of the cutting optimizer for one profile, without its window: the call parameters,
// the preparation of demand and stock, the whole calculation, the ranked solutions, and what the
// window shows and exports for the selected solution.
//
// The class knows no widget. The window (or the command line) constructs it with the services it
// works with, calls run() (from a worker thread if it likes), and then reads the tables and texts
// below. Every message and the control-time question go through the injected Dialogs; a window
// that runs the calculation in a worker thread must answer Dialogs calls on its own thread.
//
// Typical use:
//     OptimizerRun run(input, services, call);
//     run.setProgressCallback([&](uint32_t p) { emit progress(p); });
//     if (run.run()) { show run.ranking(), run.display(), run.statistics() ... }
//     else           { close the window: the run ended (its message was already shown) }

#include "optimizer/CalculationDriver.h"
#include "optimizer/OptimizerCall.h"
#include "optimizer/PatternMaster.h"
#include "optimizer/Preparation.h"
#include "optimizer/SolutionView.h"
#include "optimizer/WorkTables.h"

#include <QDateTime>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace global {
class Clipboard;
class Clock;
class Dialogs;
} // namespace global

namespace kadrel {

// The services one run works with.
struct RunServices {
    global::Dialogs& dialogs;
    global::Clipboard& clipboard;
    global::Clock& clock;
};

// The sort orders of the solutions list (the radios of "Sortowanie wyników").
enum class RankingSort {
    TotalScrap = 0,  // "Odp. całk.": total leftover, pure scrap, longest leftover descending
    PureScrap = 1,   // "Odp. nieużyteczny": pure scrap, total leftover, longest leftover descending
    Cost = 3,        // "Koszty": cost, total leftover, pure scrap, longest leftover descending
};

class OptimizerRun {
public:
    // Texts appended to the window title: a run for one order position, and a simulation.
    static const QString CalculatorTitleSuffix;
    static const QString SimulationTitleSuffix;

    OptimizerRun(OptimizerInput& input, RunServices services, OptimizerCall call,
                 RunSettings settings = {});
    ~OptimizerRun();

    OptimizerRun(const OptimizerRun&) = delete;
    OptimizerRun& operator=(const OptimizerRun&) = delete;

    // ---- The calculation --------------------------------------------------------------------

    // Called once per combination tried with the progress counter (0..1000, wrapping to 0).
    void setProgressCallback(std::function<void(uint32_t progress)> callback);
    // Asks a running calculation to stop before its next combination; the run then ends as when
    // the operator stops it at the control time. Safe to call from any thread.
    void requestCancel() { cancelRequested_.store(true); }

    // Opening (the ?SAVE rule and the title suffixes), preparation, the whole calculation, the
    // closing reload of the demand and the duration. Shows the first solution. Returns true when
    // solutions are listed; false when the run ended (a message was shown, the operator stopped
    // the calculation or a procedure failed): the window then closes.
    bool run();

    // True after run() returned true and as long as nothing ended the run.
    bool completed() const { return completed_; }

    // ---- Opening --------------------------------------------------------------------------------

    // Whether ?SAVE is enabled: all approved pieces of the profile, or one order position whose
    // order is approved, and never a simulation. Known after run() (or determineSaveRule()).
    bool canSave() const { return canSave_; }
    // The text appended to the window title ("" or one or both suffixes, in that order).
    QString titleSuffix() const { return titleSuffix_; }
    // Evaluates the ?SAVE rule and the title suffixes alone (run() does it first thing).
    void determineSaveRule();

    // ---- Tables and values shown --------------------------------------------------------------

    const OptimizerCall& call() const { return call_; }
    const RunSettings& settings() const { return settings_; }

    const PrtTable& demand() const { return tables_.prt; }          // M_PRT (?LIST1)
    const PrlTable& stock() const { return tables_.prl; }           // M_PRL with M_PRL:USED (?LIST2)
    const RankingTable& ranking() const { return tables_.ranking; } // M_RANKING (?LIST3), list order
    const DisplayTable& display() const { return display_; }        // M_DISPLAY of the selection (?LIST4)
    const Statistics& statistics() const { return statistics_; }    // STATISTIC of the selection
    const ResultTable& results() const { return tables_.results; }  // M_RESULTS of every solution
    const SPrt2Table& pieceStates() const { return tables_.sPrt2; } // S_PRT2 of every combination

    // The lower bound of material of the call (the whole demand from the whole usable stock),
    // computed once per run; known is false when the stock cannot cut the demand.
    const MaterialBound& lowerBound() const { return bound_; }
    // Material of a solution above the rounded bound, in % of the bound; nothing when no bound.
    std::optional<double> excessOverBound(const RankingRow& solution) const;

    int64_t totalLenght() const { return tables_.totals.totalLenght; } // LOC:TOTAL_LENGHT
    uint64_t totalCuts() const { return tables_.totals.totalCuts; }    // LOC:TOTAL_CUTS
    uint32_t minCutLenght() const { return tables_.totals.minCut; }    // LOC:MIN_CUTLENGHT
    uint32_t remnantLenght() const { return tables_.remnantLenght; }   // LOC:REMNANT_LENGHT
    uint32_t progress() const { return tables_.progress; }             // LOC:PROGRESS

    // ---- Selection and sorting ---------------------------------------------------------------

    // Index of the selected ranking row, or -1 when the list is empty.
    int selectedRow() const { return selectedRow_; }
    // The selected ranking row (G_RANKING); nullptr when nothing is selected.
    const RankingRow* selectedSolution() const;
    // Selects a row of the solutions list and shows its cutting plan, statistics and the bars
    // used per stock length. Out-of-range rows are ignored.
    void selectSolution(int row);
    // Re-sorts the solutions list, selects its first row and shows it.
    void resort(RankingSort sort);

    // ---- Duration ---------------------------------------------------------------------------------

    // Duration of the calculation in hundredths of a second (LOC:OPT_TIME_ULONG).
    uint32_t durationHundredths() const { return durationHundredths_; }
    // The method-and-duration line (LOC:OPT_TIME), e.g. " Metoda 2 Czas obl. = 00:01:05".
    QString durationText() const { return durationText_; }

    // ---- Selected-solution tables ------------------------------------------------------------

    // Builds the bars and pieces of the selected solution. On a piece that cannot be matched to a
    // cut record it shows "Błąd próby identyfikacji odcinka", ends the run and returns false.
    bool createSolutionTables();
    const SolutionItemTable& solutionItems() const { return items_; }
    // The same tables for any row of the solutions list, built without showing anything and
    // without touching the selection; returns the error text when a piece cannot be identified.
    std::optional<QString> solutionTablesOf(int row, SolutionItemTable& items,
                                            SolutionSubitemTable& subitems) const;
    const SolutionSubitemTable& solutionSubitems() const { return subitems_; }

    // ---- Clipboard exports -------------------------------------------------------------------

    // Text of the full results export (?EXPRES).
    QString resultsExportText() const;
    // Text of the selected solution's cutting plan (?EXCELEXPORT).
    QString selectedCutsExportText() const;
    // Put the texts on the clipboard and confirm with their messages.
    void exportResults();
    void exportSelectedCuts();

private:
    OptimizerInput& input_;
    RunServices services_;
    OptimizerCall call_;
    RunSettings settings_;

    RunTables tables_;
    MaterialBound bound_;
    DisplayTable display_;
    Statistics statistics_;
    QDateTime startedAt_;
    std::atomic<bool> cancelRequested_{false};
    std::function<void(uint32_t)> progress_;

    bool completed_ = false;
    bool canSave_ = false;
    QString titleSuffix_;
    int selectedRow_ = -1;
    uint32_t durationHundredths_ = 0;
    QString durationText_;
    SolutionItemTable items_;
    SolutionSubitemTable subitems_;
};

} // namespace kadrel
