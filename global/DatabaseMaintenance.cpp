#include "DatabaseMaintenance.h"

#include "Database.h"
#include "ErrorCodes.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace global {

namespace {

MaintenanceResult failure(int code, const QString& text, const QString& table = {})
{
    return MaintenanceResult{code, text, table};
}

} // namespace

MaintenanceResult copyDatabase(Database& db, const QString& targetFile)
{
    if (QFileInfo::exists(targetFile))
        return failure(err::DuplicateKey, QStringLiteral("%1 already exists").arg(targetFile));
    if (!db.isOpen()) {
        if (const int code = db.open(); code != 0)
            return failure(code, db.openErrorText());
    }
    QSqlDatabase connection = db.connection();
    QSqlQuery query(connection);
    // VACUUM INTO reads the database in one read transaction and writes a compact copy.
    if (!query.prepare(QStringLiteral("VACUUM INTO ?"))) {
        return failure(err::StorageError, query.lastError().text());
    }
    query.addBindValue(targetFile);
    if (!query.exec())
        return failure(err::StorageError, query.lastError().text());
    if (!QFileInfo(targetFile).isFile())
        return failure(err::FileNotFound, QStringLiteral("%1 was not written").arg(targetFile));
    return {};
}

MaintenanceResult emptyTables(Database& db, const QStringList& tables, int waitMs)
{
    if (!db.isOpen()) {
        if (const int code = db.open(); code != 0)
            return failure(code, db.openErrorText(), tables.value(0));
    }
    Transaction transaction(db, waitMs);
    if (!transaction.ok())
        return failure(transaction.result(), db.lastErrorText(), tables.value(0));
    QSqlQuery query(db.connection());
    for (const QString& table : tables) {
        if (!query.exec(QStringLiteral("DELETE FROM %1").arg(table))) {
            const QString text = query.lastError().text();
            transaction.rollback();
            return failure(err::StorageError, text, table);
        }
    }
    if (const int code = transaction.commit(); code != 0)
        return failure(code, db.lastErrorText(), tables.value(tables.size() - 1));
    return {};
}

} // namespace global
