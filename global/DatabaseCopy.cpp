#include "global/DatabaseCopy.h"

#include "global/DatabaseLayout.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

namespace global {

namespace {

constexpr int CopyLockWaitMs = 10000;

int countRecords(QSqlDatabase db, const QString& table, qint64& records, QString& error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table))) || !q.next()) {
        error = QStringLiteral("liczenie rekordów tabeli %1: %2").arg(table, q.lastError().text());
        return errorCodeOf(q.lastError());
    }
    records = q.value(0).toLongLong();
    return 0;
}

// One table, in the order of its row identifiers. Returns 0 or an error number.
// Columns the source lacks (a database waiting for its conversion) keep their defaults in the
// target, and a table it lacks stays empty.
int copyTable(QSqlDatabase from, QSqlDatabase to, const TableSchema& s, QString& error)
{
    QSet<QString> present;
    if (!readColumnNames(from, s.name, present, error))
        return err::StorageError;
    if (present.isEmpty())
        return 0;
    QStringList columns;
    for (const ColumnDef& c : s.columns)
        if (present.contains(c.name.toUpper()))
            columns << quoted(c.name);
    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                       .arg(columns.join(QStringLiteral(", ")), quoted(s.name), quoted(s.rowIdColumn)))) {
        error = QStringLiteral("odczyt tabeli %1: %2").arg(s.name, read.lastError().text());
        return errorCodeOf(read.lastError());
    }
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery write(to);
    write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(s.name), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    qint64 copied = 0;
    while (read.next()) {
        for (int i = 0; i < columns.size(); ++i)
            write.bindValue(i, read.value(i));
        if (!write.exec()) {
            error = QStringLiteral("zapis do tabeli %1: %2").arg(s.name, write.lastError().text());
            const int code = errorCodeOf(write.lastError());
            // The server refuses every further statement of a failed transaction, also the
            // release of this prepared statement: back to before the copy first.
            if (onServer(to))
                QSqlQuery(to).exec(QStringLiteral("ROLLBACK TO SAVEPOINT table_copy"));
            return code;
        }
        ++copied;
    }
    if (read.lastError().isValid()) {
        error = QStringLiteral("odczyt tabeli %1: %2").arg(s.name, read.lastError().text());
        return errorCodeOf(read.lastError());
    }
    qint64 written = 0;
    if (const int code = countRecords(to, s.name, written, error); code != 0)
        return code;
    if (written != copied) {
        error = QStringLiteral("tabela %1: odczytano %2 rekordów, w kopii jest %3").arg(s.name).arg(copied).arg(written);
        return err::StorageError;
    }
    return 0;
}

// The source's read transaction: one snapshot of every table.
bool beginReading(QSqlDatabase db, QString& error)
{
    QSqlQuery q(db);
    const QString sql = onServer(db) ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                                     : QStringLiteral("BEGIN DEFERRED");
    if (q.exec(sql))
        return true;
    error = QStringLiteral("początek odczytu: %1").arg(q.lastError().text());
    return false;
}

void endReading(QSqlDatabase db)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("ROLLBACK"));
}

} // namespace

int copyAllTables(Database& source, Database& target, QString& error)
{
    QSqlDatabase from = source.connection();
    QSqlDatabase to = target.connection();
    Transaction tx(target, CopyLockWaitMs);
    if (!tx.ok()) {
        error = target.lastErrorText();
        return tx.result();
    }
    if (onServer(to) && !QSqlQuery(to).exec(QStringLiteral("SAVEPOINT table_copy"))) {
        error = to.lastError().text();
        return err::StorageError;
    }
    if (!beginReading(from, error))
        return err::StorageError;
    for (const TableSchema* s : allTableSchemas()) {
        if (const int code = copyTable(from, to, *s, error); code != 0) {
            endReading(from);
            return code;
        }
    }
    endReading(from);
    if (const int code = tx.commit(); code != 0) {
        error = target.lastErrorText();
        return code;
    }
    return 0;
}

int countAllRecords(Database& db, qint64& records, QString& error)
{
    records = 0;
    for (const TableSchema* s : allTableSchemas()) {
        qint64 n = 0;
        if (const int code = countRecords(db.connection(), s->name, n, error); code != 0)
            return code;
        records += n;
    }
    return 0;
}

} // namespace global
