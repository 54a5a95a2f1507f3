#pragma once
// The stored layout of the fifteen tables: the SQL that creates them, and the check of a database
// file against the layout this version reads and writes.
//
// The check reads the database's own description of itself for all tables at once (the file's
// table list with PRAGMA table_info and PRAGMA index_list / index_xinfo, the server's catalogue),
// a few reads whatever the number of tables, so that opening a server database costs few round
// trips; it never selects a column by name, because SQLite reads an unknown double-quoted name as a
// text constant. It answers per table what is missing, so that a refusal can name it and a
// conversion can add exactly that.

#include "global/TableSchema.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QtSql/QSqlDatabase>

namespace global {

// One index as the layout declares it: its name, its columns in order ("PROFILE_ID",
// "LENGHT DESC", ...), whether it is unique, and the condition of a key that binds only some
// records ("\"EXTERNAL_NAME\" <> ''"; empty for a key over every record).
struct IndexLayout {
    QString name;
    QStringList columns;
    bool unique = false;
    QString where;
};

// What one table of a file lacks against the layout. A table that is complete has no gap.
struct TableLayoutGap {
    QString table;
    bool tableMissing = false;     // the whole table is absent (its columns and keys are not listed)
    QStringList missingColumns;    // in the layout's order
    QStringList missingKeys;       // index names absent from the file
    QStringList differentKeys;     // present under the name, but over other columns or of other uniqueness

    bool isEmpty() const
    {
        return !tableMissing && missingColumns.isEmpty() && missingKeys.isEmpty() && differentKeys.isEmpty();
    }
};

// The layout's SQL for one table: the CREATE TABLE statement and one CREATE INDEX per key, for the
// SQLite file or (onServer) for PostgreSQL, where integers are 64 bits wide, reals double
// precision and texts compare by code point as SQLite compares them (collation "C").
QString createTableSql(const TableSchema& schema, bool onServer = false);
QList<IndexLayout> indexLayouts(const TableSchema& schema);
QString createIndexSql(const TableSchema& schema, const IndexLayout& index);
// ALTER TABLE ... ADD COLUMN for one column of the layout (with its type and default value).
QString addColumnSql(const TableSchema& schema, const ColumnDef& column, bool onServer = false);

// The layout version of a database: the file's user_version, or on PostgreSQL the one row of the
// table LAYOUT_VERSION (0 when there is none). empty tells that the database holds no table at all.
// False with error when the database cannot be read.
bool readLayoutVersion(QSqlDatabase& db, int& version, bool& empty, QString& error);
// The statements that record the layout version.
QStringList writeLayoutVersionSql(QSqlDatabase& db, int version);
// The name of PostgreSQL's table of the layout version.
inline QString layoutVersionTable() { return QStringLiteral("LAYOUT_VERSION"); }

// The names of the file's tables, and of one table's columns (none when the table is missing), in
// upper case. False with error when the file cannot be read.
bool readTableNames(QSqlDatabase& db, QSet<QString>& names, QString& error);
bool readColumnNames(QSqlDatabase& db, const QString& table, QSet<QString>& names, QString& error);

// Compares the file behind db with the layout of every table (names compared without case, as
// SQLite does). Returns true and fills gaps with one entry per incomplete table (in the order the
// tables are created; empty when the file is complete), or false with error naming what could not
// be read.
bool findLayoutGaps(QSqlDatabase& db, QList<TableLayoutGap>& gaps, QString& error);

// The gaps in words, one phrase per kind, e.g. "brak tabel: CUTS, ORDERS; w tabeli
// STOCK_TRANS_ITEMS brak pól: HEAT_NUMBER".
QString describeLayoutGaps(const QList<TableLayoutGap>& gaps);

} // namespace global
