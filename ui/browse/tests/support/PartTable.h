#pragma once
// A small table of the tests of the browse and the record form, unknown to the program: parts
// with an identifier, a status, a name compared without case and a length. The tests create it in
// a database of their own, fill it with SQL and show it through the generic pieces.

#include "global/Database.h"
#include "global/Table.h"
#include "global/TableSql.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QString>

struct PartRecord {
    uint32_t id = 0;
    uint16_t status = 0;   // 0 open, 1 closed
    QString name;          // text(40), unique without case
    uint32_t length = 0;
};

namespace global {

template <>
struct TableDef<PartRecord> {
    enum Key { Auto, ByName, ByStatusName };
    static const char* name() { return "TEST_PARTS"; }
    static const QList<FieldBinding<PartRecord>>& fields()
    {
        static const QList<FieldBinding<PartRecord>> f{{"ID", &PartRecord::id},
                                                       {"STATUS", &PartRecord::status},
                                                       {"NAME", &PartRecord::name, 40},
                                                       {"LENGTH", &PartRecord::length}};
        return f;
    }
    static const QList<KeyDef>& keys()
    {
        static const QList<KeyDef> k{
            {QStringLiteral("Auto"), {{QStringLiteral("ID"), false, false}}, true},
            {QStringLiteral("By_Name"), {{QStringLiteral("NAME"), false, true}}, true},
            {QStringLiteral("By_Status_Name"),
             {{QStringLiteral("STATUS"), false, false}, {QStringLiteral("NAME"), false, true}},
             false}};
        return k;
    }
    static const TableSchema& schema()
    {
        static const TableSchema s = [] {
            QList<ColumnDef> columns;
            for (const auto& f : fields())
                columns.append({QString::fromLatin1(f.column), detail::columnTypeOfIndex(f.member.index()), f.width,
                                -1, false});
            return detail::buildSchema(QStringLiteral("TEST_PARTS"), columns, keys(), QStringLiteral("ID"), Auto);
        }();
        return s;
    }
};

} // namespace global

using PartTable = global::Table<PartRecord>;

namespace parts {

inline bool exec(global::Database& db, const QString& sql)
{
    QSqlQuery q(db.connection());
    if (!q.exec(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return false;
    }
    return true;
}

// Creates the table with its keys in an opened database.
inline bool create(global::Database& db)
{
    // Names quoted: a PostgreSQL server would fold them to lower case otherwise.
    return exec(db, QStringLiteral("CREATE TABLE \"TEST_PARTS\" (\"ID\" INTEGER PRIMARY KEY, \"STATUS\" INTEGER NOT NULL DEFAULT 0, "
                                   "\"NAME\" TEXT NOT NULL DEFAULT '', \"LENGTH\" INTEGER NOT NULL DEFAULT 0, "
                                   "\"NAME_UPPER\" TEXT NOT NULL DEFAULT '')"))
        && exec(db, QStringLiteral("CREATE UNIQUE INDEX \"TEST_PARTS_By_Name\" ON \"TEST_PARTS\" (\"NAME_UPPER\")"))
        && exec(db, QStringLiteral("CREATE INDEX \"TEST_PARTS_By_Status_Name\" ON \"TEST_PARTS\" (\"STATUS\", \"NAME_UPPER\", \"ID\")"));
}

// The name of part n: "Part-000042" (ordered as the numbers).
inline QString nameOf(int n)
{
    return QStringLiteral("Part-%1").arg(n, 6, 10, QLatin1Char('0'));
}

// Parts 1 … count, named nameOf(n), status n % 2 (odd ones closed), length n.
inline bool fill(global::Database& db, int count)
{
    if (db.begin() != 0)
        return false;
    QSqlQuery q(db.connection());
    q.prepare(QStringLiteral("INSERT INTO \"TEST_PARTS\" (\"ID\", \"STATUS\", \"NAME\", \"LENGTH\", \"NAME_UPPER\") "
                             "VALUES (?, ?, ?, ?, ?)"));
    for (int n = 1; n <= count; ++n) {
        const QString name = nameOf(n);
        q.addBindValue(n);
        q.addBindValue(n % 2);
        q.addBindValue(name);
        q.addBindValue(n);
        q.addBindValue(name.toUpper());
        if (!q.exec()) {
            db.rollback();
            return false;
        }
    }
    return db.commit() == 0;
}

inline PartRecord part(uint32_t id, const QString& name, uint16_t status = 0, uint32_t length = 1000)
{
    PartRecord p;
    p.id = id;
    p.status = status;
    p.name = name;
    p.length = length;
    return p;
}

} // namespace parts
