#include "optimizer/DatabaseInput.h"

#include "global/Table.h"

namespace kadrel {

namespace {

template <class R>
int fetchBy(global::Database& db, typename global::Table<R>::Key key, R& record)
{
    global::Table<R> table(db);
    return table.fetch(key, record);
}

// Every record of a key range, in key order, given the leading key components in prefix.
template <class R>
int readRange(global::Database& db, typename global::Table<R>::Key key, const R& prefix, int components,
              std::vector<R>& out)
{
    out.clear();
    global::Table<R> table(db);
    const QList<R> rows = table.rows(key, prefix, components);
    if (const int code = table.errorCode(); code != 0)
        return code;
    out.assign(rows.begin(), rows.end());
    return 0;
}

} // namespace

int DatabaseInput::fetchOrder(uint32_t orderId, global::OrderRecord& out)
{
    out = {};
    out.id = orderId;
    return fetchBy(db_, global::Table<global::OrderRecord>::Auto, out);
}

int DatabaseInput::fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out)
{
    out = {};
    out.id = orderProfileId;
    return fetchBy(db_, global::Table<global::OrderProfileRecord>::Auto, out);
}

int DatabaseInput::fetchProfile(uint32_t profileId, global::ProfileRecord& out)
{
    out = {};
    out.id = profileId;
    return fetchBy(db_, global::Table<global::ProfileRecord>::Auto, out);
}

int DatabaseInput::fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out)
{
    out = {};
    out.id = lengthId;
    return fetchBy(db_, global::Table<global::ProfileLengthRecord>::Auto, out);
}

int DatabaseInput::cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId, std::vector<global::CutRecord>& out)
{
    global::CutRecord prefix;
    prefix.orderId = orderId;
    prefix.orderProfileId = orderProfileId;
    return readRange(db_, global::Table<global::CutRecord>::ByOrderProfile, prefix, 2, out);
}

int DatabaseInput::cutsOfProfileStatus(uint32_t profileId, uint16_t status, std::vector<global::CutRecord>& out)
{
    global::CutRecord prefix;
    prefix.profileId = profileId;
    prefix.status = status;
    return readRange(db_, global::Table<global::CutRecord>::ByProfileStatus, prefix, 2, out);
}

int DatabaseInput::activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out)
{
    global::ProfileLengthRecord prefix;
    prefix.profileId = profileId;
    prefix.status = 0;
    return readRange(db_, global::Table<global::ProfileLengthRecord>::ProfileActive, prefix, 2, out);
}

int DatabaseInput::lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out)
{
    global::ProfileLengthRecord prefix;
    prefix.profileId = profileId;
    return readRange(db_, global::Table<global::ProfileLengthRecord>::ByProfile, prefix, 1, out);
}

} // namespace kadrel
