// Stock booking: the counts of the lengths, the log lines it writes, the opening balance and its
// refusals; and the stock-log rules of the tests' support catching a log that does not explain the stock.

#include "global/StockBooking.h"
#include "global/StockLog.h"
#include "global/Table.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class StockBookingTest : public testing_support::DatabaseFixture {
protected:
    LogStamp stamp{QDateTime(QDate(2026, 3, 4), QTime(10, 15, 30, 250)), QStringLiteral("STATION7"),
                   QStringLiteral("anna")};

    uint32_t addLength(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0, int32_t incom = 0)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.incomStock = incom;
        l.typicalLength = 1;
        EXPECT_EQ(lengths.addWithNewIdentifier(l), 0);
        return l.id;
    }
    ProfileLengthRecord length(uint32_t id)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.id = id;
        EXPECT_EQ(lengths.fetch(Table<ProfileLengthRecord>::Auto, l), 0);
        return l;
    }
    QList<StockChangeRecord> log()
    {
        return Table<StockChangeRecord>(db).rows(Table<StockChangeRecord>::Auto);
    }
};

TEST_F(StockBookingTest, FirstBookingWritesTheOpeningBalanceThenItsOwnLinesInProfileAndLengthOrder)
{
    const uint32_t a6000 = addLength(1, 6000, 10, 2, 0);
    const uint32_t b6500 = addLength(2, 6500, 4);
    const uint32_t a3000 = addLength(1, 3000, 0, 0, -1);

    Transaction tx(db, 3000);
    ASSERT_TRUE(tx.ok());
    StockBooking booking(db, StockOperation::CuttingOrderCreated, stamp, 77);
    ASSERT_EQ(booking.begin(), 0);
    ASSERT_EQ(booking.move(b6500, StockMove::inProduction(-1)), 0);
    ASSERT_EQ(booking.move(a6000, StockMove::inProduction(-1), 1, 6000), 0);
    ASSERT_EQ(booking.move(a6000, StockMove::inProduction(-1)), 0);
    ASSERT_EQ(booking.move(a3000, StockMove::inProduction(+1)), 0);
    EXPECT_EQ(booking.lengthsTouched(), 3u);
    ASSERT_EQ(booking.finish(), 0);
    ASSERT_EQ(tx.commit(), 0);

    EXPECT_EQ(length(a6000).incomStock, -2);
    EXPECT_EQ(length(a6000).intStock, 10);
    EXPECT_EQ(length(a3000).incomStock, 0);

    const QList<StockChangeRecord> lines = log();
    ASSERT_EQ(lines.size(), 6);
    // The opening balance in identifier order of the lengths, naming each length.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].operationType, 0);
        EXPECT_EQ(lines[i].docId, uint32_t(i + 1));
    }
    EXPECT_EQ(lines[0].changeIntStock, 10);
    EXPECT_EQ(lines[0].changeExtStock, 2);
    EXPECT_DOUBLE_EQ(lines[2].profileIntStock, 60.0);   // the profile's metres run on over its lengths
    EXPECT_DOUBLE_EQ(lines[2].profileIncStock, -3.0);
    // Then the booking's lines: profile 1 length 3000, profile 1 length 6000, profile 2 length 6500.
    EXPECT_EQ(lines[3].profileId, 1u);
    EXPECT_EQ(lines[3].lenght, 3000u);
    EXPECT_EQ(lines[3].changeIncomStock, 1);
    EXPECT_EQ(lines[3].finnalIncStock, 0);
    EXPECT_EQ(lines[4].lenght, 6000u);
    EXPECT_EQ(lines[4].changeIncomStock, -2);
    EXPECT_EQ(lines[4].finalIntStock, 10);
    EXPECT_EQ(lines[4].finalExtStock, 2);
    EXPECT_EQ(lines[4].finnalIncStock, -2);
    EXPECT_DOUBLE_EQ(lines[4].profileIncStock, -3.0 + 3.0 - 12.0);
    EXPECT_EQ(lines[5].profileId, 2u);
    for (int i = 3; i < 6; ++i) {
        EXPECT_EQ(lines[i].operationType, 11);
        EXPECT_EQ(lines[i].docId, 77u);
        EXPECT_EQ(lines[i].date, QDate(2026, 3, 4));
        EXPECT_EQ(lines[i].time, QTime(10, 15, 30, 250));
        EXPECT_EQ(lines[i].station, QStringLiteral("STATION7"));
        EXPECT_EQ(lines[i].operatorName, QStringLiteral("anna"));
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(StockBookingTest, ALogThatHoldsLinesGetsNoSecondOpeningBalanceAndANetZeroStillGetsItsLine)
{
    const uint32_t id = addLength(3, 2400, 5);
    {
        Transaction tx(db, 3000);
        QString error;
        ASSERT_EQ(writeOpeningBalance(db, stamp, false, error), 0);
        ASSERT_EQ(tx.commit(), 0);
    }
    Transaction tx(db, 3000);
    StockBooking booking(db, StockOperation::CuttingOrderCreated, stamp, 5);
    ASSERT_EQ(booking.begin(), 0);
    ASSERT_EQ(booking.move(id, StockMove::inProduction(-1)), 0);
    ASSERT_EQ(booking.move(id, StockMove::inProduction(+1)), 0);
    ASSERT_EQ(booking.finish(), 0);
    ASSERT_EQ(tx.commit(), 0);
    const QList<StockChangeRecord> lines = log();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].operationType, 11);
    EXPECT_EQ(lines[1].changeIncomStock, 0);
    EXPECT_EQ(lines[1].finalIntStock, 5);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(StockBookingTest, RefusesOutsideATransactionAndALengthChangedMeanwhile)
{
    const uint32_t id = addLength(1, 6000, 3);
    StockBooking outside(db, StockOperation::CuttingOrderCreated, stamp, 1);
    EXPECT_NE(outside.begin(), 0);
    EXPECT_EQ(outside.failure(), StockBooking::Failure::NotInTransaction);
    EXPECT_NE(outside.move(id, StockMove::inProduction(-1)), 0);
    EXPECT_EQ(length(id).incomStock, 0);
    EXPECT_TRUE(log().isEmpty());

    Transaction tx(db, 3000);
    StockBooking booking(db, StockOperation::CuttingOrderCreated, stamp, 1);
    ASSERT_EQ(booking.begin(), 0);
    EXPECT_EQ(booking.move(id, StockMove::inProduction(-1), 1, 6500), err::RecordChanged);
    EXPECT_EQ(booking.failure(), StockBooking::Failure::LengthMismatch);
    EXPECT_TRUE(booking.errorText().contains(QStringLiteral("Zmiany niemożliwe")));
    EXPECT_EQ(booking.move(id, StockMove::inProduction(-1), 2, 6000), err::RecordChanged);
    EXPECT_EQ(booking.move(999, StockMove::inProduction(-1)), err::RecordNotFound);
    EXPECT_EQ(booking.failure(), StockBooking::Failure::ReadLength);
    EXPECT_EQ(booking.move(id, StockMove{0, -1, 0}), err::RecordChanged);
    EXPECT_EQ(booking.failure(), StockBooking::Failure::ExternalBelowZero);
    EXPECT_EQ(length(id).extStock, 0u);
}

TEST_F(StockBookingTest, ARemnantLengthIsFoundOrCreatedEmptyAsALengthThatHoldsRemnants)
{
    addLength(1, 6000, 3);
    addLength(2, 1500, 1);   // the same length of another profile is not the one
    Transaction tx(db, 3000);
    StockBooking booking(db, StockOperation::CuttingOrderCreated, stamp, 1);
    ASSERT_EQ(booking.begin(), 0);
    ProfileLengthRecord remnant;
    bool created = false;
    ASSERT_EQ(booking.lengthOf(1, 1500, remnant, created), 0);
    EXPECT_TRUE(created);
    EXPECT_EQ(remnant.id, 3u);
    EXPECT_EQ(remnant.profileId, 1u);
    EXPECT_EQ(remnant.typicalLength, 0u);
    EXPECT_EQ(remnant.intStock, 0);
    ASSERT_EQ(booking.move(remnant.id, StockMove::inProduction(1), 1, 1500), 0);
    ProfileLengthRecord again;
    ASSERT_EQ(booking.lengthOf(1, 1500, again, created), 0);
    EXPECT_FALSE(created);
    EXPECT_EQ(again.id, remnant.id);
    ASSERT_EQ(booking.move(again.id, StockMove::inProduction(1)), 0);
    ASSERT_EQ(booking.lengthOf(1, 6000, again, created), 0);
    EXPECT_FALSE(created);
    EXPECT_EQ(again.id, 1u);
    ASSERT_EQ(booking.finish(), 0);
    ASSERT_EQ(tx.commit(), 0);
    EXPECT_EQ(length(3).incomStock, 2);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(StockBookingTest, AddingChangingAndRemovingLengthsNameTheLengthInTheirLines)
{
    const uint32_t kept = addLength(4, 6000, 2);
    Transaction tx(db, 3000);
    {
        StockBooking add(db, StockOperation::LengthAdded, stamp);
        ASSERT_EQ(add.begin(), 0);   // the opening balance of the length already there
        ProfileLengthRecord added;
        added.profileId = 4;
        added.lenght = 12000;
        added.intStock = 5;
        added.extStock = 2;
        added.incomStock = 1;
        ASSERT_EQ(add.addLength(added), 0);
        ASSERT_EQ(add.finish(), 0);

        StockBooking change(db, StockOperation::QuantityChanged, stamp);
        ASSERT_EQ(change.setCounts(kept, 7, 1, -2), 0);
        ASSERT_EQ(change.finish(), 0);

        StockBooking remove(db, StockOperation::LengthRemoved, stamp);
        ASSERT_EQ(remove.removeLength(added.id), 0);
        ASSERT_EQ(remove.finish(), 0);
    }
    ASSERT_EQ(tx.commit(), 0);
    const QList<StockChangeRecord> lines = log();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1].operationType, 1);
    EXPECT_EQ(lines[1].docId, 2u);
    EXPECT_EQ(lines[1].finalExtStock, 2);
    EXPECT_EQ(lines[2].operationType, 2);
    EXPECT_EQ(lines[2].docId, kept);
    EXPECT_EQ(lines[2].changeIntStock, 5);
    EXPECT_EQ(lines[2].changeExtStock, 1);
    EXPECT_EQ(lines[2].changeIncomStock, -2);
    EXPECT_EQ(lines[3].operationType, 3);
    EXPECT_EQ(lines[3].changeIntStock, -5);
    EXPECT_EQ(lines[3].changeExtStock, -2);
    EXPECT_EQ(lines[3].changeIncomStock, -1);
    EXPECT_EQ(lines[3].finalIntStock, 0);
    EXPECT_EQ(lines[3].finnalIncStock, 0);
    // 12 m opening, +60 m added, +30 m changed, -60 m removed.
    EXPECT_DOUBLE_EQ(lines[3].profileIntStock, 42.0);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(StockBookingTest, TheStockLogRulesFindALogThatDoesNotExplainTheStock)
{
    const uint32_t id = addLength(1, 6000, 4);
    EXPECT_FALSE(testing_support::stockLogExplainsStock(db)) << "stock without any log line";
    {
        Transaction tx(db, 3000);
        QString error;
        ASSERT_EQ(writeOpeningBalance(db, stamp, true, error), 0);
        ASSERT_EQ(tx.commit(), 0);
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // A count changed behind the log's back.
    Table<ProfileLengthRecord> lengths(db);
    ProfileLengthRecord l = length(id);
    ASSERT_EQ(lengths.fetch(Table<ProfileLengthRecord>::Auto, l), 0);
    l.incomStock = -1;
    ASSERT_EQ(lengths.update(l), 0);
    const ::testing::AssertionResult changed = testing_support::stockLogExplainsStock(db);
    EXPECT_FALSE(changed);
    EXPECT_NE(std::string(changed.message()).find("length 6000: stock 4/0/-1, last log line 4/0/0"), std::string::npos);

    // A line whose final count does not follow from the change, and one whose metres do not.
    Table<StockChangeRecord> log(db);
    StockChangeRecord wrong;
    wrong.profileId = 1;
    wrong.lenght = 6000;
    wrong.changeIncomStock = -1;
    wrong.finalIntStock = 4;
    wrong.finnalIncStock = -2;
    wrong.profileIntStock = 24.0;
    wrong.profileIncStock = -7.0;
    ASSERT_EQ(log.addWithNewIdentifier(wrong), 0);
    const std::string message = testing_support::stockLogExplainsStock(db).message();
    EXPECT_NE(message.find("final 4/0/-2, expected 4/0/-1"), std::string::npos) << message;
    EXPECT_NE(message.find("profile metres 24/0/-7, expected 24/0/-6"), std::string::npos) << message;
}

} // namespace
