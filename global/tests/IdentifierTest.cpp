// The identifier rule: highest + 1, 1 in an empty table, a deleted highest number reused.

#include "global/Identifier.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class IdentifierTest : public testing_support::DatabaseFixture {};

TEST_F(IdentifierTest, FirstIsOneThenHighestPlusOneAndDeletedHighestIsReused)
{
    Table<CutRecord> cuts(db);
    CutRecord c;
    c.profileId = 4;
    ASSERT_EQ(cuts.addWithNewIdentifier(c), 0);
    EXPECT_EQ(c.id, 1u);
    ASSERT_EQ(cuts.addWithNewIdentifier(c), 0);
    EXPECT_EQ(c.id, 2u);
    c.id = 10;   // a gap: the next one follows the highest, not the count
    ASSERT_EQ(cuts.add(c), 0);
    ASSERT_EQ(cuts.addWithNewIdentifier(c), 0);
    EXPECT_EQ(c.id, 11u);

    ASSERT_EQ(cuts.remove(), 0);   // the record just added, the highest
    uint32_t id = 0;
    ASSERT_EQ(newIdentifier(cuts, id), 0);
    EXPECT_EQ(id, 11u);

    CutRecord key;
    key.id = 1;
    ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, key), 0);
    ASSERT_EQ(cuts.remove(), 0);   // a lower number stays free
    ASSERT_EQ(newIdentifier(cuts, id), 0);
    EXPECT_EQ(id, 11u);
}

TEST_F(IdentifierTest, StationNumbersFollowTheHighestNumberInUse)
{
    Table<StationRecord> stations(db);
    StationRecord s;
    s.pcName = QStringLiteral("PC-A");
    ASSERT_EQ(stations.addWithNewIdentifier(s), 0);
    EXPECT_EQ(s.userLp, 1u);
    s.pcName = QStringLiteral("PC-B");
    s.userLp = 7;
    ASSERT_EQ(stations.add(s), 0);
    s.pcName = QStringLiteral("PC-C");
    ASSERT_EQ(stations.addWithNewIdentifier(s), 0);
    EXPECT_EQ(s.userLp, 8u);
    // Two stations that read the same highest number: the second add is a duplicate.
    s.pcName = QStringLiteral("PC-D");
    EXPECT_EQ(stations.add(s), err::DuplicateKey);
}

TEST_F(IdentifierTest, EveryNumberedTableStartsAtOne)
{
    uint32_t id = 0;
    Table<OrderRecord> orders(db);
    ASSERT_EQ(newIdentifier(orders, id), 0);
    EXPECT_EQ(id, 1u);
    Table<StockChangeRecord> log(db);
    StockChangeRecord r;
    r.id = 41;
    ASSERT_EQ(log.add(r), 0);
    ASSERT_EQ(newIdentifier(log, id), 0);
    EXPECT_EQ(id, 42u);
}

} // namespace
