#include "orders/OrderImports.h"

#include "global/Globals.h"
#include "global/PastedTable.h"

#include <QHash>
#include <QMap>

namespace orders {

using namespace global;
using Orders = Table<OrderRecord>;
using Positions = Table<OrderProfileRecord>;
using Cuts = Table<CutRecord>;
using Profiles = Table<ProfileRecord>;

namespace {

QString nothingAddedText()
{
    return QStringLiteral("Nic nie zostało dodane do bazy danych.|Prawdopodobnie zły format danych");
}

QString leftOutLine(int leftOut)
{
    return leftOut > 0 ? QStringLiteral("|Pominięte wiersze bez długości lub ilości (od 1 do 2147483647): %1").arg(leftOut)
                       : QString();
}

ImportSummary finish(const Services& services, ImportSummary summary, const QString& text)
{
    summary.message = text;
    services.dialogs.message(text);
    return summary;
}

ImportSummary refused(const Services& services, ImportSummary summary, const QString& text)
{
    summary.written = false;
    summary.orders = summary.positions = summary.pieces = summary.merged = 0;
    summary.profiles = summary.descriptions = summary.existing = 0;
    return finish(services, summary, text);
}

ImportSummary failed(const Services& services, ImportSummary summary, const QString& what, int code,
                     const QString& detail)
{
    return refused(services, summary, failureText(what, code, detail));
}

QString blankFieldText(int line, const QString& field)
{
    return QStringLiteral("Wiersz %1: brak pola \"%2\". Wklejone dane odrzucono.|").arg(line).arg(field)
           + nothingSavedText();
}

// ---- orders ----

struct OrderRow {
    int line = 0;
    QString order;
    QString descr;
    QString code;
    uint32_t lenght = 0;
    uint32_t pcs = 0;
};

struct PlannedPiece {
    CutRecord piece;
    int rows = 0;
};

struct PlannedPosition {
    OrderProfileRecord position;
    QMap<uint32_t, PlannedPiece> pieces;   // by length, longest last
    QList<uint32_t> lengthOrder;           // lengths in the order of the rows
};

struct PlannedOrder {
    OrderRecord order;
    QMap<uint32_t, PlannedPosition> positions;   // by profile
    QList<uint32_t> profileOrder;
};

} // namespace

ImportSummary importOrders(Database& db, const Services& services, const QString& text)
{
    ImportSummary summary;
    QList<OrderRow> rows;
    for (const PastedRow& pasted : readPastedTable(text).rows) {
        const auto lenght = pasted.count(3);
        const auto pcs = pasted.count(4);
        if (!lenght || !pcs) {
            ++summary.leftOut;
            continue;
        }
        OrderRow row{pasted.line, pasted.field(0), pasted.field(1), pasted.field(2), *lenght, *pcs};
        if (row.order.isEmpty())
            return refused(services, summary, blankFieldText(row.line, QStringLiteral("Zamówienie")));
        if (row.code.isEmpty())
            return refused(services, summary, blankFieldText(row.line, QStringLiteral("Kod profila")));
        rows << row;
    }
    if (rows.isEmpty())
        return refused(services, summary, nothingAddedText() + leftOutLine(summary.leftOut));

    Transaction transaction(db, OrderLockWaitMs);
    if (!transaction.ok())
        return failed(services, summary, QStringLiteral("System Error after GET for ORDERS. ErrorCode = "),
                      transaction.result(), db.lastErrorText());

    // Every profile must be in the catalogue and every order must be new.
    Profiles profiles(db);
    QHash<QString, ProfileRecord> profileOf;   // by code in upper case
    QHash<uint32_t, QString> descriptionOf;    // profiles without a description: the first one pasted
    Orders orders(db);
    QMap<QString, PlannedOrder> planned;
    QStringList orderSequence;
    for (const OrderRow& row : std::as_const(rows)) {
        const QString codeKey = row.code.toUpper();
        if (!profileOf.contains(codeKey)) {
            ProfileRecord profile;
            profile.profileCode = row.code;
            const int code = profiles.fetch(Profiles::ByCode, profile);
            if (code == err::RecordNotFound)
                return refused(services, summary,
                               QStringLiteral("System nie znalazł profila %1 w bazie danych. Dopisz ten materiał i "
                                              "spróbuj ponownie|").arg(row.code) + nothingSavedText());
            if (code != 0)
                return failed(services, summary, QStringLiteral("System Error after GET for PROFILES. ErrorCode = "),
                              code, profiles.errorText());
            profileOf.insert(codeKey, profile);
        }
        const ProfileRecord& profile = profileOf[codeKey];
        if (profile.descr.trimmed().isEmpty() && !row.descr.isEmpty() && !descriptionOf.contains(profile.id))
            descriptionOf.insert(profile.id, row.descr);

        if (!planned.contains(row.order)) {
            OrderRecord existing;
            existing.number = row.order;
            const int code = orders.fetch(Orders::ByNo, existing);
            if (code == 0)
                return refused(services, summary,
                               QStringLiteral("Zamówienie o numerze %1 już istnieje w bazie danych. Transfer "
                                              "niemożliwy|").arg(row.order) + nothingSavedText());
            if (code != err::RecordNotFound)
                return failed(services, summary, QStringLiteral("System Error after GET for ORDERS. ErrorCode = "),
                              code, orders.errorText());
            PlannedOrder order;
            order.order.number = row.order;
            planned.insert(row.order, order);
            orderSequence << row.order;
        }
        PlannedOrder& order = planned[row.order];
        if (!order.positions.contains(profile.id)) {
            PlannedPosition position;
            position.position.profileId = profile.id;
            position.position.profileCode = profile.profileCode;
            order.positions.insert(profile.id, position);
            order.profileOrder << profile.id;
        }
        PlannedPosition& position = order.positions[profile.id];
        PlannedPiece& piece = position.pieces[row.lenght];
        if (piece.rows == 0) {
            piece.piece.profileId = profile.id;
            piece.piece.lenght = row.lenght;
            position.lengthOrder << row.lenght;
        }
        if (int64_t(piece.piece.pcs) + row.pcs > PastedNumberMax)
            return refused(services, summary,
                           QStringLiteral("Wiersz %1: łączna ilość sztuk odcinka %2 zamówienia %3 przekracza %4. "
                                          "Wklejone dane odrzucono.|")
                                   .arg(QString::number(row.line), QString::number(row.lenght), row.order,
                                        QString::number(PastedNumberMax))
                               + nothingSavedText());
        piece.piece.pcs += row.pcs;
        ++piece.rows;
    }

    // Writing: descriptions of profiles, then each order with its positions and pieces.
    for (auto it = descriptionOf.cbegin(); it != descriptionOf.cend(); ++it) {
        ProfileRecord profile;
        profile.id = it.key();
        int code = profiles.fetch(Profiles::Auto, profile);
        if (code == 0) {
            profile.descr = it.value();
            code = profiles.update(profile);
        }
        if (code != 0)
            return failed(services, summary, QStringLiteral("ErrorCode after PUT for PROFILES. ErrorCode = "), code,
                          profiles.errorText());
        ++summary.descriptions;
    }
    Positions positions(db);
    Cuts cuts(db);
    NewIdentifiers<OrderRecord> newOrder(orders);
    NewIdentifiers<OrderProfileRecord> newPosition(positions);
    NewIdentifiers<CutRecord> newPiece(cuts);
    for (const QString& number : std::as_const(orderSequence)) {
        PlannedOrder& order = planned[number];
        if (const int code = newOrder.add(order.order); code != 0)
            return failed(services, summary, QStringLiteral("Error creating order no %1 ErrorCode = ").arg(number),
                          code, orders.errorText());
        ++summary.orders;
        for (const uint32_t profileId : std::as_const(order.profileOrder)) {
            PlannedPosition& position = order.positions[profileId];
            position.position.orderId = order.order.id;
            if (const int code = newPosition.add(position.position); code != 0)
                return failed(services, summary,
                              QStringLiteral("System Error when Adding new record for ORDER_PROFILES. ErrorCode = "),
                              code, positions.errorText());
            ++summary.positions;
            for (const uint32_t lenght : std::as_const(position.lengthOrder)) {
                PlannedPiece& piece = position.pieces[lenght];
                piece.piece.orderId = order.order.id;
                piece.piece.orderProfileId = position.position.id;
                if (const int code = newPiece.add(piece.piece); code != 0)
                    return failed(services, summary,
                                  QStringLiteral("Error adding record for CUTS table. ErrorCode = "), code,
                                  cuts.errorText());
                ++summary.pieces;
                summary.merged += piece.rows - 1;
            }
        }
    }
    if (const int code = transaction.commit(); code != 0) {
        transaction.rollback();
        return failed(services, summary, QStringLiteral("Error adding record for CUTS table. ErrorCode = "), code,
                      db.lastErrorText());
    }
    summary.written = true;
    QString message = QStringLiteral("Dane poprawnie przepisane do bazy danych|Zamówienia: %1, pozycje: %2, odcinki: %3")
                          .arg(summary.orders).arg(summary.positions).arg(summary.pieces);
    if (summary.merged > 0)
        message += QStringLiteral("|Wiersze dodane do odcinka o tej samej długości: %1").arg(summary.merged);
    if (summary.descriptions > 0)
        message += QStringLiteral("|Uzupełnione opisy profili: %1").arg(summary.descriptions);
    return finish(services, summary, message + leftOutLine(summary.leftOut));
}

ImportSummary importPieces(Database& db, const Services& services, uint32_t orderId, uint32_t positionId,
                           const QString& text)
{
    ImportSummary summary;
    QList<CutRecord> pieces;
    for (const PastedRow& pasted : readPastedTable(text).rows) {
        const auto lenght = pasted.count(0);
        const auto pcs = pasted.count(1);
        if (!lenght || !pcs) {
            ++summary.leftOut;
            continue;
        }
        CutRecord piece;
        piece.lenght = *lenght;
        piece.pcs = *pcs;
        piece.code = pasted.field(2);
        piece.description1 = pasted.field(3);
        piece.description2 = pasted.field(4);
        pieces << piece;
    }
    if (pieces.isEmpty())
        return refused(services, summary, nothingAddedText() + leftOutLine(summary.leftOut));

    Transaction transaction(db, OrderLockWaitMs);
    if (!transaction.ok())
        return failed(services, summary, QStringLiteral("System Error after GET for ORDERS. ErrorCode = "),
                      transaction.result(), db.lastErrorText());
    Orders orders(db);
    OrderRecord order;
    order.id = orderId;
    if (const int code = orders.fetch(Orders::Auto, order); code != 0)
        return refused(services, summary,
                       QStringLiteral("Systemowy bład odwołania do wskazanego zamówienia. Nr błedu = %1|").arg(code)
                           + nothingSavedText());
    if (order.status != OrderStatus::New && order.status != OrderStatus::Approved)
        return refused(services, summary,
                       QStringLiteral("Zamówienie %1 jest zamknięte. Zmiany niemożliwe.|").arg(order.number)
                           + nothingSavedText());
    Positions positions(db);
    OrderProfileRecord position;
    position.id = positionId;
    if (positions.fetch(Positions::Auto, position) != 0 || position.orderId != orderId)
        return refused(services, summary,
                       QStringLiteral("Pozycja %1 nie należy do zamówienia %2.|").arg(positionId).arg(order.number)
                           + nothingSavedText());
    Cuts cuts(db);
    NewIdentifiers<CutRecord> newPiece(cuts);
    for (CutRecord piece : std::as_const(pieces)) {
        piece.orderId = orderId;
        piece.orderProfileId = position.id;
        piece.profileId = position.profileId;
        piece.status = order.status;
        piece.block = position.block;
        if (const int code = newPiece.add(piece); code != 0)
            return failed(services, summary, QStringLiteral("Error adding record for CUTS table. ErrorCode = "), code,
                          cuts.errorText());
        ++summary.pieces;
    }
    if (const int code = transaction.commit(); code != 0) {
        transaction.rollback();
        return failed(services, summary, QStringLiteral("Error adding record for CUTS table. ErrorCode = "), code,
                      db.lastErrorText());
    }
    summary.written = true;
    qint64 count = 0;
    for (const CutRecord& piece : std::as_const(pieces))
        count += piece.pcs;
    return finish(services, summary,
                  QStringLiteral("Dane poprawnie przepisane do bazy danych|Odcinki: %1 (sztuk: %2), profil %3")
                          .arg(summary.pieces).arg(count).arg(position.profileCode)
                      + leftOutLine(summary.leftOut));
}

ImportSummary importProfiles(Database& db, const Services& services, const QString& text)
{
    ImportSummary summary;
    QList<ProfileRecord> pasted;
    for (const PastedRow& row : readPastedTable(text).rows) {
        const auto remnant = row.count(2);
        if (!remnant) {
            ++summary.leftOut;
            continue;
        }
        if (row.field(0).isEmpty())
            return refused(services, summary, blankFieldText(row.line, QStringLiteral("Indeks")));
        ProfileRecord profile;
        profile.profileCode = row.field(0);
        profile.descr = row.field(1);
        profile.remnantLenght = *remnant;
        profile.uom = glo().defUom;
        pasted << profile;
    }
    if (pasted.isEmpty())
        return refused(services, summary, nothingAddedText() + leftOutLine(summary.leftOut));

    Transaction transaction(db, OrderLockWaitMs);
    if (!transaction.ok())
        return failed(services, summary, QStringLiteral("System Error after GET for PROFILES. ErrorCode = "),
                      transaction.result(), db.lastErrorText());
    Profiles profiles(db);
    NewIdentifiers<ProfileRecord> newProfile(profiles);
    for (ProfileRecord profile : std::as_const(pasted)) {
        // A code the catalogue (or an earlier row) already has is left as it is.
        if (profiles.isDuplicate(profile)) {
            ++summary.existing;
            continue;
        }
        if (profiles.errorCode() != 0)
            return failed(services, summary, QStringLiteral("System Error after GET for PROFILES. ErrorCode = "),
                          profiles.errorCode(), profiles.errorText());
        if (const int code = newProfile.add(profile); code != 0)
            return failed(services, summary, QStringLiteral("Error adding record for PROFILES table. ErrorCode = "),
                          code, profiles.errorText());
        ++summary.profiles;
    }
    if (const int code = transaction.commit(); code != 0) {
        transaction.rollback();
        return failed(services, summary, QStringLiteral("Error adding record for PROFILES table. ErrorCode = "), code,
                      db.lastErrorText());
    }
    summary.written = summary.profiles > 0;
    QString message = summary.profiles > 0 ? QStringLiteral("Dane poprawnie przepisane do bazy danych|Nowe profile: %1")
                                                 .arg(summary.profiles)
                                           : QStringLiteral("Nic nie zostało dodane do bazy danych.");
    if (summary.existing > 0)
        message += QStringLiteral("|Profile, które są już w katalogu (bez zmian): %1").arg(summary.existing);
    return finish(services, summary, message + leftOutLine(summary.leftOut));
}

namespace {

ImportSummary emptyingClipboard(const Services& services, ImportSummary summary)
{
    if (summary.written)
        services.clipboard.setText(QString());
    return summary;
}

} // namespace

ImportSummary importOrdersFromClipboard(Database& db, const Services& services)
{
    return emptyingClipboard(services, importOrders(db, services, services.clipboard.text()));
}

ImportSummary importPiecesFromClipboard(Database& db, const Services& services, uint32_t orderId, uint32_t positionId)
{
    return emptyingClipboard(services, importPieces(db, services, orderId, positionId, services.clipboard.text()));
}

ImportSummary importProfilesFromClipboard(Database& db, const Services& services)
{
    return emptyingClipboard(services, importProfiles(db, services, services.clipboard.text()));
}

} // namespace orders
