// Confirming, reopening and deleting cutting orders: the records after each step of worked
// examples, refusals of a cutting order changed meanwhile, remnant lengths made again, and
// all-or-nothing when any write fails.

#include "transactions/CuttingOrderSettlement.h"

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/StockLog.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

using namespace transactions;
using global::CutRecord;
using global::OrderRecord;
using global::ProfileLengthRecord;
using global::StockChangeRecord;
using global::StockTransItemRecord;
using global::StockTransRecord;
using global::StockTransSubitemRecord;

namespace {

struct Counts {
    int32_t own, incom;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Counts& c)
{
    return os << c.own << "/" << c.incom;
}

class CuttingOrderSettlementTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    testing_support::StockScenario scenario{db};
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock{QDateTime(QDate(2026, 3, 12), QTime(9, 30))};
    global::FixedIdentity identity{QStringLiteral("brygadzista"), QStringLiteral("PILA-1")};
    global::Services services{dialogs, clipboard, clock, identity};

    // Profile 1 (remnant length 800) with stock 6000 x 10, 6500 x 2 and a remnant length of 1740
    // holding 1; order A (approved) with pieces a1, a2, order B (approved) with b1 and b2, order C
    // (new) with c1; a piece of A stays outside every cutting order unless a test takes it.
    uint32_t profile = 0, l6000 = 0, l6500 = 0, l1740 = 0;
    uint32_t orderA = 0, orderB = 0, orderC = 0;
    uint32_t a1 = 0, a2 = 0, b1 = 0, b2 = 0, c1 = 0;

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        profile = scenario.profile(QStringLiteral("AL 50x20"), 800, 0.9);
        l6000 = scenario.length(profile, 6000, 10);
        l6500 = scenario.length(profile, 6500, 2);
        l1740 = scenario.length(profile, 1740, 1, 0);
        orderA = scenario.order(QStringLiteral("ZL/A"), 1);
        orderB = scenario.order(QStringLiteral("ZL/B"), 1);
        orderC = scenario.order(QStringLiteral("ZL/C"), 0);
        a1 = scenario.cut(orderA, profile, 2450, 2, QStringLiteral("A-1"));
        a2 = scenario.cut(orderA, profile, 4200, 1, QStringLiteral("A-2"));
        b1 = scenario.cut(orderB, profile, 1700, 1, QStringLiteral("B-1"));
        b2 = scenario.cut(orderB, profile, 900, 1, QStringLiteral("B-2"));
        c1 = scenario.cut(orderC, profile, 5000, 1, QStringLiteral("C-1"), {}, 0, 0);
    }

    // Four bars: 6500 leaving 1040 (a new remnant length), 6000 leaving 1740 (a remnant onto the
    // remnant length, whose own bar is taken too: bar and remnant of 1740 net 0), the 1740 bar
    // leaving 40 of scrap, and 6000 leaving 1000 (a remnant of 1000). Orders A and B are whole in
    // it; C is not.
    uint32_t acceptWorked()
    {
        testing_support::SolutionBuilder s;
        s.bar(1, l6500, 6500, 1040, {{a1, 2450}, {a1, 2450}})
            .bar(2, l6000, 6000, 1740, {{a2, 4200}})
            .bar(3, l1740, 1740, 40, {{b1, 1700}})
            .bar(4, l6000, 6000, 4100, {{b2, 900}});
        return accept(s);
    }

    uint32_t accept(const testing_support::SolutionBuilder& s)
    {
        const kadrel::AcceptanceResult r =
            kadrel::acceptSolution(db, services, profile, s.bars, s.pieces, kadrel::Statistics{}, {});
        EXPECT_TRUE(r.saved) << dialogs.messages().join("\n").toStdString();
        return r.transaction;
    }

    Counts counts(uint32_t lengthId)
    {
        const ProfileLengthRecord l = scenario.fetch<ProfileLengthRecord>(lengthId);
        return Counts{l.intStock, l.incomStock};
    }

    uint32_t lengthId(uint32_t lenght)
    {
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        EXPECT_EQ(global::Table<ProfileLengthRecord>(db).fetch(global::Table<ProfileLengthRecord>::ByProfile, l), 0)
            << lenght;
        return l.id;
    }

    uint16_t cutStatus(uint32_t id) { return scenario.fetch<CutRecord>(id).status; }
    uint16_t orderStatus(uint32_t id) { return scenario.fetch<OrderRecord>(id).status; }

    // The log lines after the first `from` ones.
    QList<StockChangeRecord> linesFrom(qsizetype from) { return scenario.all<StockChangeRecord>().mid(from); }
};

TEST_F(CuttingOrderSettlementTest, CloseReopenAndCloseAgainMoveTheStockThePiecesAndTheOrders)
{
    const uint32_t t = acceptWorked();
    const uint32_t r1040 = lengthId(1040), r4100 = lengthId(4100);
    EXPECT_EQ(counts(l6000), (Counts{10, -2}));
    EXPECT_EQ(counts(l1740), (Counts{1, 0}));
    const qsizetype afterAccept = scenario.all<StockChangeRecord>().size();

    // Close: bars leave the own store, remnants enter it.
    clock.set(QDateTime(QDate(2026, 3, 13), QTime(15, 0, 1, 250)));
    SettlementResult closed = closeTransaction(db, services, t, CloseMode::Close);
    ASSERT_TRUE(closed.done) << dialogs.messages().join("\n").toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(closed.bars, 4u);
    EXPECT_EQ(closed.pieces, 5u);
    EXPECT_EQ(closed.ordersTouched, 2u);
    EXPECT_EQ(closed.ordersClosed, 2u);
    EXPECT_EQ(counts(l6000), (Counts{8, 0}));
    EXPECT_EQ(counts(l6500), (Counts{1, 0}));
    EXPECT_EQ(counts(l1740), (Counts{1, 0}));   // one bar out, one remnant in
    EXPECT_EQ(counts(r1040), (Counts{1, 0}));
    EXPECT_EQ(counts(r4100), (Counts{1, 0}));
    for (uint32_t piece : {a1, a2, b1, b2})
        EXPECT_EQ(cutStatus(piece), 3) << piece;
    EXPECT_EQ(cutStatus(c1), 0);
    EXPECT_EQ(orderStatus(orderA), 3);
    EXPECT_EQ(orderStatus(orderB), 3);
    EXPECT_EQ(orderStatus(orderC), 0);
    StockTransRecord order = scenario.fetch<StockTransRecord>(t);
    EXPECT_EQ(order.status, 1);
    EXPECT_EQ(order.dateConfirmed, QDate(2026, 3, 13));
    EXPECT_EQ(order.timeConfirmed, QTime(15, 0, 1, 250));
    EXPECT_EQ(order.operatorConfirmed, QStringLiteral("brygadzista"));
    EXPECT_EQ(order.computerConfirmed, QStringLiteral("PILA-1"));

    // One type 12 line per length in ascending length; the 1740 line has change 0.
    QList<StockChangeRecord> lines = linesFrom(afterAccept);
    struct Line {
        uint32_t lenght;
        int32_t change, finalInt, finalInc;
    };
    const Line expectedClose[] = {{1040, -1, 1, 0}, {1740, 0, 1, 0}, {4100, -1, 1, 0}, {6000, 2, 8, 0}, {6500, 1, 1, 0}};
    ASSERT_EQ(lines.size(), 5);
    double metres = 60.0 + 13.0 + 1.74;   // own stock of the profile in metres before closing
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const StockChangeRecord& line = lines[i];
        EXPECT_EQ(line.operationType, 12);
        EXPECT_EQ(line.lenght, expectedClose[i].lenght);
        EXPECT_EQ(line.changeIncomStock, expectedClose[i].change);
        EXPECT_EQ(line.changeIntStock, -expectedClose[i].change);
        EXPECT_EQ(line.changeExtStock, 0);
        EXPECT_EQ(line.finalIntStock, expectedClose[i].finalInt);
        EXPECT_EQ(line.finnalIncStock, expectedClose[i].finalInc);
        metres -= double(expectedClose[i].change) * expectedClose[i].lenght / 1000.0;
        EXPECT_NEAR(line.profileIntStock, metres, 1e-9);
        EXPECT_EQ(line.docId, t);
        EXPECT_EQ(line.date, QDate(2026, 3, 13));
        EXPECT_EQ(line.station, QStringLiteral("PILA-1"));
        EXPECT_EQ(line.operatorName, QStringLiteral("brygadzista"));
    }
    EXPECT_NEAR(lines.last().profileIncStock, 0.0, 1e-9);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // Reopen: exactly back to the accepted state, with type 14 lines.
    const qsizetype afterClose = scenario.all<StockChangeRecord>().size();
    clock.set(QDateTime(QDate(2026, 3, 14), QTime(7, 0)));
    SettlementResult reopened = closeTransaction(db, services, t, CloseMode::Reopen);
    ASSERT_TRUE(reopened.done) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(counts(l6000), (Counts{10, -2}));
    EXPECT_EQ(counts(l6500), (Counts{2, -1}));
    EXPECT_EQ(counts(l1740), (Counts{1, 0}));
    EXPECT_EQ(counts(r1040), (Counts{0, 1}));
    EXPECT_EQ(counts(r4100), (Counts{0, 1}));
    for (uint32_t piece : {a1, a2, b1, b2})
        EXPECT_EQ(cutStatus(piece), 2) << piece;
    EXPECT_EQ(orderStatus(orderA), 1);
    EXPECT_EQ(orderStatus(orderB), 1);
    order = scenario.fetch<StockTransRecord>(t);
    EXPECT_EQ(order.status, 0);
    EXPECT_EQ(order.dateConfirmed, QDate(2026, 3, 14));   // who reopened it, and when
    lines = linesFrom(afterClose);
    ASSERT_EQ(lines.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(lines[i].operationType, 14);
        EXPECT_EQ(lines[i].changeIncomStock, -expectedClose[i].change);
        EXPECT_EQ(lines[i].changeIntStock, expectedClose[i].change);
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // And closed once more.
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Close).done);
    EXPECT_EQ(counts(l6000), (Counts{8, 0}));
    EXPECT_EQ(orderStatus(orderA), 3);
    EXPECT_EQ(scenario.all<StockChangeRecord>().size(), afterClose + 10);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(CuttingOrderSettlementTest, AnOrderWithAPieceNotCutStaysApprovedAndAbandonedPiecesCountAsDone)
{
    testing_support::SolutionBuilder s;
    s.bar(1, l6000, 6000, 1550, {{a2, 4200}}).bar(2, l6000, 6000, 4300, {{b1, 1700}});
    const uint32_t t = accept(s);
    scenario.change<CutRecord>(b2, [](CutRecord& c) { c.status = 4; });   // abandoned
    scenario.change<CutRecord>(a1, [](CutRecord& c) { c.block = 1; });
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Close).done);
    EXPECT_EQ(orderStatus(orderA), 1);   // a1 is still approved
    EXPECT_EQ(orderStatus(orderB), 3);   // b1 cut, b2 abandoned
    EXPECT_EQ(scenario.fetch<CutRecord>(a1).block, 1);   // pieces of other cutting orders untouched
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(CuttingOrderSettlementTest, DeleteGivesThePiecesBackToTheirOrdersStatusAndTheStockAsBefore)
{
    const QList<ProfileLengthRecord> stockBefore = scenario.all<ProfileLengthRecord>();
    testing_support::SolutionBuilder s;
    s.bar(1, l6500, 6500, 1500, {{c1, 5000}}).bar(2, l6000, 6000, 1740, {{a2, 4200}}).bar(3, l1740, 1740, 40, {{b1, 1700}});
    const uint32_t t = accept(s);
    scenario.change<CutRecord>(b1, [](CutRecord& c) { c.block = 1; });
    const qsizetype afterAccept = scenario.all<StockChangeRecord>().size();

    const SettlementResult deleted = deleteTransaction(db, services, t);
    ASSERT_TRUE(deleted.done) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(deleted.bars, 3u);
    EXPECT_EQ(deleted.pieces, 3u);
    EXPECT_EQ(cutStatus(c1), 0);   // order C is new
    EXPECT_EQ(cutStatus(a2), 1);
    EXPECT_EQ(cutStatus(b1), 1);
    EXPECT_EQ(scenario.fetch<CutRecord>(b1).block, 0);
    EXPECT_EQ(orderStatus(orderA), 1);
    EXPECT_EQ(orderStatus(orderC), 0);
    EXPECT_TRUE(scenario.all<StockTransRecord>().isEmpty());
    EXPECT_TRUE(scenario.all<StockTransItemRecord>().isEmpty());
    EXPECT_TRUE(scenario.all<StockTransSubitemRecord>().isEmpty());
    // Every count as before the acceptance (the remnant length of 1500 made by it stays, empty).
    for (const ProfileLengthRecord& before : stockBefore)
        EXPECT_EQ(counts(before.id), (Counts{before.intStock, before.incomStock})) << before.lenght;
    EXPECT_EQ(counts(lengthId(1500)), (Counts{0, 0}));

    const QList<StockChangeRecord> lines = linesFrom(afterAccept);
    ASSERT_EQ(lines.size(), 4);   // 1500, 1740 (bar and remnant: 0), 6000, 6500
    const int32_t changes[] = {-1, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].operationType, 13);
        EXPECT_EQ(lines[i].changeIncomStock, changes[i]);
        EXPECT_EQ(lines[i].changeIntStock, 0);
        EXPECT_EQ(lines[i].finnalIncStock, 0);
        EXPECT_EQ(lines[i].docId, t);
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(CuttingOrderSettlementTest, AcceptConfirmReopenDeleteLeavesTheStockAsBefore)
{
    const QList<ProfileLengthRecord> stockBefore = scenario.all<ProfileLengthRecord>();
    const uint32_t t = acceptWorked();
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Close).done);
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Reopen).done);
    ASSERT_TRUE(deleteTransaction(db, services, t).done) << dialogs.messages().join("\n").toStdString();
    for (const ProfileLengthRecord& before : stockBefore)
        EXPECT_EQ(counts(before.id), (Counts{before.intStock, before.incomStock})) << before.lenght;
    for (const ProfileLengthRecord& now : scenario.all<ProfileLengthRecord>())
        EXPECT_EQ(counts(now.id), (Counts{now.intStock, now.incomStock}));
    EXPECT_EQ(counts(lengthId(1040)), (Counts{0, 0}));
    for (uint32_t piece : {a1, a2, b1, b2})
        EXPECT_EQ(cutStatus(piece), 1) << piece;
    EXPECT_EQ(orderStatus(orderA), 1);
    QList<uint16_t> types;
    for (const StockChangeRecord& line : scenario.all<StockChangeRecord>())
        if (types.isEmpty() || types.last() != line.operationType)
            types << line.operationType;
    EXPECT_EQ(types, (QList<uint16_t>{0, 11, 12, 14, 13}));
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

// A list on screen may be old: whatever another station did meanwhile, a run whose cutting order
// no longer has the status it needs writes nothing and says so.
TEST_F(CuttingOrderSettlementTest, ACuttingOrderChangedMeanwhileIsRefusedWithNothingWritten)
{
    const uint32_t t = acceptWorked();
    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Close).done);
    std::string before = testing_support::databaseSnapshot(db);

    struct Case {
        const char* name;
        std::function<SettlementResult()> run;
        const char* expected;
    };
    const std::vector<Case> confirmed = {
        {"closed again", [&] { return closeTransaction(db, services, t, CloseMode::Close); }, "jest już potwierdzone"},
        {"deleted when confirmed", [&] { return deleteTransaction(db, services, t); }, "zostało w międzyczasie potwierdzone"},
        {"a number that does not exist", [&] { return closeTransaction(db, services, 99, CloseMode::Close); },
         "nr 99 nie istnieje"},
    };
    for (const Case& c : confirmed) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        EXPECT_FALSE(c.run().done);
        ASSERT_EQ(dialogs.shown().size(), 1);
        const QString text = dialogs.shown().first().text;
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Zmiany niemożliwe"))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("|Nic nie zostało zapisane."))) << text.toStdString();
        EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    }

    ASSERT_TRUE(closeTransaction(db, services, t, CloseMode::Reopen).done);
    before = testing_support::databaseSnapshot(db);
    dialogs.clear();
    EXPECT_FALSE(closeTransaction(db, services, t, CloseMode::Reopen).done);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("nie jest potwierdzone")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    ASSERT_TRUE(deleteTransaction(db, services, t).done);
    before = testing_support::databaseSnapshot(db);
    EXPECT_FALSE(deleteTransaction(db, services, t).done);
    EXPECT_FALSE(closeTransaction(db, services, t, CloseMode::Close).done);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(CuttingOrderSettlementTest, AMissingBarLengthRefusesTheRunNamingIt)
{
    testing_support::SolutionBuilder s;
    s.bar(1, l6500, 6500, 2300, {{a2, 4200}});
    const uint32_t t = accept(s);
    {
        global::Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.id = l6500;
        ASSERT_EQ(lengths.fetch(global::Table<ProfileLengthRecord>::Auto, l), 0);
        ASSERT_EQ(lengths.remove(), 0);
    }
    const std::string before = testing_support::databaseSnapshot(db);
    EXPECT_FALSE(closeTransaction(db, services, t, CloseMode::Close).done);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.startsWith(
        QStringLiteral("Błąd akcji GET do PROFILES_LENGHTS. Numer błędu = 35|Brakująca długość o numerze wewnętrznym %1|"
                       "Długość = 6500")
            .arg(l6500)))
        << dialogs.shown().first().text.toStdString();
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

// A remnant length deleted behind the cutting order's back is made again inside the run, holding
// the reservations of every open cutting order that names it, so that the stock log still explains
// the stock; a number now used by another length is not reused.
TEST_F(CuttingOrderSettlementTest, AMissingOrForeignRemnantLengthIsMadeAgainInsideTheRun)
{
    const uint32_t b3 = scenario.cut(orderB, profile, 4200, 1, QStringLiteral("B-3"));
    testing_support::SolutionBuilder first, second;
    first.bar(1, l6000, 6000, 1550, {{a2, 4200}});
    second.bar(1, l6000, 6000, 1550, {{b3, 4200}});
    const uint32_t t1 = accept(first);
    const uint32_t t2 = accept(second);
    const uint32_t r1550 = lengthId(1550);
    ASSERT_EQ(counts(r1550), (Counts{0, 2}));
    // Deleted without a log line, as an older version or a tool would have done it.
    {
        global::Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.id = r1550;
        ASSERT_EQ(lengths.fetch(global::Table<ProfileLengthRecord>::Auto, l), 0);
        ASSERT_EQ(lengths.remove(), 0);
    }
    global::Table<StockChangeRecord> log(db);
    StockChangeRecord gone;
    gone.profileId = profile;
    gone.lenght = 1550;
    gone.changeIncomStock = -2;
    gone.operationType = 3;
    ASSERT_EQ(global::addStockChange(log, gone), 0);
    ASSERT_TRUE(testing_support::stockLogExplainsStock(db));

    const SettlementResult closed = closeTransaction(db, services, t1, CloseMode::Close);
    ASSERT_TRUE(closed.done) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(closed.remnantsRecreated, 1u);
    ASSERT_EQ(dialogs.shown().size(), 1);   // the operator is told
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("została odtworzona")));
    const ProfileLengthRecord again = scenario.fetch<ProfileLengthRecord>(r1550);   // under its old number
    EXPECT_EQ(again.profileId, profile);
    EXPECT_EQ(again.lenght, 1550u);
    EXPECT_EQ(counts(r1550), (Counts{1, 1}));   // two reservations made again, one remnant returned
    const QList<StockChangeRecord> all = scenario.all<StockChangeRecord>();
    bool typeOne = false;
    for (const StockChangeRecord& line : all)
        typeOne = typeOne || (line.operationType == 1 && line.lenght == 1550 && line.changeIncomStock == 2);
    EXPECT_TRUE(typeOne);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // Now the number belongs to another length: the profile's own length of 1550 is used and the
    // items are pointed at it.
    scenario.change<ProfileLengthRecord>(r1550, [](ProfileLengthRecord& l) { l.lenght = 1551; });
    StockChangeRecord moved;   // the length change, logged as a tool would
    moved.profileId = profile;
    moved.lenght = 1550;
    moved.changeIntStock = -1;
    moved.changeIncomStock = -1;
    ASSERT_EQ(global::addStockChange(log, moved), 0);
    StockChangeRecord arrived;
    arrived.profileId = profile;
    arrived.lenght = 1551;
    arrived.changeIntStock = 1;
    arrived.changeIncomStock = 1;
    ASSERT_EQ(global::addStockChange(log, arrived), 0);
    ASSERT_TRUE(testing_support::stockLogExplainsStock(db));
    dialogs.clear();
    ASSERT_TRUE(deleteTransaction(db, services, t2).done) << dialogs.messages().join("\n").toStdString();
    const uint32_t newId = lengthId(1550);
    EXPECT_NE(newId, r1550);
    EXPECT_EQ(counts(newId), (Counts{0, 0}));   // one reservation made again, then returned
    EXPECT_EQ(counts(r1550), (Counts{1, 1}));  // the other length untouched
    for (const StockTransItemRecord& item : scenario.all<StockTransItemRecord>())
        EXPECT_EQ(item.remnantId, newId);       // the closed order's bar points at it too
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

// Whichever write of a close, a reopen or a delete fails, every table is found as before.
TEST_F(CuttingOrderSettlementTest, AFailureOfAnyWriteLeavesEveryTableAsBefore)
{
    const uint32_t t = acceptWorked();
    struct Step {
        const char* name;
        std::function<SettlementResult()> run;
        int writes;   // of a successful run
    };
    // close: 5 pieces, 4 bars + 3 remnants, 5 log lines, the cutting order, 2 orders.
    // reopen: the same. delete: 5 pieces + 5 deletions, 7 counts + 4 deletions, 5 lines, the order.
    const Step steps[] = {
        {"close", [&] { return closeTransaction(db, services, t, CloseMode::Close); }, 5 + 7 + 5 + 1 + 2},
        {"reopen", [&] { return closeTransaction(db, services, t, CloseMode::Reopen); }, 5 + 7 + 5 + 1 + 2},
        {"delete", [&] { return deleteTransaction(db, services, t); }, 10 + 11 + 5 + 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const std::string before = testing_support::databaseSnapshot(db);
        int failing = 1;
        for (;; ++failing) {
            SCOPED_TRACE(failing);
            dialogs.clear();
            global::write_faults::failNthWrite(failing);
            const SettlementResult result = step.run();
            global::write_faults::failNthWrite(0);
            if (result.done)
                break;
            ASSERT_EQ(dialogs.shown().size(), 1);
            EXPECT_TRUE(dialogs.shown().first().text.endsWith(QStringLiteral("|Nic nie zostało zapisane.")));
            ASSERT_EQ(testing_support::databaseSnapshot(db), before);
            ASSERT_LT(failing, 200) << "the run never succeeds";
        }
        EXPECT_EQ(failing - 1, step.writes);
        EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    }
}

} // namespace
