#include "optimizer/RecordSetInput.h"

#include "global/ErrorCodes.h"

#include <algorithm>

namespace kadrel {

namespace {

template <class Record>
int fetchById(const std::vector<Record>& records, uint32_t id, Record& out)
{
    const auto it = std::find_if(records.begin(), records.end(), [&](const Record& r) { return r.id == id; });
    if (it == records.end())
        return global::err::RecordNotFound;
    out = *it;
    return 0;
}

// Longest first, then by identifier: the tail of the keys CUT:By_Order_Profile, CUT:By_Profile_Status,
// PROFL:By_Profile and PROFL:Profile_Active once their leading components are fixed.
template <class Record>
void sortLongestFirst(std::vector<Record>& records)
{
    std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        if (a.lenght != b.lenght)
            return a.lenght > b.lenght;
        return a.id < b.id;
    });
}

template <class Record, class Pred>
int selectLongestFirst(const std::vector<Record>& records, Pred pred, std::vector<Record>& out)
{
    out.clear();
    std::copy_if(records.begin(), records.end(), std::back_inserter(out), pred);
    sortLongestFirst(out);
    return 0;
}

} // namespace

int RecordSetInput::fetchOrder(uint32_t orderId, global::OrderRecord& out)
{
    return fetchById(orders, orderId, out);
}

int RecordSetInput::fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out)
{
    return fetchById(orderProfiles, orderProfileId, out);
}

int RecordSetInput::fetchProfile(uint32_t profileId, global::ProfileRecord& out)
{
    return fetchById(profiles, profileId, out);
}

int RecordSetInput::fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out)
{
    return fetchById(lengths, lengthId, out);
}

int RecordSetInput::cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId,
                                       std::vector<global::CutRecord>& out)
{
    return selectLongestFirst(cuts, [&](const global::CutRecord& c) {
        return c.orderId == orderId && c.orderProfileId == orderProfileId;
    }, out);
}

int RecordSetInput::cutsOfProfileStatus(uint32_t profileId, uint16_t status, std::vector<global::CutRecord>& out)
{
    return selectLongestFirst(cuts, [&](const global::CutRecord& c) {
        return c.profileId == profileId && c.status == status;
    }, out);
}

int RecordSetInput::activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out)
{
    return selectLongestFirst(lengths, [&](const global::ProfileLengthRecord& l) {
        return l.profileId == profileId && l.status == 0;
    }, out);
}

int RecordSetInput::lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out)
{
    return selectLongestFirst(lengths, [&](const global::ProfileLengthRecord& l) {
        return l.profileId == profileId;
    }, out);
}

} // namespace kadrel
