#pragma once
// Statements and reads on a test's database beside the table layer, through a connection of its
// own, alike on the SQLite file and on a database of the test server: to damage a database the way
// another tool or an older program would, and to see everything it holds. A statement that fails
// throws (std::runtime_error naming it), which fails the test in GoogleTest and in Qt Test alike.
//
//     testing_support::RawDatabase raw(dir.path());          // the data directory's database
//     raw.exec({"ALTER TABLE \"CUTS\" DROP COLUMN \"PCS\""});   // quoted names work on both engines
//     const QStringList before = raw.everything();

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseLayout.h"
#include "global/DatabaseLocation.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringList>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <stdexcept>

namespace testing_support {

inline void failed(const QString& what, const QSqlQuery& q)
{
    throw std::runtime_error(QStringLiteral("%1: %2").arg(what, q.lastError().text()).toStdString());
}

class RawDatabase {
public:
    // The database a data directory chooses (the file, or the server database of its Barmond.ini).
    explicit RawDatabase(const QString& dataDir) : db_(global::Database::atFile(global::chosenDatabaseAddress(dataDir))) {}
    // The database at an address: a file's path or a server address.
    static RawDatabase at(const QString& address) { return RawDatabase(global::Database::atFile(address)); }

    bool onServer() { return global::onServer(connection()); }
    QSqlDatabase connection() { return db_.connection(); }

    void exec(const QStringList& statements)
    {
        QSqlDatabase db = connection();
        QSqlQuery q(db);
        for (const QString& s : statements)
            if (!q.exec(s))
                failed(s, q);
    }

    // Every row, its values joined by "|" (NULL for a null value).
    QStringList rows(const QString& select)
    {
        QStringList out;
        QSqlDatabase db = connection();
        QSqlQuery q(db);
        if (!q.exec(select))
            failed(select, q);
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < q.record().count(); ++i)
                fields << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            out << fields.join(QLatin1Char('|'));
        }
        return out;
    }
    int value(const QString& select) { return rows(select).value(0).toInt(); }

    // The layout version: the file's user_version, the server's table of it.
    int layoutVersion()
    {
        QSqlDatabase db = connection();
        int version = 0;
        bool empty = true;
        QString error;
        if (!global::readLayoutVersion(db, version, empty, error))
            throw std::runtime_error(error.toStdString());
        return version;
    }
    void setLayoutVersion(int version)
    {
        QSqlDatabase db = connection();
        exec(global::writeLayoutVersionSql(db, version));
    }

    // Everything the database holds: its layout version, every table, column and index as made,
    // and every row of every table.
    QStringList everything()
    {
        QStringList all{QStringLiteral("version %1").arg(layoutVersion())};
        if (!onServer()) {
            all << rows(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"));
            for (const QString& table :
                 rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
                all << table + QStringLiteral(":") << rows(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
            return all;
        }
        all << rows(QStringLiteral("SELECT table_name, column_name, data_type, collation_name, is_nullable, "
                                   "column_default FROM information_schema.columns WHERE table_schema = current_schema() "
                                   "ORDER BY table_name, ordinal_position"));
        all << rows(QStringLiteral("SELECT tablename, indexname, indexdef FROM pg_indexes "
                                   "WHERE schemaname = current_schema() ORDER BY tablename, indexname"));
        const QStringList tables = rows(QStringLiteral("SELECT table_name, count(*) FROM information_schema.columns "
                                                       "WHERE table_schema = current_schema() GROUP BY table_name "
                                                       "ORDER BY table_name"));
        for (const QString& line : tables) {
            const QString table = line.section(QLatin1Char('|'), 0, 0);
            QStringList order;
            for (int i = 1; i <= line.section(QLatin1Char('|'), 1, 1).toInt(); ++i)
                order << QString::number(i);
            all << table + QStringLiteral(":")
                << rows(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(global::quoted(table), order.join(QLatin1Char(','))));
        }
        return all;
    }

    // What tells whether anything was written: the file's bytes (read once its connections are
    // closed), or everything a server database holds.
    static QByteArray fingerprint(const QString& dataDir)
    {
        const QString address = global::chosenDatabaseAddress(dataDir);
        if (!global::isServerAddress(address)) {
            QFile f(address);
            f.open(QIODevice::ReadOnly);
            return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        }
        RawDatabase raw(dataDir);
        return raw.everything().join(QLatin1Char('\n')).toUtf8();
    }

private:
    explicit RawDatabase(global::Database db) : db_(std::move(db)) {}
    global::Database db_;
};

// Makes the table refuse a write ("INSERT", "UPDATE" or "DELETE") of a record for which the
// condition holds (written over NEW."COLUMN" or OLD."COLUMN"; "" for every record), with the
// message, as a failing disk or another tool's constraint would: a trigger named `name` on either
// engine.
inline void refuseWrites(QSqlDatabase db, const QString& name, const QString& table, const QString& event,
                         const QString& condition = {}, const QString& message = QStringLiteral("refused"))
{
    QStringList statements;
    if (global::onServer(db)) {
        statements << QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS "
                                     "$$ BEGIN RAISE EXCEPTION '%2'; END $$")
                          .arg(name, message)
                   << QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW %4 EXECUTE FUNCTION %1()")
                          .arg(name, event, global::quoted(table),
                               condition.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(condition));
    } else {
        statements << QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 %4 BEGIN SELECT RAISE(ABORT, '%5'); END")
                          .arg(name, event, global::quoted(table),
                               condition.isEmpty() ? QString() : QStringLiteral("WHEN %1").arg(condition), message);
    }
    QSqlQuery q(db);
    for (const QString& sql : std::as_const(statements))
        if (!q.exec(sql))
            failed(sql, q);
}

// Takes the refusal of refuseWrites() away again.
inline void stopRefusing(QSqlDatabase db, const QString& name, const QString& table)
{
    QSqlQuery q(db);
    const QString sql = global::onServer(db) ? QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, global::quoted(table))
                                             : QStringLiteral("DROP TRIGGER %1").arg(name);
    if (!q.exec(sql))
        failed(sql, q);
}

} // namespace testing_support
