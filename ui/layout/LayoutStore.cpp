#include "ui/layout/LayoutStore.h"

namespace layout {

MemoryLayoutStore::FormatKey MemoryLayoutStore::keyOf(const global::ListFormatRecord& r)
{
    return {r.appName, r.procId, r.userId, r.ctrlId, r.formatId};
}

MemoryLayoutStore::PositionKey MemoryLayoutStore::keyOf(const global::ControlPositionRecord& r)
{
    return {r.appName, r.procId, r.userId, r.controlName};
}

void MemoryLayoutStore::failNext(const QString& operation, int code, const QString& text)
{
    failures_[operation] = StoreResult{code, text};
}

bool MemoryLayoutStore::plannedFailure(const QString& operation, StoreResult& result)
{
    const auto it = failures_.find(operation);
    if (it == failures_.end())
        return false;
    result = it->second;
    failures_.erase(it);
    return true;
}

StoreResult MemoryLayoutStore::open()
{
    StoreResult result;
    plannedFailure(QStringLiteral("open"), result);
    return result;
}

StoreResult MemoryLayoutStore::formatsOf(const ListKey& list, QList<global::ListFormatRecord>& out)
{
    out.clear();
    StoreResult result;
    if (plannedFailure(QStringLiteral("formatsOf"), result))
        return result;
    for (const auto& [key, record] : formats_) {
        if (record.appName == list.appName && record.procId == list.procId
            && record.userId == list.userId && record.ctrlId == list.ctrlId)
            out.append(record);
    }
    return result;
}

StoreResult MemoryLayoutStore::add(const global::ListFormatRecord& record)
{
    StoreResult result;
    if (plannedFailure(QStringLiteral("addFormat"), result))
        return result;
    if (!formats_.emplace(keyOf(record), record).second)
        return {DuplicateKey, QStringLiteral("Creates Duplicate Key")};
    return result;
}

StoreResult MemoryLayoutStore::update(const global::ListFormatRecord& record)
{
    StoreResult result;
    if (plannedFailure(QStringLiteral("updateFormat"), result))
        return result;
    const auto it = formats_.find(keyOf(record));
    if (it == formats_.end())
        return {RecordNotFound, QStringLiteral("Record Not Found")};
    it->second = record;
    return result;
}

StoreResult MemoryLayoutStore::remove(const ListKey& list, int16_t formatId)
{
    StoreResult result;
    if (plannedFailure(QStringLiteral("removeFormat"), result))
        return result;
    if (formats_.erase({list.appName, list.procId, list.userId, list.ctrlId, formatId}) == 0)
        return {RecordNotFound, QStringLiteral("Record Not Found")};
    return result;
}

StoreResult MemoryLayoutStore::positionsOf(const QString& appName, const QString& procId, int16_t userId,
                                           QList<global::ControlPositionRecord>& out)
{
    out.clear();
    StoreResult result;
    if (plannedFailure(QStringLiteral("positionsOf"), result))
        return result;
    for (const auto& [key, record] : positions_) {
        if (record.appName == appName && record.procId == procId && record.userId == userId)
            out.append(record);
    }
    return result;
}

StoreResult MemoryLayoutStore::fetch(const QString& appName, const QString& procId, int16_t userId,
                                     const QString& controlName, global::ControlPositionRecord& out)
{
    StoreResult result;
    if (plannedFailure(QStringLiteral("fetch"), result))
        return result;
    const auto it = positions_.find({appName, procId, userId, controlName});
    if (it == positions_.end())
        return {RecordNotFound, QStringLiteral("Record Not Found")};
    out = it->second;
    return result;
}

StoreResult MemoryLayoutStore::add(const global::ControlPositionRecord& record)
{
    StoreResult result;
    if (plannedFailure(QStringLiteral("addPosition"), result))
        return result;
    if (!positions_.emplace(keyOf(record), record).second)
        return {DuplicateKey, QStringLiteral("Creates Duplicate Key")};
    return result;
}

StoreResult MemoryLayoutStore::update(const global::ControlPositionRecord& record)
{
    StoreResult result;
    if (plannedFailure(QStringLiteral("updatePosition"), result))
        return result;
    const auto it = positions_.find(keyOf(record));
    if (it == positions_.end())
        return {RecordNotFound, QStringLiteral("Record Not Found")};
    it->second = record;
    return result;
}

} // namespace layout
