#pragma once
// Deleting and updating the records that the forms edit (setup parameters, the import field map,
// the bars of a cutting order), with the change-by-another-station check and the messages.
//
// The table object must be the one that read the record (its last read record is the one deleted
// or written over). Results: 0 done; 1 failed (the message has been shown); 2 (updates only) the
// record was changed by another station: rec now holds that station's values, the table watches
// the record again, so a second update writes over them.

#include "global/Records.h"
#include "global/Services.h"
#include "global/Table.h"

namespace global {

namespace ri {
inline constexpr int Done = 0;
inline constexpr int Failed = 1;
inline constexpr int ChangedByOtherStation = 2;
} // namespace ri

// showChangedNotice set: "Record Was Not Updated" with the hint to recall own changes;
// not set: the update-error message "This record was changed by another station.".
int riDeleteSetupPar(Table<SetupParRecord>& table, const SetupParRecord& rec, Dialogs& dialogs);
int riDeleteInterfaceMap(Table<InterfaceMapRecord>& table, const InterfaceMapRecord& rec, Dialogs& dialogs);
int riUpdateSetupPar(Table<SetupParRecord>& table, SetupParRecord& rec, bool showChangedNotice, Dialogs& dialogs);
int riUpdateInterfaceMap(Table<InterfaceMapRecord>& table, InterfaceMapRecord& rec, bool showChangedNotice,
                         Dialogs& dialogs);
int riUpdateStockTransItems(Table<StockTransItemRecord>& table, StockTransItemRecord& rec, bool showChangedNotice,
                            Dialogs& dialogs);

} // namespace global
