#pragma once
// The options of the commands that work on one solution of the optimizer (accept, print,
// extensions): the calculation options of `calc --profile` and --solution, and the run that
// computes the solutions from the database and hands over the chosen one.

#include "optimizer/OptimizerCall.h"
#include "optimizer/SolutionView.h"
#include "optimizer/WorkTables.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace global {
class Database;
class Dialogs;
} // namespace global

namespace kadrel::cli {

// A command line split into flags and options with values.
struct ParsedOptions {
    QSet<QString> flags;
    QHash<QString, QString> values;

    bool has(const QString& name) const { return flags.contains(name) || values.contains(name); }
};

// Splits args by the flags and valued options a command knows; returns the problem for the usage
// text, or an empty string.
QString splitOptions(const QString& command, const QStringList& args, const QStringList& flags,
                     const QStringList& valued, ParsedOptions& out);

// A whole number from 0 to max written in decimal digits.
bool readWholeNumber(const QString& text, uint64_t max, uint64_t& value);

// The valued options of the calculation, as `calc --profile` takes them, and --solution.
QStringList solutionValuedOptions();

// Which calculation and which of its solutions.
struct SolutionRequest {
    OptimizerCall call;                       // the profile and the calculation options
    std::optional<uint32_t> selectionStart;   // --selection-start; else GLO:Selection_Start
    std::optional<uint32_t> stopAfter;        // --stop-after MINUTES; else no control time
    std::optional<uint32_t> timeLimit;        // --time-limit SECONDS of method 5
    std::optional<uint32_t> solution;         // --solution COMB_NO; else the first row of the ranking
};

// Reads the request from the split options (--profile required); returns the problem or "".
QString readSolutionRequest(const QString& command, const ParsedOptions& options, SolutionRequest& request);

// The chosen solution with what the optimizer window would hand over.
struct ChosenSolution {
    uint32_t combNo = 0;
    bool canSave = false;   // the rule of the window's save button
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
    Statistics statistics;
};

// Runs the calculation on the open database (setup parameters loaded) and takes the requested
// solution. Messages go to dialogs. Returns false when the run ended without solutions, the
// solution does not exist or its tables cannot be built (the reason shown).
bool computeSolution(global::Database& db, global::Dialogs& dialogs, const SolutionRequest& request,
                     ChosenSolution& chosen);

} // namespace kadrel::cli
