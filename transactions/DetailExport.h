#pragma once
// EXCEL_DETAIL_EXPORT: cutting orders into a workbook, for the workshop's own evaluations. One row
// per cutting order on the sheet "CutingOrders", one per bar on "Profiles", one per piece on "Cuts";
// exports accumulate in the same workbook. A cutting order that is already in the workbook (its
// number in column B and its operator in column R) is offered to skip or add again.
//
// The rows are put together first and the workbook is written once: a failure, a refusal or
// "Przerwij" leaves the file as it was. An existing workbook is read whole and written back with the
// new rows after the last used row of each sheet (the previous file is kept as "<name>.bak"); a
// workbook that cannot be read completely, or that holds what writing it back would lose (charts,
// macros, ...), is refused and left unchanged.
//
// The cutting-order browse calls excelDetailExport() with its tagged cutting orders; when it answers
// done, the browse clears the tags.

#include "global/Services.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace global {
class Database;
}

namespace transactions {

// The per-user value that remembers the last workbook exported into.
inline const QString ExportFileValueName = QStringLiteral("ExcelExportFile1");

struct DetailExportResult {
    bool done = false;               // the workbook was written
    QString file;                    // the workbook chosen
    QList<uint32_t> cuttingOrders;   // written to the workbook, ascending
    int bars = 0;
    int pieces = 0;
};

// The whole export as the browse's button starts it: asks for the workbook (starting from the one
// remembered), remembers the choice, and exports the tagged cutting orders into it.
DetailExportResult excelDetailExport(global::Database& db, global::Services& services,
                                     const QList<uint32_t>& taggedCuttingOrders);

// The export into the given workbook (.xlsx), which is created when it does not exist.
DetailExportResult exportCuttingOrderDetails(global::Database& db, global::Services& services,
                                             const QList<uint32_t>& cuttingOrders, const QString& file);

} // namespace transactions
