#include "orders/OrderBlocks.h"

#include "global/ErrorCodes.h"
#include "global/Statuses.h"
#include "global/Table.h"

namespace orders {

using namespace global;

namespace {

using Positions = Table<OrderProfileRecord>;
using Cuts = Table<CutRecord>;
using Lengths = Table<ProfileLengthRecord>;
using Exclusions = Table<OrderProfileBlockedLengthRecord>;

// Only pieces not yet handed to production follow the block of their position.
bool stillOpen(const CutRecord& piece)
{
    return piece.status == CutStatus::New || piece.status == CutStatus::Approved;
}

BlockResult refused(const Services& services, const QString& text)
{
    services.dialogs.message(text);
    return BlockResult::Refused;
}

BlockResult failed(const Services& services, const QString& what, int code, BlockResult result = BlockResult::Failed)
{
    services.dialogs.message(failureText(what, code));
    return result;
}

} // namespace

BlockResult blockPosition(Database& db, const Services& services, uint32_t positionId)
{
    const QString pieceFailure = QStringLiteral("Wystąpił błąd zapisu statusu dla kolejnego rekordu. Numer błędu po put = ");
    const QString positionFailure = QStringLiteral("Błąd zapisu zmiany statusu. Nr błędu = ");
    Transaction transaction(db, OrderLockWaitMs);
    if (!transaction.ok())
        return failed(services, positionFailure, transaction.result());
    Positions positions(db);
    OrderProfileRecord position;
    position.id = positionId;
    if (const int code = positions.fetch(Positions::Auto, position); code == err::RecordNotFound)
        return refused(services, QStringLiteral("Pozycja zamówienia nie istnieje (została usunięta na innym stanowisku)."));
    else if (code != 0)
        return failed(services, positionFailure, code, BlockResult::PositionFailed);
    const uint16_t block = position.block != 0 ? 0 : 1;

    Cuts cuts(db);
    CutRecord prefix;
    prefix.orderId = position.orderId;
    prefix.orderProfileId = position.id;
    const QList<CutRecord> pieces = cuts.rows(Cuts::ByOrderProfile, prefix, 2);
    if (cuts.errorCode() != 0)
        return failed(services, pieceFailure, cuts.errorCode());
    for (CutRecord piece : pieces) {
        if (!stillOpen(piece) || piece.block == block)
            continue;
        if (const int code = cuts.fetch(Cuts::Auto, piece); code != 0)
            return failed(services, pieceFailure, code);
        piece.block = block;
        if (const int code = cuts.update(piece); code != 0)
            return failed(services, pieceFailure, code);
    }
    position.block = block;
    if (const int code = positions.update(position); code != 0)
        return failed(services, positionFailure, code, BlockResult::PositionFailed);
    if (const int code = transaction.commit(); code != 0)
        return failed(services, positionFailure, code, BlockResult::PositionFailed);
    return BlockResult::Done;
}

BlockResult blockPiece(Database& db, const Services& services, uint32_t pieceId)
{
    const QString failure = QStringLiteral("Błąd zamiany statusu. Nr błędu = ");
    Transaction transaction(db, OrderLockWaitMs);
    if (!transaction.ok())
        return failed(services, failure, transaction.result());
    Cuts cuts(db);
    CutRecord piece;
    piece.id = pieceId;
    if (const int code = cuts.fetch(Cuts::Auto, piece); code == err::RecordNotFound)
        return refused(services, QStringLiteral("Odcinek został usunięty na innym stanowisku. Zmiany niemożliwe"));
    else if (code != 0)
        return failed(services, failure, code);
    if (piece.status >= stored(CutStatus::InProduction))
        return refused(services, QStringLiteral("Element przekazany do produkcji. Zmiany niemożliwe"));
    piece.block = piece.block == 1 ? 0 : 1;
    if (const int code = cuts.update(piece); code != 0)
        return failed(services, failure, code);
    if (const int code = transaction.commit(); code != 0)
        return failed(services, failure, code);
    return BlockResult::Done;
}

BlockResult toggleLengthExclusion(Database& db, const Services& services, uint32_t orderId, uint32_t profileId,
                                  uint32_t lengthId)
{
    const QString addFailure =
        QStringLiteral("Systemowy błąd zakładania blokady długosci na poziomie zamówienia. Numer błędu = ");
    const QString removeFailure = QStringLiteral("Systemowy błąd usuwania blokady na poziomie zamówienia. Numer błędu = ");
    Transaction transaction(db, OrderLockWaitMs);
    if (!transaction.ok())
        return failed(services, addFailure, transaction.result());
    Lengths lengths(db);
    ProfileLengthRecord length;
    length.id = lengthId;
    if (const int code = lengths.fetch(Lengths::Auto, length); code == err::RecordNotFound || (code == 0 && length.profileId != profileId))
        return refused(services, QStringLiteral("Długość została usunięta na innym stanowisku. Zmiany niemożliwe"));
    else if (code != 0)
        return failed(services, addFailure, code);
    if (length.blockSelection != 0)
        return refused(services, QStringLiteral("Wybrana długość została zablokowana na poziomie profilu. Zmiana na "
                                                "poziomie zamówienia niemożliwa"));
    Exclusions exclusions(db);
    OrderProfileBlockedLengthRecord exclusion{orderId, profileId, lengthId};
    const int found = exclusions.fetch(Exclusions::Auto, exclusion);
    if (found != 0 && found != err::RecordNotFound)
        return failed(services, addFailure, found);
    const bool adding = found == err::RecordNotFound;
    const int code = adding ? exclusions.add(exclusion) : exclusions.remove();
    if (code != 0)
        return failed(services, adding ? addFailure : removeFailure, code);
    if (const int committed = transaction.commit(); committed != 0)
        return failed(services, adding ? addFailure : removeFailure, committed);
    return BlockResult::Done;
}

} // namespace orders
