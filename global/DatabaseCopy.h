#pragma once
// Copying every table of one database into another, also between the SQLite file and a PostgreSQL
// server: the backups of a server database (written as an SQLite file) and the move of a station's
// file to a server and back.

#include "global/Database.h"

#include <QString>

namespace global {

// Copies every record of every table, row identifiers, shadow columns and all, from source into
// target. The source is read inside one read transaction (one consistent state), the target is
// written inside one transaction, and each table's record count is compared afterwards; on any
// failure nothing is left in the target. Both databases must be open; the target's tables should
// be empty (see countAllRecords). Returns 0, or an error number with error in words.
int copyAllTables(Database& source, Database& target, QString& error);

// The number of records of all tables together. Returns 0, or an error number with error set.
int countAllRecords(Database& db, qint64& records, QString& error);

} // namespace global
