#pragma once
// The heat (melt) number of one bar of a cutting order (STOCK_TRANS_ITEMS.HEAT_NUMBER), so that the
// pieces cut from it can be traced to their material batch. The bar is read again inside a database
// transaction and compared with the bar as the form loaded it; only then is the number written,
// through the referential-integrity update of the cutting-order items.
//
//   StockTransItemRecord stored;
//   switch (saveHeatNumber(db, dialogs, loadedBar, QStringLiteral("W-2231"), stored)) { ... }
//
// One attempt: a caller that offers to try again after a failure calls it again.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

namespace global {

enum class HeatNumberSave {
    Stored,             // written; stored holds the bar as it is now
    Unchanged,          // the number is the bar's own: nothing written
    ChangedElsewhere,   // another station changed the bar since it was loaded: nothing written, stored holds it now
    Gone,               // the bar no longer exists (its cutting order was deleted)
    Failed,             // the database refused the transaction or the write (shown); nothing written
};

// The number as it is stored: at most 20 characters, without trailing spaces.
QString storedHeatNumber(const QString& typed);

HeatNumberSave saveHeatNumber(Database& db, Dialogs& dialogs, const StockTransItemRecord& loaded,
                              const QString& heatNumber, StockTransItemRecord& stored);

} // namespace global
