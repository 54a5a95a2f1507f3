#include "ui/layout/DatabaseLayoutStore.h"

#include "global/Database.h"
#include "global/Table.h"

namespace layout {

namespace {

template <class R>
StoreResult resultOf(int code, const global::Table<R>& table)
{
    if (code == 0)
        return {};
    return {code, table.errorText().isEmpty() ? global::errorDescription(code) : table.errorText()};
}

global::ListFormatRecord formatKey(const ListKey& list, int16_t formatId)
{
    global::ListFormatRecord key;
    key.appName = list.appName;
    key.procId = list.procId;
    key.userId = list.userId;
    key.ctrlId = list.ctrlId;
    key.formatId = formatId;
    return key;
}

// Reads the stored record with the key of `record` and writes `record` over it.
template <class R>
StoreResult rewrite(global::Database& db, const R& record)
{
    global::Table<R> table(db);
    R stored = record;
    if (const int code = table.fetch(global::Table<R>::KeyMain, stored))
        return resultOf(code, table);
    return resultOf(table.update(record), table);
}

} // namespace

StoreResult DatabaseLayoutStore::open()
{
    if (db_.isOpen())
        return {};
    const int code = db_.open();
    return code == 0 ? StoreResult{} : StoreResult{code, db_.openErrorText()};
}

StoreResult DatabaseLayoutStore::formatsOf(const ListKey& list, QList<global::ListFormatRecord>& out)
{
    global::Table<global::ListFormatRecord> table(db_);
    out = table.rows(global::Table<global::ListFormatRecord>::KeyMain, formatKey(list, 0), 4);
    return resultOf(table.errorCode(), table);
}

StoreResult DatabaseLayoutStore::add(const global::ListFormatRecord& record)
{
    global::Table<global::ListFormatRecord> table(db_);
    return resultOf(table.add(record), table);
}

StoreResult DatabaseLayoutStore::update(const global::ListFormatRecord& record)
{
    return rewrite(db_, record);
}

StoreResult DatabaseLayoutStore::remove(const ListKey& list, int16_t formatId)
{
    global::Table<global::ListFormatRecord> table(db_);
    global::ListFormatRecord record = formatKey(list, formatId);
    if (const int code = table.fetch(global::Table<global::ListFormatRecord>::KeyMain, record))
        return resultOf(code, table);
    return resultOf(table.remove(), table);
}

StoreResult DatabaseLayoutStore::positionsOf(const QString& appName, const QString& procId, int16_t userId,
                                             QList<global::ControlPositionRecord>& out)
{
    global::Table<global::ControlPositionRecord> table(db_);
    global::ControlPositionRecord prefix;
    prefix.appName = appName;
    prefix.procId = procId;
    prefix.userId = userId;
    out = table.rows(global::Table<global::ControlPositionRecord>::KeyMain, prefix, 3);
    return resultOf(table.errorCode(), table);
}

StoreResult DatabaseLayoutStore::fetch(const QString& appName, const QString& procId, int16_t userId,
                                       const QString& controlName, global::ControlPositionRecord& out)
{
    global::Table<global::ControlPositionRecord> table(db_);
    global::ControlPositionRecord record;
    record.appName = appName;
    record.procId = procId;
    record.userId = userId;
    record.controlName = controlName;
    const int code = table.fetch(global::Table<global::ControlPositionRecord>::KeyMain, record);
    if (code == 0)
        out = record;
    return resultOf(code, table);
}

StoreResult DatabaseLayoutStore::add(const global::ControlPositionRecord& record)
{
    global::Table<global::ControlPositionRecord> table(db_);
    return resultOf(table.add(record), table);
}

StoreResult DatabaseLayoutStore::update(const global::ControlPositionRecord& record)
{
    return rewrite(db_, record);
}

} // namespace layout
