#pragma once
// A realistic sample for a newcomer: profiles of aluminium and steel sections with their stock
// lengths and counts, and orders in several states with positions and pieces to optimize.

#include "global/StockBooking.h"

#include <QString>

namespace global { class Database; }

namespace kadrel {

struct DemoSummary {
    int profiles = 0;
    int lengths = 0;
    int orders = 0;
    int positions = 0;
    int cuts = 0;
};

// Whether the database holds no order and no profile yet (the sample goes only into such a one).
// Returns false with error set when the tables cannot be read.
bool databaseIsEmpty(global::Database& db, bool& empty, QString& error);

// Fills an empty database with the sample in one transaction: either everything is written or
// nothing. The stock log gets the opening balance of the sample's stock (or, when the log already
// holds lines, a "length added" line per stock length), stamped with stamp. Refuses, with error
// set, a database that already holds orders or profiles.
bool fillDemoData(global::Database& db, DemoSummary& summary, QString& error, const global::LogStamp& stamp);
// The same, stamped now by this machine's user and host.
bool fillDemoData(global::Database& db, DemoSummary& summary, QString& error);

} // namespace kadrel
