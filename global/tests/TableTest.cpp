// Keyed reads, writes and error numbers of the table layer.

#include "Database.h"
#include "Table.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace global;

namespace {

class TableTest : public ::testing::Test {
protected:
    testing_support::TempDataDir dir;
    Database db{dir.path()};
    void SetUp() override { ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString(); }

    CutRecord cut(uint32_t id, uint32_t profile, uint16_t status, uint32_t lenght)
    {
        CutRecord c;
        c.id = id;
        c.orderId = 1;
        c.orderProfileId = 1;
        c.profileId = profile;
        c.status = status;
        c.lenght = lenght;
        c.pcs = 1;
        return c;
    }
    QList<uint32_t> readForward(Table<CutRecord>& t)
    {
        QList<uint32_t> ids;
        CutRecord r;
        while (t.next(r) == 0)
            ids << r.id;
        EXPECT_EQ(t.errorCode(), err::NoMoreRecords);
        return ids;
    }
};

TEST_F(TableTest, DescendingComponentOrdersLongestFirstWithIdentifierLast)
{
    Table<CutRecord> cuts(db);
    ASSERT_EQ(cuts.add(cut(1, 7, 0, 1000)), 0);
    ASSERT_EQ(cuts.add(cut(2, 7, 0, 3000)), 0);
    ASSERT_EQ(cuts.add(cut(3, 7, 1, 5000)), 0);
    ASSERT_EQ(cuts.add(cut(4, 7, 0, 3000)), 0);
    ASSERT_EQ(cuts.add(cut(5, 8, 0, 9000)), 0);
    ASSERT_EQ(cuts.add(cut(6, 6, 0, 9000)), 0);

    CutRecord from;
    from.profileId = 7;
    cuts.set(Table<CutRecord>::ByProfileStatus, from);
    EXPECT_EQ(readForward(cuts), (QList<uint32_t>{2, 4, 1, 3, 5}));

    const auto rows = cuts.rows(Table<CutRecord>::ByProfileStatus, from, 1);
    QList<uint32_t> ids;
    for (const auto& r : rows)
        ids << r.id;
    EXPECT_EQ(ids, (QList<uint32_t>{2, 4, 1, 3}));

    // Backwards from the end of the key, and from a position inside a descending component.
    cuts.setEnd(Table<CutRecord>::ByProfileStatus);
    CutRecord r;
    ASSERT_EQ(cuts.previous(r), 0);
    EXPECT_EQ(r.id, 5u);
    from.status = 0;
    from.lenght = 2000;
    cuts.set(Table<CutRecord>::ByProfileStatus, from, 3);
    ASSERT_EQ(cuts.next(r), 0);
    EXPECT_EQ(r.id, 1u);
    ASSERT_EQ(cuts.previous(r), 0);
    EXPECT_EQ(r.id, 4u);
}

TEST_F(TableTest, FetchAddAndErrorNumbers)
{
    Table<OrderRecord> orders(db);
    OrderRecord o;
    o.id = 1;
    o.number = QStringLiteral("Z/1");
    ASSERT_EQ(orders.add(o), 0) << orders.errorText().toStdString();
    o.id = 2;
    EXPECT_EQ(orders.add(o), err::DuplicateKey);
    OrderRecord key;
    key.id = 9;
    EXPECT_EQ(orders.fetch(Table<OrderRecord>::Auto, key), err::RecordNotFound);
    key.number = QStringLiteral("Z/1");
    ASSERT_EQ(orders.fetch(Table<OrderRecord>::ByNo, key), 0);
    EXPECT_EQ(key.id, 1u);
    orders.set(Table<OrderRecord>::Auto);
    ASSERT_EQ(orders.next(key), 0);
    EXPECT_EQ(orders.next(key), err::NoMoreRecords);
}

} // namespace
