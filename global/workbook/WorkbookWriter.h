#pragma once
// Writing workbooks as .xlsx files.
//
// The workbook goes first into a temporary file beside the target, which replaces the target only
// once it is complete; a file already there is kept beside it as "<name>.bak". On any failure the
// target is left as it was and the temporary file is removed. Written are the cells (texts,
// numbers, booleans, dates with a date format, formulas with their cached results), the column
// widths, the sheet order and the active sheet.

#include "global/workbook/Workbook.h"

#include <QString>

namespace global {

// Empty when the workbook was written; otherwise what went wrong, for the operator.
QString writeWorkbook(const Workbook& book, const QString& path);

// The name the previous contents of a replaced workbook are kept under.
QString workbookBackupName(const QString& path);

} // namespace global
