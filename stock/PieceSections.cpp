#include "stock/PieceSections.h"

#include "global/Table.h"

#include <cmath>

using namespace global;

namespace stock {

namespace {

constexpr int LockWaitMs = 3000;
constexpr uint16_t InProduction = 2;
constexpr uint16_t Cut = 3;

SectionsResponse refuse(const Services& services, const QString& text)
{
    services.dialogs.message(text);
    return SectionsResponse::Refused;
}

void takeSections(CutRecord& piece, const Sections& sections, bool switchOff)
{
    piece.sectionPerc = sections.percentage;
    piece.lenght1 = sections.first;
    piece.lenght2 = sections.second;
    piece.switchOffSection = switchOff ? 1 : 0;
}

} // namespace

uint32_t piecesToCut(uint32_t typed, uint32_t recordPieces)
{
    return typed >= 1 && typed <= recordPieces ? typed : recordPieces;
}

SectionsResponse saveSections(Database& db, const Services& services, uint32_t pieceId, const Sections& sections,
                              bool switchOff, uint32_t pieces, CutRecord& stored)
{
    Transaction tx(db, LockWaitMs);
    if (!tx.ok())
        return refuse(services, QStringLiteral("Błąd podczas otwarcia transacji. Nie mozna zapisać danych. "
                                               "Prawdopodobnie tabela jest blokowana przez inny proces"));
    Table<CutRecord> cuts(db);
    CutRecord piece;
    piece.id = pieceId;
    if (const int code = cuts.fetch(Table<CutRecord>::Auto, piece); code != 0)
        return refuse(services, QStringLiteral("Błąd systemowy odwołania do zmienianego rekordu. Numer błędu = %1").arg(code));
    if (piece.status == InProduction || piece.status == Cut)
        return refuse(services, QStringLiteral("Element %1 jest już w produkcji lub pocięty. Zmiana podziału niemożliwa")
                                    .arg(pieceId));
    if (pieces < 1 || pieces > piece.pcs)
        return refuse(services, QStringLiteral("Element %1 ma teraz %2 szt. Podział %3 szt. niemożliwy. "
                                               "Rekord został zmieniony na innym stanowisku")
                                    .arg(pieceId).arg(piece.pcs).arg(pieces));
    if (!sectionsFit(sections, piece.lenght))
        return refuse(services, QStringLiteral("Odcinki %1 + %2 mm nie składają się na długość elementu %3 mm. "
                                               "Zmiana podziału niemożliwa")
                                    .arg(sections.first).arg(sections.second).arg(piece.lenght));

    if (pieces == piece.pcs) {
        takeSections(piece, sections, switchOff);
        if (const int code = cuts.update(piece); code != 0)
            return refuse(services, QStringLiteral("Systemowy błąd akcji PUT do tabeli CUTS. Numer błędu = %1").arg(code));
    } else {
        CutRecord rest = piece;
        rest.pcs -= pieces;
        if (const int code = cuts.update(rest); code != 0)
            return refuse(services, QStringLiteral("Systemowy błąd akcji PUT do tabeli CUTS. Numer błędu = %1").arg(code));
        piece.pcs = pieces;
        takeSections(piece, sections, switchOff);
        if (const int code = cuts.addWithNewIdentifier(piece); code != 0)
            return refuse(services, QStringLiteral("Error adding new record for CUTS table. ErrorCode = %1").arg(code));
    }
    if (const int code = tx.commit(); code != 0)
        return refuse(services, QStringLiteral("Błąd zapisu transakcji COMMIT. Błąd = %1").arg(code));
    stored = piece;
    return SectionsResponse::Done;
}

} // namespace stock
