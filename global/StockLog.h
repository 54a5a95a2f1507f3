#pragma once
// The stock change log: one STOCK_CHANGE record per change of one stock length, carrying running
// totals so that the latest record of a length, or of a profile, gives the current figures.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"

namespace global {

// Adds a log record. rec holds the date, time, profile, length (a value), the three changes in
// pieces, the operation type, the document, the station and the operator. The totals of the
// length are the latest record of the same profile and length plus the changes; the totals of the
// profile in metres are its latest record plus pieces × length / 1000; no earlier record counts
// as 0. rec gets the next identifier and the totals. Returns 0 or the error number; the log
// table object keeps the error text.
int addStockChange(Table<StockChangeRecord>& log, StockChangeRecord& rec);

// Sets the totals of rec from the latest record of its length and of its profile (empty records
// when there is none): the rule addStockChange writes by, for callers that keep those records.
void carryTotals(const StockChangeRecord& lengthBefore, const StockChangeRecord& profileBefore, StockChangeRecord& rec);

} // namespace global
