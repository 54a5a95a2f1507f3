// Orders as a whole: adding, editing the header, approving and withdrawing with the status carried
// to every piece, deleting with everything that hangs on the order, and closing.

#include "orders/OrderUpdate.h"
#include "support/OrderScenario.h"

using namespace global;
using namespace orders;

namespace {

const QString NewRefusal = QStringLiteral(
    "Zmiana statusu na NOWE niemożliwa po zapisaniu transakcji magazynowej (polecenia cięcia) do bazy.");
const QString ApprovedRefusal = QStringLiteral(
    "Zmiana statusu na ZATWIERDZONE niemożliwa po zapisaniu transakcji magazynowej (polecenia cięcia) do bazy.");

class OrderUpdateTest : public testing_support::OrderScenario {
protected:
    OrderUpdate update{db, services};
};

TEST_F(OrderUpdateTest, ApprovingAndWithdrawingCarryTheStatusToEveryPiece)
{
    const uint32_t o = order("Z/1");
    const uint32_t pos = position(o, profile("PR-1"));
    piece(pos, 6000, 2);
    piece(pos, 3000, 1);
    piece(position(o, profile("PR-2")), 1000, 5);
    const uint32_t other = order("Z/2");
    piece(position(other, profile("PR-3")), 500, 1);

    EXPECT_EQ(update.setStatus(o, OrderStatus::Approved), OrderResponse::Done);
    EXPECT_EQ(fetch<OrderRecord>(o).status, 1);
    EXPECT_EQ(pieceStatuses(), (QList<uint16_t>{1, 1, 1, 0}));   // the other order's piece stays new

    EXPECT_EQ(update.setStatus(o, OrderStatus::New), OrderResponse::Done);
    EXPECT_EQ(fetch<OrderRecord>(o).status, 0);
    EXPECT_EQ(pieceStatuses(), (QList<uint16_t>{0, 0, 0, 0}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(OrderUpdateTest, StatusChangesAreRefusedOnceAPieceIsInProductionAndNothingChanges)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    piece(pos, 6000, 2, 1);
    piece(pos, 3000, 1, 2);
    const std::string before = testing_support::databaseSnapshot(db);

    EXPECT_EQ(update.setStatus(o, OrderStatus::New), OrderResponse::Cancelled);
    EXPECT_EQ(update.lastMessage(), NewRefusal);
    EXPECT_EQ(update.setStatus(o, OrderStatus::Approved), OrderResponse::Cancelled);
    EXPECT_EQ(update.lastMessage(), ApprovedRefusal);
    OrderRecord loaded = fetch<OrderRecord>(o);
    OrderRecord edited = loaded;
    edited.customer = QStringLiteral("Nowy klient");
    EXPECT_EQ(update.change(loaded, edited), OrderResponse::Cancelled);
    EXPECT_EQ(update.lastMessage(), ApprovedRefusal);
    EXPECT_EQ(dialogs.shown().size(), 3);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(OrderUpdateTest, AClosedOrderOrOneWhoseStatusMovedOnIsLeftAlone)
{
    const uint32_t closed = order("Z/1", 3);
    piece(position(closed, profile("PR-1")), 6000, 1, 4);
    const uint32_t approved = order("Z/2", 1);
    const std::string before = testing_support::databaseSnapshot(db);

    EXPECT_EQ(update.setStatus(closed, OrderStatus::Approved), OrderResponse::Cancelled);
    EXPECT_TRUE(update.lastMessage().contains(QStringLiteral("zamknięte")));
    // Approving from the list of new orders an order another station approved meanwhile.
    EXPECT_EQ(update.setStatus(approved, OrderStatus::Approved, 0), OrderResponse::Cancelled);
    EXPECT_TRUE(update.lastMessage().contains(QStringLiteral("Z/2")));
    OrderRecord loaded = fetch<OrderRecord>(closed);
    OrderRecord edited = loaded;
    edited.project = QStringLiteral("P");
    EXPECT_EQ(update.change(loaded, edited), OrderResponse::Cancelled);
    EXPECT_EQ(update.setStatus(999, OrderStatus::Approved), OrderResponse::Cancelled);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(OrderUpdateTest, InsertNeedsANewNumber)
{
    OrderRecord blank;
    blank.number = QStringLiteral("   ");
    EXPECT_EQ(update.insert(blank), OrderResponse::Cancelled);
    EXPECT_EQ(update.lastMessage(), QStringLiteral("Wprowadź numer zlecenia / zamówienia"));

    OrderRecord first;
    first.number = QStringLiteral("Z/1");
    first.customer = QStringLiteral("Klient");
    first.status = 1;   // a new order is always new
    EXPECT_EQ(update.insert(first), OrderResponse::Done);
    EXPECT_EQ(first.id, 1u);
    EXPECT_EQ(fetch<OrderRecord>(1).status, 0);
    EXPECT_EQ(fetch<OrderRecord>(1).customer, QStringLiteral("Klient"));

    OrderRecord again;
    again.number = QStringLiteral("Z/1");
    EXPECT_EQ(update.insert(again), OrderResponse::Duplicate);
    EXPECT_EQ(update.lastMessage(), QStringLiteral("Zlecenie / zamówienie o takim numerze już istnieje. Duplikat niemożliwy"));
    EXPECT_EQ(all<OrderRecord>().size(), 1);
}

TEST_F(OrderUpdateTest, EditingTheHeaderReapprovesThePiecesAndRefusesAnotherOrdersNumber)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    piece(pos, 6000, 2, 0);   // left new by an older program
    order("Z/2");

    OrderRecord loaded = fetch<OrderRecord>(o);
    OrderRecord edited = loaded;
    edited.customer = QStringLiteral("Tervox");
    EXPECT_EQ(update.change(loaded, edited), OrderResponse::Done);
    EXPECT_EQ(fetch<OrderRecord>(o).customer, QStringLiteral("Tervox"));
    EXPECT_EQ(pieceStatuses(), QList<uint16_t>{1});

    loaded = fetch<OrderRecord>(o);
    edited = loaded;
    edited.number = QStringLiteral("Z/2");
    const std::string before = testing_support::databaseSnapshot(db);
    EXPECT_EQ(update.change(loaded, edited), OrderResponse::Duplicate);
    EXPECT_EQ(edited.number, QStringLiteral("Z/2"));   // the caller finds the order with that number
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(OrderUpdateTest, AnOrderChangedOnAnotherStationSinceItWasLoadedIsNotOverwritten)
{
    const uint32_t o = order("Z/1");
    const OrderRecord loaded = fetch<OrderRecord>(o);
    {
        Table<OrderRecord> orders(db);
        OrderRecord other = loaded;
        ASSERT_EQ(orders.fetch(Table<OrderRecord>::Auto, other), 0);
        other.customer = QStringLiteral("Inna stacja");
        ASSERT_EQ(orders.update(other), 0);
    }
    OrderRecord edited = loaded;
    edited.customer = QStringLiteral("Moja zmiana");
    EXPECT_EQ(update.change(loaded, edited), OrderResponse::Cancelled);
    EXPECT_EQ(update.lastMessage(), QStringLiteral("Rekord został zmieniony na innym stanowisku. Zmiany niemożliwe"));
    EXPECT_EQ(fetch<OrderRecord>(o).customer, QStringLiteral("Inna stacja"));
}

TEST_F(OrderUpdateTest, DeletingAnOrderTakesItsPositionsPiecesAndExclusionsOnly)
{
    const uint32_t pr1 = profile("PR-1");
    const uint32_t pr2 = profile("PR-2");
    const uint32_t o = order("Z/1", 1);
    piece(position(o, pr1), 6000, 2, 1);
    piece(position(o, pr2), 3000, 1, 1);
    exclude(o, pr1, 11);
    exclude(o, pr2, 12);
    const uint32_t other = order("Z/2");
    piece(position(other, pr1), 1000, 1);
    exclude(other, pr1, 11);

    dialogs.planAnswers({1});   // "Nie"
    EXPECT_EQ(update.remove(o), OrderResponse::Cancelled);
    EXPECT_EQ(all<OrderRecord>().size(), 2);

    dialogs.planAnswers({0});
    EXPECT_EQ(update.remove(o), OrderResponse::Done);
    EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Usunąć całe zamówienie z pozycjami?"));
    EXPECT_EQ(dialogs.shown().last().buttons, (QStringList{"Tak", "Nie"}));
    ASSERT_EQ(all<OrderRecord>().size(), 1);
    EXPECT_EQ(all<OrderRecord>()[0].id, other);
    ASSERT_EQ(all<OrderProfileRecord>().size(), 1);
    EXPECT_EQ(all<CutRecord>().size(), 1);
    const auto exclusions = all<OrderProfileBlockedLengthRecord>();
    ASSERT_EQ(exclusions.size(), 1);
    EXPECT_EQ(exclusions[0].orderId, other);
}

TEST_F(OrderUpdateTest, AnOrderWithAPieceInProductionIsNotDeleted)
{
    const uint32_t o = order("Z/1", 1);
    const uint32_t pos = position(o, profile("PR-1"));
    piece(pos, 6000, 2, 1);
    piece(pos, 3000, 1, 2);
    const std::string before = testing_support::databaseSnapshot(db);
    dialogs.planAnswers({0});
    EXPECT_EQ(update.remove(o), OrderResponse::Cancelled);
    EXPECT_EQ(update.lastMessage(),
              QStringLiteral("Usunięcie całego zamówienie niemożliwe. Conajmniej jego część jest w produkcji."));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST_F(OrderUpdateTest, DeletingAndApprovingWriteAllOrNothing)
{
    const uint32_t pr1 = profile("PR-1");
    const uint32_t pr2 = profile("PR-2");
    const uint32_t o = order("Z/1");
    const uint32_t p1 = position(o, pr1);
    piece(p1, 6000, 2);
    piece(p1, 2000, 2);
    piece(position(o, pr2), 3000, 1);
    exclude(o, pr1, 11);

    // Three pieces and the order.
    EXPECT_EQ(failEachWriteInTurn([&] { return update.setStatus(o, OrderStatus::Approved) == OrderResponse::Done; }), 4);
    EXPECT_EQ(pieceStatuses(), (QList<uint16_t>{1, 1, 1}));
    // Three pieces, two positions, one exclusion and the order.
    EXPECT_EQ(failEachWriteInTurn([&] {
                  dialogs.planAnswers({0});
                  return update.remove(o) == OrderResponse::Done;
              }),
              7);
    EXPECT_TRUE(all<CutRecord>().isEmpty());
    EXPECT_TRUE(all<OrderProfileBlockedLengthRecord>().isEmpty());
}

} // namespace
