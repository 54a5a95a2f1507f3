#include "optimizer/PieceRecords.h"

#include "global/Database.h"
#include "global/Table.h"

namespace kadrel {

namespace {

template <class R>
const R* lookUp(global::Database& db, uint32_t id, std::unordered_map<uint32_t, R>& found,
                std::unordered_set<uint32_t>& missing, int& errorCode)
{
    if (const auto it = found.find(id); it != found.end())
        return &it->second;
    if (missing.contains(id))
        return nullptr;
    global::Table<R> table(db);
    R record;
    record.id = id;
    const int code = table.fetch(global::Table<R>::Auto, record);
    if (code != 0) {
        if (code != global::err::RecordNotFound)
            errorCode = code;
        missing.insert(id);
        return nullptr;
    }
    return &found.emplace(id, record).first->second;
}

} // namespace

const global::CutRecord* PieceRecords::cut(uint32_t cutId)
{
    return lookUp(db_, cutId, cuts_, missingCuts_, errorCode_);
}

const global::OrderRecord* PieceRecords::order(uint32_t orderId)
{
    return lookUp(db_, orderId, orders_, missingOrders_, errorCode_);
}

const global::OrderRecord* PieceRecords::orderOfCut(uint32_t cutId)
{
    const global::CutRecord* c = cut(cutId);
    return c == nullptr ? nullptr : order(c->orderId);
}

} // namespace kadrel
