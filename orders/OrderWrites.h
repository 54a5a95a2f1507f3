#pragma once
// What the order procedures share: their answers, the messages of a write that failed, and the
// reads that tell whether an order or a position may still change.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"
#include "global/NewIdentifiers.h"
#include "global/Table.h"

#include <QString>

namespace orders {

// What a procedure answers its caller.
enum class OrderResponse {
    Done = 1,        // written; the caller's record holds the stored one
    Cancelled = 2,   // the operator said no, or a rule or another station refused it; nothing written
    Duplicate = 40,  // the order number belongs to another order; nothing written
};

// Transactions wait this long for another station's write.
inline constexpr int OrderLockWaitMs = 3000;

// The closing line of every message of a write that was rolled back.
QString nothingSavedText();
// "<what failed> <code> (<detail>)|Nic nie zostało zapisane."
QString failureText(const QString& what, int code, const QString& detail = {});

// The highest piece status of an order (or of one position when positionId is not 0); 0 when it
// has no pieces. 0 or a table error.
int statusLevel(global::Database& db, uint32_t orderId, uint32_t positionId, uint16_t& level);

// Deletes the exclusions of stock lengths of one position (order and profile), or of the whole order
// when profileId is 0. 0 or a table error.
int removeExclusions(global::Database& db, uint32_t orderId, uint32_t profileId);

// New identifiers for the records one import adds to a table (NewIdentifiers.h).
using global::NewIdentifiers;

} // namespace orders
