#include "transactions/PrintTables.h"

#include "global/Database.h"
#include "global/Table.h"
#include "optimizer/SolutionAcceptance.h"

#include <algorithm>

namespace transactions {

using global::Table;

namespace {
constexpr int LockWaitMs = 3000;
}

bool renumberPrintOrder(global::Database& db, kadrel::SolutionItemTable& bars, QString& error)
{
    std::stable_sort(bars.begin(), bars.end(), [](const kadrel::SolutionItemRow& a, const kadrel::SolutionItemRow& b) {
        return a.lenght != b.lenght ? a.lenght < b.lenght : a.id < b.id;
    });
    global::Transaction transaction(db, LockWaitMs);
    if (!transaction.ok()) {
        error = QStringLiteral("Błąd podczas startu transakcji. Numer błędu = %1|%2")
                    .arg(transaction.result())
                    .arg(db.lastErrorText());
        return false;
    }
    Table<global::StockTransItemRecord> items(db);
    uint32_t number = 0;
    for (kadrel::SolutionItemRow& bar : bars) {
        bar.printId = ++number;
        global::StockTransItemRecord item;
        item.id = bar.id;
        const int code = items.fetch(Table<global::StockTransItemRecord>::Auto, item);
        if (code == global::err::RecordNotFound)
            continue;
        int put = code;
        if (code == 0) {
            item.printId = bar.printId;
            put = items.update(item);
        }
        if (put != 0) {
            error = QStringLiteral("Error after PUT for print order no for STOCK_TRANS_ITEMS table. ErrorCode = %1").arg(put);
            return false;
        }
    }
    if (const int code = transaction.commit(); code != 0) {
        error = QStringLiteral("Error after PUT for print order no for STOCK_TRANS_ITEMS table. ErrorCode = %1").arg(code);
        return false;
    }
    return true;
}

bool createPrintTables(global::Database& db, uint32_t transaction, PrintTables& tables, QString& error)
{
    tables = PrintTables{};
    Table<global::StockTransRecord> orders(db);
    global::StockTransRecord order;
    order.id = transaction;
    if (const int code = orders.fetch(Table<global::StockTransRecord>::Auto, order); code != 0) {
        error = QStringLiteral("Brak polecenia cięcia nr %1. Numer błędu = %2").arg(transaction).arg(code);
        return false;
    }
    tables.profile = order.profileId;
    if (!kadrel::storedCuttingOrderLists(db, transaction, tables.bars, tables.pieces, error))
        return false;
    // The stored print numbers (the lists above are read without them).
    Table<global::StockTransItemRecord> items(db);
    global::StockTransItemRecord key;
    key.idTrans = transaction;
    bool someUnnumbered = false;
    const QList<global::StockTransItemRecord> stored = items.rows(Table<global::StockTransItemRecord>::ByTrans, key, 1);
    if (items.errorCode() != 0) {
        error = QStringLiteral("System Error after NEXt for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(items.errorCode());
        return false;
    }
    for (const global::StockTransItemRecord& item : stored) {
        someUnnumbered = someUnnumbered || item.printId == 0;
        for (kadrel::SolutionItemRow& bar : tables.bars)
            if (bar.id == item.id)
                bar.printId = item.printId;
    }
    if (!someUnnumbered)
        return true;
    if (!renumberPrintOrder(db, tables.bars, error))
        return false;
    tables.renumbered = true;
    return true;
}

} // namespace transactions
