#pragma once
// IMPORTDB_CUTS: a cut list read from a spreadsheet becomes orders, profiles, positions and pieces.
//
// Which column holds which value, and how each value is computed, comes from the "CUTS" entries
// of the import field map: an entry's external name is a column header (letter case ignored), its
// formula computes the field (a blank formula stands for the column's own value). The entry PROFIL
// names the header that marks the header row, which must lie in the first twenty rows; the row
// below the header row is never read. A row without a profile is a group row: its non-blank values
// are kept as BREAK:ORDER, BREAK:CODE, ... for the rows that follow. Reading stops after six
// consecutive rows without a profile.
//
// Every row is planned first (the Add/Omit/Break question for an order that is already in the
// database is asked then, for every row of it), and the plan is written in one transaction, all or
// nothing. "Break" writes the rows accepted before it. A row with a blank order number or profile
// code, or a length or count outside 1 ... 2,147,483,647, is refused and named; so is a row of a
// closed order. The import ends with one message, its summary.
//
//   CutImportSummary s = importCuts(db, services, CellGrid::fromRows({{"Zlecenie", "Profil", ...}, ...}));

#include "global/Database.h"
#include "global/Services.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace global { struct WorkbookReading; }

namespace orders {

// The cells the import reads: the text of a cell by 1-based row and column (empty beyond the
// sheet), and the last row that holds anything.
class CellGrid {
public:
    using CellText = std::function<QString(int row, int column)>;
    CellGrid(CellText cellText, int lastRow) : cellText_(std::move(cellText)), lastRow_(lastRow) {}
    // A grid of the given rows (the first is row 1), each a list of cell texts from column 1.
    static CellGrid fromRows(QList<QStringList> rows);

    QString cell(int row, int column) const { return cellText_(row, column); }
    int lastRow() const { return lastRow_; }

private:
    CellText cellText_;
    int lastRow_ = 0;
};

// The answers to the question about an order that is already in the database.
enum class ExistingOrderAnswer { Add = 0, Omit = 1, Break = 2 };

struct CutImportSummary {
    bool written = false;       // the transaction was committed
    int orders = 0;             // new orders
    int profiles = 0;           // new profiles
    int weights = 0;            // profiles of the catalogue whose weight changed
    int positions = 0;          // new positions
    int cuts = 0;               // new piece records
    int omitted = 0;            // rows answered Omit
    int brokenAtRow = 0;        // the row answered Break, 0 when none
    QStringList refused;        // "Wiersz 7: ..." for every row refused or skipped
    int lastRowRead = 0;        // the row after which reading stopped
    QString message;            // what was shown at the end
};

// Reads the grid with the field map and writes what it describes. Every outcome (the summary, a
// map or header problem, a formula that fails, a failed write) is shown as one message. A question
// answered with anything but Add, Omit or Break (a closed question box, a command line without an
// answer) ends the import with nothing written.
CutImportSummary importCuts(global::Database& db, const global::Services& services, const CellGrid& grid);

// The same over the active sheet (else the first) of a workbook read from a file (.xlsx, .xlsm,
// .ods); a workbook that could not be read, or one without a sheet, is refused with a message and
// nothing is written.
CutImportSummary importCutsFromWorkbook(global::Database& db, const global::Services& services,
                                        const global::WorkbookReading& reading);
CutImportSummary importCutsFromFile(global::Database& db, const global::Services& services, const QString& path);

// Asks for the workbook, starting from the one used last (the user value "LastInterfaceFile"), and
// keeps the choice there; empty when the operator cancelled.
QString chooseCutWorkbook(const global::Services& services);

// The name of the user value that keeps the last workbook imported.
inline const char* const LastInterfaceFileValue = "LastInterfaceFile";

} // namespace orders
