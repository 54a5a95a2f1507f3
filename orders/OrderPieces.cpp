#include "orders/OrderPieces.h"

#include <QMap>

namespace orders {

using namespace global;
using Orders = Table<OrderRecord>;
using Positions = Table<OrderProfileRecord>;
using Cuts = Table<CutRecord>;
using Profiles = Table<ProfileRecord>;

namespace {

bool sameRecord(const CutRecord& a, const CutRecord& b)
{
    return toStoredValues(a) == toStoredValues(b);
}

bool beyondApproved(uint16_t status)
{
    return status >= stored(CutStatus::InProduction);
}

} // namespace

Sections sectionsOf(const CutRecord& piece)
{
    return Sections{piece.sectionPerc, piece.lenght1, piece.lenght2};
}

void setSections(CutRecord& piece, const Sections& sections)
{
    piece.sectionPerc = sections.percentage;
    piece.lenght1 = sections.first;
    piece.lenght2 = sections.second;
}

void setPieceLength(CutRecord& piece, uint32_t length)
{
    piece.lenght = length;
    if (piece.sectionPerc > 0)
        setSections(piece, sectionsFromPercentage(length, piece.sectionPerc));
}

OrderPieces::OrderPieces(Database& db, const Services& services) : db_(db), services_(services) {}

OrderResponse OrderPieces::refuse(const QString& text)
{
    lastMessage_ = text;
    services_.dialogs.message(text);
    services_.beeper.beep();
    return OrderResponse::Cancelled;
}

OrderResponse OrderPieces::fail(const QString& what, int code, const QString& detail)
{
    return refuse(failureText(what, code, detail));
}

OrderResponse OrderPieces::addPosition(uint32_t orderId, uint32_t profileId, OrderProfileRecord& position)
{
    lastMessage_.clear();
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error adding new record for ORDER_PROFILES table. ErrorCode = "),
                    transaction.result(), db_.lastErrorText());
    Orders orders(db_);
    OrderRecord order;
    order.id = orderId;
    if (const int code = orders.fetch(Orders::Auto, order); code != 0)
        return refuse(QStringLiteral("Systemowy bład odwołania do wskazanego zamówienia. Nr błedu = %1").arg(code));
    if (order.status == OrderStatus::Closed)
        return refuse(QStringLiteral("Zamówienie %1 jest zamknięte. Zmiany niemożliwe.").arg(order.number));
    Profiles profiles(db_);
    ProfileRecord profile;
    profile.id = profileId;
    if (const int code = profiles.fetch(Profiles::Auto, profile); code != 0)
        return refuse(QStringLiteral("Błąd odwołania do wybranego profila. Get Error = %1").arg(code));

    OrderProfileRecord added;
    added.orderId = orderId;
    added.profileId = profile.id;
    added.profileCode = profile.profileCode;
    Positions positions(db_);
    if (positions.isDuplicate(added))
        return refuse(QStringLiteral("Niedozwolony duplikat. Taki profil już istnieje w zamówieniu.|Sprawdź dobrze"));
    int code = positions.addWithNewIdentifier(added);
    QString detail = positions.errorText();
    if (code == 0) {
        code = transaction.commit();
        detail = db_.lastErrorText();
    }
    if (code != 0) {
        transaction.rollback();
        return fail(QStringLiteral("Error adding new record for ORDER_PROFILES table. ErrorCode = "), code, detail);
    }
    position = added;
    return OrderResponse::Done;
}

OrderResponse OrderPieces::removePosition(uint32_t positionId)
{
    lastMessage_.clear();
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error deleting ORDER_PROFILE record. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Positions positions(db_);
    OrderProfileRecord position;
    position.id = positionId;
    if (const int code = positions.fetch(Positions::Auto, position); code != 0)
        return refuse(QStringLiteral("Error location original record in ORDER_PROFILES table. ErrorCode = %1").arg(code));
    uint16_t level = 0;
    if (const int code = statusLevel(db_, position.orderId, position.id, level); code != 0)
        return fail(QStringLiteral("Error after NEXT for CUTS. ErrorCode = "), code, {});
    if (beyondApproved(level))
        return refuse(QStringLiteral("Pozycje w produkcji. Usunięcie niemożliwe"));

    Cuts cuts(db_);
    CutRecord prefix;
    prefix.orderId = position.orderId;
    prefix.orderProfileId = position.id;
    int code = 0;
    QString what = QStringLiteral("Error deleting CUTS record. ErrorCode = ");
    QString detail;
    for (CutRecord piece : cuts.rows(Cuts::ByOrderProfile, prefix, 2)) {
        code = cuts.fetch(Cuts::Auto, piece);
        if (code == 0)
            code = cuts.remove();
        detail = cuts.errorText();
        if (code != 0)
            break;
    }
    if (code == 0) {
        code = removeExclusions(db_, position.orderId, position.profileId);
        what = QStringLiteral("Error deleting ORDER_PROFILES_BLK_LENGTHS record. ErrorCode = ");
    }
    if (code == 0) {
        code = positions.fetch(Positions::Auto, position);
        if (code == 0)
            code = positions.remove();
        what = QStringLiteral("Error deleting ORDER_PROFILE record. ErrorCode = ");
        detail = positions.errorText();
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

bool OrderPieces::pieceAcceptable(const CutRecord& piece)
{
    if (piece.lenght == 0) {
        refuse(QStringLiteral("Poaj długość odcinka"));
        return false;
    }
    if (piece.pcs == 0) {
        refuse(QStringLiteral("Poaj ilość sztuk"));
        return false;
    }
    if (!sectionsFit(sectionsOf(piece), piece.lenght)) {
        refuse(QStringLiteral("Odcinki 1 i 2 nie dają razem długości odcinka (%1 + %2 ≠ %3). Popraw podział.")
                   .arg(piece.lenght1)
                   .arg(piece.lenght2)
                   .arg(piece.lenght));
        return false;
    }
    return true;
}

bool OrderPieces::takeOrderStatus(CutRecord& piece)
{
    Orders orders(db_);
    OrderRecord order;
    order.id = piece.orderId;
    if (const int code = orders.fetch(Orders::Auto, order); code != 0) {
        refuse(QStringLiteral("ErrorCode after GET for ORDERS. ErrorCode = %1").arg(code));
        return false;
    }
    if (order.status != OrderStatus::New && order.status != OrderStatus::Approved) {
        refuse(QStringLiteral("Zamówienie %1 jest zamknięte. Zmiany niemożliwe.").arg(order.number));
        return false;
    }
    piece.status = order.status;
    return true;
}

OrderResponse OrderPieces::addPiece(const OrderProfileRecord& position, CutRecord& piece)
{
    lastMessage_.clear();
    if (!pieceAcceptable(piece))
        return OrderResponse::Cancelled;
    CutRecord added = piece;
    added.id = 0;
    added.orderId = position.orderId;
    added.orderProfileId = position.id;
    added.profileId = position.profileId;

    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error adding new record for CUTS table. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Positions positions(db_);
    OrderProfileRecord current;
    current.id = position.id;
    if (const int code = positions.fetch(Positions::Auto, current); code != 0)
        return refuse(QStringLiteral("Pozycja zamówienia nie istnieje (została usunięta na innym stanowisku)."));
    if (!takeOrderStatus(added))
        return OrderResponse::Cancelled;
    if (current.block != 0)
        added.block = current.block;   // a blocked position never feeds the optimizer
    Cuts cuts(db_);
    int code = cuts.addWithNewIdentifier(added);
    QString detail = cuts.errorText();
    if (code == 0) {
        code = transaction.commit();
        detail = db_.lastErrorText();
    }
    if (code != 0) {
        transaction.rollback();
        return fail(QStringLiteral("Error adding new record for CUTS table. ErrorCode = "), code, detail);
    }
    piece = added;
    return OrderResponse::Done;
}

OrderResponse OrderPieces::changePiece(const CutRecord& loaded, CutRecord& piece)
{
    lastMessage_.clear();
    if (beyondApproved(loaded.status))
        return refuse(QStringLiteral("Pozycja w produckji. Zmiany niemożliwe"));
    if (!pieceAcceptable(piece))
        return OrderResponse::Cancelled;
    CutRecord edited = piece;
    edited.id = loaded.id;
    edited.orderId = loaded.orderId;
    edited.orderProfileId = loaded.orderProfileId;
    edited.profileId = loaded.profileId;

    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error updateing record in CUTS table. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Cuts cuts(db_);
    CutRecord current;
    current.id = loaded.id;
    int code = cuts.fetch(Cuts::Auto, current);
    if (code == err::RecordNotFound)
        return refuse(QStringLiteral("Odcinek został usunięty na innym stanowisku. Zmiany niemożliwe"));
    if (code != 0)
        return fail(QStringLiteral("Błąd odwołania do edytowanego rekordu. ErrorCode = "), code, cuts.errorText());
    if (!sameRecord(current, loaded))
        return refuse(QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe"));
    if (!takeOrderStatus(edited))
        return OrderResponse::Cancelled;
    code = cuts.fetch(Cuts::Auto, current);
    if (code == 0)
        code = cuts.update(edited);
    QString detail = cuts.errorText();
    if (code == 0) {
        code = transaction.commit();
        detail = db_.lastErrorText();
    }
    if (code != 0) {
        transaction.rollback();
        return fail(QStringLiteral("Error updateing record in CUTS table. ErrorCode = "), code, detail);
    }
    piece = edited;
    return OrderResponse::Done;
}

OrderResponse OrderPieces::removePiece(const CutRecord& piece)
{
    lastMessage_.clear();
    if (beyondApproved(piece.status))
        return refuse(QStringLiteral("Pozycja w produckji. Usunięcie niemożliwe"));
    Transaction transaction(db_, OrderLockWaitMs);
    if (!transaction.ok())
        return fail(QStringLiteral("Error deleting record from CUTS table. ErrorCode = "), transaction.result(),
                    db_.lastErrorText());
    Cuts cuts(db_);
    CutRecord current;
    current.id = piece.id;
    int code = cuts.fetch(Cuts::Auto, current);
    if (code == err::RecordNotFound)
        return refuse(QStringLiteral("Odcinek został usunięty na innym stanowisku."));
    if (code != 0)
        return fail(QStringLiteral("Błąd odwołania do edytowanego rekordu. ErrorCode = "), code, cuts.errorText());
    if (beyondApproved(current.status))
        return refuse(QStringLiteral("Pozycja w produckji. Usunięcie niemożliwe"));
    code = cuts.remove();
    QString detail = cuts.errorText();
    if (code == 0) {
        code = transaction.commit();
        detail = db_.lastErrorText();
    }
    if (code != 0) {
        transaction.rollback();
        return fail(QStringLiteral("Error deleting record from CUTS table. ErrorCode = "), code, detail);
    }
    return OrderResponse::Done;
}

QList<StockTransRecord> cuttingOrdersOfOrder(Database& db, uint32_t orderId, int& error)
{
    using Subitems = Table<StockTransSubitemRecord>;
    using Transactions = Table<StockTransRecord>;
    error = 0;
    Cuts cuts(db);
    Subitems subitems(db);
    Transactions transactions(db);
    CutRecord prefix;
    prefix.orderId = orderId;
    const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, prefix, 1);
    if (cuts.errorCode() != 0) {
        error = cuts.errorCode();
        return {};
    }
    QMap<uint32_t, StockTransRecord> found;   // by cutting-order number
    for (const CutRecord& piece : pieces) {
        StockTransSubitemRecord cutPiece;
        cutPiece.cutlenghtId = piece.id;
        const QList<StockTransSubitemRecord> cutPieces = subitems.rows(Subitems::ByCut, cutPiece, 1);
        if (subitems.errorCode() != 0) {
            error = subitems.errorCode();
            return {};
        }
        for (const StockTransSubitemRecord& cut : cutPieces) {
            if (found.contains(cut.idTrans))
                continue;
            StockTransRecord cuttingOrder;
            cuttingOrder.id = cut.idTrans;
            if (transactions.fetch(Transactions::Auto, cuttingOrder) == 0)
                found.insert(cuttingOrder.id, cuttingOrder);
        }
    }
    return found.values();
}

} // namespace orders
