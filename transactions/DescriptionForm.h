#pragma once
// CHANGE_TRANSACTION without its window: saving the description and planned production date of a
// cutting order. Only those two fields are written, onto the record as it is now, in one
// transaction; when the cutting order has been deleted, confirmed or reopened since the form
// loaded it, nothing is written.

#include "global/Records.h"

#include <QDate>
#include <QString>

namespace global {
class Database;
struct Services;
} // namespace global

namespace transactions {

struct DescriptionEntry {
    QString documentDescr;   // "Opis dodatkowy"
    QDate productionDate;    // "Planowana data prod."
};

// SAVERECORD: answers 1 (saved; stored holds the record as written) or 2 (refused or failed, the
// message shown).
int saveDescription(global::Database& db, const global::Services& services, const global::StockTransRecord& loaded,
                    const DescriptionEntry& entry, global::StockTransRecord& stored);

} // namespace transactions
