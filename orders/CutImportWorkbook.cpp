#include "orders/CutImport.h"

#include "global/workbook/WorkbookReader.h"

namespace orders {

CutImportSummary importCutsFromWorkbook(global::Database& db, const global::Services& services,
                                        const global::WorkbookReading& reading)
{
    CutImportSummary refused;
    if (!reading.workbook) {
        refused.message = reading.refusal + QStringLiteral("|") + QStringLiteral("Nic nie zostało zapisane.");
        services.dialogs.message(refused.message);
        return refused;
    }
    const global::WorkbookSheet* sheet = reading.workbook->activeSheet();
    if (!sheet) {
        refused.message = QStringLiteral("Skoroszyt nie ma żadnego arkusza.|Nic nie zostało zapisane.");
        services.dialogs.message(refused.message);
        return refused;
    }
    const CellGrid grid([sheet](int row, int column) { return sheet->cellText(row, column); }, sheet->lastUsedRow());
    return importCuts(db, services, grid);
}

CutImportSummary importCutsFromFile(global::Database& db, const global::Services& services, const QString& path)
{
    return importCutsFromWorkbook(db, services, global::readWorkbook(path));
}

} // namespace orders
