// The orders browse without its window: the progress of an order from its pieces, the columns of
// positions and pieces, which stock lengths a position lists and offers to the optimizer, the
// optimizer call of each button, the actions of each situation, approving and withdrawing, and the
// blocks of positions, pieces and lengths written all or nothing.

#include "orders/OrderBlocks.h"
#include "orders/OrdersList.h"
#include "support/OrderScenario.h"

#include <algorithm>

using namespace global;
using namespace orders;

namespace {

class OrdersListTest : public testing_support::OrderScenario {
protected:
    uint32_t length(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0, int32_t incom = 0,
                    uint16_t unlimited = 0, uint16_t block = 0, uint32_t status = 0)
    {
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.incomStock = incom;
        l.unlimitedStock = unlimited;
        l.blockSelection = block;
        l.status = status;
        return add(l);
    }

    void setHeat(uint32_t cuttingOrder, const QString& heat)
    {
        Table<StockTransItemRecord> items(db);
        StockTransItemRecord prefix;
        prefix.idTrans = cuttingOrder;
        for (StockTransItemRecord bar : items.rows(Table<StockTransItemRecord>::ByTrans, prefix, 1)) {
            bar.heatNumber = heat;
            ASSERT_EQ(items.fetch(Table<StockTransItemRecord>::Auto, bar), 0);
            bar.heatNumber = heat;
            ASSERT_EQ(items.update(bar), 0);
        }
    }

    StatusSet statusesOf(uint32_t orderId)
    {
        StatusSet present = 0;
        EXPECT_EQ(pieceStatusesOfOrder(db, orderId, present), 0);
        return present;
    }
};

StatusSet set(std::initializer_list<int> statuses)
{
    StatusSet s = 0;
    for (const int status : statuses)
        s |= 1u << status;
    return s;
}

TEST(OrderProgressTest, TheFirstRuleThatHoldsGivesTheIcon)
{
    EXPECT_EQ(orderProgress(set({3, 4})), OrderProgress::SomeAbandoned);
    EXPECT_EQ(orderProgress(set({0, 4})), OrderProgress::SomeAbandoned);
    EXPECT_EQ(orderProgress(set({3})), OrderProgress::AllFinished);
    EXPECT_EQ(orderProgress(set({0, 3})), OrderProgress::SomeCut);
    EXPECT_EQ(orderProgress(set({2, 3})), OrderProgress::SomeCut);
    EXPECT_EQ(orderProgress(set({2})), OrderProgress::AllInProduction);
    EXPECT_EQ(orderProgress(set({1, 2})), OrderProgress::SomeInProduction);
    EXPECT_EQ(orderProgress(set({0, 1})), OrderProgress::SomeApproved);
    EXPECT_EQ(orderProgress(set({0})), OrderProgress::Waiting);
    // No pieces at all: waiting, not finished (none of them is open, but none is done either).
    EXPECT_EQ(orderProgress(0), OrderProgress::Waiting);
}

TEST_F(OrdersListTest, TheProgressOfAnOrderIsReadFromEveryPieceOfItsPositions)
{
    const uint32_t p1 = profile(QStringLiteral("P1"));
    const uint32_t p2 = profile(QStringLiteral("P2"));
    const uint32_t done = order(QStringLiteral("Z1"), 1);
    piece(position(done, p1), 1000, 2, 3);
    piece(position(done, p2), 900, 1, 4);
    const uint32_t other = order(QStringLiteral("Z2"), 1);
    piece(position(other, p1), 800, 1, 1);
    const uint32_t empty = order(QStringLiteral("Z3"));

    EXPECT_EQ(orderProgress(statusesOf(done)), OrderProgress::SomeAbandoned);
    EXPECT_EQ(orderProgress(statusesOf(other)), OrderProgress::SomeApproved);   // not the first order's pieces
    EXPECT_EQ(statusesOf(empty), 0u);
}

TEST_F(OrdersListTest, APieceShowsItsBlockBeforeItsStatus)
{
    CutRecord c;
    EXPECT_EQ(pieceState(c), PieceState::None);
    c.status = 2;
    EXPECT_EQ(pieceState(c), PieceState::InProduction);
    c.status = 4;
    EXPECT_EQ(pieceState(c), PieceState::Abandoned);
    c.block = 1;
    EXPECT_EQ(pieceState(c), PieceState::Blocked);
}

TEST_F(OrdersListTest, PositionTotalsCountOnlyTheirOwnPieces)
{
    const uint32_t p1 = profile(QStringLiteral("P1"));
    const uint32_t p2 = profile(QStringLiteral("P2"));
    const uint32_t o = order(QStringLiteral("Z1"));
    const uint32_t first = position(o, p1);
    piece(first, 2500, 4);
    piece(first, 1200, 3);
    piece(position(o, p2), 999, 100);
    PositionTotals totals;
    ASSERT_EQ(positionTotals(db, fetch<OrderProfileRecord>(first), totals), 0);
    EXPECT_EQ(totals.pieces, 7);
    EXPECT_EQ(totals.millimetres, 2500 * 4 + 1200 * 3);
}

TEST_F(OrdersListTest, APieceNamesItsCuttingOrdersAndHeatsOnceEach)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t pos = position(o, p);
    const uint32_t cut = piece(pos, 1000, 4, 2);
    const uint32_t never = piece(pos, 500, 1, 1);
    const uint32_t first = cuttingOrder(QStringLiteral("P1"), {cut, cut});   // two bars, one heat
    const uint32_t second = cuttingOrder(QStringLiteral("P1"), {cut});
    setHeat(first, QStringLiteral("H-1"));
    setHeat(second, QStringLiteral("H-2"));

    PieceCuttingOrders held;
    ASSERT_EQ(pieceCuttingOrders(db, cut, held), 0);
    EXPECT_EQ(held.numbers, QStringLiteral("%1;%2").arg(first).arg(second));
    EXPECT_EQ(held.heatNumbers, QStringLiteral("H-1;H-2"));
    ASSERT_EQ(pieceCuttingOrders(db, never, held), 0);
    EXPECT_TRUE(held.numbers.isEmpty());
    EXPECT_TRUE(held.heatNumbers.isEmpty());

    // Many cutting orders: the numbers stop at 20 characters, with whole numbers only.
    for (int i = 0; i < 10; ++i)
        cuttingOrder(QStringLiteral("P1"), {cut});
    ASSERT_EQ(pieceCuttingOrders(db, cut, held), 0);
    ASSERT_EQ(first, 1u);
    EXPECT_EQ(held.numbers, QStringLiteral("1;2;3;4;5;6;7;8;9;10"));
    cuttingOrder(QStringLiteral("P1"), {never});
    for (uint32_t i = 0; i < 4; ++i)
        setHeat(first + i, QStringLiteral("WYTOP-%1-ABCDEFGHIJKL").arg(i));   // 20 characters each
    ASSERT_EQ(pieceCuttingOrders(db, cut, held), 0);
    EXPECT_EQ(held.heatNumbers,   // three fit into 64 characters, the fourth does not
              QStringLiteral("WYTOP-0-ABCDEFGHIJKL;WYTOP-1-ABCDEFGHIJKL;WYTOP-2-ABCDEFGHIJKL"));
}

TEST_F(OrdersListTest, OnlyUsableLengthsNotExcludedForThePositionAreOffered)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t otherProfile = profile(QStringLiteral("P2"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t pos = position(o, p);
    const uint32_t market = length(p, 7000, 0, 0, 0, 1);          // unlimited, no bars: offered
    const uint32_t stocked = length(p, 6500, 2);                    // offered
    const uint32_t outside = length(p, 6400, 0, 3);                 // bars outside: offered
    const uint32_t returning = length(p, 6300, -2, 0, 3);           // 1 bar altogether: offered
    const uint32_t nothing = length(p, 6200, 0);                    // nothing: neither listed nor offered
    const uint32_t negative = length(p, 6100, -3, 0, 1);            // less than nothing
    const uint32_t blocked = length(p, 6000, 5, 0, 0, 0, 1);        // excluded on the profile
    const uint32_t hidden = length(p, 5900, 5, 0, 0, 1, 0, 1);      // hidden, even when unlimited
    const uint32_t excluded = length(p, 5800, 5);                   // excluded for this position
    length(otherProfile, 9000, 9);
    exclude(o, p, excluded);

    std::vector<uint32_t> offered;
    ASSERT_EQ(offeredLengths(db, fetch<OrderProfileRecord>(pos), offered), 0);
    EXPECT_EQ(offered, (std::vector<uint32_t>{market, stocked, outside, returning}));   // longest first

    EXPECT_TRUE(lengthListed(fetch<ProfileLengthRecord>(market)));
    EXPECT_TRUE(lengthListed(fetch<ProfileLengthRecord>(blocked)));     // listed with its padlock
    EXPECT_TRUE(lengthListed(fetch<ProfileLengthRecord>(excluded)));
    EXPECT_FALSE(lengthListed(fetch<ProfileLengthRecord>(nothing)));
    EXPECT_FALSE(lengthListed(fetch<ProfileLengthRecord>(negative)));
    EXPECT_EQ(std::find(offered.begin(), offered.end(), hidden), offered.end());
    bool isExcluded = false;
    ASSERT_EQ(lengthExcluded(db, o, p, excluded, isExcluded), 0);
    EXPECT_TRUE(isExcluded);
    ASSERT_EQ(lengthExcluded(db, o, p, stocked, isExcluded), 0);
    EXPECT_FALSE(isExcluded);

    // Another order with the same profile excludes nothing of this one.
    const uint32_t o2 = order(QStringLiteral("Z2"), 1);
    const uint32_t pos2 = position(o2, p);
    std::vector<uint32_t> offered2;
    ASSERT_EQ(offeredLengths(db, fetch<OrderProfileRecord>(pos2), offered2), 0);
    EXPECT_NE(std::find(offered2.begin(), offered2.end(), excluded), offered2.end());
}

TEST_F(OrdersListTest, EachOptimizerButtonCallsItsMethodWithTheOfferedLengths)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t pos = position(o, p);
    const uint32_t kept = length(p, 6000, 3);
    const uint32_t excluded = length(p, 5000, 3);
    exclude(o, p, excluded);
    const OrderProfileRecord position = fetch<OrderProfileRecord>(pos);

    const std::pair<OptimizerButton, uint8_t> buttons[] = {
        {OptimizerButton::Simple, 0},  {OptimizerButton::Method1, 1}, {OptimizerButton::Advanced, 2},
        {OptimizerButton::Method3, 3}, {OptimizerButton::Method4, 4}, {OptimizerButton::Joints, 2}};
    for (const auto& [button, method] : buttons) {
        OptimizerRequest request;
        int error = -1;
        ASSERT_TRUE(optimizerRequest(db, services, button, position, 9, 450, request, error));
        EXPECT_EQ(error, 0);
        EXPECT_EQ(request.profile, p);
        EXPECT_EQ(request.orderProfile, pos);
        EXPECT_EQ(request.lengths, std::vector<uint32_t>{kept});
        EXPECT_EQ(request.mode, method);
        EXPECT_EQ(request.status, 0);
        EXPECT_EQ(request.selectionStart, 9u);
        EXPECT_EQ(request.extend, button == OptimizerButton::Joints ? 450u : 0u);
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Every length excluded: the optimizer is not started (it would take every length then).
    exclude(o, p, kept);
    OrderProfileRecord copy = position;
    OptimizerRequest request;
    int error = -1;
    EXPECT_FALSE(optimizerRequest(db, services, OptimizerButton::Method1, copy, 7, 0, request, error));
    EXPECT_EQ(error, 0);
    ASSERT_EQ(dialogs.messages(), QStringList{noLengthsToOptimizeMessage()});
}

TEST_F(OrdersListTest, TheExtensionLengthIsTheProfilesRemnantLength)
{
    ProfileRecord p;
    p.profileCode = QStringLiteral("P1");
    p.remnantLenght = 640;
    const uint32_t id = add(p);
    EXPECT_EQ(extensionLengthOf(db, id), 640u);
    EXPECT_EQ(extensionLengthOf(db, id + 100), 100u);   // a profile that cannot be read
}

TEST(OrderActionsTest, EachTabAllowsItsActions)
{
    BrowseSituation everything;
    everything.order = everything.position = everything.piece = everything.length = true;

    everything.tab = OrdersTab::New;
    OrderActions a = actionsFor(everything);
    EXPECT_TRUE(a.insertOrder && a.changeOrder && a.deleteOrder && a.release && a.insertPosition);
    EXPECT_FALSE(a.closeOrder);
    EXPECT_TRUE(a.deletePosition && a.blockPosition && a.insertPiece && a.pasteCuts && a.optimize);
    EXPECT_TRUE(a.changePiece && a.deletePiece && a.blockPiece);
    EXPECT_TRUE(a.insertLength && a.changeLength && a.deleteLength && a.blockLength);

    everything.tab = OrdersTab::Approved;
    a = actionsFor(everything);
    EXPECT_FALSE(a.insertOrder);
    EXPECT_TRUE(a.changeOrder && a.deleteOrder && a.release && a.insertPosition && a.closeOrder);

    everything.tab = OrdersTab::Closed;
    a = actionsFor(everything);
    EXPECT_FALSE(a.insertOrder || a.changeOrder || a.deleteOrder || a.release || a.closeOrder || a.insertPosition);
    EXPECT_FALSE(a.deletePosition || a.blockPosition || a.insertPiece || a.pasteCuts || a.optimize);
    EXPECT_FALSE(a.changePiece || a.deletePiece || a.blockPiece);
    EXPECT_FALSE(a.insertLength || a.changeLength || a.deleteLength || a.blockLength);
    EXPECT_TRUE(a.printOrder);   // a closed order can still be printed

    for (const OrdersTab tab : {OrdersTab::New, OrdersTab::Approved}) {
        BrowseSituation none;
        none.tab = tab;
        a = actionsFor(none);
        EXPECT_TRUE(a.insertOrder);
        EXPECT_FALSE(a.changeOrder || a.deleteOrder || a.release || a.closeOrder || a.insertPosition);
        EXPECT_FALSE(a.insertPiece || a.insertLength || a.pasteCuts || a.printOrder);

        BrowseSituation orderOnly;
        orderOnly.tab = tab;
        orderOnly.order = true;
        a = actionsFor(orderOnly);
        EXPECT_TRUE(a.insertPosition);
        EXPECT_FALSE(a.deletePosition || a.blockPosition || a.insertPiece || a.insertLength || a.pasteCuts);

        BrowseSituation positionOnly = orderOnly;
        positionOnly.position = true;
        a = actionsFor(positionOnly);
        EXPECT_TRUE(a.insertPiece && a.insertLength && a.pasteCuts && a.optimize);
        EXPECT_FALSE(a.changePiece || a.deletePiece || a.blockPiece);
        EXPECT_FALSE(a.changeLength || a.deleteLength || a.blockLength);
    }
}

TEST_F(OrdersListTest, ReleaseApprovesOrWithdrawsAfterAsking)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t fresh = order(QStringLiteral("Z1"));
    piece(position(fresh, p), 1000, 2);

    dialogs.planAnswers({1});   // "Nie"
    EXPECT_EQ(releaseOrders(db, services, OrdersTab::New, {fresh}), -1);
    EXPECT_EQ(fetch<OrderRecord>(fresh).status, 0);
    EXPECT_EQ(dialogs.shown().at(0).text, QStringLiteral("Zwolnić zamówienie do produkcji?"));

    dialogs.planAnswers({0});
    EXPECT_EQ(releaseOrders(db, services, OrdersTab::New, {fresh}), 1);
    EXPECT_EQ(fetch<OrderRecord>(fresh).status, 1);
    EXPECT_EQ(pieceStatuses(), QList<uint16_t>{1});

    // Withdrawing: an order with a piece in production stays approved and says why.
    const uint32_t busy = order(QStringLiteral("Z2"), 1);
    const uint32_t busyPos = position(busy, p);
    piece(busyPos, 800, 1, 1);
    piece(busyPos, 700, 1, 2);
    dialogs.clear();
    dialogs.planAnswers({0});
    EXPECT_EQ(releaseOrders(db, services, OrdersTab::Approved, {fresh, busy}), 1);
    EXPECT_EQ(dialogs.shown().at(0).text, QStringLiteral("Wycofać zwolnienie do produkcji?"));
    EXPECT_EQ(dialogs.shown().size(), 2);   // the refusal of the busy order
    EXPECT_EQ(fetch<OrderRecord>(fresh).status, 0);
    EXPECT_EQ(fetch<OrderRecord>(busy).status, 1);

    // A tagged order whose status changed meanwhile is left alone.
    dialogs.clear();
    dialogs.planAnswers({0});
    EXPECT_EQ(releaseOrders(db, services, OrdersTab::Approved, {fresh}), 0);
    EXPECT_EQ(fetch<OrderRecord>(fresh).status, 0);

    EXPECT_EQ(releaseOrders(db, services, OrdersTab::Closed, {fresh}), -1);   // nothing is asked there
}

TEST_F(OrdersListTest, BlockingAPositionBlocksItsPiecesNotYetInProduction)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t pos = position(o, p);
    const uint32_t approved = piece(pos, 1000, 1, 1);
    const uint32_t fresh = piece(pos, 900, 1, 0);
    const uint32_t busy = piece(pos, 800, 1, 2);
    const uint32_t otherPiece = piece(position(o, profile(QStringLiteral("P2"))), 700, 1, 1);

    ASSERT_EQ(blockPosition(db, services, pos), BlockResult::Done);
    EXPECT_EQ(fetch<OrderProfileRecord>(pos).block, 1);
    EXPECT_EQ(fetch<CutRecord>(approved).block, 1);
    EXPECT_EQ(fetch<CutRecord>(fresh).block, 1);
    EXPECT_EQ(fetch<CutRecord>(busy).block, 0);
    EXPECT_EQ(fetch<CutRecord>(otherPiece).block, 0);

    ASSERT_EQ(blockPosition(db, services, pos), BlockResult::Done);   // and back
    EXPECT_EQ(fetch<OrderProfileRecord>(pos).block, 0);
    EXPECT_EQ(fetch<CutRecord>(approved).block, 0);
    EXPECT_EQ(fetch<CutRecord>(fresh).block, 0);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    EXPECT_EQ(blockPosition(db, services, pos + 100), BlockResult::Refused);
}

TEST_F(OrdersListTest, BlockingAPositionWritesAllOrNothing)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t pos = position(o, p);
    for (int i = 0; i < 4; ++i)
        piece(pos, 1000 + i, 1, 1);
    const int writes = failEachWriteInTurn([&] { return blockPosition(db, services, pos) == BlockResult::Done; });
    EXPECT_EQ(writes, 5);   // four pieces and the position
    EXPECT_EQ(fetch<OrderProfileRecord>(pos).block, 1);
}

TEST_F(OrdersListTest, APieceInProductionCannotBeBlocked)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t pos = position(o, p);
    const uint32_t open = piece(pos, 1000, 1, 1);
    const uint32_t busy = piece(pos, 900, 1, 2);

    EXPECT_EQ(blockPiece(db, services, open), BlockResult::Done);
    EXPECT_EQ(fetch<CutRecord>(open).block, 1);
    EXPECT_EQ(blockPiece(db, services, open), BlockResult::Done);
    EXPECT_EQ(fetch<CutRecord>(open).block, 0);
    EXPECT_EQ(blockPiece(db, services, busy), BlockResult::Refused);
    EXPECT_EQ(fetch<CutRecord>(busy).block, 0);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Element przekazany do produkcji. Zmiany niemożliwe")});

    const int writes = failEachWriteInTurn([&] { return blockPiece(db, services, open) == BlockResult::Done; });
    EXPECT_EQ(writes, 1);
}

TEST_F(OrdersListTest, ALengthIsExcludedForOnePositionAndIncludedAgain)
{
    const uint32_t p = profile(QStringLiteral("P1"));
    const uint32_t o = order(QStringLiteral("Z1"), 1);
    const uint32_t o2 = order(QStringLiteral("Z2"), 1);
    position(o, p);
    position(o2, p);
    const uint32_t l = length(p, 6000, 2);
    const uint32_t profileBlocked = length(p, 5000, 2, 0, 0, 0, 1);
    const auto excluded = [&](uint32_t orderId, uint32_t lengthId) {
        bool is = false;
        EXPECT_EQ(lengthExcluded(db, orderId, p, lengthId, is), 0);
        return is;
    };

    ASSERT_EQ(toggleLengthExclusion(db, services, o, p, l), BlockResult::Done);
    EXPECT_TRUE(excluded(o, l));
    EXPECT_FALSE(excluded(o2, l));
    ASSERT_EQ(toggleLengthExclusion(db, services, o, p, l), BlockResult::Done);
    EXPECT_FALSE(excluded(o, l));

    EXPECT_EQ(toggleLengthExclusion(db, services, o, p, profileBlocked), BlockResult::Refused);
    EXPECT_FALSE(excluded(o, profileBlocked));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Wybrana długość została zablokowana na poziomie profilu. "
                                                             "Zmiana na poziomie zamówienia niemożliwa")});

    // A length of another profile is not excluded under this one.
    const uint32_t foreign = length(profile(QStringLiteral("P2")), 4000, 1);
    EXPECT_EQ(toggleLengthExclusion(db, services, o, p, foreign), BlockResult::Refused);
    EXPECT_TRUE(all<OrderProfileBlockedLengthRecord>().isEmpty());

    EXPECT_EQ(failEachWriteInTurn([&] { return toggleLengthExclusion(db, services, o, p, l) == BlockResult::Done; }), 1);
    EXPECT_TRUE(excluded(o, l));
    EXPECT_EQ(failEachWriteInTurn([&] { return toggleLengthExclusion(db, services, o, p, l) == BlockResult::Done; }), 1);
    EXPECT_FALSE(excluded(o, l));
}

} // namespace
