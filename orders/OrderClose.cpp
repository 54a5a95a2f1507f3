#include "orders/OrderUpdate.h"

namespace orders {

using namespace global;
using Orders = Table<OrderRecord>;
using Cuts = Table<CutRecord>;

namespace {

const QStringList YesNo{QStringLiteral("Tak"), QStringLiteral("Nie")};

bool isUncut(const CutRecord& piece)
{
    return piece.status == CutStatus::New || piece.status == CutStatus::Approved
           || piece.status == CutStatus::InProduction;
}

// What closing finds: the pieces of the order in open cutting orders and those never cut, as the
// messages list them (one line per piece, fields separated by tabs, "|" between lines).
struct CloseFindings {
    QString waiting;
    QString uncut;
    QList<uint32_t> uncutIds;
};

class Closing {
public:
    Closing(Database& db, const Services& services, uint32_t orderId)
        : db_(db), services_(services), orderId_(orderId)
    {
    }

    OrderResponse run()
    {
        OrderRecord order;
        CloseFindings asked;
        if (!read(order, asked))
            return OrderResponse::Cancelled;
        if (!asked.waiting.isEmpty())
            return refuseWaiting(asked);
        if (!confirmed(asked))
            return OrderResponse::Cancelled;

        Transaction transaction(db_, OrderLockWaitMs);
        if (!transaction.ok())
            return fail(QStringLiteral("Bład dmiany statusu zamówienia. Numer błędu = "), transaction.result(),
                        db_.lastErrorText());
        CloseFindings now;
        if (!read(order, now))
            return OrderResponse::Cancelled;
        if (!now.waiting.isEmpty())
            return refuseWaiting(now);
        if (now.uncutIds != asked.uncutIds)
            return refuse(QStringLiteral("Odcinki zamówienia %1 zostały zmienione na innym stanowisku. Zamknięcie "
                                         "niemożliwe.").arg(order.number));
        int code = 0;
        QString what;
        QString detail;
        Cuts cuts(db_);
        for (const uint32_t id : std::as_const(now.uncutIds)) {
            CutRecord piece;
            piece.id = id;
            code = cuts.fetch(Cuts::Auto, piece);
            if (code == 0) {
                piece.status = stored(CutStatus::Abandoned);
                code = cuts.update(piece);
            }
            if (code != 0) {
                what = QStringLiteral("Błąd zmiany statusu w tabeli odcinków. Numer błędu = ");
                detail = cuts.errorText();
                break;
            }
        }
        Orders orders(db_);
        if (code == 0) {
            code = orders.fetch(Orders::Auto, order);
            if (code == 0) {
                order.status = stored(OrderStatus::Closed);
                code = orders.update(order);
            }
            what = QStringLiteral("Bład dmiany statusu zamówienia. Numer błędu = ");
            detail = orders.errorText();
        }
        if (code == 0) {
            code = transaction.commit();
            detail = db_.lastErrorText();
        }
        if (code != 0) {
            transaction.rollback();
            return fail(what, code, detail);
        }
        return OrderResponse::Done;
    }

private:
    OrderResponse refuse(const QString& text)
    {
        services_.dialogs.message(text);
        return OrderResponse::Cancelled;
    }
    OrderResponse fail(const QString& what, int code, const QString& detail)
    {
        return refuse(failureText(what, code, detail));
    }
    OrderResponse refuseWaiting(const CloseFindings& findings)
    {
        return refuse(QStringLiteral("Następujące odcinki czekają na potwierdzenie wykonania w Poleceniach Cięcia||")
                      + findings.waiting
                      + QStringLiteral("|Zamknięcie niemożliwe przed usunięciem lub potwierdzeniem wykonania"));
    }

    bool confirmed(const CloseFindings& findings)
    {
        if (!findings.uncut.isEmpty())
            return services_.dialogs.ask(QStringLiteral("Następujące odcinki nie zostały wycięte:||") + findings.uncut
                                             + QStringLiteral("|Czy pomimo to chcesz zamknąć zamówienie ?"),
                                         YesNo) == 0;
        return services_.dialogs.ask(QStringLiteral("Czy na pewno zamknąć wskazane zamówienie ?"), YesNo) == 0;
    }

    // Reads the order and what closing depends on; false when that failed (reported).
    bool read(OrderRecord& order, CloseFindings& findings)
    {
        Orders orders(db_);
        order = OrderRecord{};
        order.id = orderId_;
        if (const int code = orders.fetch(Orders::Auto, order); code != 0) {
            refuse(QStringLiteral("Systemowy bład odwołania do wskazanego zamówienia. Nr błedu = %1").arg(code));
            return false;
        }
        return readWaiting(findings) && readUncut(findings);
    }

    // The pieces of this order in cutting orders not yet confirmed.
    bool readWaiting(CloseFindings& findings)
    {
        using Transactions = Table<StockTransRecord>;
        using Items = Table<StockTransItemRecord>;
        using Subitems = Table<StockTransSubitemRecord>;
        Transactions transactions(db_);
        Items items(db_);
        Subitems subitems(db_);
        StockTransRecord open;
        open.status = stored(TransactionStatus::Open);
        const QList<StockTransRecord> openOrders = transactions.rows(Transactions::ByStatus, open, 1);
        if (transactions.errorCode() != 0)
            return readFailure(QStringLiteral("STOCK_TRANS"), transactions.errorCode());
        for (const StockTransRecord& cuttingOrder : openOrders) {
            StockTransSubitemRecord prefix;
            prefix.idTrans = cuttingOrder.id;
            const QList<StockTransSubitemRecord> pieces = subitems.rows(Subitems::ByItem, prefix, 1);
            if (subitems.errorCode() != 0)
                return readFailure(QStringLiteral("STOCK_TRANS_SUBITEMS"), subitems.errorCode());
            for (const StockTransSubitemRecord& piece : pieces) {
                if (piece.orderId != orderId_)
                    continue;
                StockTransItemRecord bar;
                bar.id = piece.idTransitem;
                if (const int code = items.fetch(Items::Auto, bar); code != 0)
                    return readFailure(QStringLiteral("STOCK_TRANS_ITEMS"), code);
                findings.waiting += QStringLiteral("%1\t%2\t%3|")
                                        .arg(cuttingOrder.profileCode, QString::number(bar.profileLenght),
                                             QString::number(piece.cutlenght));
            }
        }
        return true;
    }

    // The pieces of this order never cut.
    bool readUncut(CloseFindings& findings)
    {
        Cuts cuts(db_);
        Table<OrderProfileRecord> positions(db_);
        CutRecord prefix;
        prefix.orderId = orderId_;
        const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, prefix, 1);
        if (cuts.errorCode() != 0)
            return readFailure(QStringLiteral("CUTS"), cuts.errorCode());
        for (const CutRecord& piece : pieces) {
            if (!isUncut(piece))
                continue;
            OrderProfileRecord position;
            position.id = piece.orderProfileId;
            if (const int code = positions.fetch(Table<OrderProfileRecord>::Auto, position); code != 0) {
                refuse(QStringLiteral("Błąd odwołania do pozycji zamówienia (profila). Numer błędu = %1").arg(code));
                return false;
            }
            findings.uncut += QStringLiteral("%1\t%2\t%3|").arg(position.profileCode, QString::number(piece.lenght),
                                                                          QString::number(piece.pcs));
            findings.uncutIds << piece.id;
        }
        return true;
    }

    bool readFailure(const QString& table, int code)
    {
        refuse(QStringLiteral("System Error after NEXT for %1 table. ErrorCode = %2").arg(table).arg(code));
        return false;
    }

    Database& db_;
    const Services& services_;
    uint32_t orderId_;
};

} // namespace

OrderResponse closeOrder(Database& db, const Services& services, uint32_t orderId)
{
    return Closing(db, services, orderId).run();
}

} // namespace orders
