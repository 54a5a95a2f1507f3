#pragma once
// One or two records in every table of a database, and how many each table holds, for the tests of
// the whole-database actions.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"

#include <QMap>
#include <QString>

namespace testing_support {

template <class R>
int addRecord(global::Database& db, const R& record)
{
    global::Table<R> table(db);
    return table.add(record);
}

template <class R>
qint64 countOf(global::Database& db)
{
    global::Table<R> table(db);
    return table.count(static_cast<typename global::Table<R>::Key>(0));
}

// Returns false when a record could not be added.
inline bool fillEveryTable(global::Database& db)
{
    using namespace global;
    bool ok = true;
    auto add = [&ok](int code) { ok = ok && code == 0; };
    add(addRecord(db, OrderRecord{1, 1, QStringLiteral("ZAM/1/2026"), QStringLiteral("Klient"), {}, {}}));
    add(addRecord(db, OrderRecord{2, 0, QStringLiteral("ZAM/2/2026"), QStringLiteral("Klient 2"), {}, {}}));
    add(addRecord(db, OrderProfileRecord{1, 1, 0, 1, QStringLiteral("AL-40"), 0}));
    add(addRecord(db, OrderProfileBlockedLengthRecord{1, 1, 1}));
    CutRecord cut;
    cut.id = 1; cut.orderId = 1; cut.orderProfileId = 1; cut.profileId = 1; cut.lenght = 1200; cut.pcs = 4;
    add(addRecord(db, cut));
    ProfileRecord profile;
    profile.id = 1; profile.profileCode = QStringLiteral("AL-40"); profile.remnantLenght = 600;
    add(addRecord(db, profile));
    ProfileLengthRecord length;
    length.id = 1; length.profileId = 1; length.lenght = 6000; length.intStock = 10;
    add(addRecord(db, length));
    StockTransRecord trans;
    trans.id = 1; trans.profileId = 1;
    add(addRecord(db, trans));
    StockTransItemRecord item;
    item.id = 1; item.idTrans = 1; item.profileLenght = 6000;
    add(addRecord(db, item));
    StockTransSubitemRecord sub;
    sub.id = 1; sub.idTransitem = 1; sub.idTrans = 1; sub.cutlenght = 1200;
    add(addRecord(db, sub));
    StockChangeRecord change;
    change.id = 1; change.profileId = 1; change.lenght = 6000;
    add(addRecord(db, change));
    add(addRecord(db, SetupParRecord{QStringLiteral("GLO:Saw_Width"), QStringLiteral("Szerokość piły"), QStringLiteral("4")}));
    add(addRecord(db, InterfaceMapRecord{QStringLiteral("CUTS"), QStringLiteral("LENGHT"), QStringLiteral("Długość"), {}, {}}));
    add(addRecord(db, StationRecord{QStringLiteral("STATION1"), 1}));
    ListFormatRecord format;
    format.appName = QStringLiteral("Barmond"); format.procId = QStringLiteral("Profiles"); format.userId = 1;
    format.ctrlId = 1; format.formatId = 1; format.formatName = QStringLiteral("&Default Format");
    add(addRecord(db, format));
    ControlPositionRecord position;
    position.appName = QStringLiteral("Barmond"); position.procId = QStringLiteral("Profiles"); position.userId = 1;
    position.controlName = QStringLiteral("?List"); position.w = 300; position.h = 200;
    add(addRecord(db, position));
    return ok;
}

// Number of records per table name.
inline QMap<QString, qint64> tableCounts(global::Database& db)
{
    using namespace global;
    return {{QStringLiteral("ORDERS"), countOf<OrderRecord>(db)},
            {QStringLiteral("ORDER_PROFILES"), countOf<OrderProfileRecord>(db)},
            {QStringLiteral("ORDER_PROFILES_BLK_LENGTHS"), countOf<OrderProfileBlockedLengthRecord>(db)},
            {QStringLiteral("CUTS"), countOf<CutRecord>(db)},
            {QStringLiteral("PROFILES"), countOf<ProfileRecord>(db)},
            {QStringLiteral("PROFILES_LENGHTS"), countOf<ProfileLengthRecord>(db)},
            {QStringLiteral("STOCK_TRANS"), countOf<StockTransRecord>(db)},
            {QStringLiteral("STOCK_TRANS_ITEMS"), countOf<StockTransItemRecord>(db)},
            {QStringLiteral("STOCK_TRANS_SUBITEMS"), countOf<StockTransSubitemRecord>(db)},
            {QStringLiteral("STOCK_CHANGE"), countOf<StockChangeRecord>(db)},
            {QStringLiteral("SETUP_PAR"), countOf<SetupParRecord>(db)},
            {QStringLiteral("INTERFACE_MAP"), countOf<InterfaceMapRecord>(db)},
            {QStringLiteral("STATIONS"), countOf<StationRecord>(db)},
            {QStringLiteral("LFM_CFile"), countOf<ListFormatRecord>(db)},
            {QStringLiteral("LFM_DFile"), countOf<ControlPositionRecord>(db)}};
}

} // namespace testing_support
