#pragma once
// Keeping parts of an order away from the optimizer: blocking a whole position (its pieces that are
// not yet in production follow it), blocking one piece, and excluding one stock length for one
// position. Each re-reads what it depends on inside its transaction and writes all or nothing;
// refusals and failures are shown through the services' dialogs.

#include "orders/OrderWrites.h"

namespace orders {

// What a block answers.
enum class BlockResult {
    Done,             // written
    Refused,          // a rule refused it (the message has been shown); nothing written
    Failed,           // a write failed and was rolled back (the message has been shown)
    PositionFailed,   // the position itself could not be written: the browse closes after it
};

// BLOCKPROFILE: turns the block of the position over and gives its new, approved pieces the same
// block; pieces in production or later keep theirs.
BlockResult blockPosition(global::Database& db, const global::Services& services, uint32_t positionId);

// BLOCKCUT: turns the block of a piece over; a piece handed to production is refused.
BlockResult blockPiece(global::Database& db, const global::Services& services, uint32_t pieceId);

// BLOCKLENGHT: excludes the stock length for the position (order and profile), or includes it again
// when it was excluded. A length excluded on the profile itself is refused.
BlockResult toggleLengthExclusion(global::Database& db, const global::Services& services, uint32_t orderId,
                                  uint32_t profileId, uint32_t lengthId);

} // namespace orders
