#include "transactions/DescriptionForm.h"

#include "global/Database.h"
#include "global/Services.h"
#include "global/Table.h"
#include "transactions/CuttingOrderSettlement.h"

namespace transactions {

using global::Table;

namespace {
constexpr int LockWaitMs = 3000;
constexpr int Done = 1;
constexpr int Refused = 2;
constexpr int DescriptionWidth = 80;
} // namespace

int saveDescription(global::Database& db, const global::Services& services, const global::StockTransRecord& loaded,
                    const DescriptionEntry& entry, global::StockTransRecord& stored)
{
    const auto refuse = [&](const QString& text) {
        db.rollback();
        services.dialogs.message(text + QLatin1Char('|') + NothingSavedText);
        return Refused;
    };
    global::Transaction transaction(db, LockWaitMs);
    if (!transaction.ok())
        return refuse(QStringLiteral("Błąd podczas startu transakcji. Numer błędu = %1|%2")
                          .arg(transaction.result())
                          .arg(db.lastErrorText()));
    Table<global::StockTransRecord> orders(db);
    global::StockTransRecord current;
    current.id = loaded.id;
    if (const int code = orders.fetch(Table<global::StockTransRecord>::Auto, current); code != 0)
        return refuse(QStringLiteral("Systemowy błąd odwołania do rekordu polecenia cięcia. Nr błędu = %1").arg(code));
    if (current.status != loaded.status)
        return refuse(QStringLiteral("Polecenie cięcia nr %1 zostało w międzyczasie %2 na innym stanowisku. Rekord "
                                     "został zmieniony na innym stanowisku. Zmiany niemożliwe")
                          .arg(loaded.id)
                          .arg(current.status == global::TransactionStatus::Open ? QStringLiteral("otwarte")
                                                                                 : QStringLiteral("potwierdzone")));
    current.documentDescr = entry.documentDescr.left(DescriptionWidth);
    current.productionDate = entry.productionDate;
    if (const int code = orders.update(current); code != 0)
        return refuse(QStringLiteral("Bład aktualizacji rekordu. Numer błędu = %1").arg(code));
    if (const int code = transaction.commit(); code != 0)
        return refuse(QStringLiteral("Bład aktualizacji rekordu. Numer błędu = %1|%2").arg(code).arg(db.lastErrorText()));
    stored = current;
    return Done;
}

} // namespace transactions
