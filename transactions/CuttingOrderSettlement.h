#pragma once
// Settling a cutting order after the saw has (or has not) done its work.
//
// closeTransaction(..., Close) confirms an open cutting order: its bars leave the own store (own
// stock -1, in production +1), its usable remnants enter it (own stock +1, in production -1), its
// pieces become cut, and every order whose pieces are then all cut or abandoned becomes closed
// (the others approved). closeTransaction(..., Reopen) undoes exactly that for a confirmed one.
// deleteTransaction removes an open cutting order: each bar's reservation is returned (in
// production +1), each remnant's taken back (-1), each piece goes back to the status of its order
// (new or approved) and the bars, pieces and the cutting order itself are deleted.
//
// Each runs in one database transaction (lock wait 3 s) and first reads the cutting order again
// inside it: close and delete need an open one, reopen a confirmed one; otherwise nothing is
// written. Every stock count moves through the stock booking with its log lines (type 12 close,
// 14 reopen, 13 delete, one line per length touched). A remnant length that is missing, or now
// belongs to another profile or length, is made again inside the same transaction holding the
// reservations of the open cutting orders that name it, with a type 1 log line. Any failure rolls
// everything back and is shown in one message saying that nothing was saved.

#include <QString>
#include <cstdint>

namespace global {
class Database;
struct Services;
} // namespace global

namespace transactions {

// The mode of CLOSE_TRANSACTION, as stored numbers.
enum class CloseMode : uint8_t {
    Reopen = 2,
    Close = 3,
};

// What a committed run did (done = false: nothing was written, the message has been shown).
struct SettlementResult {
    bool done = false;
    uint32_t bars = 0;
    uint32_t pieces = 0;
    uint32_t ordersTouched = 0;
    uint32_t ordersClosed = 0;       // orders whose status is closed after the run
    uint32_t remnantsRecreated = 0;  // remnant lengths made again
};

// The text every refusal and failure ends with.
extern const QString NothingSavedText;

SettlementResult closeTransaction(global::Database& db, const global::Services& services, uint32_t transaction,
                                  CloseMode mode);
SettlementResult deleteTransaction(global::Database& db, const global::Services& services, uint32_t transaction);

} // namespace transactions
