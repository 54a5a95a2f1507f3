#pragma once
// CREATETRANSACTIONLOG: the stock log of a database whose log is empty, rebuilt from its cutting
// orders. In one transaction it writes, in date and time order, an opening balance per length
// (type 0: the counts the length held before the first cutting order, so that the log ends at
// every length's counts now), then for each cutting order a line per length at its creation (type
// 11: bars -1, booked remnants +1 in production) and, for a confirmed order, at its confirmation
// (type 12: bars leave the own store, remnants enter it). A confirmed order without a confirmation
// date counts as confirmed when it was created; an open order (also a reopened one) only reserves.

namespace global {
class Database;
struct Services;
} // namespace global

namespace transactions {

enum class LogRebuild {
    Written,       // "Tabela zbudowana"
    LogNotEmpty,   // "Lista została już wygenerowana": nothing written
    Failed,        // the message has been shown, nothing written
};

LogRebuild createTransactionLog(global::Database& db, const global::Services& services);

} // namespace transactions
