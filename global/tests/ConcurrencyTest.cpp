// Two stations on one file: changes detected under watch, transactions, lock waits, threads.

#include "global/DatabaseLocation.h"
#include "global/RiRoutines.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QtSql/QSqlDatabase>
#include <atomic>
#include <thread>

using namespace global;

namespace {

class ConcurrencyTest : public testing_support::DatabaseFixture {
protected:
    Database other{dir.path()};   // a second station on the same file
    ScriptedDialogs dialogs;

    void SetUp() override
    {
        DatabaseFixture::SetUp();
        ASSERT_EQ(other.open(), 0);
        Table<SetupParRecord> pars(db);
        ASSERT_EQ(pars.add({QStringLiteral("GLO:Saw_Width"), QStringLiteral("Szerokość piły"), QStringLiteral("5")}), 0);
    }

    // The other station changes the saw width value.
    void otherStationWrites(const QString& value)
    {
        Table<SetupParRecord> pars(other);
        SetupParRecord r;
        r.techName = QStringLiteral("GLO:Saw_Width");
        ASSERT_EQ(pars.fetch(Table<SetupParRecord>::ByTechName, r), 0);
        r.value = value;
        ASSERT_EQ(pars.update(r), 0);
    }

    SetupParRecord readUnderWatch(Table<SetupParRecord>& pars)
    {
        SetupParRecord r;
        r.techName = QStringLiteral("GLO:Saw_Width");
        pars.watch();
        EXPECT_EQ(pars.fetch(Table<SetupParRecord>::ByTechName, r), 0);
        return r;
    }

    QString storedValue()
    {
        Table<SetupParRecord> pars(other);
        SetupParRecord r;
        r.techName = QStringLiteral("GLO:Saw_Width");
        EXPECT_EQ(pars.fetch(Table<SetupParRecord>::ByTechName, r), 0);
        return r.value;
    }
};

TEST_F(ConcurrencyTest, UpdateOfARecordChangedByAnotherStationFailsWith89)
{
    Table<SetupParRecord> pars(db);
    SetupParRecord mine = readUnderWatch(pars);
    otherStationWrites(QStringLiteral("4"));
    mine.value = QStringLiteral("3");
    EXPECT_EQ(pars.update(mine), err::RecordChanged);
    EXPECT_EQ(storedValue(), QStringLiteral("4"));

    // Without watch the last writer wins.
    SetupParRecord again = mine;
    ASSERT_EQ(pars.fetch(Table<SetupParRecord>::ByTechName, again), 0);
    otherStationWrites(QStringLiteral("6"));
    again.value = QStringLiteral("3");
    EXPECT_EQ(pars.update(again), 0);
    EXPECT_EQ(storedValue(), QStringLiteral("3"));
}

TEST_F(ConcurrencyTest, RiUpdateReturns2WithTheOtherStationsValuesThenSavesOnSecondTry)
{
    Table<SetupParRecord> pars(db);
    SetupParRecord mine = readUnderWatch(pars);
    otherStationWrites(QStringLiteral("4"));
    mine.value = QStringLiteral("3");
    ASSERT_EQ(riUpdateSetupPar(pars, mine, true, dialogs), ri::ChangedByOtherStation);
    EXPECT_EQ(mine.value, QStringLiteral("4"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Record Was Not Updated"));
    EXPECT_EQ(dialogs.shown().first().text,
              QStringLiteral("This record was changed by another station. Those changes will now be displayed. "
                             "Use the Ditto Button or Ctrl+' to recall your changes."));

    mine.value = QStringLiteral("3");
    EXPECT_EQ(riUpdateSetupPar(pars, mine, true, dialogs), ri::Done);
    EXPECT_EQ(storedValue(), QStringLiteral("3"));

    // Watched again after the re-read: a further change by the other station is caught again.
    SetupParRecord next = readUnderWatch(pars);
    otherStationWrites(QStringLiteral("8"));
    next.value = QStringLiteral("1");
    dialogs.clear();
    EXPECT_EQ(riUpdateSetupPar(pars, next, false, dialogs), ri::ChangedByOtherStation);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Update Operation Error"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("This record was changed by another station."));
    EXPECT_EQ(next.value, QStringLiteral("8"));
}

TEST_F(ConcurrencyTest, RiUpdateOfADuplicateKeyAndRiDelete)
{
    Table<InterfaceMapRecord> map(db);
    InterfaceMapRecord a{QStringLiteral("CUTS"), QStringLiteral("LENGHT"), QStringLiteral("Długość"), {}, {}};
    InterfaceMapRecord b{QStringLiteral("CUTS"), QStringLiteral("PCS"), QStringLiteral("Ilość"), {}, {}};
    ASSERT_EQ(map.add(a), 0);
    ASSERT_EQ(map.add(b), 0);
    InterfaceMapRecord key;
    key.type = QStringLiteral("cuts");   // the primary key compares without case
    key.internalName = QStringLiteral("pcs");
    ASSERT_EQ(map.fetch(Table<InterfaceMapRecord>::Auto, key), 0);
    key.externalName = QStringLiteral("Długość");   // the external name of LENGHT
    EXPECT_EQ(riUpdateInterfaceMap(map, key, true, dialogs), ri::Failed);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("INTERFACE_MAP")));
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("ErrorCode = 40")));

    EXPECT_EQ(riDeleteInterfaceMap(map, a, dialogs), ri::Done);
    EXPECT_EQ(map.count(Table<InterfaceMapRecord>::Auto), 1);
    dialogs.clear();
    EXPECT_EQ(riDeleteInterfaceMap(map, a, dialogs), ri::Failed);   // already gone
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("ErrorCode = 35")));
}

TEST_F(ConcurrencyTest, HeatNumberOfABarChangedMeanwhileAndParameterDelete)
{
    Table<StockTransItemRecord> items(db);
    StockTransItemRecord bar;
    bar.id = 1;
    bar.idTrans = 3;
    ASSERT_EQ(items.add(bar), 0);
    items.watch();
    ASSERT_EQ(items.fetch(Table<StockTransItemRecord>::Auto, bar), 0);

    Table<StockTransItemRecord> theirs(other);
    StockTransItemRecord their;
    their.id = 1;
    ASSERT_EQ(theirs.fetch(Table<StockTransItemRecord>::Auto, their), 0);
    their.heatNumber = QStringLiteral("W-200");
    ASSERT_EQ(theirs.update(their), 0);

    bar.heatNumber = QStringLiteral("W-100");
    EXPECT_EQ(riUpdateStockTransItems(items, bar, false, dialogs), ri::ChangedByOtherStation);
    EXPECT_EQ(bar.heatNumber, QStringLiteral("W-200"));

    dialogs.clear();
    Table<SetupParRecord> pars(db);
    SetupParRecord p;
    p.techName = QStringLiteral("GLO:Saw_Width");
    EXPECT_EQ(riDeleteSetupPar(pars, p, dialogs), ri::Done);
    EXPECT_EQ(pars.count(Table<SetupParRecord>::ByTechName), 0);
    EXPECT_EQ(riDeleteSetupPar(pars, p, dialogs), ri::Failed);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Delete Operation Error"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("SETUP_PAR")));
}

TEST_F(ConcurrencyTest, RolledBackTransactionLeavesNothing)
{
    Table<OrderRecord> orders(db);
    Table<CutRecord> cuts(db);
    {
        Transaction tx(db, 3000);
        ASSERT_TRUE(tx.ok());
        OrderRecord o;
        o.number = QStringLiteral("Z/9");
        ASSERT_EQ(orders.addWithNewIdentifier(o), 0);
        CutRecord c;
        c.orderId = o.id;
        ASSERT_EQ(cuts.addWithNewIdentifier(c), 0);
        ASSERT_EQ(cuts.add(c), err::DuplicateKey);   // a failure inside: leave without commit
    }
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 0);
    EXPECT_EQ(cuts.count(Table<CutRecord>::Auto), 0);
    EXPECT_FALSE(db.inTransaction());

    // A committed one stays, and is seen by the other station.
    {
        Transaction tx(db, 3000);
        OrderRecord o;
        o.number = QStringLiteral("Z/10");
        ASSERT_EQ(orders.addWithNewIdentifier(o), 0);
        ASSERT_EQ(tx.commit(), 0);
    }
    Table<OrderRecord> seen(other);
    EXPECT_EQ(seen.count(Table<OrderRecord>::Auto), 1);
}

TEST_F(ConcurrencyTest, NestedTransactionsJoinTheOuterOne)
{
    Table<OrderRecord> orders(db);
    {
        Transaction outer(db, 3000);
        ASSERT_TRUE(outer.ok());
        {
            Transaction inner(db, 3000);
            ASSERT_TRUE(inner.ok());
            OrderRecord o;
            o.number = QStringLiteral("Z/1");
            ASSERT_EQ(orders.addWithNewIdentifier(o), 0);
            ASSERT_EQ(inner.commit(), 0);
        }
        EXPECT_TRUE(db.inTransaction());
        // The outer one ends without commit: the inner work goes too.
    }
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 0);

    {
        Transaction outer(db, 3000);
        {
            Transaction inner(db, 3000);
            OrderRecord o;
            o.number = QStringLiteral("Z/2");
            ASSERT_EQ(orders.addWithNewIdentifier(o), 0);
            // Left without commit: a failure inside rolls everything back.
        }
        EXPECT_FALSE(db.inTransaction());
        EXPECT_NE(outer.commit(), 0);
    }
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 0);
}

TEST_F(ConcurrencyTest, TransactionGivesUpAfterItsWaitWhileAnotherStationHoldsTheLock)
{
    ASSERT_EQ(other.begin(3000), 0);
    Table<OrderRecord> theirs(other);
    OrderRecord o;
    o.id = 1;
    o.number = QStringLiteral("Z/1");
    ASSERT_EQ(theirs.add(o), 0);

    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(db.begin(300), err::FileLocked);
    const qint64 waited = timer.elapsed();
    EXPECT_GE(waited, 250);
    EXPECT_LT(waited, 2500);
    EXPECT_TRUE(db.lastErrorText().contains(QStringLiteral("zablokowana"))) << db.lastErrorText().toStdString();
    EXPECT_TRUE(db.lastErrorText().contains(databaseName(db)));
    EXPECT_FALSE(db.inTransaction());

    // Reading goes on meanwhile and does not see the uncommitted record.
    Table<OrderRecord> mine(db);
    EXPECT_EQ(mine.count(Table<OrderRecord>::Auto), 0);

    ASSERT_EQ(other.commit(), 0);
    ASSERT_EQ(db.begin(300), 0);
    ASSERT_EQ(db.commit(), 0);
    EXPECT_EQ(mine.count(Table<OrderRecord>::Auto), 1);
}

TEST_F(ConcurrencyTest, SingleWritesWaitForTheLockThenFailClearly)
{
    Database impatient(dir.path());
    impatient.setLockWaitMs(200);
    ASSERT_EQ(impatient.open(), 0);
    ASSERT_EQ(other.begin(3000), 0);
    Table<SetupParRecord> theirs(other);
    ASSERT_EQ(theirs.add({QStringLiteral("X"), QStringLiteral("x"), QStringLiteral("1")}), 0);

    Table<SetupParRecord> pars(impatient);
    SetupParRecord r;
    r.techName = QStringLiteral("GLO:Saw_Width");
    ASSERT_EQ(pars.fetch(Table<SetupParRecord>::ByTechName, r), 0);
    r.value = QStringLiteral("7");
    EXPECT_EQ(pars.update(r), err::FileLocked);
    EXPECT_TRUE(pars.errorText().contains(QStringLiteral("zablokowana"))) << pars.errorText().toStdString();
    EXPECT_EQ(pars.add({QStringLiteral("Y"), QStringLiteral("y"), QStringLiteral("2")}), err::FileLocked);
    EXPECT_TRUE(pars.errorText().contains(databaseName(impatient))) << pars.errorText().toStdString();
    ASSERT_EQ(other.commit(), 0);
    EXPECT_EQ(pars.update(r), 0);
}

TEST_F(ConcurrencyTest, EachThreadWorksOnItsOwnConnection)
{
    std::atomic<int> added{0};
    std::atomic<int> failures{0};
    auto worker = [&](uint32_t first) {
        Table<StockChangeRecord> log(db);
        for (uint32_t i = 0; i < 50; ++i) {
            StockChangeRecord r;
            r.id = first + i;
            if (log.add(r) == 0)
                ++added;
            else
                ++failures;
        }
        // A transaction on this thread is not the main thread's transaction.
        if (db.begin(3000) != 0 || db.commit() != 0)
            ++failures;
    };
    const QStringList connectionsBefore = QSqlDatabase::connectionNames();
    QThread* a = QThread::create(worker, 1000u);
    QThread* b = QThread::create(worker, 2000u);
    a->start();
    b->start();
    QPointer<QThread> adopted;   // Qt's object for a thread it did not start
    std::thread c([&] {
        adopted = QThread::currentThread();
        worker(3000u);
    });
    a->wait();
    b->wait();
    c.join();
    // Closed with their threads, before waiting for a Qt thread returns.
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), connectionsBefore.size());
    delete a;
    delete b;
    // Nothing of the other thread is kept after it ended, not even Qt's object for it.
    EXPECT_TRUE(adopted.isNull());
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(added.load(), 150);
    Table<StockChangeRecord> log(db);
    EXPECT_EQ(log.count(Table<StockChangeRecord>::Auto), 150);
}

} // namespace
