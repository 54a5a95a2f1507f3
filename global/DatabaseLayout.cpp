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

// The catalogue of a database as far as the layout check needs it, read for all tables at once:
// per table its columns and its indexes. Tables are found by name as the engine finds them: the
// file ignores letter case, the server does not.
struct StoredTable {
    QSet<QString> columns;                 // upper case
    QHash<QString, StoredIndex> indexes;   // by index name in upper case
};

class StoredCatalogue {
public:
    explicit StoredCatalogue(bool server) : server_(server) {}
    StoredTable& table(const QString& name) { return tables_[key(name)]; }
    const StoredTable* find(const QString& name) const
    {
        const auto found = tables_.constFind(key(name));
        return found == tables_.constEnd() ? nullptr : &*found;
    }

private:
    QString key(const QString& name) const { return server_ ? name : name.toUpper(); }
    bool server_;
    QHash<QString, StoredTable> tables_;
};

const TableSchema* schemaOf(const QString& table)
{
    for (const TableSchema* s : allTableSchemas())
        if (s->name.compare(table, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

// The file's columns and indexes of every table: two reads of its own description. An index
// column without a name is the row identifier (an alias of SQLite's rowid).
bool readFileCatalogue(QSqlDatabase& db, StoredCatalogue& catalogue, QString& error)
{
    QSqlQuery columns(db);
    columns.setForwardOnly(true);
    if (!columns.exec(QStringLiteral("SELECT m.name, p.name FROM sqlite_master AS m "
                                     "JOIN pragma_table_info(m.name) AS p WHERE m.type = 'table'"))) {
        error = readError(QStringLiteral("pola tabel"), columns);
        return false;
    }
    while (columns.next())
        catalogue.table(columns.value(0).toString()).columns.insert(columns.value(1).toString().toUpper());

    QSqlQuery indexes(db);
    indexes.setForwardOnly(true);
    if (!indexes.exec(QStringLiteral(
            "SELECT m.name, l.name, l.\"unique\", l.partial, s.sql, x.name, x.\"desc\" FROM sqlite_master AS m "
            "JOIN pragma_index_list(m.name) AS l "
            "JOIN pragma_index_xinfo(l.name) AS x "
            "LEFT JOIN sqlite_master AS s ON s.type = 'index' AND s.name = l.name "
            "WHERE m.type = 'table' AND x.\"key\" = 1 ORDER BY m.name, l.name, x.seqno"))) {
        error = readError(QStringLiteral("indeksy tabel"), indexes);
        return false;
    }
    while (indexes.next()) {
        const QString table = indexes.value(0).toString();
        StoredIndex& stored = catalogue.table(table).indexes[indexes.value(1).toString().toUpper()];
        if (stored.columns.isEmpty()) {
            stored.unique = indexes.value(2).toInt() != 0;
            if (indexes.value(3).toInt() != 0)
                stored.where = conditionOf(indexes.value(4).toString());
        }
        QString column = indexes.value(5).toString();
        if (indexes.value(5).isNull()) {
            const TableSchema* s = schemaOf(table);
            column = s ? s->rowIdColumn : QString();
        }
        stored.columns << column.toUpper() + (indexes.value(6).toInt() != 0 ? Descending : QString());
    }
    return true;
}

// The server's columns and indexes of every table of the current schema, read from its catalogue
// in two queries. The columns are those the server's information schema lists (tables, views and
// foreign tables the user may use), the indexes with name, uniqueness, condition and key columns.
bool readServerCatalogue(QSqlDatabase& db, StoredCatalogue& catalogue, QString& error)
{
    QSqlQuery columns(db);
    columns.setForwardOnly(true);
    if (!columns.exec(QStringLiteral(
            "SELECT c.relname, a.attname FROM pg_class c "
            "JOIN pg_namespace ns ON ns.oid = c.relnamespace AND ns.nspname = current_schema() "
            "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
            "WHERE c.relkind IN ('r', 'v', 'f', 'p') "
            "AND (pg_has_role(c.relowner, 'USAGE') "
            "OR has_column_privilege(c.oid, a.attnum, 'SELECT, INSERT, UPDATE, REFERENCES'))"))) {
        error = readError(QStringLiteral("pola tabel"), columns);
        return false;
    }
    while (columns.next())
        catalogue.table(columns.value(0).toString()).columns.insert(columns.value(1).toString().toUpper());

    QSqlQuery indexes(db);
    indexes.setForwardOnly(true);
    if (!indexes.exec(QStringLiteral(
            "SELECT t.relname, i.relname, x.indisunique, coalesce(pg_get_expr(x.indpred, x.indrelid), ''), a.attname, "
            "(x.indoption[k.n - 1] & 1) "
            "FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_class t ON t.oid = x.indrelid "
            "JOIN pg_namespace ns ON ns.oid = t.relnamespace AND ns.nspname = current_schema() "
            "CROSS JOIN LATERAL generate_series(1, x.indnkeyatts) AS k(n) "
            "LEFT JOIN pg_attribute a ON a.attrelid = t.oid AND a.attnum = x.indkey[k.n - 1] "
            "ORDER BY t.relname, i.relname, k.n"))) {
        error = readError(QStringLiteral("indeksy tabel"), indexes);
        return false;
    }
    while (indexes.next()) {
        StoredIndex& stored = catalogue.table(indexes.value(0).toString()).indexes[indexes.value(1).toString().toUpper()];
        stored.unique = indexes.value(2).toBool();
        stored.where = comparableCondition(indexes.value(3).toString());
        stored.columns << indexes.value(4).toString().toUpper() + (indexes.value(5).toInt() != 0 ? Descending : QString());
    }
    return true;
}

bool readCatalogue(QSqlDatabase& db, StoredCatalogue& catalogue, QString& error)
{
    return onServer(db) ? readServerCatalogue(db, catalogue, error) : readFileCatalogue(db, catalogue, error);
}

QStringList upperCased(const QStringList& list)
{
    QStringList out;
    for (const QString& s : list)
        out << s.toUpper();
    return out;
}

void findTableGap(const StoredTable& stored, const TableSchema& s, TableLayoutGap& gap)
{
    for (const ColumnDef& c : s.columns)
        if (!stored.columns.contains(c.name.toUpper()))
            gap.missingColumns << c.name;
    for (const IndexLayout& index : indexLayouts(s)) {
        const auto found = stored.indexes.constFind(index.name.toUpper());
        if (found == stored.indexes.constEnd())
            gap.missingKeys << index.name;
        else if (found->unique != index.unique || found->columns != upperCased(index.columns)
                 || found->where != comparableCondition(index.where))
            gap.differentKeys << index.name;
    }
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
    StoredCatalogue catalogue(onServer(db));
    if (!readCatalogue(db, catalogue, error))
        return false;
    const StoredTable none;
    for (const TableSchema* s : allTableSchemas()) {
        TableLayoutGap gap;
        gap.table = s->name;
        if (!tables.contains(s->name.toUpper())) {
            gap.tableMissing = true;
        } else {
            const StoredTable* stored = catalogue.find(s->name);
            findTableGap(stored ? *stored : none, *s, gap);
        }
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
