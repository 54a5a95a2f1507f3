#pragma once
// A realistic sample for a newcomer: profiles of aluminium and steel sections with their stock
// lengths and counts, and orders in several states with positions and pieces to optimize.

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
// nothing. Refuses, with error set, a database that already holds orders or profiles.
bool fillDemoData(global::Database& db, DemoSummary& summary, QString& error);

} // namespace kadrel
