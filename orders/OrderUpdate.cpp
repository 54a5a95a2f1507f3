#include "orders/OrderUpdate.h"

namespace orders {

using namespace global;
using Orders = Table<OrderRecord>;
using Positions = Table<OrderProfileRecord>;
using Cuts = Table<CutRecord>;

namespace {

const QStringList YesNo{QStringLiteral("Tak"), QStringLiteral("Nie")};

QString changedElsewhereText()
{
    return QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe");
}

QString missingOrderText(uint32_t orderId)
{
    return QStringLiteral("Zamówienie numer %1 nie istnieje (zostało usunięte na innym stanowisku).").arg(orderId);
}

bool sameOrder(const OrderRecord& a, const OrderRecord& b)
{
    return toStoredValues(a) == toStoredValues(b);
}

bool isWorkingStatus(uint16_t status)
{
    return status == OrderStatus::New || status == OrderStatus::Approved;
}

} // namespace

OrderUpdate::OrderUpdate(Database& db, const Services& services) : db_(db), services_(services) {}

OrderResponse OrderUpdate::refuse(const QString& text)
{
    lastMessage_ = text;
    services_.dialogs.message(text);
    services_.beeper.beep();
    return OrderResponse::Cancelled;
}

OrderResponse OrderUpdate::fail(const QString& what, int code, const QString& detail)
{
    return refuse(failureText(what, code, detail));
}

QString OrderUpdate::statusRefusal(uint16_t status) const
{
    return status == OrderStatus::New
               ? QStringLiteral("Zmiana statusu na NOWE niemożliwa po zapisaniu transakcji magazynowej (polecenia "
                                "cięcia) do bazy.")
               : QStringLiteral("Zmiana statusu na ZATWIERDZONE niemożliwa po zapisaniu transakcji magazynowej "
                                "(polecenia cięcia) do bazy.");
}

bool OrderUpdate::numberTaken(const OrderRecord& order, int& code, QString& detail)
{
    Orders orders(db_);
    OrderRecord other;
    other.number = order.number;
    code = orders.fetch(Orders::ByNo, other);
    detail = orders.errorText();
    if (code == err::RecordNotFound) {
        code = 0;
        return false;
    }
    return code == 0 && other.id != order.id;
}

int OrderUpdate::cascade(uint32_t orderId, uint16_t status, QString& what, QString& detail)
{
    Cuts cuts(db_);
    CutRecord prefix;
    prefix.orderId = orderId;
    const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, prefix, 1);
    if (cuts.errorCode() != 0) {
        what = QStringLiteral("System Error after NEXT for Cuts. ErrorCode = ");
        detail = cuts.errorText();
        return cuts.errorCode();
    }
    for (CutRecord piece : pieces) {
        if (piece.status == status)
            continue;
        int code = cuts.fetch(Cuts::Auto, piece);
        if (code == 0) {
            piece.status = status;
            code = cuts.update(piece);
        }
        if (code != 0) {
            what = QStringLiteral("System Error after PUT for CUTS table. ErrorCode = ");
            detail = cuts.errorText();
            return code;
        }
    }
    return 0;
}

OrderResponse OrderUpdate::insert(OrderRecord& order)
{
    lastMessage_.clear();
    if (order.number.trimmed().isEmpty())
        return refuse(QStringLiteral("Wprowadź numer zlecenia / zamówienia"));
    OrderRecord added = order;
    added.id = 0;
    added.status = stored(OrderStatus::New);
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error adding new record for orders table. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    int code = 0;
    QString detail;
    if (numberTaken(added, code, detail)) {
        refuse(QStringLiteral("Zlecenie / zamówienie o takim numerze już istnieje. Duplikat niemożliwy"));
        return OrderResponse::Duplicate;
    }
    Orders orders(db_);
    if (code == 0) {
        code = orders.addWithNewIdentifier(added);
        detail = orders.errorText();
    }
    if (code == 0) {
        code = transaction.commit();
        detail = db_.lastErrorText();
    }
    if (code != 0) {
        transaction.rollback();
        return fail(QStringLiteral("Error adding new record for orders table. ErrorCode = "), code, detail);
    }
    order = added;
    return OrderResponse::Done;
}

OrderResponse OrderUpdate::change(const OrderRecord& loaded, OrderRecord& order)
{
    lastMessage_.clear();
    if (order.number.trimmed().isEmpty())
        return refuse(QStringLiteral("Wprowadź numer zlecenia / zamówienia"));
    OrderRecord edited = order;
    edited.id = loaded.id;
    edited.status = loaded.status;
    if (!isWorkingStatus(edited.status))
        return refuse(QStringLiteral("Zamówienie %1 jest zamknięte. Zmiany niemożliwe.").arg(loaded.number));

    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error updating current record. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Orders orders(db_);
    OrderRecord current;
    current.id = loaded.id;
    int code = orders.fetch(Orders::Auto, current);
    if (code == err::RecordNotFound)
        return refuse(missingOrderText(loaded.id));
    if (code != 0)
        return fail(QStringLiteral("Error selecting ORDER from table. ErrorCode = "), code, orders.errorText());
    if (!sameOrder(current, loaded))
        return refuse(changedElsewhereText());
    QString detail;
    if (numberTaken(edited, code, detail)) {
        refuse(QStringLiteral("Zlecenie / zamówienie o takim numerze już istnieje. Duplikat niemożliwy"));
        order = edited;
        return OrderResponse::Duplicate;
    }
    if (code != 0)
        return fail(QStringLiteral("System Error after GET for ORDERS record. ErrorCode = "), code, detail);
    uint16_t level = 0;
    if (const int read = statusLevel(db_, edited.id, 0, level); read != 0)
        return fail(QStringLiteral("System Error after NEXT for Cuts. ErrorCode = "), read, {});
    if (level >= stored(CutStatus::InProduction))
        return refuse(statusRefusal(edited.status));

    QString what;
    code = cascade(edited.id, edited.status, what, detail);
    if (code == 0) {
        code = orders.fetch(Orders::Auto, current);
        if (code == 0)
            code = orders.update(edited);
        what = QStringLiteral("Error updating current record. ErrorCode = ");
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
    order = edited;
    return OrderResponse::Done;
}

OrderResponse OrderUpdate::setStatus(uint32_t orderId, OrderStatus status, std::optional<uint16_t> expected)
{
    lastMessage_.clear();
    const uint16_t target = stored(status);
    if (!isWorkingStatus(target))
        return refuse(QStringLiteral("Zamówienie można tylko zatwierdzić albo wycofać do nowych."));
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error updating current record. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Orders orders(db_);
    OrderRecord order;
    order.id = orderId;
    int code = orders.fetch(Orders::Auto, order);
    if (code == err::RecordNotFound)
        return refuse(missingOrderText(orderId));
    if (code != 0)
        return fail(QStringLiteral("Error selecting ORDER from table. ErrorCode = "), code, orders.errorText());
    if (expected && order.status != *expected)
        return refuse(QStringLiteral("Status zamówienia %1 został zmieniony na innym stanowisku. Zamówienie "
                                     "pominięto.").arg(order.number));
    if (!isWorkingStatus(order.status))
        return refuse(QStringLiteral("Zamówienie %1 jest zamknięte. Zmiana statusu niemożliwa.").arg(order.number));
    uint16_t level = 0;
    if (const int read = statusLevel(db_, orderId, 0, level); read != 0)
        return fail(QStringLiteral("System Error after NEXT for Cuts. ErrorCode = "), read, {});
    if (level >= stored(CutStatus::InProduction))
        return refuse(statusRefusal(target));

    QString what;
    QString detail;
    code = cascade(orderId, target, what, detail);
    if (code == 0 && order.status != target) {
        order.status = target;
        code = orders.update(order);
        what = QStringLiteral("Error updating current record. ErrorCode = ");
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

OrderResponse OrderUpdate::remove(uint32_t orderId)
{
    lastMessage_.clear();
    if (services_.dialogs.ask(QStringLiteral("Usunąć całe zamówienie z pozycjami?"), YesNo) != 0)
        return OrderResponse::Cancelled;
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error after DELETE for ORDERS table. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Orders orders(db_);
    OrderRecord order;
    order.id = orderId;
    int code = orders.fetch(Orders::Auto, order);
    if (code == err::RecordNotFound)
        return refuse(missingOrderText(orderId));
    if (code != 0)
        return fail(QStringLiteral("Error after GET for ORDERS table. ErrorCode = "), code, orders.errorText());
    uint16_t level = 0;
    if (const int read = statusLevel(db_, orderId, 0, level); read != 0)
        return fail(QStringLiteral("System Error after NEXT for Cuts. ErrorCode = "), read, {});
    if (level >= stored(CutStatus::InProduction))
        return refuse(QStringLiteral("Usunięcie całego zamówienie niemożliwe. Conajmniej jego część jest w produkcji."));

    QString what;
    QString detail;
    // The pieces, then every position with its exclusions of stock lengths, then the order.
    Cuts cuts(db_);
    CutRecord cutPrefix;
    cutPrefix.orderId = orderId;
    const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, cutPrefix, 1);
    if (cuts.errorCode() != 0)
        return fail(QStringLiteral("System Error after NEXT for Cuts. ErrorCode = "), cuts.errorCode(), cuts.errorText());
    for (CutRecord piece : pieces) {
        code = cuts.fetch(Cuts::Auto, piece);
        if (code == 0)
            code = cuts.remove();
        if (code != 0) {
            what = QStringLiteral("System Error after DELETE from CUTS table. ErrorCode = ");
            detail = cuts.errorText();
            break;
        }
    }
    Positions positions(db_);
    if (code == 0) {
        OrderProfileRecord positionPrefix;
        positionPrefix.orderId = orderId;
        const QList<OrderProfileRecord> orderPositions = positions.rows(Positions::ByOrder, positionPrefix, 1);
        if (positions.errorCode() != 0) {
            code = positions.errorCode();
            what = QStringLiteral("System error after NEXT in ORDER_PROFILES table. ErrorCode = ");
            detail = positions.errorText();
        }
        for (OrderProfileRecord position : orderPositions) {
            if (code != 0)
                break;
            code = positions.fetch(Positions::Auto, position);
            if (code == 0)
                code = positions.remove();
            detail = positions.errorText();
            what = QStringLiteral("System Error after DELETE from ORDER_PROFILES. ErrorCode = ");
            if (code != 0)
                break;
        }
    }
    if (code == 0) {
        code = removeExclusions(db_, orderId, 0);
        what = QStringLiteral("System Error after DELETE from ORDER_PROFILES_BLK_LENGTHS. ErrorCode = ");
        detail.clear();
    }
    if (code == 0) {
        code = orders.fetch(Orders::Auto, order);
        if (code == 0)
            code = orders.remove();
        what = QStringLiteral("Error after DELETE for ORDERS table. ErrorCode = ");
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

} // namespace orders
