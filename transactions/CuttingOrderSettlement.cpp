#include "transactions/CuttingOrderSettlement.h"

#include "global/Database.h"
#include "global/Services.h"
#include "global/StockBooking.h"
#include "global/Table.h"

#include <map>
#include <set>

namespace transactions {

using global::Table;

const QString NothingSavedText = QStringLiteral("Nic nie zostało zapisane.");

namespace {

constexpr int LockWaitMs = 3000;
constexpr int NameWidth = 20;

enum class Kind { Close, Reopen, Delete };

global::StockOperation operationOf(Kind kind)
{
    switch (kind) {
    case Kind::Close: return global::StockOperation::CuttingOrderConfirmed;
    case Kind::Reopen: return global::StockOperation::CuttingOrderReopened;
    case Kind::Delete: break;
    }
    return global::StockOperation::CuttingOrderDeleted;
}

// The change a bar brings to its stock length, and a remnant to the remnant's length.
global::StockMove barMove(Kind kind)
{
    switch (kind) {
    case Kind::Close: return global::StockMove{-1, 0, +1};
    case Kind::Reopen: return global::StockMove{+1, 0, -1};
    case Kind::Delete: break;
    }
    return global::StockMove{0, 0, +1};
}

global::StockMove remnantMove(Kind kind)
{
    switch (kind) {
    case Kind::Close: return global::StockMove{+1, 0, -1};
    case Kind::Reopen: return global::StockMove{-1, 0, +1};
    case Kind::Delete: break;
    }
    return global::StockMove{0, 0, -1};
}

// One run of closing, reopening or deleting; the first failure ends it with its message.
class Settlement {
public:
    Settlement(global::Database& db, const global::Services& services, uint32_t transaction, Kind kind)
        : db_(db), services_(services), transactionId_(transaction), kind_(kind),
          stamp_(global::LogStamp::of(services.clock, services.identity))
    {
    }

    SettlementResult run()
    {
        global::Transaction transaction(db_, LockWaitMs);
        if (!transaction.ok())
            return failed(QStringLiteral("Błąd podczas startu transakcji. Numer błędu = %1|%2")
                              .arg(transaction.result())
                              .arg(db_.lastErrorText()));
        global::StockBooking booking(db_, operationOf(kind_), stamp_, transactionId_);
        if (!readCuttingOrder())
            return failed(message_);
        if (booking.begin() != 0)
            return failed(booking.errorText());
        if (!updateCuts() || !updateStock(booking))
            return failed(message_);
        if (booking.finish() != 0)
            return failed(booking.errorText());
        if (!settleCuttingOrder() || !checkCloseOrders())
            return failed(message_);
        if (const int code = transaction.commit(); code != 0)
            return failed(QStringLiteral("Błąd zapisu transakcji do bazy. Error = %1|%2").arg(code).arg(db_.lastErrorText()));
        if (!notes_.isEmpty())
            services_.dialogs.message(notes_.join(QLatin1Char('|')));
        result_.done = true;
        return result_;
    }

private:
    SettlementResult failed(const QString& message)
    {
        db_.rollback();
        services_.dialogs.message(message + QLatin1Char('|') + NothingSavedText);
        return SettlementResult{};
    }

    bool fail(const QString& message)
    {
        message_ = message;
        return false;
    }

    // The cutting order as it is now; its status must still allow the run.
    bool readCuttingOrder()
    {
        order_.id = transactionId_;
        const int code = orders_.fetch(Table<global::StockTransRecord>::Auto, order_);
        if (code == global::err::RecordNotFound)
            return fail(QStringLiteral("Polecenie cięcia nr %1 nie istnieje: zostało usunięte na innym stanowisku. "
                                       "Zmiany niemożliwe")
                            .arg(transactionId_));
        if (code != 0)
            return fail(QStringLiteral("Systemowy błąd odwołania do rekordu polecenia cięcia. Nr błędu = %1").arg(code));
        const bool open = order_.status == global::TransactionStatus::Open;
        const bool confirmed = order_.status == global::TransactionStatus::Confirmed;
        switch (kind_) {
        case Kind::Close:
            if (!open)
                return fail(QStringLiteral("Polecenie cięcia nr %1 jest już potwierdzone (zmienione na innym stanowisku). "
                                           "Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe")
                                .arg(transactionId_));
            break;
        case Kind::Delete:
            if (!open)
                return fail(QStringLiteral("Polecenie cięcia nr %1 zostało w międzyczasie potwierdzone - produkcji "
                                           "potwierdzonej nie można usunąć. Rekord został zmieniony na innym "
                                           "stanowisku. Zmiany niemożliwe")
                                .arg(transactionId_));
            break;
        case Kind::Reopen:
            if (!confirmed)
                return fail(QStringLiteral("Polecenie cięcia nr %1 nie jest potwierdzone (zostało otwarte na innym "
                                           "stanowisku). Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe")
                                .arg(transactionId_));
            break;
        }
        return true;
    }

    // The status a piece takes: cut, back in production, or (deleting) the status of its order.
    bool pieceStatus(const global::CutRecord& cut, uint16_t& status)
    {
        switch (kind_) {
        case Kind::Close: status = global::stored(global::CutStatus::Cut); return true;
        case Kind::Reopen: status = global::stored(global::CutStatus::InProduction); return true;
        case Kind::Delete: break;
        }
        auto known = orderStatus_.find(cut.orderId);
        if (known == orderStatus_.end()) {
            Table<global::OrderRecord> orders(db_);
            global::OrderRecord order;
            order.id = cut.orderId;
            const int code = orders.fetch(Table<global::OrderRecord>::Auto, order);
            if (code != 0 && code != global::err::RecordNotFound)
                return fail(QStringLiteral("Systemowy błąd odwołania do zamówienia o wewnętrznym numerze %1 Błąd numer %2")
                                .arg(cut.orderId)
                                .arg(code));
            // A new order takes its pieces back as new; any other (or a missing one) as approved.
            const bool isNew = code == 0 && order.status == global::OrderStatus::New;
            known = orderStatus_
                        .emplace(cut.orderId, isNew ? global::stored(global::CutStatus::New)
                                                    : global::stored(global::CutStatus::Approved))
                        .first;
        }
        status = known->second;
        return true;
    }

    bool updateCuts()
    {
        Table<global::StockTransSubitemRecord> subitems(db_);
        global::StockTransSubitemRecord key;
        key.idTrans = transactionId_;
        const QList<global::StockTransSubitemRecord> pieces =
            subitems.rows(Table<global::StockTransSubitemRecord>::ByItem, key, 1);
        if (subitems.errorCode() != 0)
            return fail(QStringLiteral("Błąd akcji NEXT do STOCK_TRANS_SUBITEMS. Numer błędu = %1").arg(subitems.errorCode()));
        Table<global::CutRecord> cuts(db_);
        for (const global::StockTransSubitemRecord& piece : pieces) {
            global::CutRecord cut;
            cut.id = piece.cutlenghtId;
            if (const int code = cuts.fetch(Table<global::CutRecord>::Auto, cut); code != 0)
                return fail(kind_ == Kind::Delete
                                ? QStringLiteral("Błąd odwołania do odcinka o numerze %1 w tableli CUTS. Error = %2")
                                      .arg(piece.cutlenghtId)
                                      .arg(code)
                                : QStringLiteral("Błąd akcji GET do tabeli CUTS. Numer błędu = %1").arg(code));
            if (!pieceStatus(cut, cut.status))
                return false;
            cut.block = 0;
            if (const int code = cuts.update(cut); code != 0)
                return fail(kind_ == Kind::Delete
                                ? QStringLiteral("Błąd zmiany rekordu odcinka o numerze %1 w tableli CUTS. Error = %2")
                                      .arg(cut.id)
                                      .arg(code)
                                : QStringLiteral("Błąd akcji PUT do tabeli CUTS. Numer błędu = %1").arg(code));
            touchedOrders_.insert(cut.orderId);
            if (kind_ == Kind::Delete && !removePiece(subitems, piece))
                return false;
            ++result_.pieces;
        }
        return true;
    }

    bool removePiece(Table<global::StockTransSubitemRecord>& subitems, global::StockTransSubitemRecord piece)
    {
        int code = subitems.fetch(Table<global::StockTransSubitemRecord>::Auto, piece);
        if (code == 0)
            code = subitems.remove();
        if (code != 0)
            return fail(QStringLiteral("Błąd usuwania cięcia z polecenia. Error = %1").arg(code));
        return true;
    }

    bool updateStock(global::StockBooking& booking)
    {
        Table<global::StockTransItemRecord> items(db_);
        global::StockTransItemRecord key;
        key.idTrans = transactionId_;
        const QList<global::StockTransItemRecord> bars = items.rows(Table<global::StockTransItemRecord>::ByTrans, key, 1);
        if (items.errorCode() != 0)
            return fail(QStringLiteral("Błąd akcji NEXT do STOCK_TRANS_ITEMS. Numer błędu = %1").arg(items.errorCode()));
        for (const global::StockTransItemRecord& bar : bars) {
            if (booking.move(bar.profileLenghtId, barMove(kind_), order_.profileId, bar.profileLenght) != 0)
                return fail(barLengthMessage(booking, bar));
            if (bar.remnantId != 0) {
                uint32_t remnantLength = 0;
                if (!remnantLengthOf(bar, remnantLength))
                    return false;
                if (booking.move(remnantLength, remnantMove(kind_), order_.profileId, bar.scrap) != 0)
                    return fail(booking.errorText());
            }
            if (kind_ == Kind::Delete && !removeBar(items, bar))
                return false;
            ++result_.bars;
        }
        return true;
    }

    QString barLengthMessage(const global::StockBooking& booking, const global::StockTransItemRecord& bar) const
    {
        if (booking.failure() == global::StockBooking::Failure::ReadLength)
            return QStringLiteral("Błąd akcji GET do PROFILES_LENGHTS. Numer błędu = %1|Brakująca długość o numerze "
                                  "wewnętrznym %2|Długość = %3")
                .arg(booking.errorCode())
                .arg(bar.profileLenghtId)
                .arg(bar.profileLenght);
        if (booking.failure() == global::StockBooking::Failure::WriteLength)
            return QStringLiteral("Błąd akcji PUT do PROFILES_LENGHTS. Numer błędu = %1").arg(booking.errorCode());
        return booking.errorText();
    }

    bool removeBar(Table<global::StockTransItemRecord>& items, global::StockTransItemRecord bar)
    {
        int code = items.fetch(Table<global::StockTransItemRecord>::Auto, bar);
        if (code == 0)
            code = items.remove();
        if (code != 0)
            return fail(QStringLiteral("Błąd akcji DELETE z STOCK_TRANS_ITEMS. Error = %1").arg(code));
        return true;
    }

    // ---- the remnant's stock length, made again when it is missing or no longer fits -----------

    bool remnantLengthOf(const global::StockTransItemRecord& bar, uint32_t& lengthId)
    {
        const auto repaired = repairedRemnants_.find(bar.remnantId);
        if (repaired != repairedRemnants_.end()) {
            lengthId = repaired->second;
            return true;
        }
        Table<global::ProfileLengthRecord> lengths(db_);
        global::ProfileLengthRecord stored;
        stored.id = bar.remnantId;
        const int code = lengths.fetch(Table<global::ProfileLengthRecord>::Auto, stored);
        if (code == 0 && stored.profileId == order_.profileId && stored.lenght == bar.scrap) {
            lengthId = bar.remnantId;
            return true;
        }
        if (code != 0 && code != global::err::RecordNotFound)
            return fail(QStringLiteral("Błąd odwołania do odpadu użytkowego (akcja GET)||Id_Trans = %1|Remnant_Id = %2||"
                                       "Numer błędu = %3")
                            .arg(bar.idTrans)
                            .arg(bar.remnantId)
                            .arg(code));
        return recreateRemnantLength(bar, code == global::err::RecordNotFound, lengthId);
    }

    // The items of this profile's cutting orders that name the remnant length as the bar does,
    // and how many of them belong to open cutting orders (the reservations the length held).
    bool itemsNamingRemnant(const global::StockTransItemRecord& bar, QList<global::StockTransItemRecord>& naming,
                            int32_t& openCount)
    {
        Table<global::StockTransItemRecord> items(db_);
        const QList<global::StockTransItemRecord> all = items.rows(Table<global::StockTransItemRecord>::Auto);
        if (items.errorCode() != 0)
            return fail(QStringLiteral("Błąd akcji NEXT do STOCK_TRANS_ITEMS. Numer błędu = %1").arg(items.errorCode()));
        Table<global::StockTransRecord> orders(db_);
        std::map<uint32_t, global::StockTransRecord> orderOf;
        openCount = 0;
        for (const global::StockTransItemRecord& item : all) {
            if (item.remnantId != bar.remnantId || item.scrap != bar.scrap)
                continue;
            auto order = orderOf.find(item.idTrans);
            if (order == orderOf.end()) {
                global::StockTransRecord record;
                record.id = item.idTrans;
                if (orders.fetch(Table<global::StockTransRecord>::Auto, record) != 0)
                    continue;   // an item of no cutting order holds no reservation
                order = orderOf.emplace(record.id, record).first;
            }
            if (order->second.profileId != order_.profileId)
                continue;
            naming << item;
            if (order->second.status == global::TransactionStatus::Open)
                ++openCount;
        }
        return true;
    }

    bool recreateRemnantLength(const global::StockTransItemRecord& bar, bool idIsFree, uint32_t& lengthId)
    {
        QList<global::StockTransItemRecord> naming;
        int32_t reservations = 0;
        if (!itemsNamingRemnant(bar, naming, reservations))
            return false;

        // The profile's own record of that length when it has one (one record per length), else a
        // new one under the number the items name when that number is free.
        Table<global::ProfileLengthRecord> lengths(db_);
        global::ProfileLengthRecord target;
        target.profileId = order_.profileId;
        target.lenght = bar.scrap;
        int code = lengths.fetch(Table<global::ProfileLengthRecord>::ByProfile, target);
        if (code == global::err::RecordNotFound) {
            target = global::ProfileLengthRecord{};
            target.profileId = order_.profileId;
            target.lenght = bar.scrap;
            if (idIsFree) {
                target.id = bar.remnantId;
                code = lengths.add(target);
            } else {
                code = lengths.addWithNewIdentifier(target);
            }
        }
        if (code != 0)
            return fail(QStringLiteral("Operacja odtworzenia brakującego rekordu odpadu użytkowego %1 zakończona "
                                       "niepowodzeniem. Błąd numer  = %2")
                            .arg(bar.scrap)
                            .arg(code));

        global::StockBooking repair(db_, global::StockOperation::LengthAdded, stamp_);
        if (repair.begin() != 0 || repair.move(target.id, global::StockMove::inProduction(reservations)) != 0
            || repair.finish() != 0)
            return fail(repair.errorText());

        if (target.id != bar.remnantId) {
            Table<global::StockTransItemRecord> items(db_);
            for (global::StockTransItemRecord item : std::as_const(naming)) {
                int put = items.fetch(Table<global::StockTransItemRecord>::Auto, item);
                if (put == 0) {
                    item.remnantId = target.id;
                    put = items.update(item);
                }
                if (put != 0)
                    return fail(QStringLiteral("Błąd zmiany odpadu użytkowego pręta nr %1 w STOCK_TRANS_ITEMS. "
                                               "Numer błędu = %2")
                                    .arg(item.id)
                                    .arg(put));
            }
        }
        repairedRemnants_.emplace(bar.remnantId, target.id);
        ++result_.remnantsRecreated;
        notes_ << QStringLiteral("Brakująca długość odpadu użytkowego %1 (numer wewnętrzny %2) została odtworzona "
                                 "jako numer %3 z ilością w produkcji %4.")
                      .arg(bar.scrap)
                      .arg(bar.remnantId)
                      .arg(target.id)
                      .arg(reservations);
        lengthId = target.id;
        return true;
    }

    // ---- the cutting order and the orders ----------------------------------------------------

    bool settleCuttingOrder()
    {
        if (kind_ == Kind::Delete) {
            if (const int code = orders_.remove(); code != 0)
                return fail(QStringLiteral("Błąd usuwania pocecenia cęcia z bazy. Error = %1").arg(code));
            return true;
        }
        order_.status = global::stored(kind_ == Kind::Close ? global::TransactionStatus::Confirmed
                                                            : global::TransactionStatus::Open);
        order_.dateConfirmed = stamp_.now.date();
        order_.timeConfirmed = stamp_.now.time();
        order_.operatorConfirmed = stamp_.operatorName.left(NameWidth);
        order_.computerConfirmed = stamp_.station.left(NameWidth);
        if (const int code = orders_.update(order_); code != 0)
            return fail(QStringLiteral("Błąd zmiany statusu polecenia cęcia z bazy. Error = %1").arg(code));
        return true;
    }

    // An order is closed when every piece is cut or abandoned, else approved. Deleting leaves the
    // orders as they are.
    bool checkCloseOrders()
    {
        if (kind_ == Kind::Delete)
            return true;
        Table<global::OrderRecord> orders(db_);
        Table<global::CutRecord> cuts(db_);
        for (const uint32_t orderId : touchedOrders_) {
            global::OrderRecord order;
            order.id = orderId;
            if (const int code = orders.fetch(Table<global::OrderRecord>::Auto, order); code != 0)
                return fail(QStringLiteral("Systemowy błąd odwołania do zamówienia o wewnętrznym numerze %1 Błąd numer %2")
                                .arg(orderId)
                                .arg(code));
            global::CutRecord key;
            key.orderId = orderId;
            const QList<global::CutRecord> pieces = cuts.rows(Table<global::CutRecord>::ByOrderProfile, key, 1);
            if (cuts.errorCode() != 0)
                return fail(QStringLiteral("ErrorCode after NEXT for CUTS table. ErrorCode = %1").arg(cuts.errorCode()));
            bool allDone = true;
            for (const global::CutRecord& piece : pieces)
                allDone = allDone && (piece.status == global::CutStatus::Cut || piece.status == global::CutStatus::Abandoned);
            const uint16_t status = global::stored(allDone ? global::OrderStatus::Closed : global::OrderStatus::Approved);
            ++result_.ordersTouched;
            result_.ordersClosed += allDone ? 1 : 0;
            if (order.status == status)
                continue;
            order.status = status;
            if (const int code = orders.update(order); code != 0)
                return fail(QStringLiteral("Bład zmiany statusu zamówienia numer %1 Błąd numer %2").arg(order.number, QString::number(code)));
        }
        return true;
    }

    global::Database& db_;
    const global::Services& services_;
    uint32_t transactionId_;
    Kind kind_;
    global::LogStamp stamp_;

    Table<global::StockTransRecord> orders_{db_};
    global::StockTransRecord order_;
    std::map<uint32_t, uint16_t> orderStatus_;      // deleting: the status a piece of the order takes
    std::set<uint32_t> touchedOrders_;               // TB1
    std::map<uint32_t, uint32_t> repairedRemnants_;  // remnant number named -> length made again
    QStringList notes_;
    SettlementResult result_;
    QString message_;
};

} // namespace

SettlementResult closeTransaction(global::Database& db, const global::Services& services, uint32_t transaction,
                                  CloseMode mode)
{
    return Settlement(db, services, transaction, mode == CloseMode::Close ? Kind::Close : Kind::Reopen).run();
}

SettlementResult deleteTransaction(global::Database& db, const global::Services& services, uint32_t transaction)
{
    return Settlement(db, services, transaction, Kind::Delete).run();
}

} // namespace transactions
