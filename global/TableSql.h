#pragma once
// Helpers shared by the database and the table layer (not for procedures).

#include <QString>
#include <QtSql/QSqlError>

namespace global {

// A table or column name quoted for SQL ("ORDER" is a keyword).
inline QString quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// The table layer's error number for a storage failure.
int errorCodeOf(const QSqlError& error);

} // namespace global
