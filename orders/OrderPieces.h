#pragma once
// ORDERSPROFILESUPD, ORDERCUTUPD and CUTDISPOSFROMORDER: the positions of an order (one profile
// each), the ordered pieces of a position, and the cutting orders that hold pieces of an order.
//
// A piece always takes the status of its order (new or approved) and is born blocked when its
// position is blocked. Pieces in production or later are neither changed nor deleted, and nothing
// is added to a closed order. Every write re-reads what it depends on inside its transaction and
// writes all or nothing; refusals and failures are shown through the services' dialogs.

#include "global/PieceSections.h"
#include "orders/OrderWrites.h"

#include <QList>

namespace orders {

class OrderPieces {
public:
    OrderPieces(global::Database& db, const global::Services& services);

    // Adds the profile (chosen by the operator) to the order as a new position; the buffer
    // receives it. A profile the order already has is refused.
    OrderResponse addPosition(uint32_t orderId, uint32_t profileId, global::OrderProfileRecord& position);
    // Deletes a position with its pieces and its exclusions of stock lengths; refused once one of
    // its pieces is in production.
    OrderResponse removePosition(uint32_t positionId);

    // Adds a piece to the position; the buffer (length, count, code, descriptions, block, sections)
    // receives the stored piece.
    OrderResponse addPiece(const global::OrderProfileRecord& position, global::CutRecord& piece);
    // Writes the edited piece over the piece as it was loaded: refused when another station changed
    // or deleted it meanwhile, or when it is in production.
    OrderResponse changePiece(const global::CutRecord& loaded, global::CutRecord& piece);
    // Deletes a piece unless it is in production or later.
    OrderResponse removePiece(const global::CutRecord& piece);

    QString lastMessage() const { return lastMessage_; }

private:
    OrderResponse refuse(const QString& text);
    OrderResponse fail(const QString& what, int code, const QString& detail);
    bool pieceAcceptable(const global::CutRecord& piece);
    // Reads the order of a piece that is to be written and gives the piece its status; false when
    // that is refused (reported).
    bool takeOrderStatus(global::CutRecord& piece);

    global::Database& db_;
    const global::Services& services_;
    QString lastMessage_;
};

// Changing the length of a piece: a piece divided by a percentage gets its two sections again at
// that percentage of the new length.
void setPieceLength(global::CutRecord& piece, uint32_t length);
// The sections of a piece as stored.
global::Sections sectionsOf(const global::CutRecord& piece);
void setSections(global::CutRecord& piece, const global::Sections& sections);

// CUTDISPOSFROMORDER: the cutting orders that hold pieces of the order, each once, by number (a
// piece record whose pieces went into several cutting orders names all of them). error: 0, or the
// table error that ended the reading (the list is then empty).
QList<global::StockTransRecord> cuttingOrdersOfOrder(global::Database& db, uint32_t orderId, int& error);

} // namespace orders
