#pragma once
// CREATEPRINTTABLES: the bar and piece lists of a stored cutting order as the cut lists take them.
// A cutting order made by an older version has bars without print numbers; its bars are then
// numbered 1, 2, 3 ... by ascending length, bars of one length by their identifier (the order in
// which the cut list and the item tree show them), and the numbers are stored.

#include "optimizer/WorkTables.h"

#include <QString>
#include <cstdint>

namespace global {
class Database;
}

namespace transactions {

struct PrintTables {
    uint32_t profile = 0;   // STOT:PROFILE_ID
    kadrel::SolutionItemTable bars;
    kadrel::SolutionSubitemTable pieces;
    bool renumbered = false;   // the bars had no print numbers and have been given them
};

// Fills the lists of the cutting order; false with error set when it cannot be read or the new
// print numbers cannot be stored (then none is stored).
bool createPrintTables(global::Database& db, uint32_t transaction, PrintTables& tables, QString& error);

// RENUMBER_PRINT_ORDER alone: numbers the bars of the list by ascending length, then identifier,
// and stores each number in its bar record (a bar that no longer exists is skipped), in one
// transaction. False with error set when a number cannot be stored.
bool renumberPrintOrder(global::Database& db, kadrel::SolutionItemTable& bars, QString& error);

} // namespace transactions
