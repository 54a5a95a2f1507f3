#pragma once
// Tables pasted as text (copied from a spreadsheet): one row per line, fields separated by tabs.
//
//   const PastedTable table = readPastedTable(clipboardText);
//   for (const PastedRow& row : table.rows)
//       row.field(0) ... row.count(3) ...
//
// Reading rules, the same for every import:
// - carriage return, line feed and carriage return + line feed each end a line; the whole text is
//   read, and the last line counts without a line end;
// - control characters (other than the tab that separates the fields) are dropped, C1 controls
//   (127 to 159) too;
// - a line with fewer fields leaves the missing fields blank; a line whose fields are all blank is
//   no row at all;
// - numbers are read as typed numbers are (deform(): "1 234,5", "1.234,5") and rounded half away
//   from zero; a count or length is usable only between 1 and 2,147,483,647.

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace global {

inline constexpr int64_t PastedNumberMax = 2147483647;

struct PastedRow {
    int line = 0;          // 1 for the first line of the text
    QStringList fields;    // as pasted, without surrounding spaces

    // The field at index (blank when the line is shorter).
    QString field(int index) const { return fields.value(index); }
    // The field read as a whole number of at least 1 and at most PastedNumberMax; none when it does
    // not come out so (no number, 0, negative, too big).
    std::optional<uint32_t> count(int index) const;
};

struct PastedTable {
    QList<PastedRow> rows;
};

PastedTable readPastedTable(const QString& text);

// The field read as a number and rounded half away from zero (0 for a text without a number).
double pastedNumber(const QString& field);

} // namespace global
