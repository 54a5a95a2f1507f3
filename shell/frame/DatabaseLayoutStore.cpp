#include "DatabaseLayoutStore.h"

#include "Database.h"
#include "Table.h"

namespace shell {

using global::ControlPositionRecord;
using global::ListFormatRecord;
using layout::StoreResult;
using FormatTable = global::Table<ListFormatRecord>;
using PositionTable = global::Table<ControlPositionRecord>;

namespace {

template <class T>
StoreResult resultOf(int code, const T& table)
{
    return code == 0 ? StoreResult{} : StoreResult{code, table.errorText()};
}

ListFormatRecord formatKey(const layout::ListKey& list, int16_t formatId)
{
    ListFormatRecord key;
    key.appName = list.appName;
    key.procId = list.procId;
    key.userId = list.userId;
    key.ctrlId = list.ctrlId;
    key.formatId = formatId;
    return key;
}

ControlPositionRecord positionKey(const QString& appName, const QString& procId, int16_t userId,
                                  const QString& controlName = {})
{
    ControlPositionRecord key;
    key.appName = appName;
    key.procId = procId;
    key.userId = userId;
    key.controlName = controlName;
    return key;
}

} // namespace

StoreResult DatabaseLayoutStore::open()
{
    if (db_.isOpen())
        return {};
    const int code = db_.open();
    return code == 0 ? StoreResult{} : StoreResult{code, db_.openErrorText()};
}

StoreResult DatabaseLayoutStore::formatsOf(const layout::ListKey& list, QList<ListFormatRecord>& out)
{
    FormatTable table(db_);
    out = table.rows(FormatTable::KeyMain, formatKey(list, 0), 4);
    return resultOf(table.errorCode(), table);
}

StoreResult DatabaseLayoutStore::add(const ListFormatRecord& record)
{
    FormatTable table(db_);
    return resultOf(table.add(record), table);
}

StoreResult DatabaseLayoutStore::update(const ListFormatRecord& record)
{
    FormatTable table(db_);
    ListFormatRecord stored = record;
    int code = table.fetch(FormatTable::KeyMain, stored);
    if (code == 0)
        code = table.update(record);
    return resultOf(code, table);
}

StoreResult DatabaseLayoutStore::remove(const layout::ListKey& list, int16_t formatId)
{
    FormatTable table(db_);
    ListFormatRecord stored = formatKey(list, formatId);
    int code = table.fetch(FormatTable::KeyMain, stored);
    if (code == 0)
        code = table.remove();
    return resultOf(code, table);
}

StoreResult DatabaseLayoutStore::positionsOf(const QString& appName, const QString& procId, int16_t userId,
                                             QList<ControlPositionRecord>& out)
{
    PositionTable table(db_);
    out = table.rows(PositionTable::KeyMain, positionKey(appName, procId, userId), 3);
    return resultOf(table.errorCode(), table);
}

StoreResult DatabaseLayoutStore::fetch(const QString& appName, const QString& procId, int16_t userId,
                                       const QString& controlName, ControlPositionRecord& out)
{
    PositionTable table(db_);
    ControlPositionRecord found = positionKey(appName, procId, userId, controlName);
    const int code = table.fetch(PositionTable::KeyMain, found);
    if (code == 0)
        out = found;
    return resultOf(code, table);
}

StoreResult DatabaseLayoutStore::add(const ControlPositionRecord& record)
{
    PositionTable table(db_);
    return resultOf(table.add(record), table);
}

StoreResult DatabaseLayoutStore::update(const ControlPositionRecord& record)
{
    PositionTable table(db_);
    ControlPositionRecord stored = record;
    int code = table.fetch(PositionTable::KeyMain, stored);
    if (code == 0)
        code = table.update(record);
    return resultOf(code, table);
}

} // namespace shell
