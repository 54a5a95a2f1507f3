// Running totals of the stock change log.

#include "global/StockLog.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class StockLogTest : public testing_support::DatabaseFixture {
protected:
    StockChangeRecord change(uint32_t profile, uint32_t lenght, int32_t intStock, int32_t extStock, int32_t incStock)
    {
        StockChangeRecord r;
        r.profileId = profile;
        r.lenght = lenght;
        r.changeIntStock = intStock;
        r.changeExtStock = extStock;
        r.changeIncomStock = incStock;
        r.operationType = 2;
        return r;
    }
};

TEST_F(StockLogTest, TotalsOfTheLengthAndOfTheProfileRunOn)
{
    Table<StockChangeRecord> log(db);
    StockChangeRecord a = change(5, 6000, 10, 2, 0);
    ASSERT_EQ(addStockChange(log, a), 0);
    EXPECT_EQ(a.id, 1u);
    EXPECT_EQ(a.finalIntStock, 10);
    EXPECT_DOUBLE_EQ(a.profileIntStock, 60.0);
    EXPECT_DOUBLE_EQ(a.profileExtStock, 12.0);

    StockChangeRecord other = change(6, 6000, 99, 0, 0);   // another profile does not count
    ASSERT_EQ(addStockChange(log, other), 0);

    StockChangeRecord b = change(5, 3000, 4, 0, -1);       // another length of the same profile
    ASSERT_EQ(addStockChange(log, b), 0);
    EXPECT_EQ(b.finalIntStock, 4);
    EXPECT_EQ(b.finnalIncStock, -1);
    EXPECT_DOUBLE_EQ(b.profileIntStock, 72.0);
    EXPECT_DOUBLE_EQ(b.profileIncStock, -3.0);

    StockChangeRecord c = change(5, 6000, -3, 0, 2);
    ASSERT_EQ(addStockChange(log, c), 0);
    EXPECT_EQ(c.id, 4u);
    EXPECT_EQ(c.finalIntStock, 7);
    EXPECT_EQ(c.finalExtStock, 2);
    EXPECT_EQ(c.finnalIncStock, 2);
    EXPECT_DOUBLE_EQ(c.profileIntStock, 54.0);
    EXPECT_DOUBLE_EQ(c.profileIncStock, 9.0);

    StockChangeRecord stored;
    stored.id = 4;
    ASSERT_EQ(log.fetch(Table<StockChangeRecord>::Auto, stored), 0);
    EXPECT_EQ(stored.finalIntStock, 7);
    EXPECT_DOUBLE_EQ(stored.profileIntStock, 54.0);
}

} // namespace
