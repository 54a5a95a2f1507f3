#include "global/StockLog.h"

#include <limits>

namespace global {

namespace {

constexpr uint32_t HighestId = std::numeric_limits<uint32_t>::max();

// The latest record of a key group read backwards from its highest identifier; 33 when none.
int latestOfLength(Database& db, uint32_t profileId, uint32_t lenght, StockChangeRecord& out)
{
    Table<StockChangeRecord> log(db);
    StockChangeRecord from;
    from.profileId = profileId;
    from.lenght = lenght;
    from.id = HighestId;
    log.set(Table<StockChangeRecord>::ByProfileLenght, from, 3);
    const int code = log.previous(out);
    if (code == 0 && (out.profileId != profileId || out.lenght != lenght))
        return err::NoMoreRecords;
    return code;
}

int latestOfProfile(Database& db, uint32_t profileId, StockChangeRecord& out)
{
    Table<StockChangeRecord> log(db);
    StockChangeRecord from;
    from.profileId = profileId;
    from.id = HighestId;
    log.set(Table<StockChangeRecord>::ByProfile, from, 2);
    const int code = log.previous(out);
    if (code == 0 && out.profileId != profileId)
        return err::NoMoreRecords;
    return code;
}

double metres(int32_t pieces, uint32_t lenght)
{
    return double(pieces) * double(lenght) / 1000.0;
}

} // namespace

int addStockChange(Table<StockChangeRecord>& log, StockChangeRecord& rec)
{
    Database& db = log.core().database();
    StockChangeRecord length;
    int code = latestOfLength(db, rec.profileId, rec.lenght, length);
    if (code == err::NoMoreRecords)
        length = StockChangeRecord{};
    else if (code != 0)
        return log.core().fail(code, QStringLiteral("Reading the stock log of the length: ") + errorDescription(code));
    StockChangeRecord profile;
    code = latestOfProfile(db, rec.profileId, profile);
    if (code == err::NoMoreRecords)
        profile = StockChangeRecord{};
    else if (code != 0)
        return log.core().fail(code, QStringLiteral("Reading the stock log of the profile: ") + errorDescription(code));

    carryTotals(length, profile, rec);
    return log.addWithNewIdentifier(rec);
}

void carryTotals(const StockChangeRecord& lengthBefore, const StockChangeRecord& profileBefore, StockChangeRecord& rec)
{
    rec.finalIntStock = lengthBefore.finalIntStock + rec.changeIntStock;
    rec.finalExtStock = lengthBefore.finalExtStock + rec.changeExtStock;
    rec.finnalIncStock = lengthBefore.finnalIncStock + rec.changeIncomStock;
    rec.profileIntStock = profileBefore.profileIntStock + metres(rec.changeIntStock, rec.lenght);
    rec.profileExtStock = profileBefore.profileExtStock + metres(rec.changeExtStock, rec.lenght);
    rec.profileIncStock = profileBefore.profileIncStock + metres(rec.changeIncomStock, rec.lenght);
}

} // namespace global
