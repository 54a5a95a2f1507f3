#include "global/HeatNumber.h"

#include "global/RiRoutines.h"
#include "global/Table.h"

namespace global {

namespace {

constexpr int LockWaitMs = 3000;
constexpr int HeatNumberWidth = 20;

bool sameBar(const StockTransItemRecord& a, const StockTransItemRecord& b)
{
    return toStoredValues(a) == toStoredValues(b);
}

} // namespace

QString storedHeatNumber(const QString& typed)
{
    QString number = typed.left(HeatNumberWidth);
    while (number.endsWith(QLatin1Char(' ')))
        number.chop(1);
    return number;
}

HeatNumberSave saveHeatNumber(Database& db, Dialogs& dialogs, const StockTransItemRecord& loaded,
                              const QString& heatNumber, StockTransItemRecord& stored)
{
    const QString number = storedHeatNumber(heatNumber);
    stored = loaded;
    if (number == storedHeatNumber(loaded.heatNumber))
        return HeatNumberSave::Unchanged;

    Transaction tx(db, LockWaitMs);
    if (!tx.ok()) {
        dialogs.message(QStringLiteral("Błąd podczas otwarcia transakcji. Nie mozna zapisać danych. Prawdopodobnie "
                                       "tabela jest blokowana przez inny proces. Numer błędu = %1")
                            .arg(tx.result()));
        return HeatNumberSave::Failed;
    }
    Table<StockTransItemRecord> bars(db);
    StockTransItemRecord current;
    current.id = loaded.id;
    bars.watch();
    if (const int code = bars.fetch(Table<StockTransItemRecord>::Auto, current); code != 0) {
        if (code == err::RecordNotFound) {
            dialogs.message(QStringLiteral("Pręt %1 dyspozycji %2 został usunięty na innym stanowisku. Zmiany niemożliwe")
                                .arg(loaded.id)
                                .arg(loaded.idTrans));
            return HeatNumberSave::Gone;
        }
        dialogs.message(QStringLiteral("System Error after GET for STOCK_TRANS_ITEMS. ErrorCode = %1").arg(code));
        return HeatNumberSave::Failed;
    }
    // The bar on the form was read some time ago: writing over another station's change would lose it.
    if (!sameBar(current, loaded)) {
        stored = current;
        dialogs.message(QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe.|"
                                       "Numer wytopu pręta %1 jest teraz \"%2\".")
                            .arg(current.id)
                            .arg(current.heatNumber),
                        QStringLiteral("Record Was Not Updated"));
        return HeatNumberSave::ChangedElsewhere;
    }
    StockTransItemRecord changed = current;
    changed.heatNumber = number;
    switch (riUpdateStockTransItems(bars, changed, true, dialogs)) {
    case ri::Done: break;
    case ri::ChangedByOtherStation:
        stored = changed;   // the update routine has read the other station's bar and shown it
        return HeatNumberSave::ChangedElsewhere;
    default: return HeatNumberSave::Failed;   // the update routine has shown the error
    }
    if (const int code = tx.commit(); code != 0) {
        dialogs.message(QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
        return HeatNumberSave::Failed;
    }
    stored = changed;
    return HeatNumberSave::Stored;
}

} // namespace global
