// Reading one profile's pieces among many must stay fast.

#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace global;

namespace {

class SpeedTest : public testing_support::DatabaseFixture {};

TEST_F(SpeedTest, OneProfilesPiecesAmongAHundredThousandByKey)
{
    Table<CutRecord> cuts(db);
    {
        Transaction tx(db, 3000);
        ASSERT_TRUE(tx.ok());
        CutRecord c;
        for (uint32_t id = 1; id <= 100000; ++id) {
            c.id = id;
            c.orderId = id / 50 + 1;
            c.orderProfileId = id / 10 + 1;
            c.profileId = id % 1000 + 1;
            c.status = id % 3;
            c.lenght = 500 + id % 5000;
            c.pcs = 1;
            ASSERT_EQ(cuts.add(c), 0);
        }
        ASSERT_EQ(tx.commit(), 0);
    }
    CutRecord key;
    key.profileId = 421;
    QElapsedTimer timer;
    timer.start();
    const QList<CutRecord> rows = cuts.rows(Table<CutRecord>::ByProfileStatus, key, 1);
    const qint64 rangeMs = timer.elapsed();
    ASSERT_EQ(rows.size(), 100);

    timer.restart();
    cuts.set(Table<CutRecord>::ByProfileStatus, key);
    CutRecord r;
    int n = 0;
    while (cuts.next(r) == 0 && r.profileId == 421)
        ++n;
    const qint64 cursorMs = timer.elapsed();
    EXPECT_EQ(n, 100);
    EXPECT_LT(rangeMs, 50);
    EXPECT_LT(cursorMs, 50);
}

} // namespace
