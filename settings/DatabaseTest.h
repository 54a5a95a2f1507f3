#pragma once
// "Test bazy danych": the check and repair of the database file.
//
// First a consistent copy of the whole file goes into a new folder DB/Backup/<yyyymmdd><hhmmss>/.
// Then the storage checks the file (PRAGMA integrity_check), the keys are built again (REINDEX)
// and the upper-case shadow columns of the "no case" keys are recomputed from their fields. Then
// every piece is walked: an order, profile or position a piece refers to but that is missing is
// recreated (an order named "Odzysk " and the time of day in hundredths of a second, status new;
// a profile coded the same way, remnant length 1000; a position of the piece's order and profile),
// and an order with an empty number gets such a name. A record is recreated under the identifier
// the piece names; when that identifier is 0 or belongs to another record, it gets a new one and
// the piece is pointed at it. The key rebuild and the repair are stored in one transaction.
// What is found but not repaired (stock counts that the stock log does not explain, bars of
// cutting orders that are gone) is reported.

#include "global/Database.h"
#include "global/Services.h"

#include <QString>
#include <QStringList>

namespace settings {

struct DatabaseTestReport {
    QString backupFile;           // the copy taken before anything was changed
    QStringList integrity;        // what the storage's own check found (empty: nothing)
    int shadowValues = 0;         // upper-case key values recomputed
    uint32_t orders = 0;          // recreated orders
    uint32_t profiles = 0;        // recreated profiles
    uint32_t positions = 0;       // recreated order positions
    uint32_t renamedOrders = 0;   // orders with an empty number that got one
    uint32_t repointedPieces = 0; // pieces pointed at a record under another identifier
    QStringList unrepaired;       // found, reported, left as it is

    bool recreatedAny() const { return orders + profiles + positions > 0; }
    bool foundAny() const
    {
        return recreatedAny() || renamedOrders + repointedPieces > 0 || shadowValues > 0 || !integrity.isEmpty()
               || !unrepaired.isEmpty();
    }
    // "Odtworzone rekordy:||Zamówienia = n|Profile = n|Zamówienia-Profile = n" with what else was
    // repaired or found, or "Błędów nie znaleziono".
    QString message() const;
};

class DatabaseTest {
public:
    enum class Outcome { Done, Cancelled, Failed };

    DatabaseTest(global::Database& db, const global::Services& services);

    // Runs the whole test. Failed: nothing was changed after the copy, errorText() says why;
    // Cancelled: the operator pressed Cancel, nothing was changed after the copy.
    Outcome run(DatabaseTestReport& report);
    QString errorText() const { return error_; }

    // "DB/Backup/20260105080000": the folder of the copy taken by a test started at `now`,
    // relative to the data directory.
    static QString backupFolderName(const QDateTime& now);

private:
    int fail(int code, const QString& text);
    int backUp(DatabaseTestReport& report);
    int checkIntegrity(DatabaseTestReport& report);
    int rebuildKeys(DatabaseTestReport& report);
    int repairPieces(DatabaseTestReport& report, bool& cancelled);
    int findUnrepaired(DatabaseTestReport& report);
    QString recoveryName() const;

    global::Database& db_;
    const global::Services& services_;
    QString error_;
};

} // namespace settings
