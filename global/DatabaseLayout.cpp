#include "global/DatabaseLayout.h"

#include "global/TableSql.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

namespace global {

namespace {

QString columnSqlType(const ColumnDef& c, bool server)
{
    if (server) {
        switch (c.type) {
        case ColumnType::Integer: return QStringLiteral("BIGINT NOT NULL DEFAULT 0");
        case ColumnType::Real: return QStringLiteral("DOUBLE PRECISION NOT NULL DEFAULT 0");
        case ColumnType::Text: return QStringLiteral("TEXT COLLATE \"C\" NOT NULL DEFAULT ''");
        case ColumnType::Date:
        case ColumnType::Time: return QStringLiteral("TEXT COLLATE \"C\"");
        }
        return {};
    }
    switch (c.type) {
    case ColumnType::Integer: return QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    case ColumnType::Real: return QStringLiteral("REAL NOT NULL DEFAULT 0");
    case ColumnType::Text: return QStringLiteral("TEXT NOT NULL DEFAULT ''");
    case ColumnType::Date:
    case ColumnType::Time: return QStringLiteral("TEXT");
    }
    return {};
}

const QString Descending = QStringLiteral(" DESC");

// One stored index as the file describes it.
struct StoredIndex {
    QStringList columns;   // upper case, "NAME" or "NAME DESC"
    bool unique = false;
    QString where;         // the condition of a partial index, comparable form (comparableCondition)
};

// A condition as written in CREATE INDEX, without quotes, blanks and letter case, so that the
// layout's condition and the one SQLite kept compare equal however they were spelt.
QString comparableCondition(QString condition)
{
    // PostgreSQL gives the condition back with casts and parentheses: (("EXTERNAL_NAME")::text <> ''::text)
    condition.remove(QStringLiteral("::text"));
    condition.remove(QLatin1Char('('));
    condition.remove(QLatin1Char(')'));
    condition.remove(QLatin1Char('"'));
    condition.remove(QRegularExpression(QStringLiteral("\\s+")));
    return condition.toUpper();
}

// The condition of a partial index from the CREATE INDEX statement SQLite keeps.
QString conditionOf(const QString& createSql)
{
    static const QRegularExpression where(QStringLiteral("\\)\\s*WHERE\\s+(.*)$"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = where.match(createSql);
    return m.hasMatch() ? comparableCondition(m.captured(1)) : QString();
}

QString readError(const QString& what, const QSqlQuery& q)
{
    return QStringLiteral("%1: %2").arg(what, q.lastError().text());
}

// The key columns of one index; the row identifier (an alias of SQLite's rowid) has no name there.
bool readIndexColumns(QSqlDatabase& db, const QString& index, const QString& rowIdColumn, QStringList& columns,
                      QString& error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT name, \"desc\" FROM pragma_index_xinfo(?) WHERE \"key\" = 1 ORDER BY seqno"));
    q.addBindValue(index);
    if (!q.exec()) {
        error = readError(QStringLiteral("pola indeksu %1").arg(index), q);
        return false;
    }
    while (q.next()) {
        const QString name = q.value(0).isNull() ? rowIdColumn : q.value(0).toString();
        columns << name.toUpper() + (q.value(1).toInt() != 0 ? Descending : QString());
    }
    return true;
}

// PostgreSQL's indexes of one table: name, uniqueness, condition and key columns (with DESC).
bool readServerIndexes(QSqlDatabase& db, const TableSchema& s, QHash<QString, StoredIndex>& indexes, QString& error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "SELECT i.relname, x.indisunique, coalesce(pg_get_expr(x.indpred, x.indrelid), ''), k.n, a.attname, "
        "(x.indoption[k.n - 1] & 1) "
        "FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_class t ON t.oid = x.indrelid "
        "JOIN pg_namespace ns ON ns.oid = t.relnamespace AND ns.nspname = current_schema() "
        "CROSS JOIN LATERAL generate_series(1, x.indnkeyatts) AS k(n) "
        "LEFT JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = x.indkey[k.n - 1] "
        "WHERE t.relname = ? ORDER BY i.relname, k.n"));
    q.addBindValue(s.name);
    if (!q.exec()) {
        error = readError(QStringLiteral("indeksy tabeli %1").arg(s.name), q);
        return false;
    }
    while (q.next()) {
        StoredIndex& stored = indexes[q.value(0).toString().toUpper()];
        stored.unique = q.value(1).toBool();
        stored.where = comparableCondition(q.value(2).toString());
        stored.columns << q.value(4).toString().toUpper() + (q.value(5).toInt() != 0 ? Descending : QString());
    }
    return true;
}

bool readIndexes(QSqlDatabase& db, const TableSchema& s, QHash<QString, StoredIndex>& indexes, QString& error)
{
    if (onServer(db))
        return readServerIndexes(db, s, indexes, error);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT l.name, l.\"unique\", l.partial, m.sql FROM pragma_index_list(?) AS l "
                             "LEFT JOIN sqlite_master AS m ON m.type = 'index' AND m.name = l.name"));
    q.addBindValue(s.name);
    if (!q.exec()) {
        error = readError(QStringLiteral("indeksy tabeli %1").arg(s.name), q);
        return false;
    }
    QList<std::pair<QString, StoredIndex>> listed;
    while (q.next()) {
        StoredIndex stored;
        stored.unique = q.value(1).toInt() != 0;
        if (q.value(2).toInt() != 0)
            stored.where = conditionOf(q.value(3).toString());
        listed.append({q.value(0).toString(), stored});
    }
    q.finish();
    for (auto& [name, stored] : listed) {
        if (!readIndexColumns(db, name, s.rowIdColumn, stored.columns, error))
            return false;
        indexes.insert(name.toUpper(), stored);
    }
    return true;
}

QStringList upperCased(const QStringList& list)
{
    QStringList out;
    for (const QString& s : list)
        out << s.toUpper();
    return out;
}

bool findTableGap(QSqlDatabase& db, const TableSchema& s, TableLayoutGap& gap, QString& error)
{
    QSet<QString> columns;
    if (!readColumnNames(db, s.name, columns, error))
        return false;
    for (const ColumnDef& c : s.columns)
        if (!columns.contains(c.name.toUpper()))
            gap.missingColumns << c.name;
    QHash<QString, StoredIndex> indexes;
    if (!readIndexes(db, s, indexes, error))
        return false;
    for (const IndexLayout& index : indexLayouts(s)) {
        const auto stored = indexes.constFind(index.name.toUpper());
        if (stored == indexes.constEnd())
            gap.missingKeys << index.name;
        else if (stored->unique != index.unique || stored->columns != upperCased(index.columns)
                 || stored->where != comparableCondition(index.where))
            gap.differentKeys << index.name;
    }
    return true;
}

} // namespace

bool readTableNames(QSqlDatabase& db, QSet<QString>& names, QString& error)
{
    QSqlQuery q(db);
    const QString sql = onServer(db) ? QStringLiteral("SELECT table_name FROM information_schema.tables "
                                                      "WHERE table_schema = current_schema()")
                                     : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'");
    if (!q.exec(sql)) {
        error = readError(QStringLiteral("lista tabel"), q);
        return false;
    }
    while (q.next())
        names.insert(q.value(0).toString().toUpper());
    return true;
}

bool readColumnNames(QSqlDatabase& db, const QString& table, QSet<QString>& names, QString& error)
{
    QSqlQuery q(db);
    q.prepare(onServer(db) ? QStringLiteral("SELECT column_name FROM information_schema.columns "
                                            "WHERE table_schema = current_schema() AND table_name = ?")
                           : QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    q.addBindValue(table);
    if (!q.exec()) {
        error = readError(QStringLiteral("pola tabeli %1").arg(table), q);
        return false;
    }
    while (q.next())
        names.insert(q.value(0).toString().toUpper());
    return true;
}

QString createTableSql(const TableSchema& s, bool server)
{
    QStringList cols;
    for (const ColumnDef& c : s.columns) {
        if (c.name == s.rowIdColumn)
            cols << quoted(c.name) + (server ? QStringLiteral(" BIGINT PRIMARY KEY") : QStringLiteral(" INTEGER PRIMARY KEY"));
        else
            cols << quoted(c.name) + QLatin1Char(' ') + columnSqlType(c, server);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(s.name), cols.join(QStringLiteral(", ")));
}

QList<IndexLayout> indexLayouts(const TableSchema& s)
{
    QList<IndexLayout> out;
    for (const KeyDef& k : s.keys) {
        if (k.parts.size() == 1 && k.parts.first().column == s.rowIdColumn)
            continue;   // the row identifier itself
        IndexLayout index{s.name + QLatin1Char('_') + k.name, {}, k.unique, {}};
        if (const QString exempt = k.exemptWhenBlank(); !exempt.isEmpty())
            index.where = quoted(exempt) + QStringLiteral(" <> ''");
        bool hasRowId = false;
        for (const KeyPart& p : k.parts) {
            const QString col = s.columns.at(s.keyColumnIndex(p)).name;
            hasRowId = hasRowId || col == s.rowIdColumn;
            index.columns << col + (p.descending ? Descending : QString());
        }
        if (!k.unique && !hasRowId)
            index.columns << s.rowIdColumn;
        out << index;
    }
    return out;
}

QString createIndexSql(const TableSchema& s, const IndexLayout& index)
{
    QStringList parts;
    for (const QString& column : index.columns) {
        const bool descending = column.endsWith(Descending);
        parts << quoted(descending ? column.chopped(Descending.size()) : column) + (descending ? Descending : QString());
    }
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)%5")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), quoted(index.name), quoted(s.name),
             parts.join(QStringLiteral(", ")), index.where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + index.where);
}

QString addColumnSql(const TableSchema& s, const ColumnDef& column, bool server)
{
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
        .arg(quoted(s.name), quoted(column.name), columnSqlType(column, server));
}

bool readLayoutVersion(QSqlDatabase& db, int& version, bool& empty, QString& error)
{
    version = 0;
    QSet<QString> tables;
    if (!readTableNames(db, tables, error))
        return false;
    empty = tables.isEmpty();
    QSqlQuery q(db);
    if (!onServer(db)) {
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            error = q.lastError().text();
            return false;
        }
        version = q.value(0).toInt();
        return true;
    }
    if (!tables.contains(layoutVersionTable()))
        return true;
    if (!q.exec(QStringLiteral("SELECT max(\"VERSION\") FROM %1").arg(quoted(layoutVersionTable())))) {
        error = readError(QStringLiteral("wersja układu"), q);
        return false;
    }
    version = q.next() ? q.value(0).toInt() : 0;
    return true;
}

QStringList writeLayoutVersionSql(QSqlDatabase& db, int version)
{
    if (!onServer(db))
        return {QStringLiteral("PRAGMA user_version = %1").arg(version)};
    const QString table = quoted(layoutVersionTable());
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (\"VERSION\" INTEGER NOT NULL)").arg(table),
            QStringLiteral("DELETE FROM %1").arg(table),
            QStringLiteral("INSERT INTO %1 (\"VERSION\") VALUES (%2)").arg(table).arg(version)};
}

bool findLayoutGaps(QSqlDatabase& db, QList<TableLayoutGap>& gaps, QString& error)
{
    gaps.clear();
    QSet<QString> tables;
    if (!readTableNames(db, tables, error))
        return false;
    for (const TableSchema* s : allTableSchemas()) {
        TableLayoutGap gap;
        gap.table = s->name;
        if (!tables.contains(s->name.toUpper()))
            gap.tableMissing = true;
        else if (!findTableGap(db, *s, gap, error))
            return false;
        if (!gap.isEmpty())
            gaps << gap;
    }
    return true;
}

QString describeLayoutGaps(const QList<TableLayoutGap>& gaps)
{
    QStringList missingTables;
    QStringList sentences;
    for (const TableLayoutGap& gap : gaps) {
        if (gap.tableMissing) {
            missingTables << gap.table;
            continue;
        }
        if (!gap.missingColumns.isEmpty())
            sentences << QStringLiteral("w tabeli %1 brak pól: %2").arg(gap.table, gap.missingColumns.join(QStringLiteral(", ")));
        if (!gap.missingKeys.isEmpty())
            sentences << QStringLiteral("w tabeli %1 brak kluczy: %2").arg(gap.table, gap.missingKeys.join(QStringLiteral(", ")));
        if (!gap.differentKeys.isEmpty())
            sentences << QStringLiteral("w tabeli %1 klucze innego układu: %2")
                             .arg(gap.table, gap.differentKeys.join(QStringLiteral(", ")));
    }
    if (!missingTables.isEmpty())
        sentences.prepend(QStringLiteral("brak tabel: %1").arg(missingTables.join(QStringLiteral(", "))));
    return sentences.join(QStringLiteral("; "));
}

} // namespace global
