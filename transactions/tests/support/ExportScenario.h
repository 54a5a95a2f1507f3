#pragma once
// Cutting orders written straight into the tables, with the bars and pieces of each, for the tests
// and the benchmark of the export into workbooks.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Table.h"

#include <QDate>
#include <QString>

#include <stdexcept>
#include <string>

namespace testing_support {

// Throws when a record cannot be written: the scenario is then not what the caller expects.
inline void written(int code, const char* what)
{
    if (code != 0)
        throw std::runtime_error(std::string("cannot add ") + what + ", error " + std::to_string(code));
}

struct ExportBar {
    uint32_t id;
    uint32_t length;
    uint32_t cut;
    uint32_t leftover;
    uint32_t remnantId;   // > 0: the leftover went back to stock as a remnant
    QString heat;
    QList<uint32_t> pieces;   // lengths
};

inline void addProfile(global::Database& db, uint32_t id, const QString& code, double weight)
{
    global::ProfileRecord profile;
    profile.id = id;
    profile.profileCode = code;
    profile.weight = weight;
    profile.remnantLenght = 600;
    written(global::Table<global::ProfileRecord>(db).add(profile), "a profile");
}

// Adds the cutting order with its bars; each piece gets the identifier bar id * 100 + its place,
// the order "ZL/<cutting order>", the code "K<piece id>" and two descriptions.
inline void addCuttingOrder(global::Database& db, const global::StockTransRecord& order, const QList<ExportBar>& bars)
{
    written(global::Table<global::StockTransRecord>(db).add(order), "a cutting order");
    global::Table<global::StockTransItemRecord> items(db);
    global::Table<global::StockTransSubitemRecord> subitems(db);
    for (const ExportBar& bar : bars) {
        global::StockTransItemRecord item;
        item.id = bar.id;
        item.idTrans = order.id;
        item.profileLenght = bar.length;
        item.cutlenghts = bar.cut;
        item.scrap = bar.leftover;
        item.remnantId = bar.remnantId;
        item.heatNumber = bar.heat;
        written(items.add(item), "a bar");
        for (int i = 0; i < bar.pieces.size(); ++i) {
            global::StockTransSubitemRecord piece;
            piece.id = bar.id * 100 + uint32_t(i) + 1;
            piece.idTransitem = bar.id;
            piece.idTrans = order.id;
            piece.cutlenght = bar.pieces[i];
            piece.order = QStringLiteral("ZL/%1").arg(order.id);
            piece.code = QStringLiteral("K%1").arg(piece.id);
            piece.descr1 = QStringLiteral("Słupek");
            piece.descr2 = QStringLiteral("lewy");
            written(subitems.add(piece), "a piece");
        }
    }
}

// A cutting order of `bars` bars of 6000, each cut into four pieces of 1400 with 400 left over,
// every second leftover a remnant.
inline void addPlainCuttingOrder(global::Database& db, uint32_t id, uint32_t profile, int bars)
{
    global::StockTransRecord order;
    order.id = id;
    order.profileId = profile;
    order.profileCode = QStringLiteral("KW 60x60");
    order.documentDescr = QStringLiteral("Zlecenie %1").arg(id);
    order.productionDate = QDate(2026, 4, 1).addDays(id % 30);
    order.totalLenght = 6.0 * bars;
    order.totalCutLengts = 5.6 * bars;
    order.totalRemnant = 0.4 * (bars / 2);
    order.totalScrap = 0.4 * (bars - bars / 2);
    order.totalProfilesPcs = uint32_t(bars);
    order.totelRemnantPcs = uint32_t(bars / 2);
    order.totalCutPcs = uint32_t(bars) * 4;
    order.operatorCreated = QStringLiteral("planista");
    order.computerCreated = QStringLiteral("BIURO-2");
    QList<ExportBar> list;
    for (int i = 0; i < bars; ++i) {
        const uint32_t bar = id * 1000 + uint32_t(i) + 1;
        list << ExportBar{bar, 6000, 5600, 400, i % 2 ? bar : 0, QStringLiteral("W%1").arg(bar), {1400, 1400, 1400, 1400}};
    }
    addCuttingOrder(db, order, list);
}

} // namespace testing_support
