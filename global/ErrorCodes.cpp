#include "global/ErrorCodes.h"

#include "global/TableSql.h"

namespace global {

QString errorDescription(int code)
{
    switch (code) {
    case err::None: return QStringLiteral("No error");
    case err::FileNotFound: return QStringLiteral("File not found");
    case err::AccessDenied: return QStringLiteral("Access denied");
    case err::NotInList: return QStringLiteral("Entry not found");
    case err::FileLocked: return QStringLiteral("File is locked by another station");
    case err::NoMoreRecords: return QStringLiteral("No more records");
    case err::RecordNotFound: return QStringLiteral("Record not found");
    case err::DuplicateKey: return QStringLiteral("Creates duplicate key");
    case err::KeysNeedRebuild: return QStringLiteral("Keys need rebuilding");
    case err::InvalidFile: return QStringLiteral("Invalid file");
    case err::RecordChanged: return QStringLiteral("Record changed by another station");
    default: return QStringLiteral("Storage error");
    }
}

int errorCodeOf(const QSqlError& error)
{
    const QString native = error.nativeErrorCode();
    const QString text = error.text();
    // SQLite: 19/2067/1555 constraint (unique), 5/6 busy/locked; PostgreSQL: 23505 unique, 55P03 lock.
    if (native == QLatin1String("2067") || native == QLatin1String("1555") || native == QLatin1String("23505")
        || text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive))
        return err::DuplicateKey;
    if (native == QLatin1String("5") || native == QLatin1String("6") || native == QLatin1String("517")
        || native == QLatin1String("261") || native == QLatin1String("55P03")
        || text.contains(QLatin1String("database is locked"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("database table is locked"), Qt::CaseInsensitive))
        return err::FileLocked;
    if (native == QLatin1String("26") || text.contains(QLatin1String("not a database"), Qt::CaseInsensitive))
        return err::InvalidFile;
    if (native == QLatin1String("8") || text.contains(QLatin1String("readonly"), Qt::CaseInsensitive))
        return err::AccessDenied;
    return err::StorageError;
}

} // namespace global
