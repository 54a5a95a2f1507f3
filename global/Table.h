#pragma once
// Keyed access to one table of the database, with a cursor and a record buffer of the caller.
//
//   Table<CutRecord> cuts(db);
//   CutRecord cut;
//   cut.profileId = 7;                                   // other key fields left at 0 match all
//   cuts.set(Table<CutRecord>::ByProfileStatus, cut);
//   while (cuts.next(cut) == 0 && cut.profileId == 7) { ... }
//
//   QList<CutRecord> pieces = cuts.rows(Table<CutRecord>::ByProfileStatus, cut, 1);  // one query
//
// Every operation answers 0 or an error number of ErrorCodes.h (33 end of key, 35 not found,
// 40 duplicate key, 89 changed by another station, 32 locked, 90 other); errorCode() and
// errorText() keep the last one for messages. A Table object belongs to the thread that made it;
// making one is cheap (the tables are always open).
//
// Cursor: set(key, rec) places the cursor at the key values of rec in key order; key components
// after the last one that is not at its lowest value (0, empty) match everything, so a profile
// number alone positions on all records of that profile (set(key, rec, n) takes exactly the
// first n components instead). next() reads forward from the first record at or after the
// position; previous() reads backward from the last record at or before it (so the last record of
// the matched group comes first). After a record has been read, next()/previous() continue from
// that record, also when it has been deleted meanwhile. set(key) starts before the first record,
// setEnd(key) after the last: setEnd() + previous() reads the record with the highest key.
// setAt(key, rec, position) places the cursor at a record known by its position (a page boundary
// of a list) as if it had just been read: next() reads the records after it in key order,
// previous() those before it; the record need not exist any more.
//
// "Last read record": the record of the latest successful fetch/next/previous/reget/add; update()
// writes over it and remove() deletes it. watch() marks the next read: a later update() of that
// record fails with 89 when another connection changed it in between.

#include "global/Database.h"
#include "global/ErrorCodes.h"
#include "global/TableSchema.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <memory>

class QSqlQuery;

namespace global {

// The untyped engine behind Table<R>; rows are the record's stored values in column order.
class TableCore {
public:
    TableCore(Database& db, const TableSchema& schema);
    ~TableCore();
    TableCore(const TableCore&) = delete;
    TableCore& operator=(const TableCore&) = delete;

    int fetch(int key, QVariantList& row);
    void setStart(int key);
    void setEnd(int key);
    // components < 0: use the key's components up to the last one not left at its lowest value.
    void set(int key, const QVariantList& row, int components);
    void setAt(int key, const QVariantList& row, const QString& position);
    int next(QVariantList& row);
    int previous(QVariantList& row);
    int add(const QVariantList& row);
    int update(const QVariantList& row);
    int remove();
    int duplicateKey(const QVariantList& row, bool excludeLastRead);   // key index or -1
    QString position() const;
    int positionOf(int key, const QVariantList& row, QString& position);
    int reget(const QString& position, QVariantList& row);
    void watch() { watchNextRead_ = true; }
    int rows(int key, const QVariantList& row, int components, QList<QVariantList>& out);
    int count(int key, const QVariantList& row, int components, qint64& out);

    int errorCode() const { return errorCode_; }
    QString errorText() const { return errorText_; }
    // Keeps an error found on this table's behalf (for example by the identifier rule).
    int fail(int code, const QString& text);
    const TableSchema& schema() const { return schema_; }
    Database& database() { return db_; }

private:
    struct OrderPart {
        int column;        // index into schema columns
        bool descending;
    };
    enum class Mode { None, Start, End, Position, AfterRecord };

    QList<OrderPart> orderOf(int key) const;
    QVariantList fullRow(const QVariantList& row) const;            // + shadow columns
    QVariantList keyValues(const QList<OrderPart>& order, const QVariantList& full, qint64 rowId) const;
    QString selectList() const;
    int fill(bool forward);
    int take(bool forward, QVariantList& row);
    void remember(const QVariantList& selected);
    int failSql(const class QSqlQuery& q, const QString& operation);
    int ok();
    bool isLowest(int column, const QVariant& v) const;

    Database& db_;
    const TableSchema& schema_;
    int errorCode_ = 0;
    QString errorText_;

    // cursor
    int key_ = 0;
    Mode mode_ = Mode::None;
    QVariantList positionValues_;   // Mode::Position: values of the leading components
    QVariantList lastKey_;          // Mode::AfterRecord: full key (+ row id) of the last read record
    QList<QVariantList> buffer_;    // read ahead, in reading order
    bool bufferForward_ = true;
    quint64 bufferGeneration_ = 0;
    int batch_ = 16;

    // last read record
    qint64 lastRowId_ = 0;
    bool haveLast_ = false;
    bool watchNextRead_ = false;
    qint64 watchedRowId_ = 0;
    QVariantList watchedValues_;

    std::unique_ptr<QSqlQuery> insert_;   // prepared once per table object
    QString insertConnection_;
};

// Fault injection for the tests of procedures that must write all or nothing: every table write
// (add, update, delete) is counted, and the n-th one after failNthWrite(n) fails with error 90 as a
// failing storage would, writing nothing. failNthWrite(0) switches the injection off.
namespace write_faults {
void failNthWrite(int n);
// Table writes since the last failNthWrite() or resetCount().
int writesCounted();
void resetCount();
} // namespace write_faults

template <class R>
class Table : public TableDef<R> {
public:
    using Key = typename TableDef<R>::Key;
    using Record = R;

    explicit Table(Database& db) : core_(db, TableDef<R>::schema()) {}

    // Reads the record whose key equals the key fields of rec (error 35 when there is none).
    int fetch(Key key, R& rec) { return read(core_.fetch(key, values_ = toStoredValues(rec)), rec); }

    void set(Key key) { core_.setStart(key); }
    void setEnd(Key key) { core_.setEnd(key); }
    void set(Key key, const R& from, int components = -1) { core_.set(key, toStoredValues(from), components); }
    void setAt(Key key, const R& rec, const QString& position) { core_.setAt(key, toStoredValues(rec), position); }
    int next(R& rec) { return read(core_.next(values_), rec); }
    int previous(R& rec) { return read(core_.previous(values_), rec); }

    // Adds rec (texts cut to their widths); 40 when a unique key would be duplicated.
    int add(const R& rec) { return core_.add(toStoredValues(rec)); }
    // Gives rec the next identifier (highest + 1, Identifier.h) and adds it.
    int addWithNewIdentifier(R& rec);
    // Writes rec over the last read record.
    int update(const R& rec) { return core_.update(toStoredValues(rec)); }
    // Deletes the last read record.
    int remove() { return core_.remove(); }

    // Whether adding rec (or writing it over the last read record) would duplicate a unique key.
    bool isDuplicate(const R& rec, bool excludeLastRead = false)
    {
        return core_.duplicateKey(toStoredValues(rec), excludeLastRead) >= 0;
    }
    // The unique key that rec would duplicate, or -1.
    int duplicateKey(const R& rec, bool excludeLastRead = false)
    {
        return core_.duplicateKey(toStoredValues(rec), excludeLastRead);
    }

    // Position of the last read record, and a read of it by that position later.
    QString position() const { return core_.position(); }
    int positionOf(Key key, const R& rec, QString& position)
    {
        return core_.positionOf(key, toStoredValues(rec), position);
    }
    int reget(const QString& position, R& rec) { return read(core_.reget(position, values_), rec); }
    void watch() { core_.watch(); }

    // Every record whose first `components` key components equal those of prefix, in key order
    // (all records with components 0). One query; does not move the cursor.
    QList<R> rows(Key key, const R& prefix = R{}, int components = 0)
    {
        QList<QVariantList> raw;
        QList<R> out;
        if (core_.rows(key, toStoredValues(prefix), components, raw) == 0)
            for (const auto& r : std::as_const(raw))
                out.append(fromStoredValues<R>(r));
        return out;
    }
    qint64 count(Key key, const R& prefix = R{}, int components = 0)
    {
        qint64 n = 0;
        core_.count(key, toStoredValues(prefix), components, n);
        return n;
    }

    int errorCode() const { return core_.errorCode(); }
    QString errorText() const { return core_.errorText(); }
    QString tableName() const { return TableDef<R>::schema().name; }
    TableCore& core() { return core_; }

private:
    int read(int code, R& rec)
    {
        if (code == 0)
            rec = fromStoredValues<R>(values_);
        return code;
    }

    TableCore core_;
    QVariantList values_;
};

} // namespace global

#include "global/Identifier.h"

template <class R>
int global::Table<R>::addWithNewIdentifier(R& rec)
{
    uint32_t id = 0;
    if (const int code = newIdentifier(*this, id); code != 0)
        return code;
    setIdentifier(rec, id);
    return add(rec);
}
