// Key orders, cursor reads and the error numbers of the table layer.

#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class TableTest : public testing_support::DatabaseFixture {
protected:
    static CutRecord cut(uint32_t id, uint32_t profile, uint16_t status, uint32_t lenght)
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
    template <class R>
    static QList<uint32_t> idsForward(Table<R>& t)
    {
        QList<uint32_t> ids;
        R r;
        while (t.next(r) == 0)
            ids << r.id;
        EXPECT_EQ(t.errorCode(), err::NoMoreRecords);
        return ids;
    }
    static QStringList codesOf(const QList<ProfileRecord>& rows)
    {
        QStringList codes;
        for (const auto& r : rows)
            codes << r.profileCode;
        return codes;
    }
    void addCuts()
    {
        Table<CutRecord> cuts(db);
        for (const CutRecord& c : {cut(1, 7, 0, 1000), cut(2, 7, 0, 3000), cut(3, 7, 1, 5000), cut(4, 7, 0, 3000),
                                   cut(5, 8, 0, 9000), cut(6, 6, 0, 9000)})
            ASSERT_EQ(cuts.add(c), 0) << cuts.errorText().toStdString();
    }
};

TEST_F(TableTest, DescendingLengthWithIdentifierBreakingTies)
{
    addCuts();
    Table<CutRecord> cuts(db);
    CutRecord from;
    from.profileId = 7;   // status, length and id left at 0 match everything
    cuts.set(Table<CutRecord>::ByProfileStatus, from);
    EXPECT_EQ(idsForward(cuts), (QList<uint32_t>{2, 4, 1, 3, 5}));

    QList<uint32_t> ids;
    for (const auto& r : cuts.rows(Table<CutRecord>::ByProfileStatus, from, 1))
        ids << r.id;
    EXPECT_EQ(ids, (QList<uint32_t>{2, 4, 1, 3}));
    EXPECT_EQ(cuts.count(Table<CutRecord>::ByProfileStatus, from, 1), 4);
}

TEST_F(TableTest, CursorPlacedAtARecordByItsPositionEvenWhenItIsGone)
{
    addCuts();
    Table<CutRecord> cuts(db);
    CutRecord from;
    from.profileId = 7;
    cuts.set(Table<CutRecord>::ByProfileStatus, from);
    CutRecord second;
    ASSERT_EQ(cuts.next(second), 0);
    ASSERT_EQ(cuts.next(second), 0);
    ASSERT_EQ(second.id, 4u);   // order 2, 4, 1, 3, 5
    const QString position = cuts.position();

    Table<CutRecord> pages(db);
    pages.setAt(Table<CutRecord>::ByProfileStatus, second, position);
    EXPECT_EQ(idsForward(pages), (QList<uint32_t>{1, 3, 5}));
    pages.setAt(Table<CutRecord>::ByProfileStatus, second, position);
    CutRecord before;
    ASSERT_EQ(pages.previous(before), 0);
    EXPECT_EQ(before.id, 2u);

    // Deleted meanwhile, the record still marks the place between its neighbours.
    ASSERT_EQ(cuts.remove(), 0);
    pages.setAt(Table<CutRecord>::ByProfileStatus, second, position);
    EXPECT_EQ(idsForward(pages), (QList<uint32_t>{1, 3, 5}));
}

TEST_F(TableTest, PositionInsideDescendingComponentAndReadingBothWays)
{
    addCuts();
    Table<CutRecord> cuts(db);
    CutRecord from;
    from.profileId = 7;
    from.lenght = 2000;   // status 0 is meant here: use three components explicitly
    cuts.set(Table<CutRecord>::ByProfileStatus, from, 3);
    CutRecord r;
    ASSERT_EQ(cuts.next(r), 0);
    EXPECT_EQ(r.id, 1u);   // the first length not longer than 2000
    ASSERT_EQ(cuts.previous(r), 0);
    EXPECT_EQ(r.id, 4u);   // back across the position
    ASSERT_EQ(cuts.previous(r), 0);
    EXPECT_EQ(r.id, 2u);
    ASSERT_EQ(cuts.previous(r), 0);
    EXPECT_EQ(r.id, 6u);
    EXPECT_EQ(cuts.previous(r), err::NoMoreRecords);

    cuts.setEnd(Table<CutRecord>::ByProfileStatus);
    ASSERT_EQ(cuts.previous(r), 0);
    EXPECT_EQ(r.id, 5u);
    cuts.set(Table<CutRecord>::ByProfileStatus);
    ASSERT_EQ(cuts.next(r), 0);
    EXPECT_EQ(r.id, 6u);
}

TEST_F(TableTest, BackwardsFromAGroupStartsAtItsLastRecord)
{
    addCuts();
    Table<CutRecord> cuts(db);
    CutRecord from;
    from.profileId = 7;
    cuts.set(Table<CutRecord>::ByProfileStatus, from);
    CutRecord r;
    QList<uint32_t> ids;
    while (cuts.previous(r) == 0)
        ids << r.id;
    EXPECT_EQ(ids, (QList<uint32_t>{3, 1, 4, 2, 6}));
}

TEST_F(TableTest, ReadingGoesOnAfterTheRecordJustDeletedOrChanged)
{
    addCuts();
    Table<CutRecord> cuts(db);
    cuts.set(Table<CutRecord>::Auto);
    CutRecord r;
    QList<uint32_t> seen;
    while (cuts.next(r) == 0) {
        seen << r.id;
        if (r.id == 2) {
            ASSERT_EQ(cuts.remove(), 0);
        }
        if (r.id == 3) {
            // Changing a later record through another table object is seen by this cursor.
            Table<CutRecord> other(db);
            CutRecord later;
            later.id = 5;
            ASSERT_EQ(other.fetch(Table<CutRecord>::Auto, later), 0);
            later.pcs = 42;
            ASSERT_EQ(other.update(later), 0);
        }
        if (r.id == 5) {
            EXPECT_EQ(r.pcs, 42u);
        }
    }
    EXPECT_EQ(seen, (QList<uint32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(cuts.count(Table<CutRecord>::Auto), 5);
}

TEST_F(TableTest, LongReadsCrossReadAheadBatches)
{
    Table<StockChangeRecord> log(db);
    ASSERT_EQ(db.begin(), 0);
    for (uint32_t i = 1; i <= 300; ++i) {
        StockChangeRecord r;
        r.id = i;
        r.profileId = i % 3;
        r.lenght = 6000;
        ASSERT_EQ(log.add(r), 0);
    }
    ASSERT_EQ(db.commit(), 0);
    StockChangeRecord from;
    from.profileId = 1;
    log.set(Table<StockChangeRecord>::ByProfile, from);
    StockChangeRecord r;
    uint32_t expected = 1;
    int n = 0;
    while (log.next(r) == 0 && r.profileId == 1) {
        EXPECT_EQ(r.id, expected);
        expected += 3;
        ++n;
    }
    EXPECT_EQ(n, 100);

    // The latest record of one profile and length: highest values, read backwards.
    from.profileId = 2;
    from.lenght = 6000;
    from.id = 0xFFFFFFFFu;
    log.set(Table<StockChangeRecord>::ByProfileLenght, from);
    ASSERT_EQ(log.previous(r), 0);
    EXPECT_EQ(r.id, 299u);
}

TEST_F(TableTest, NoCaseKeysFoldPolishLetters)
{
    Table<ProfileRecord> profiles(db);
    ProfileRecord p;
    p.id = 1;
    p.profileCode = QStringLiteral("łącznik ąę");
    ASSERT_EQ(profiles.add(p), 0);
    p.id = 2;
    p.profileCode = QStringLiteral("ŁĄCZNIK ĄĘ");
    EXPECT_EQ(profiles.add(p), err::DuplicateKey);
    EXPECT_TRUE(profiles.isDuplicate(p));
    p.profileCode = QStringLiteral("beta");
    ASSERT_EQ(profiles.add(p), 0);
    p.id = 3;
    p.profileCode = QStringLiteral("Alfa");
    ASSERT_EQ(profiles.add(p), 0);
    p.id = 4;
    p.profileCode = QStringLiteral("ZETA");
    ASSERT_EQ(profiles.add(p), 0);

    ProfileRecord key;
    key.profileCode = QStringLiteral("ŁąCZNIK ąĘ");
    ASSERT_EQ(profiles.fetch(Table<ProfileRecord>::ByCode, key), 0);
    EXPECT_EQ(key.id, 1u);
    EXPECT_EQ(key.profileCode, QStringLiteral("łącznik ąę"));   // stored as typed

    EXPECT_EQ(codesOf(profiles.rows(Table<ProfileRecord>::ByCode)),
              (QStringList{QStringLiteral("Alfa"), QStringLiteral("beta"), QStringLiteral("ZETA"),
                           QStringLiteral("łącznik ąę")}));

    // The order list: status, then number without case.
    Table<OrderRecord> orders(db);
    OrderRecord o;
    for (const auto& [id, number] : {std::pair{1u, "żółw"}, {2u, "Ala"}, {3u, "ŻÓŁW-2"}, {4u, "bolek"}}) {
        o.id = id;
        o.number = QString::fromUtf8(number);
        ASSERT_EQ(orders.add(o), 0);
    }
    QStringList numbers;
    for (const auto& r : orders.rows(Table<OrderRecord>::ActiveOrders))
        numbers << r.number;
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("Ala"), QStringLiteral("bolek"), QStringLiteral("żółw"),
                                    QStringLiteral("ŻÓŁW-2")}));
    // ORD:BY_No compares exactly: another case is another number.
    o.id = 5;
    o.number = QStringLiteral("ALA");
    EXPECT_EQ(orders.add(o), 0);
}

TEST_F(TableTest, ErrorNumbersOfFetchNextAddUpdateDelete)
{
    Table<OrderRecord> orders(db);
    OrderRecord o;
    EXPECT_EQ(orders.update(o), err::RecordNotFound);   // nothing read yet
    EXPECT_EQ(orders.remove(), err::RecordNotFound);
    o.id = 1;
    o.number = QStringLiteral("Z/1");
    ASSERT_EQ(orders.add(o), 0);
    o.id = 2;
    EXPECT_EQ(orders.add(o), err::DuplicateKey);
    EXPECT_EQ(orders.errorCode(), err::DuplicateKey);
    o.number = QStringLiteral("Z/2");
    ASSERT_EQ(orders.add(o), 0);

    OrderRecord key;
    key.id = 9;
    EXPECT_EQ(orders.fetch(Table<OrderRecord>::Auto, key), err::RecordNotFound);
    key.number = QStringLiteral("Z/2");
    ASSERT_EQ(orders.fetch(Table<OrderRecord>::ByNo, key), 0);
    EXPECT_EQ(key.id, 2u);

    key.number = QStringLiteral("Z/1");   // an update that would duplicate the number
    EXPECT_EQ(orders.update(key), err::DuplicateKey);
    key.number = QStringLiteral("Z/2b");
    ASSERT_EQ(orders.update(key), 0);
    ASSERT_EQ(orders.remove(), 0);
    key.id = 2;
    EXPECT_EQ(orders.fetch(Table<OrderRecord>::Auto, key), err::RecordNotFound);

    orders.set(Table<OrderRecord>::Auto);
    ASSERT_EQ(orders.next(key), 0);
    EXPECT_EQ(orders.next(key), err::NoMoreRecords);
    EXPECT_EQ(orders.previous(key), err::NoMoreRecords);   // before the first record
}

TEST_F(TableTest, TextsAreCutToTheirWidthByCharacters)
{
    Table<StockTransItemRecord> items(db);
    StockTransItemRecord item;
    item.id = 1;
    item.heatNumber = QStringLiteral("ąąąąąąąąąąąąąąąąąąąąXYZ");   // 23 characters, 2 bytes each
    ASSERT_EQ(items.add(item), 0);
    StockTransItemRecord back;
    back.id = 1;
    ASSERT_EQ(items.fetch(Table<StockTransItemRecord>::Auto, back), 0);
    EXPECT_EQ(back.heatNumber, QString(20, QChar(0x0105)));
}

TEST_F(TableTest, DatesAndTimesKeepHundredths)
{
    Table<StockTransRecord> trans(db);
    StockTransRecord t;
    t.id = 1;
    t.dateCreated = QDate(2026, 3, 14);
    t.timeCreated = QTime(13, 45, 7, 129);
    ASSERT_EQ(trans.add(t), 0);
    StockTransRecord back;
    back.id = 1;
    ASSERT_EQ(trans.fetch(Table<StockTransRecord>::Auto, back), 0);
    EXPECT_EQ(back.dateCreated, QDate(2026, 3, 14));
    EXPECT_EQ(back.timeCreated, QTime(13, 45, 7, 120));
    EXPECT_FALSE(back.productionDate.isValid());
    EXPECT_FALSE(back.timeConfirmed.isValid());
}

TEST_F(TableTest, OneStockRecordPerLengthOfAProfile)
{
    Table<ProfileLengthRecord> lengths(db);
    ProfileLengthRecord l;
    l.id = 1;
    l.profileId = 3;
    l.lenght = 6000;
    ASSERT_EQ(lengths.add(l), 0);
    l.id = 2;
    EXPECT_EQ(lengths.add(l), err::DuplicateKey);
    l.profileId = 4;
    EXPECT_EQ(lengths.add(l), 0);
    l.id = 3;
    l.profileId = 3;
    l.lenght = 3000;
    ASSERT_EQ(lengths.add(l), 0);
    ProfileLengthRecord key;
    key.profileId = 3;
    key.lenght = 3000;
    ASSERT_EQ(lengths.fetch(Table<ProfileLengthRecord>::ByProfile, key), 0);
    EXPECT_EQ(key.id, 3u);
}

TEST_F(TableTest, PositionAndRereadByPosition)
{
    Table<SetupParRecord> pars(db);
    SetupParRecord p{QStringLiteral("A"), QStringLiteral("first"), QStringLiteral("1")};
    ASSERT_EQ(pars.add(p), 0);
    p = {QStringLiteral("B"), QStringLiteral("second"), QStringLiteral("2")};
    ASSERT_EQ(pars.add(p), 0);
    QString position;
    SetupParRecord key;
    key.techName = QStringLiteral("B");
    ASSERT_EQ(pars.positionOf(Table<SetupParRecord>::ByTechName, key, position), 0);
    SetupParRecord other;
    other.techName = QStringLiteral("A");
    ASSERT_EQ(pars.fetch(Table<SetupParRecord>::ByTechName, other), 0);
    SetupParRecord again;
    ASSERT_EQ(pars.reget(position, again), 0);
    EXPECT_EQ(again.name, QStringLiteral("second"));
    ASSERT_EQ(pars.remove(), 0);
    EXPECT_EQ(pars.reget(position, again), err::RecordNotFound);
}

TEST_F(TableTest, TheInjectedWriteFaultFailsExactlyTheNthWriteAndWritesNothing)
{
    Table<CutRecord> cuts(db);
    write_faults::failNthWrite(3);
    ASSERT_EQ(cuts.add(cut(1, 5, 0, 100)), 0);                  // write 1
    CutRecord c;
    c.id = 1;
    ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, c), 0);
    c.status = 2;
    ASSERT_EQ(cuts.update(c), 0);                                // write 2
    EXPECT_EQ(cuts.add(cut(2, 5, 0, 200)), err::StorageError);   // write 3 fails
    EXPECT_TRUE(cuts.errorText().contains(QStringLiteral("injected")));
    EXPECT_EQ(cuts.count(Table<CutRecord>::Auto), 1);
    ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, c), 0);
    EXPECT_EQ(cuts.remove(), 0);                                 // write 4 passes again
    EXPECT_EQ(write_faults::writesCounted(), 4);
    write_faults::failNthWrite(1);
    ASSERT_EQ(cuts.add(cut(3, 5, 0, 300)), err::StorageError);
    write_faults::failNthWrite(0);
    EXPECT_EQ(cuts.add(cut(3, 5, 0, 300)), 0);
    EXPECT_EQ(cuts.count(Table<CutRecord>::Auto), 1);
}

} // namespace
