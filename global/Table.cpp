#include "global/Table.h"

#include "global/DatabaseLocation.h"
#include "global/Identifier.h"
#include "global/TableSql.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <atomic>

namespace global {

namespace {

// Bumped by every write of any table: read-ahead rows older than a write are read again.
std::atomic<quint64> writeGeneration{1};

constexpr int MaxBatch = 1024;

std::atomic<int> writesSoFar{0};
std::atomic<int> failingWrite{0};

// True when this write is the one a test asked to fail.
bool injectedWriteFault()
{
    const int n = ++writesSoFar;
    const int failing = failingWrite.load();
    return failing > 0 && n == failing;
}

QString joined(const QStringList& parts)
{
    return parts.join(QStringLiteral(", "));
}

bool run(QSqlDatabase db, const QString& sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}

// What a single write needs around it. On the SQLite file nothing (the file's lock covers the
// statement), except for a write that must run in a transaction of its own (ownOnFile). On a
// PostgreSQL server a write outside a transaction takes the writers' lock in a transaction of its
// own, so that it waits for another station's transaction as it would on the file; a write inside
// a transaction runs under a savepoint, so that a refused write (a duplicate key) leaves the
// transaction usable, as it does on the file.
class WriteScope {
public:
    WriteScope(Database& db, bool ownOnFile) : db_(db)
    {
        const bool server = isOnServer(db);
        own_ = !db.inTransaction() && (server || ownOnFile);
        savepoint_ = server && !own_;
        if (own_)
            code_ = db.begin(db.lockWaitMs());
        else if (savepoint_ && !run(db.connection(), QStringLiteral("SAVEPOINT table_write")))
            code_ = err::StorageError;
    }
    ~WriteScope()
    {
        if (!finished_)
            abandon();
    }
    int code() const { return code_; }
    QString text() const
    {
        return own_ ? db_.lastErrorText() : QStringLiteral("SAVEPOINT: %1").arg(db_.connection().lastError().text());
    }
    void abandon()
    {
        if (finished_ || code_ != 0)
            return;
        finished_ = true;
        if (own_)
            db_.rollback();
        else if (savepoint_)
            run(db_.connection(), QStringLiteral("ROLLBACK TO SAVEPOINT table_write"));
    }
    // 0, or the error number of a commit that failed (the write is then undone).
    int finish()
    {
        if (finished_ || code_ != 0)
            return code_;
        finished_ = true;
        if (own_)
            return db_.commit();
        if (savepoint_)
            run(db_.connection(), QStringLiteral("RELEASE SAVEPOINT table_write"));
        return 0;
    }

private:
    Database& db_;
    bool own_ = false;
    bool savepoint_ = false;
    bool finished_ = false;
    int code_ = 0;
};

} // namespace

namespace write_faults {

void failNthWrite(int n)
{
    failingWrite.store(n);
    writesSoFar.store(0);
}

int writesCounted()
{
    return writesSoFar.load();
}

void resetCount()
{
    writesSoFar.store(0);
}

} // namespace write_faults

TableCore::TableCore(Database& db, const TableSchema& schema) : db_(db), schema_(schema) {}

TableCore::~TableCore() = default;

int TableCore::ok()
{
    errorCode_ = 0;
    errorText_.clear();
    return 0;
}

int TableCore::fail(int code, const QString& text)
{
    errorCode_ = code;
    errorText_ = text.isEmpty() ? errorDescription(code) : text;
    return code;
}

int TableCore::failSql(const QSqlQuery& q, const QString& operation)
{
    const int code = errorCodeOf(q.lastError());
    if (code == err::FileLocked)
        return fail(code, QStringLiteral("%1 %2: baza danych %3 jest zablokowana przez inną stację (czekano %4 s)")
                              .arg(operation, schema_.name, db_.filePath(),
                                   QString::number(db_.lockWaitMs() / 1000.0, 'g', 3)));
    return fail(code, QStringLiteral("%1 %2: %3").arg(operation, schema_.name, q.lastError().text()));
}

QList<TableCore::OrderPart> TableCore::orderOf(int key) const
{
    QList<OrderPart> order;
    const KeyDef& k = schema_.keys.at(key);
    const int rowIdColumn = schema_.columnIndex(schema_.rowIdColumn);
    bool hasRowId = false;
    for (const KeyPart& p : k.parts) {
        const int c = schema_.keyColumnIndex(p);
        hasRowId = hasRowId || c == rowIdColumn;
        order.append({c, p.descending});
    }
    if (!hasRowId)
        order.append({rowIdColumn, false});
    return order;
}

QVariantList TableCore::fullRow(const QVariantList& row) const
{
    QVariantList full = row.mid(0, schema_.recordColumns);
    for (int i = schema_.recordColumns; i < schema_.columns.size(); ++i) {
        const ColumnDef& c = schema_.columns.at(i);
        QString upper = full.at(c.upperOf >= 0 ? c.upperOf : 0).toString().toUpper();
        if (upper.isNull())
            upper = QLatin1String("");
        full << (c.upperOf >= 0 ? QVariant(upper) : QVariant(qlonglong(0)));
    }
    return full;
}

QVariantList TableCore::keyValues(const QList<OrderPart>& order, const QVariantList& full, qint64 rowId) const
{
    const int rowIdColumn = schema_.columnIndex(schema_.rowIdColumn);
    QVariantList values;
    for (const OrderPart& p : order)
        values << (p.column == rowIdColumn ? QVariant(rowId) : full.at(p.column));
    return values;
}

QString TableCore::selectList() const
{
    QStringList cols;
    for (int i = 0; i < schema_.recordColumns; ++i)
        cols << quoted(schema_.columns.at(i).name);
    cols << quoted(schema_.rowIdColumn);
    return joined(cols);
}

bool TableCore::isLowest(int column, const QVariant& v) const
{
    switch (schema_.columns.at(column).type) {
    case ColumnType::Integer:
    case ColumnType::Real: return v.toDouble() == 0;
    case ColumnType::Text: return v.toString().isEmpty();
    default: return v.isNull();
    }
}

namespace {

// "(c0 > v0 OR (c0 = v0 AND (c1 > v1 OR ...)))" for a key order read forward or backward.
struct Predicate {
    QString sql;
    QVariantList binds;
};

Predicate lexicographic(const QStringList& columns, const QList<bool>& descending, const QVariantList& values,
                        bool forward, bool inclusive)
{
    Predicate p;
    const int n = values.size();
    if (n == 0) {
        p.sql = inclusive ? QStringLiteral("1 = 1") : QStringLiteral("1 = 0");
        return p;
    }
    auto op = [&](int i, bool orEqual) {
        const bool greater = forward != descending.at(i);
        return QString(greater ? QStringLiteral(">") : QStringLiteral("<")) + (orEqual ? QStringLiteral("=") : QString());
    };
    // A leading bound on the first component lets the index start at the right place.
    p.sql = QStringLiteral("%1 %2 ? AND ").arg(columns.at(0), op(0, true));
    p.binds << values.at(0);
    std::function<QString(int)> level = [&](int i) -> QString {
        if (i == n - 1) {
            p.binds << values.at(i);
            return QStringLiteral("%1 %2 ?").arg(columns.at(i), op(i, inclusive));
        }
        p.binds << values.at(i) << values.at(i);
        const QString head = QStringLiteral("(%1 %2 ? OR (%1 = ? AND ").arg(columns.at(i), op(i, false));
        return head + level(i + 1) + QStringLiteral("))");
    };
    p.sql += level(0);
    return p;
}

void bindAll(QSqlQuery& q, const QVariantList& values)
{
    for (const QVariant& v : values)
        q.addBindValue(v);
}

} // namespace

int TableCore::fetch(int key, QVariantList& row)
{
    const QVariantList full = fullRow(row);
    const KeyDef& k = schema_.keys.at(key);
    QStringList where;
    QVariantList binds;
    for (const KeyPart& p : k.parts) {
        const int c = schema_.keyColumnIndex(p);
        where << quoted(schema_.columns.at(c).name) + QStringLiteral(" = ?");
        binds << full.at(c);
    }
    QStringList orderBy;
    for (const OrderPart& o : orderOf(key))
        orderBy << quoted(schema_.columns.at(o.column).name) + (o.descending ? QStringLiteral(" DESC") : QString());
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
                  .arg(selectList(), quoted(schema_.name), where.join(QStringLiteral(" AND ")), joined(orderBy)));
    bindAll(q, binds);
    if (!q.exec())
        return failSql(q, QStringLiteral("GET"));
    if (!q.next())
        return fail(err::RecordNotFound, {});
    QVariantList selected;
    for (int i = 0; i <= schema_.recordColumns; ++i)
        selected << q.value(i);
    key_ = key;
    remember(selected);
    buffer_.clear();
    row = selected.mid(0, schema_.recordColumns);
    return ok();
}

void TableCore::setStart(int key)
{
    key_ = key;
    mode_ = Mode::Start;
    buffer_.clear();
    batch_ = 16;
}

void TableCore::setEnd(int key)
{
    key_ = key;
    mode_ = Mode::End;
    buffer_.clear();
    batch_ = 16;
}

void TableCore::set(int key, const QVariantList& row, int components)
{
    key_ = key;
    buffer_.clear();
    batch_ = 16;
    const QVariantList full = fullRow(row);
    const KeyDef& k = schema_.keys.at(key);
    int n = components;
    if (n < 0) {
        n = 0;
        for (int i = 0; i < k.parts.size(); ++i) {
            const int c = schema_.keyColumnIndex(k.parts.at(i));
            if (!isLowest(c, full.at(c)))
                n = i + 1;
        }
    }
    n = qMin(n, int(k.parts.size()));
    positionValues_.clear();
    for (int i = 0; i < n; ++i)
        positionValues_ << full.at(schema_.keyColumnIndex(k.parts.at(i)));
    mode_ = n == 0 ? Mode::Start : Mode::Position;
}

void TableCore::setAt(int key, const QVariantList& row, const QString& position)
{
    key_ = key;
    buffer_.clear();
    batch_ = 16;
    lastKey_ = keyValues(orderOf(key), fullRow(row), position.toLongLong());
    mode_ = Mode::AfterRecord;
}

void TableCore::remember(const QVariantList& selected)
{
    lastRowId_ = selected.last().toLongLong();
    haveLast_ = true;
    const QVariantList full = fullRow(selected);
    lastKey_ = keyValues(orderOf(key_), full, lastRowId_);
    mode_ = Mode::AfterRecord;
    // A watch covers the one read that follows it.
    watchedRowId_ = watchNextRead_ ? lastRowId_ : 0;
    watchedValues_ = watchNextRead_ ? selected : QVariantList();
    watchNextRead_ = false;
}

int TableCore::fill(bool forward)
{
    const QList<OrderPart> order = orderOf(key_);
    QStringList columns;
    QList<bool> descending;
    QStringList orderBy;
    for (const OrderPart& o : order) {
        const QString name = quoted(schema_.columns.at(o.column).name);
        columns << name;
        descending << o.descending;
        orderBy << name + ((o.descending == forward) ? QStringLiteral(" DESC") : QString());
    }
    Predicate where;
    switch (mode_) {
    case Mode::None: return fail(err::NoMoreRecords, QStringLiteral("No position set in %1").arg(schema_.name));
    case Mode::Start:
        if (!forward)
            return fail(err::NoMoreRecords, {});
        where.sql = QStringLiteral("1 = 1");
        break;
    case Mode::End:
        if (forward)
            return fail(err::NoMoreRecords, {});
        where.sql = QStringLiteral("1 = 1");
        break;
    case Mode::Position:
        where = lexicographic(columns.mid(0, positionValues_.size()), descending, positionValues_, forward, true);
        break;
    case Mode::AfterRecord: where = lexicographic(columns, descending, lastKey_, forward, false); break;
    }
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT %5")
                  .arg(selectList(), quoted(schema_.name), where.sql, joined(orderBy))
                  .arg(batch_));
    bindAll(q, where.binds);
    if (!q.exec())
        return failSql(q, forward ? QStringLiteral("NEXT") : QStringLiteral("PREVIOUS"));
    buffer_.clear();
    while (q.next()) {
        QVariantList selected;
        for (int i = 0; i <= schema_.recordColumns; ++i)
            selected << q.value(i);
        buffer_.append(selected);
    }
    bufferForward_ = forward;
    bufferGeneration_ = writeGeneration.load();
    batch_ = qMin(batch_ * 2, MaxBatch);
    return 0;
}

int TableCore::take(bool forward, QVariantList& row)
{
    if (buffer_.isEmpty() || bufferForward_ != forward || bufferGeneration_ != writeGeneration.load()) {
        if (bufferForward_ != forward)
            batch_ = 16;
        if (const int code = fill(forward); code != 0)
            return code;
        if (buffer_.isEmpty())
            return fail(err::NoMoreRecords, {});
    }
    const QVariantList selected = buffer_.takeFirst();
    remember(selected);
    row = selected.mid(0, schema_.recordColumns);
    return ok();
}

int TableCore::next(QVariantList& row)
{
    return take(true, row);
}

int TableCore::previous(QVariantList& row)
{
    return take(false, row);
}

int TableCore::add(const QVariantList& row)
{
    if (injectedWriteFault())
        return fail(err::StorageError, QStringLiteral("ADD %1: injected storage failure").arg(schema_.name));
    const QVariantList full = fullRow(row);
    QVariantList binds;
    for (int i = 0; i < schema_.columns.size(); ++i) {
        const ColumnDef& c = schema_.columns.at(i);
        if (!(c.hidden && c.upperOf < 0))   // ROW_ID is given by the database
            binds << full.at(i);
    }
    WriteScope scope(db_, false);
    if (scope.code() != 0)
        return fail(scope.code(), scope.text());
    const bool server = isOnServer(db_);
    if (!insert_ || insertConnection_ != db_.connection().connectionName()) {
        QStringList cols;
        QStringList marks;
        for (const ColumnDef& c : schema_.columns) {
            if (c.hidden && c.upperOf < 0)
                continue;
            cols << quoted(c.name);
            marks << QStringLiteral("?");
        }
        QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quoted(schema_.name), joined(cols), joined(marks));
        if (server) {
            // The server numbers a hidden row identifier as the file does: the highest plus 1 (the
            // writers' lock is held, so no other station numbers at the same time).
            const QString rowId = quoted(schema_.rowIdColumn);
            if (!cols.contains(rowId))
                sql = QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (%4, (SELECT coalesce(max(%3), 0) + 1 FROM %1))")
                          .arg(quoted(schema_.name), joined(cols), rowId, joined(marks));
            sql += QStringLiteral(" RETURNING %1").arg(rowId);
        }
        insert_ = std::make_unique<QSqlQuery>(db_.connection());
        insertConnection_ = db_.connection().connectionName();
        insert_->prepare(sql);
    }
    QSqlQuery& q = *insert_;
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds.at(i));
    const bool done = q.exec();
    qint64 id = 0;
    if (done)
        id = server ? (q.next() ? q.value(0).toLongLong() : 0) : q.lastInsertId().toLongLong();
    if (!done) {
        const int code = failSql(q, QStringLiteral("ADD"));
        q.finish();
        scope.abandon();
        return code;
    }
    q.finish();
    if (const int code = scope.finish(); code != 0)
        return fail(code, db_.lastErrorText());
    ++writeGeneration;
    lastRowId_ = id;
    haveLast_ = true;
    return ok();
}

int TableCore::update(const QVariantList& row)
{
    if (!haveLast_)
        return fail(err::RecordNotFound, QStringLiteral("No record read from %1").arg(schema_.name));
    if (injectedWriteFault())
        return fail(err::StorageError, QStringLiteral("PUT %1: injected storage failure").arg(schema_.name));
    WriteScope scope(db_, true);
    if (scope.code() != 0)
        return fail(scope.code(), scope.text());
    auto abandon = [&](int code) {
        scope.abandon();
        return code;
    };
    if (!watchedValues_.isEmpty() && watchedRowId_ == lastRowId_) {
        QSqlQuery check(db_.connection());
        check.setForwardOnly(true);
        check.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                          .arg(selectList(), quoted(schema_.name), quoted(schema_.rowIdColumn)));
        check.addBindValue(lastRowId_);
        if (!check.exec())
            return abandon(failSql(check, QStringLiteral("PUT")));
        if (!check.next())
            return abandon(fail(err::RecordNotFound, {}));
        for (int i = 0; i <= schema_.recordColumns; ++i)
            if (check.value(i) != watchedValues_.at(i))
                return abandon(fail(err::RecordChanged, {}));
    }
    const QVariantList full = fullRow(row);
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < schema_.columns.size(); ++i) {
        const ColumnDef& c = schema_.columns.at(i);
        if (c.hidden && c.upperOf < 0)
            continue;
        sets << quoted(c.name) + QStringLiteral(" = ?");
        binds << full.at(i);
    }
    QSqlQuery q(db_.connection());
    q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                  .arg(quoted(schema_.name), joined(sets), quoted(schema_.rowIdColumn)));
    bindAll(q, binds);
    q.addBindValue(lastRowId_);
    if (!q.exec())
        return abandon(failSql(q, QStringLiteral("PUT")));
    if (q.numRowsAffected() == 0)
        return abandon(fail(err::RecordNotFound, {}));
    if (const int code = scope.finish(); code != 0)
        return fail(code, db_.lastErrorText());
    ++writeGeneration;
    if (schema_.rowIdColumn == QLatin1String("ID"))
        lastRowId_ = full.at(schema_.columnIndex(QStringLiteral("ID"))).toLongLong();
    watchedRowId_ = 0;
    watchedValues_.clear();
    return ok();
}

int TableCore::remove()
{
    if (!haveLast_)
        return fail(err::RecordNotFound, QStringLiteral("No record read from %1").arg(schema_.name));
    if (injectedWriteFault())
        return fail(err::StorageError, QStringLiteral("DELETE %1: injected storage failure").arg(schema_.name));
    WriteScope scope(db_, false);
    if (scope.code() != 0)
        return fail(scope.code(), scope.text());
    QSqlQuery q(db_.connection());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(schema_.name), quoted(schema_.rowIdColumn)));
    q.addBindValue(lastRowId_);
    if (!q.exec()) {
        const int code = failSql(q, QStringLiteral("DELETE"));
        scope.abandon();
        return code;
    }
    if (q.numRowsAffected() == 0) {
        scope.abandon();
        return fail(err::RecordNotFound, {});
    }
    if (const int code = scope.finish(); code != 0)
        return fail(code, db_.lastErrorText());
    ++writeGeneration;
    haveLast_ = false;
    watchedRowId_ = 0;
    watchedValues_.clear();
    return ok();
}

int TableCore::duplicateKey(const QVariantList& row, bool excludeLastRead)
{
    const QVariantList full = fullRow(row);
    for (int k = 0; k < schema_.keys.size(); ++k) {
        const KeyDef& key = schema_.keys.at(k);
        if (!key.unique)
            continue;
        if (const QString exempt = key.exemptWhenBlank();
            !exempt.isEmpty() && full.at(schema_.columnIndex(exempt)).toString().isEmpty())
            continue;
        QStringList where;
        QVariantList binds;
        for (const KeyPart& p : key.parts) {
            const int c = schema_.keyColumnIndex(p);
            where << quoted(schema_.columns.at(c).name) + QStringLiteral(" = ?");
            binds << full.at(c);
        }
        if (excludeLastRead && haveLast_) {
            where << quoted(schema_.rowIdColumn) + QStringLiteral(" <> ?");
            binds << lastRowId_;
        }
        QSqlQuery q(db_.connection());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1")
                      .arg(quoted(schema_.name), where.join(QStringLiteral(" AND "))));
        bindAll(q, binds);
        if (!q.exec()) {
            failSql(q, QStringLiteral("DUPLICATE"));
            return -1;
        }
        if (q.next())
            return k;
    }
    ok();
    return -1;
}

QString TableCore::position() const
{
    return haveLast_ ? QString::number(lastRowId_) : QString();
}

int TableCore::positionOf(int key, const QVariantList& row, QString& position)
{
    QVariantList copy = row;
    if (const int code = fetch(key, copy); code != 0)
        return code;
    position = this->position();
    return 0;
}

int TableCore::reget(const QString& position, QVariantList& row)
{
    bool valid = false;
    const qint64 id = position.toLongLong(&valid);
    if (!valid)
        return fail(err::RecordNotFound, QStringLiteral("Invalid position in %1").arg(schema_.name));
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                  .arg(selectList(), quoted(schema_.name), quoted(schema_.rowIdColumn)));
    q.addBindValue(id);
    if (!q.exec())
        return failSql(q, QStringLiteral("REGET"));
    if (!q.next())
        return fail(err::RecordNotFound, {});
    QVariantList selected;
    for (int i = 0; i <= schema_.recordColumns; ++i)
        selected << q.value(i);
    buffer_.clear();
    remember(selected);
    row = selected.mid(0, schema_.recordColumns);
    return ok();
}

int TableCore::rows(int key, const QVariantList& row, int components, QList<QVariantList>& out)
{
    out.clear();
    const QVariantList full = fullRow(row);
    const KeyDef& k = schema_.keys.at(key);
    QStringList where{QStringLiteral("1 = 1")};
    QVariantList binds;
    for (int i = 0; i < qMin(components, int(k.parts.size())); ++i) {
        const int c = schema_.keyColumnIndex(k.parts.at(i));
        where << quoted(schema_.columns.at(c).name) + QStringLiteral(" = ?");
        binds << full.at(c);
    }
    QStringList orderBy;
    for (const OrderPart& o : orderOf(key))
        orderBy << quoted(schema_.columns.at(o.column).name) + (o.descending ? QStringLiteral(" DESC") : QString());
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                  .arg(selectList(), quoted(schema_.name), where.join(QStringLiteral(" AND ")), joined(orderBy)));
    bindAll(q, binds);
    if (!q.exec())
        return failSql(q, QStringLiteral("NEXT"));
    while (q.next()) {
        QVariantList r;
        for (int i = 0; i < schema_.recordColumns; ++i)
            r << q.value(i);
        out.append(r);
    }
    return ok();
}

int TableCore::count(int key, const QVariantList& row, int components, qint64& out)
{
    out = 0;
    const QVariantList full = fullRow(row);
    const KeyDef& k = schema_.keys.at(key);
    QStringList where{QStringLiteral("1 = 1")};
    QVariantList binds;
    for (int i = 0; i < qMin(components, int(k.parts.size())); ++i) {
        const int c = schema_.keyColumnIndex(k.parts.at(i));
        where << quoted(schema_.columns.at(c).name) + QStringLiteral(" = ?");
        binds << full.at(c);
    }
    QSqlQuery q(db_.connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(quoted(schema_.name), where.join(QStringLiteral(" AND "))));
    bindAll(q, binds);
    if (!q.exec() || !q.next())
        return failSql(q, QStringLiteral("RECORDS"));
    out = q.value(0).toLongLong();
    return ok();
}

int newIdentifier(TableCore& table, uint32_t& id)
{
    const TableSchema& s = table.schema();
    id = 0;
    if (s.identifierColumn < 0 || s.identifierKey < 0)
        return err::StorageError;
    TableCore highest(table.database(), s);
    highest.setEnd(s.identifierKey);
    QVariantList row;
    const int code = highest.previous(row);
    if (code == err::NoMoreRecords) {
        id = 1;
        return 0;
    }
    if (code != 0)
        return table.fail(code, highest.errorText());
    id = row.at(s.identifierColumn).toUInt() + 1;
    return 0;
}

} // namespace global
