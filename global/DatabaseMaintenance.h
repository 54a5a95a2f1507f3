#pragma once
// Whole-database maintenance for the frame's "delete the whole database" action: a consistent
// copy of the database file and the emptying of a set of tables in one transaction.

#include <QString>
#include <QStringList>

namespace global {

class Database;

struct MaintenanceResult {
    int code = 0;          // 0 or an error number of ErrorCodes.h
    QString text;          // what failed, for the message
    QString table;         // the table that failed (emptyTables)
    bool ok() const { return code == 0; }
};

// Writes a consistent copy of the whole database (every table, as one snapshot, also while other
// stations work) into targetFile, which must not exist yet. The copy is a complete database that
// can replace DB/barmond.db as it is.
MaintenanceResult copyDatabase(Database& db, const QString& targetFile);

// Deletes every record of the named tables in one transaction, waiting up to waitMs for another
// station's lock. On any failure nothing is deleted.
MaintenanceResult emptyTables(Database& db, const QStringList& tables, int waitMs);

} // namespace global
