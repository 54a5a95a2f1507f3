#include "orders/OrdersList.h"

#include "global/Statuses.h"
#include "global/Table.h"
#include "orders/OrderUpdate.h"

#include <QStringList>

namespace orders {

using namespace global;

namespace {

using Cuts = Table<CutRecord>;
using Lengths = Table<ProfileLengthRecord>;
using Exclusions = Table<OrderProfileBlockedLengthRecord>;
using Subitems = Table<StockTransSubitemRecord>;
using Items = Table<StockTransItemRecord>;

constexpr StatusSet bit(CutStatus status)
{
    return 1u << stored(status);
}

bool has(StatusSet present, CutStatus status)
{
    return (present & bit(status)) != 0;
}

// Joins the texts by ";" as far as they fit into `limit` characters; a text that does not fit
// whole ends the list (no half number, no trailing ";").
QString joined(const QStringList& texts, int limit)
{
    QString out;
    for (const QString& text : texts) {
        const QString next = out.isEmpty() ? text : out + QLatin1Char(';') + text;
        if (next.size() > limit)
            break;
        out = next;
    }
    return out;
}

} // namespace

uint16_t orderStatusOf(OrdersTab tab)
{
    switch (tab) {
    case OrdersTab::New: return stored(OrderStatus::New);
    case OrdersTab::Approved: return stored(OrderStatus::Approved);
    case OrdersTab::Closed: break;
    }
    return stored(OrderStatus::Closed);
}

OrderProgress orderProgress(StatusSet present)
{
    // An order without pieces has nothing done: it is not "all finished" for want of open pieces.
    if (present == 0)
        return OrderProgress::Waiting;
    const bool waiting = has(present, CutStatus::New) || has(present, CutStatus::Approved);
    if (has(present, CutStatus::Abandoned))
        return OrderProgress::SomeAbandoned;
    if (!waiting && !has(present, CutStatus::InProduction))
        return OrderProgress::AllFinished;
    if (has(present, CutStatus::Cut))
        return OrderProgress::SomeCut;
    if (!waiting)
        return OrderProgress::AllInProduction;
    if (has(present, CutStatus::InProduction))
        return OrderProgress::SomeInProduction;
    if (has(present, CutStatus::Approved))
        return OrderProgress::SomeApproved;
    return OrderProgress::Waiting;
}

int pieceStatusesOfOrder(Database& db, uint32_t orderId, StatusSet& present)
{
    Cuts cuts(db);
    CutRecord prefix;
    prefix.orderId = orderId;
    const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, prefix, 1);
    if (cuts.errorCode() != 0)
        return cuts.errorCode();
    present = 0;
    for (const CutRecord& piece : pieces)
        if (piece.status <= stored(CutStatus::Abandoned))
            present |= 1u << piece.status;
    return 0;
}

PieceState pieceState(const CutRecord& piece)
{
    if (piece.block != 0)
        return PieceState::Blocked;
    switch (piece.status) {
    case stored(CutStatus::Approved): return PieceState::Approved;
    case stored(CutStatus::InProduction): return PieceState::InProduction;
    case stored(CutStatus::Cut): return PieceState::Cut;
    case stored(CutStatus::Abandoned): return PieceState::Abandoned;
    default: return PieceState::None;
    }
}

int positionTotals(Database& db, const OrderProfileRecord& position, PositionTotals& out)
{
    Cuts cuts(db);
    CutRecord prefix;
    prefix.orderId = position.orderId;
    prefix.orderProfileId = position.id;
    const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, prefix, 2);
    if (cuts.errorCode() != 0)
        return cuts.errorCode();
    out = {};
    for (const CutRecord& piece : pieces) {
        out.pieces += piece.pcs;
        out.millimetres += qint64(piece.pcs) * piece.lenght;
    }
    return 0;
}

int pieceCuttingOrders(Database& db, uint32_t pieceId, PieceCuttingOrders& out)
{
    Subitems subitems(db);
    StockTransSubitemRecord prefix;
    prefix.cutlenghtId = pieceId;
    const QList<StockTransSubitemRecord> rows = subitems.rows(Subitems::ByCut, prefix, 1);
    if (subitems.errorCode() != 0)
        return subitems.errorCode();
    QStringList numbers;
    QStringList heats;
    Items items(db);
    for (const StockTransSubitemRecord& row : rows) {
        const QString number = QString::number(row.idTrans);
        if (!numbers.contains(number))
            numbers << number;
        StockTransItemRecord bar;
        bar.id = row.idTransitem;
        const int code = items.fetch(Items::Auto, bar);
        if (code == err::RecordNotFound)
            continue;   // a bar without its record names no heat
        if (code != 0)
            return code;
        const QString heat = bar.heatNumber.trimmed();
        if (!heat.isEmpty() && !heats.contains(heat))
            heats << heat;
    }
    out.numbers = joined(numbers, 20);
    out.heatNumbers = joined(heats, 64);
    return 0;
}

bool lengthListed(const ProfileLengthRecord& length)
{
    return length.unlimitedStock != 0
        || qint64(length.intStock) + qint64(length.extStock) + qint64(length.incomStock) > 0;
}

int lengthExcluded(Database& db, uint32_t orderId, uint32_t profileId, uint32_t lengthId, bool& excluded)
{
    Exclusions exclusions(db);
    OrderProfileBlockedLengthRecord row{orderId, profileId, lengthId};
    const int code = exclusions.fetch(Exclusions::Auto, row);
    excluded = code == 0;
    return code == err::RecordNotFound ? 0 : code;
}

int offeredLengths(Database& db, const OrderProfileRecord& position, std::vector<uint32_t>& out)
{
    out.clear();
    Lengths lengths(db);
    ProfileLengthRecord prefix;
    prefix.profileId = position.profileId;
    const QList<ProfileLengthRecord> all = lengths.rows(Lengths::ByProfile, prefix, 1);
    if (lengths.errorCode() != 0)
        return lengths.errorCode();
    for (const ProfileLengthRecord& length : all) {
        // A hidden length is never offered, whatever else holds for it.
        if (length.status != 0 || length.blockSelection != 0 || !lengthListed(length))
            continue;
        bool excluded = false;
        if (const int code = lengthExcluded(db, position.orderId, position.profileId, length.id, excluded); code != 0)
            return code;
        if (!excluded)
            out.push_back(length.id);
    }
    return 0;
}

uint8_t methodOf(OptimizerButton button)
{
    switch (button) {
    case OptimizerButton::Simple: return 0;
    case OptimizerButton::Method1: return 1;
    case OptimizerButton::Advanced: return 2;
    case OptimizerButton::Method3: return 3;
    case OptimizerButton::Method4: return 4;
    case OptimizerButton::Joints: return 2;
    }
    return 0;
}

uint32_t extensionOf(OptimizerButton button, uint32_t extendLength)
{
    return button == OptimizerButton::Joints ? extendLength : 0;
}

QString noLengthsToOptimizeMessage()
{
    return QStringLiteral(
        "Brak stanów magazynowych oraz określonych długości handlowych do optymalizacji tego elementu");
}

bool optimizerRequest(Database& db, const Services& services, OptimizerButton button,
                      const OrderProfileRecord& position, uint32_t selectionStart, uint32_t extendLength,
                      OptimizerRequest& out, int& error)
{
    error = 0;
    std::vector<uint32_t> lengths;
    if (const int code = offeredLengths(db, position, lengths); code != 0) {
        error = code;
        services.dialogs.message(
            QStringLiteral("System Error selecting length for optimization. ErrorCode = %1").arg(code));
        return false;
    }
    if (lengths.empty()) {
        // The optimizer would take every length then, the excluded ones too.
        services.dialogs.message(noLengthsToOptimizeMessage());
        return false;
    }
    out = {};
    out.profile = position.profileId;
    out.orderProfile = position.id;
    out.lengths = std::move(lengths);
    out.mode = methodOf(button);
    out.status = 0;
    out.selectionStart = selectionStart;
    out.extend = extensionOf(button, extendLength);
    return true;
}

uint32_t extensionLengthOf(Database& db, uint32_t profileId)
{
    Table<ProfileRecord> profiles(db);
    ProfileRecord profile;
    profile.id = profileId;
    return profiles.fetch(Table<ProfileRecord>::Auto, profile) == 0 ? profile.remnantLenght : 100;
}

OrderActions actionsFor(const BrowseSituation& s)
{
    OrderActions a;
    a.importOrders = true;
    a.printOrder = s.order;
    a.cuttingOrders = s.order;
    if (s.tab == OrdersTab::Closed)
        return a;   // a closed order is only looked at and printed
    const bool isNew = s.tab == OrdersTab::New;
    a.insertOrder = isNew || !s.order;
    a.changeOrder = a.deleteOrder = a.release = s.order;
    a.closeOrder = s.order && !isNew;
    a.insertPosition = s.order;
    const bool position = s.order && s.position;
    a.deletePosition = a.blockPosition = a.insertPiece = a.pasteCuts = position;
    a.optimize = position;
    const bool piece = position && s.piece;
    a.changePiece = a.deletePiece = a.blockPiece = piece;
    a.insertLength = position;
    const bool length = position && s.length;
    a.changeLength = a.deleteLength = a.blockLength = length;
    return a;
}

int releaseOrders(Database& db, const Services& services, OrdersTab tab, const QList<uint32_t>& orderIds)
{
    if (tab == OrdersTab::Closed || orderIds.isEmpty())
        return -1;
    const bool approving = tab == OrdersTab::New;
    const QString question = approving ? QStringLiteral("Zwolnić zamówienie do produkcji?")
                                       : QStringLiteral("Wycofać zwolnienie do produkcji?");
    if (services.dialogs.ask(question, {QStringLiteral("Tak"), QStringLiteral("Nie")}) != 0)
        return -1;
    const OrderStatus target = approving ? OrderStatus::Approved : OrderStatus::New;
    OrderUpdate update(db, services);
    int changed = 0;
    for (const uint32_t id : orderIds)
        if (update.setStatus(id, target, orderStatusOf(tab)) == OrderResponse::Done)
            ++changed;
    return changed;
}

} // namespace orders
