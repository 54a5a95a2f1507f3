#pragma once
// Helpers shared by the database and the table layer (not for procedures).

#include <QString>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>

namespace global {

// A table or column name quoted for SQL ("ORDER" is a keyword).
inline QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// True for a connection to a PostgreSQL server, false for the SQLite file.
inline bool onServer(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL");
}

// The key of the one lock that every writing station takes on a PostgreSQL server for the whole of
// its transaction (a transaction-scoped advisory lock), so that writers follow one another.
inline constexpr qint64 WriterLockKey = 0x4241524D4F4E44;   // "BARMOND"

// The table layer's error number for a storage failure.
int errorCodeOf(const QSqlError& error);

} // namespace global
