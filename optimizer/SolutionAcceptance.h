#pragma once
// SAVECUTS: the selected solution becomes a cutting order. In one database transaction it writes
// the cutting order (STOCK_TRANS), one item per bar in ascending length (STOCK_TRANS_ITEMS) and one
// sub-item per piece (STOCK_TRANS_SUBITEMS), books the bars (-1) and the usable remnants (+1) as
// stock in production through the stock booking (creating remnant lengths the profile does not
// have), with their stock-log lines, and sets the pieces in production. Before writing anything it
// checks the solution against the records as they are now: the pieces must still be new or
// approved, unblocked, of the profile and not cut more often than ordered; the bars' stock lengths
// must be the profile's and have the bars' lengths. Any failure rolls everything back, and its
// message says that nothing was saved.

#include "optimizer/SolutionView.h"
#include "optimizer/WorkTables.h"

#include <QDate>
#include <QString>
#include <functional>

namespace global {
class Database;
struct Services;
} // namespace global

namespace kadrel {

// What the operator enters in the save window.
struct AcceptanceEntry {
    QString description;    // LOC:DESCR, "Opis dodatkowy"
    QDate productionDate;   // LOC:PRODDATE, "Plan. data produkcji"
};

// What a committed save wrote.
struct AcceptanceResult {
    bool saved = false;
    uint32_t transaction = 0;   // STOT:ID
    uint32_t bars = 0;
    uint32_t pieces = 0;
    uint32_t remnants = 0;
};

// The planned production date the save window offers: the next Tuesday or Thursday after today
// (Sunday +2 days, Monday +1, Tuesday +2, Wednesday +1, Thursday +5, Friday +4, Saturday +3).
QDate presetProductionDate(const QDate& today);

// The text every failure message of the save ends with.
extern const QString NothingSavedText;

// SAVEDATAPROCESS: saves the solution (bars and pieces as the optimizer window builds them) with
// the window's statistics. A failure is shown through services.dialogs and returns saved = false.
AcceptanceResult acceptSolution(global::Database& db, const global::Services& services, uint32_t profile,
                                const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                                const Statistics& statistics, const AcceptanceEntry& entry);

// CREATEPRINTTABLES: the bar and piece lists of a stored cutting order, as the cut lists take them
// (bars by item identifier, S_SOLI:ID = STOTI:ID, with their heat numbers; pieces with their texts).
// Returns false with error set when the records cannot be read.
bool storedCuttingOrderLists(global::Database& db, uint32_t transaction, SolutionItemTable& bars,
                             SolutionSubitemTable& pieces, QString& error);

// Prints the cut list of a stored cutting order: (profile, bars, pieces, transaction, summary).
using CutListPrinter = std::function<void(uint32_t profile, const SolutionItemTable&, const SolutionSubitemTable&,
                                          uint32_t transaction, bool summary)>;

// SAVECUTS without its window: saves, and after a committed save rebuilds the print lists from the
// stored records and prints the summary cut list (when a printer is given). A failure to rebuild
// the lists is shown; the cutting order stays saved.
AcceptanceResult saveCuts(global::Database& db, const global::Services& services, uint32_t profile,
                          const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                          const Statistics& statistics, const AcceptanceEntry& entry,
                          const CutListPrinter& printCutList);

} // namespace kadrel
