#pragma once
// Reading workbooks: .xlsx, .xlsm and .ods. A workbook is read only when every cell can be read as
// it is; one that holds cells this reader would take for empty (strings kept inside the sheet
// instead of the shared table, parts named by absolute paths) is refused with a message for the
// operator. An .xls file is refused with the advice to save it as .xlsx.
//
//   const WorkbookReading reading = readWorkbook(path);
//   if (!reading.workbook) { dialogs.message(reading.refusal); return; }
//   const WorkbookSheet* sheet = reading.workbook->activeSheet();
//
// Besides cells, formulas, cached formula results, column widths, sheet order and the active sheet,
// a workbook may hold things a workbook written back from memory would lose (charts, pivot tables,
// macros, pictures, comments, ...); they are named in notCarried.

#include "global/workbook/Workbook.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace global {

struct WorkbookReading {
    std::optional<Workbook> workbook;  // none when the file could not be read completely
    QString refusal;                   // why not, for the operator
    QStringList notCarried;            // what writing the workbook back would lose, for the operator
    // True when the workbook was read and writing it back would lose nothing.
    bool rewritable() const { return workbook.has_value() && notCarried.isEmpty(); }
};

WorkbookReading readWorkbook(const QString& path);

// True for the file names readWorkbook() reads (.xlsx, .xlsm, .ods, in any case).
bool isReadableWorkbookName(const QString& path);

} // namespace global
