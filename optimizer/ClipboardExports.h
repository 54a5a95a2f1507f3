#pragma once
// The two clipboard texts of the optimizer: every result row of every solution, and the cutting
// plan of the selected solution for a spreadsheet. Numbers are right-aligned in 13 characters with
// their digits grouped in threes; fields are separated by a tab and every line ends with a
// carriage return alone. The texts hold every row, however many there are.

#include "optimizer/WorkTables.h"

#include <QString>

namespace kadrel {

struct ClipboardTexts {
    static const QString ResultsCopied;        // message after the results export
    static const QString SpecificationCopied;  // message after the cutting-plan export
    static const QString SpecificationTitle;
    static const QStringList SpecificationHeader;
};

// 12000 -> "       12 000".
QString formatExportNumber(uint64_t value);

// ?EXPRES: one line per result row: combination, bar number, bar length, cut, cut id.
QString resultsExportText(const ResultTable& results);

// ?EXCELEXPORT (EXPORTSELECTEDCUTS): title, header, then per bar in bar-number order the bar
// number plus 1, bar length, leftover and the piece lengths, every value followed by a tab.
QString selectedCutsExportText(const ResultTable& results, uint32_t combNo);

} // namespace kadrel
