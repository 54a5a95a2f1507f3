#pragma once
// IMPORTORDER, IMPORTSUBITEMS and IMPORT_PROFILES_LIST: orders, pieces and profiles pasted as
// tables (global/PastedTable.h). Each import reads and checks every row first and then writes in
// one transaction, all or nothing; it ends with one message saying what it wrote (or why it wrote
// nothing), which is also its summary.
//
// Rows whose length or count does not come out between 1 and 2,147,483,647 are left out and
// counted; a row with a blank order number or profile code refuses the whole paste, naming its
// line.

#include "orders/OrderWrites.h"

namespace orders {

struct ImportSummary {
    bool written = false;   // the transaction was committed with at least one record
    int orders = 0;         // new orders
    int positions = 0;      // new positions
    int pieces = 0;         // new piece records
    int merged = 0;         // rows added to a piece record of the same import
    int profiles = 0;       // new profiles; descriptions filled in are counted apart
    int descriptions = 0;
    int existing = 0;       // pasted profiles whose code the catalogue already has
    int leftOut = 0;        // rows without a usable length or count
    QString message;        // what was shown
};

// IMPORTORDER: rows of order number, description, profile code, length and count. Every order
// number must be new and every profile code must be in the catalogue; new orders (status new)
// get a position per profile and a piece record per length (rows of one order, profile and length
// add up their counts). A profile without a description takes the row's.
ImportSummary importOrders(global::Database& db, const global::Services& services, const QString& text);

// IMPORTSUBITEMS: rows of length, count, piece code and two descriptions, each a new piece record
// of the position, with the status of its order and the block of the position.
ImportSummary importPieces(global::Database& db, const global::Services& services, uint32_t orderId,
                           uint32_t positionId, const QString& text);

// IMPORT_PROFILES_LIST: rows of profile code, description and usable remnant length. Profiles
// whose code is not in the catalogue yet are added (visible, in the unit of the setting
// GLO:DEF_UOM); the catalogue's profiles are never changed.
ImportSummary importProfiles(global::Database& db, const global::Services& services, const QString& text);

// The same imports reading the clipboard, which is emptied once the rows are written.
ImportSummary importOrdersFromClipboard(global::Database& db, const global::Services& services);
ImportSummary importPiecesFromClipboard(global::Database& db, const global::Services& services, uint32_t orderId,
                                        uint32_t positionId);
ImportSummary importProfilesFromClipboard(global::Database& db, const global::Services& services);

} // namespace orders
