// Positions and pieces of an order: the section rules, the status and block a piece takes, the
// refusals once a piece is in production or was changed elsewhere, deleting a position with what
// hangs on it, and the cutting orders of an order.

#include "orders/OrderPieces.h"
#include "support/OrderScenario.h"

using namespace global;
using namespace orders;

namespace {

class OrderPiecesTest : public testing_support::OrderScenario {
protected:
    OrderPieces pieces{db, services};

    CutRecord newPiece(uint32_t lenght, uint32_t pcs)
    {
        CutRecord c;
        c.lenght = lenght;
        c.pcs = pcs;
        return c;
    }
};

TEST(PieceSectionsTest, SectionsFollowThePercentageAndTheLength)
{
    EXPECT_EQ(sectionsFromPercentage(6000, 25), (Sections{25, 1500, 4500}));
    EXPECT_EQ(sectionsFromPercentage(6000, 33.3), (Sections{33.3, 1997, 4003}));
    EXPECT_EQ(sectionsFromPercentage(6000, 150), Sections{});
    EXPECT_EQ(sectionsFromFirst(6000, 6000), Sections{});   // the second section would be 0
    EXPECT_EQ(sectionsFromSecond(6000, 2000).first, 4000u);

    CutRecord piece;
    piece.lenght = 6000;
    setSections(piece, sectionsFromPercentage(6000, 25));
    setPieceLength(piece, 4000);
    EXPECT_EQ(sectionsOf(piece), (Sections{25, 1000, 3000}));
    CutRecord plain;
    setPieceLength(plain, 4000);
    EXPECT_EQ(sectionsOf(plain), Sections{});
}

TEST_F(OrderPiecesTest, ANewPieceTakesTheOrdersStatusAndThePositionsBlock)
{
    const uint32_t o = order("Z/1", 1);
    const auto open = fetch<OrderProfileRecord>(position(o, profile("PR-1")));
    const auto blocked = fetch<OrderProfileRecord>(position(o, profile("PR-2"), 1));

    CutRecord first = newPiece(6000, 2);
    setSections(first, sectionsFromPercentage(6000, 25));
    EXPECT_EQ(pieces.addPiece(open, first), OrderResponse::Done);
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.block, 0);
    EXPECT_EQ(first.orderProfileId, open.id);
    EXPECT_EQ(fetch<CutRecord>(first.id).lenght1, 1500u);

    CutRecord second = newPiece(3000, 1);
    EXPECT_EQ(pieces.addPiece(blocked, second), OrderResponse::Done);
    EXPECT_EQ(fetch<CutRecord>(second.id).block, 1);
    EXPECT_EQ(fetch<CutRecord>(second.id).profileId, blocked.profileId);
}

TEST_F(OrderPiecesTest, APieceNeedsLengthCountAndFittingSectionsAndAnOpenOrder)
{
    const uint32_t o = order("Z/1");
    const auto pos = fetch<OrderProfileRecord>(position(o, profile("PR-1")));
    CutRecord noLength = newPiece(0, 2);
    EXPECT_EQ(pieces.addPiece(pos, noLength), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.lastMessage(), QStringLiteral("Poaj długość odcinka"));
    CutRecord noCount = newPiece(100, 0);
    EXPECT_EQ(pieces.addPiece(pos, noCount), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.lastMessage(), QStringLiteral("Poaj ilość sztuk"));
    // A length changed without its sections: the sections no longer add up.
    CutRecord stale = newPiece(6000, 1);
    setSections(stale, sectionsFromPercentage(6000, 25));
    stale.lenght = 5000;
    EXPECT_EQ(pieces.addPiece(pos, stale), OrderResponse::Cancelled);
    EXPECT_TRUE(pieces.lastMessage().contains(QStringLiteral("1500 + 4500")));
    EXPECT_TRUE(all<CutRecord>().isEmpty());

    const uint32_t closed = order("Z/2", 3);
    const auto closedPos = fetch<OrderProfileRecord>(position(closed, profile("PR-2")));
    CutRecord late = newPiece(100, 1);
    EXPECT_EQ(pieces.addPiece(closedPos, late), OrderResponse::Cancelled);   // it would count as cut
    EXPECT_TRUE(all<CutRecord>().isEmpty());
}

TEST_F(OrderPiecesTest, APieceChangedElsewhereOrInProductionIsNotOverwritten)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    const CutRecord loaded = fetch<CutRecord>(piece(pos, 6000, 2, 1));
    {
        // Another station's acceptance puts the piece into production meanwhile.
        Table<CutRecord> cuts(db);
        CutRecord other = loaded;
        ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, other), 0);
        other.status = 2;
        ASSERT_EQ(cuts.update(other), 0);
    }
    CutRecord edited = loaded;
    edited.pcs = 5;
    EXPECT_EQ(pieces.changePiece(loaded, edited), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.lastMessage(), QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe"));
    EXPECT_EQ(fetch<CutRecord>(loaded.id).status, 2);
    EXPECT_EQ(fetch<CutRecord>(loaded.id).pcs, 2u);

    const CutRecord now = fetch<CutRecord>(loaded.id);
    edited = now;
    edited.pcs = 5;
    EXPECT_EQ(pieces.changePiece(now, edited), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.removePiece(now), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.lastMessage(), QStringLiteral("Pozycja w produckji. Usunięcie niemożliwe"));
    EXPECT_EQ(fetch<CutRecord>(loaded.id).pcs, 2u);
}

TEST_F(OrderPiecesTest, AChangedPieceTakesTheOrdersStatusAndADeletedOneGoes)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    const CutRecord loaded = fetch<CutRecord>(piece(pos, 6000, 2, 0));
    CutRecord edited = loaded;
    edited.pcs = 7;
    edited.code = QStringLiteral("A1");
    EXPECT_EQ(pieces.changePiece(loaded, edited), OrderResponse::Done);
    EXPECT_EQ(fetch<CutRecord>(loaded.id).pcs, 7u);
    EXPECT_EQ(fetch<CutRecord>(loaded.id).status, 1);
    EXPECT_EQ(pieces.removePiece(fetch<CutRecord>(loaded.id)), OrderResponse::Done);
    EXPECT_TRUE(all<CutRecord>().isEmpty());
}

TEST_F(OrderPiecesTest, APositionIsAddedOncePerProfile)
{
    const uint32_t o = order("Z/1");
    const uint32_t pr = profile("PR-1");
    OrderProfileRecord added;
    EXPECT_EQ(pieces.addPosition(o, pr, added), OrderResponse::Done);
    EXPECT_EQ(added.profileCode, QStringLiteral("PR-1"));
    EXPECT_EQ(added.orderId, o);
    OrderProfileRecord again;
    EXPECT_EQ(pieces.addPosition(o, pr, again), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.lastMessage(),
              QStringLiteral("Niedozwolony duplikat. Taki profil już istnieje w zamówieniu.|Sprawdź dobrze"));
    EXPECT_EQ(pieces.addPosition(o, 999, again), OrderResponse::Cancelled);
    EXPECT_EQ(all<OrderProfileRecord>().size(), 1);
}

TEST_F(OrderPiecesTest, DeletingAPositionTakesItsPiecesAndExclusionsAllOrNothing)
{
    const uint32_t pr1 = profile("PR-1");
    const uint32_t pr2 = profile("PR-2");
    const uint32_t o = order("Z/1", 1);
    const uint32_t p1 = position(o, pr1);
    piece(p1, 6000, 2, 1);
    piece(p1, 5000, 2, 1);
    const uint32_t p2 = position(o, pr2);
    piece(p2, 3000, 1, 2);
    exclude(o, pr1, 11);
    exclude(o, pr1, 12);
    exclude(o, pr2, 13);

    const std::string before = testing_support::databaseSnapshot(db);
    EXPECT_EQ(pieces.removePosition(p2), OrderResponse::Cancelled);
    EXPECT_EQ(pieces.lastMessage(), QStringLiteral("Pozycje w produkcji. Usunięcie niemożliwe"));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    // Two pieces, two exclusions and the position.
    EXPECT_EQ(failEachWriteInTurn([&] { return pieces.removePosition(p1) == OrderResponse::Done; }), 5);
    ASSERT_EQ(all<OrderProfileRecord>().size(), 1);
    EXPECT_EQ(all<CutRecord>().size(), 1);
    ASSERT_EQ(all<OrderProfileBlockedLengthRecord>().size(), 1);
    EXPECT_EQ(all<OrderProfileBlockedLengthRecord>()[0].length, 13u);
}

TEST_F(OrderPiecesTest, CuttingOrdersOfAnOrderAreListedOnceEach)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    const uint32_t a = piece(pos, 2000, 1, 2);
    const uint32_t b = piece(pos, 1500, 1, 2);
    const uint32_t c = piece(pos, 1000, 1, 3);
    piece(pos, 900, 1, 1);   // never accepted
    const uint32_t first = cuttingOrder(QStringLiteral("PR-1"), {a, b});
    const uint32_t second = cuttingOrder(QStringLiteral("PR-1"), {c}, 1);
    const uint32_t other = order("Z/2", 1);
    cuttingOrder(QStringLiteral("PR-2"), {piece(position(other, profile("PR-2")), 100, 1, 2)});

    int error = -1;
    const QList<StockTransRecord> found = cuttingOrdersOfOrder(db, o, error);
    EXPECT_EQ(error, 0);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].id, first);
    EXPECT_EQ(found[1].id, second);
    EXPECT_EQ(found[1].status, 1);
}

} // namespace
