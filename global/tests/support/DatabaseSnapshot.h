#pragma once
// Every record of every table as text, to tell whether a procedure that failed left the database
// exactly as it found it:
//
//     const std::string before = testing_support::databaseSnapshot(db);
//     ... a save that fails ...
//     EXPECT_EQ(testing_support::databaseSnapshot(db), before);

#include "global/Database.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"

#include <QStringList>
#include <string>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>

namespace testing_support {

inline std::string databaseSnapshot(global::Database& db)
{
    QString text;
    // Columns in the layout's order and records in the order of their row identifiers, so that the
    // text of a database on the file and of one on a server compare equal when they hold the same.
    for (const global::TableSchema* schema : global::allTableSchemas()) {
        const QString table = schema->name;
        QStringList columns;
        for (const global::ColumnDef& c : schema->columns)
            columns << global::quoted(c.name);
        QSqlQuery q(db.connection());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(columns.join(QStringLiteral(", ")), global::quoted(table), global::quoted(schema->rowIdColumn))))
            return QStringLiteral("cannot read %1").arg(table).toStdString();
        text += QStringLiteral("[%1]\n").arg(table);
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            text += values.join(QLatin1Char('|')) + QLatin1Char('\n');
        }
    }
    return text.toStdString();
}

} // namespace testing_support
