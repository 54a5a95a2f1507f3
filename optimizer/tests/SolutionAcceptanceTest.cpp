// Accepting a solution as a cutting order: the records written, the checks against the records as
// they are now, and all-or-nothing when any write fails.

#include "optimizer/SolutionAcceptance.h"

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

using namespace kadrel;
using global::CutRecord;
using global::ProfileLengthRecord;
using global::StockChangeRecord;
using global::StockTransItemRecord;
using global::StockTransRecord;
using global::StockTransSubitemRecord;

namespace {

class SolutionAcceptanceTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};
    testing_support::StockScenario scenario{db};
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock{QDateTime(QDate(2026, 3, 12), QTime(14, 5, 9, 370))};   // a Thursday
    global::FixedIdentity identity{QStringLiteral("planista"), QStringLiteral("HALA-2")};
    global::Services services{dialogs, clipboard, clock, identity};

    // The worked example: profile 1 with stock of 6000, 6500 and a remnant length of 1740; four
    // pieces of two orders, one joined from two sections; a second profile with its own stock.
    uint32_t profile = 0, otherProfile = 0;
    uint32_t l6000 = 0, l6500 = 0, l1740 = 0, other6000 = 0;
    uint32_t orderLong = 0, orderShort = 0;
    uint32_t cutA = 0, cutB = 0, cutC = 0, cutD = 0, cutE = 0;
    Statistics statistics;
    AcceptanceEntry entry{QStringLiteral("Pilne - fasada"), QDate(2026, 3, 17)};

    void SetUp() override
    {
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        profile = scenario.profile(QStringLiteral("AL 40x40x2 ANODOWANY NATURALNY"), 800, 0.821);
        l6000 = scenario.length(profile, 6000, 10);
        l6500 = scenario.length(profile, 6500, 2);
        l1740 = scenario.length(profile, 1740, 1, 0);
        otherProfile = scenario.profile(QStringLiteral("ST 40x40x3"), 1000);
        other6000 = scenario.length(otherProfile, 6000, 5);
        orderLong = scenario.order(QStringLiteral("ZL/2026/0001/FASADA-B2/ETAP-I"), 1, QStringLiteral("Okna Nowak"));
        orderShort = scenario.order(QStringLiteral("ZL/7"), 1, QStringLiteral("Kowalski"));
        cutA = scenario.cut(orderLong, profile, 2450, 2, QStringLiteral("SL-01"), QStringLiteral("Słupek"));
        cutB = scenario.cut(orderShort, profile, 1700, 1, QStringLiteral("RG-02"), QStringLiteral("Rygiel"));
        cutC = scenario.cut(orderLong, profile, 5200, 1, QStringLiteral("OB-10"), QStringLiteral("Obramowanie"), 3000);
        cutD = scenario.cut(orderShort, profile, 4200, 1, QStringLiteral("PP-03"));
        cutE = scenario.cut(orderShort, profile, 900, 4, QStringLiteral("XX-09"));   // not in the solution

        statistics.totalLengh = 19.74;
        statistics.totalPcs = 4;
        statistics.cutLenght = 16.0;
        statistics.totalCuts = 6;
        statistics.totalScrapPerc = 21.4;
        statistics.totalPurescrap = 0.035;
        statistics.totalPurescrapPerc = 0.18;
        statistics.totalRemnant = 4.12;
        statistics.totalRemnantPcs = 3;
    }

    // The solution as the optimizer listed it: longest bar first.
    testing_support::SolutionBuilder workedSolution() const
    {
        testing_support::SolutionBuilder s;
        s.bar(1, l6500, 6500, 1040, {{cutC, 3000}, {cutA, 2450}})
            .bar(2, l6000, 6000, 1340, {{cutA, 2450}, {cutC, 2200}})
            .bar(3, l1740, 1740, 35, {{cutB, 1700}})
            .bar(4, l6000, 6000, 1740, {{cutD, 4200}});
        return s;
    }

    AcceptanceResult accept(const testing_support::SolutionBuilder& s)
    {
        return acceptSolution(db, services, profile, s.bars, s.pieces, statistics, entry);
    }
};

TEST_F(SolutionAcceptanceTest, WorkedExampleWritesTheCuttingOrderItsBarsPiecesStockAndLog)
{
    const AcceptanceResult result = accept(workedSolution());
    ASSERT_TRUE(result.saved) << dialogs.messages().join("\n").toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(result.transaction, 1u);
    EXPECT_EQ(result.bars, 4u);
    EXPECT_EQ(result.pieces, 6u);
    EXPECT_EQ(result.remnants, 3u);

    // STOCK_TRANS: every field.
    const QList<StockTransRecord> orders = scenario.all<StockTransRecord>();
    ASSERT_EQ(orders.size(), 1);
    const StockTransRecord& o = orders.first();
    EXPECT_EQ(o.id, 1u);
    EXPECT_EQ(o.profileId, profile);
    EXPECT_EQ(o.profileCode, QStringLiteral("AL 40x40x2 ANODOWANY"));   // first 20 characters
    EXPECT_EQ(o.remnantLenght, 800u);
    EXPECT_EQ(o.dateCreated, QDate(2026, 3, 12));
    EXPECT_EQ(o.timeCreated, QTime(14, 5, 9, 370));
    EXPECT_EQ(o.documentDescr, QStringLiteral("Pilne - fasada"));
    EXPECT_EQ(o.productionDate, QDate(2026, 3, 17));
    EXPECT_EQ(o.status, 0);
    EXPECT_DOUBLE_EQ(o.totalLenght, 19.74);
    EXPECT_DOUBLE_EQ(o.totalCutLengts, 16.0);
    EXPECT_DOUBLE_EQ(o.totalScrap, 0.035);
    EXPECT_DOUBLE_EQ(o.totalRemnant, 4.12);
    EXPECT_EQ(o.totalProfilesPcs, 4u);
    EXPECT_EQ(o.totelRemnantPcs, 3u);
    EXPECT_EQ(o.totalCutPcs, 6u);
    EXPECT_DOUBLE_EQ(o.totalScrapPerc, 21.4);
    EXPECT_DOUBLE_EQ(o.obsoleteScrapPerc, 0.18);
    EXPECT_EQ(o.operatorCreated, QStringLiteral("planista"));
    EXPECT_EQ(o.computerCreated, QStringLiteral("HALA-2"));
    EXPECT_FALSE(o.dateConfirmed.isValid());
    EXPECT_FALSE(o.timeConfirmed.isValid());
    EXPECT_TRUE(o.operatorConfirmed.isEmpty());
    EXPECT_TRUE(o.computerConfirmed.isEmpty());

    // Two remnant lengths the profile did not have, created empty as lengths that hold remnants.
    // (In the order their bars come: 1340 from the first 6000 bar, 1040 from the 6500 bar.)
    const ProfileLengthRecord r1340 = scenario.fetch<ProfileLengthRecord>(5);
    const ProfileLengthRecord r1040 = scenario.fetch<ProfileLengthRecord>(6);
    EXPECT_EQ(r1340.profileId, profile);
    EXPECT_EQ(r1340.lenght, 1340u);
    EXPECT_EQ(r1340.typicalLength, 0u);
    EXPECT_EQ(r1340.intStock, 0);
    EXPECT_EQ(r1340.extStock, 0u);
    EXPECT_EQ(r1340.incomStock, 1);
    EXPECT_EQ(r1340.status, 0u);
    EXPECT_EQ(r1040.lenght, 1040u);
    EXPECT_EQ(r1040.incomStock, 1);

    // STOCK_TRANS_ITEMS in ascending length with their print positions.
    const QList<StockTransItemRecord> items = scenario.all<StockTransItemRecord>();
    ASSERT_EQ(items.size(), 4);
    struct ExpectedItem {
        uint32_t lenght, lengthId, cut, scrap, remnant;
    };
    const ExpectedItem expectedItems[] = {{1740, l1740, 1700, 35, 0},
                                          {6000, l6000, 4650, 1340, r1340.id},
                                          {6000, l6000, 4200, 1740, l1740},
                                          {6500, l6500, 5450, 1040, r1040.id}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].id, uint32_t(i + 1));
        EXPECT_EQ(items[i].idTrans, 1u);
        EXPECT_EQ(items[i].profileLenght, expectedItems[i].lenght);
        EXPECT_EQ(items[i].profileLenghtId, expectedItems[i].lengthId);
        EXPECT_EQ(items[i].cutlenghts, expectedItems[i].cut);
        EXPECT_EQ(items[i].scrap, expectedItems[i].scrap);
        EXPECT_EQ(items[i].remnantId, expectedItems[i].remnant);
        EXPECT_TRUE(items[i].heatNumber.isEmpty());
        EXPECT_EQ(items[i].printId, uint32_t(i + 1));
    }

    // STOCK_TRANS_SUBITEMS bar by bar, each piece in the order of the solution.
    const QList<StockTransSubitemRecord> pieces = scenario.all<StockTransSubitemRecord>();
    ASSERT_EQ(pieces.size(), 6);
    struct ExpectedPiece {
        uint32_t item, lenght, cut;
        const char* mark;
        const char* order;
        uint32_t orderId;
        const char* code;
        const char* descr;
    };
    const ExpectedPiece expectedPieces[] = {
        {1, 1700, cutB, "", "ZL/7", orderShort, "RG-02", "Rygiel"},
        {2, 2450, cutA, "", "ZL/2026/0001/FASADA-", orderLong, "SL-01", "Słupek"},
        {2, 2200, cutC, "#", "ZL/2026/0001/FASADA-", orderLong, "OB-10", "Obramowanie"},
        {3, 4200, cutD, "", "ZL/7", orderShort, "PP-03", ""},
        {4, 3000, cutC, "#", "ZL/2026/0001/FASADA-", orderLong, "OB-10", "Obramowanie"},
        {4, 2450, cutA, "", "ZL/2026/0001/FASADA-", orderLong, "SL-01", "Słupek"}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[i].id, uint32_t(i + 1));
        EXPECT_EQ(pieces[i].idTransitem, expectedPieces[i].item);
        EXPECT_EQ(pieces[i].idTrans, 1u);
        EXPECT_EQ(pieces[i].cutlenght, expectedPieces[i].lenght);
        EXPECT_EQ(pieces[i].cutlenghtId, expectedPieces[i].cut);
        EXPECT_EQ(pieces[i].cutlenghtString, QString::fromUtf8(expectedPieces[i].mark));
        EXPECT_EQ(pieces[i].order, QString::fromUtf8(expectedPieces[i].order));
        EXPECT_EQ(pieces[i].orderId, expectedPieces[i].orderId);
        EXPECT_EQ(pieces[i].code, QString::fromUtf8(expectedPieces[i].code));
        EXPECT_EQ(pieces[i].descr1, QString::fromUtf8(expectedPieces[i].descr));
        EXPECT_TRUE(pieces[i].descr2.isEmpty());
    }

    // The stock: bars -1 and remnants +1 in production only; the bar and the remnant of 1740 net 0.
    EXPECT_EQ(scenario.fetch<ProfileLengthRecord>(l6000).incomStock, -2);
    EXPECT_EQ(scenario.fetch<ProfileLengthRecord>(l6000).intStock, 10);
    EXPECT_EQ(scenario.fetch<ProfileLengthRecord>(l6500).incomStock, -1);
    EXPECT_EQ(scenario.fetch<ProfileLengthRecord>(l1740).incomStock, 0);
    EXPECT_EQ(scenario.fetch<ProfileLengthRecord>(other6000).incomStock, 0);

    // The pieces of the solution are in production; the others as they were.
    for (uint32_t id : {cutA, cutB, cutC, cutD})
        EXPECT_EQ(scenario.fetch<CutRecord>(id).status, 2) << id;
    EXPECT_EQ(scenario.fetch<CutRecord>(cutE).status, 1);

    // The log: the opening balance (the log was empty), then one type 11 line per length touched
    // in ascending length, the 1740 line with its change of 0.
    const QList<StockChangeRecord> log = scenario.all<StockChangeRecord>();
    ASSERT_EQ(log.size(), 4 + 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(log[i].operationType, 0);
        EXPECT_EQ(log[i].docId, uint32_t(i + 1));
    }
    struct ExpectedLine {
        uint32_t lenght;
        int32_t change, finalInt, finalInc;
        double profileInc;
    };
    const ExpectedLine expectedLines[] = {{1040, 1, 0, 1, 1.04},
                                          {1340, 1, 0, 1, 2.38},
                                          {1740, 0, 1, 0, 2.38},
                                          {6000, -2, 10, -2, -9.62},
                                          {6500, -1, 2, -1, -16.12}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const StockChangeRecord& line = log[4 + i];
        EXPECT_EQ(line.id, uint32_t(5 + i));
        EXPECT_EQ(line.date, QDate(2026, 3, 12));
        EXPECT_EQ(line.time, QTime(14, 5, 9, 370));
        EXPECT_EQ(line.profileId, profile);
        EXPECT_EQ(line.lenght, expectedLines[i].lenght);
        EXPECT_EQ(line.changeIntStock, 0);
        EXPECT_EQ(line.changeExtStock, 0);
        EXPECT_EQ(line.changeIncomStock, expectedLines[i].change);
        EXPECT_EQ(line.finalIntStock, expectedLines[i].finalInt);
        EXPECT_EQ(line.finalExtStock, 0);
        EXPECT_EQ(line.finnalIncStock, expectedLines[i].finalInc);
        EXPECT_EQ(line.operationType, 11);
        EXPECT_NEAR(line.profileIntStock, 60.0 + 13.0 + 1.74, 1e-9);
        EXPECT_DOUBLE_EQ(line.profileExtStock, 0.0);
        EXPECT_NEAR(line.profileIncStock, expectedLines[i].profileInc, 1e-9);
        EXPECT_EQ(line.docId, 1u);
        EXPECT_EQ(line.station, QStringLiteral("HALA-2"));
        EXPECT_EQ(line.operatorName, QStringLiteral("planista"));
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // The print lists rebuilt from the stored records.
    SolutionItemTable bars;
    SolutionSubitemTable stored;
    QString error;
    ASSERT_TRUE(storedCuttingOrderLists(db, 1, bars, stored, error)) << error.toStdString();
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[1].id, 2u);
    EXPECT_EQ(bars[1].lenghtDbId, l6000);
    EXPECT_EQ(bars[1].scrap, 1340u);
    EXPECT_EQ(bars[1].printId, 0u);
    ASSERT_EQ(stored.size(), 6u);
    EXPECT_EQ(stored[2].itemId, 2u);
    EXPECT_EQ(stored[2].cutlenghtString, "#");
    EXPECT_EQ(stored[2].order, "ZL/2026/0001/FASADA-");
    EXPECT_EQ(stored[2].code, "OB-10");
}

TEST_F(SolutionAcceptanceTest, ASecondCuttingOrderContinuesTheNumbersAndTheLog)
{
    ASSERT_TRUE(accept(workedSolution()).saved);
    const uint32_t more = scenario.cut(orderShort, profile, 5000, 1, QStringLiteral("N-1"));
    testing_support::SolutionBuilder s;
    s.bar(1, l6000, 6000, 995, {{more, 5000}});
    const AcceptanceResult second = accept(s);
    ASSERT_TRUE(second.saved) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(second.transaction, 2u);
    EXPECT_EQ(second.remnants, 1u);   // 995 >= 800
    EXPECT_EQ(scenario.all<StockTransItemRecord>().last().id, 5u);
    EXPECT_EQ(scenario.all<StockTransItemRecord>().last().printId, 1u);
    const QList<StockChangeRecord> log = scenario.all<StockChangeRecord>();
    EXPECT_EQ(log.size(), 9 + 2);   // no second opening balance
    EXPECT_EQ(log.last().docId, 2u);
    EXPECT_EQ(log.last().finnalIncStock, -3);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(SolutionAcceptanceTest, RemnantRuleAtTheProfilesRemnantLengthAndForALeftoverOfZero)
{
    const uint32_t p = scenario.profile(QStringLiteral("ZERO"), 0);
    const uint32_t l = scenario.length(p, 3000, 4);
    const uint32_t o = scenario.order(QStringLiteral("Z/1"));
    const uint32_t c = scenario.cut(o, p, 1000, 3);
    testing_support::SolutionBuilder s;
    s.bar(1, l, 3000, 0, {{c, 1000}, {c, 1000}}).bar(2, l, 3000, 1995, {{c, 1000}});
    ASSERT_TRUE(acceptSolution(db, services, p, s.bars, s.pieces, statistics, entry).saved);
    const QList<StockTransItemRecord> items = scenario.all<StockTransItemRecord>();
    EXPECT_EQ(items[0].remnantId, 0u);   // a leftover of 0 is never a remnant
    EXPECT_NE(items[1].remnantId, 0u);

    // At exactly the remnant length a remnant, one millimetre less scrap.
    const uint32_t c2 = scenario.cut(orderShort, profile, 5199, 2);
    testing_support::SolutionBuilder t;
    t.bar(1, l6000, 6000, 800, {{c2, 5199}}).bar(2, l6000, 6000, 799, {{c2, 5199}});
    const AcceptanceResult r = accept(t);
    ASSERT_TRUE(r.saved) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(r.remnants, 1u);
    const QList<StockTransItemRecord> all = scenario.all<StockTransItemRecord>();
    // Bars of equal length in the order of their numbers: bar 1 (800) before bar 2 (799).
    EXPECT_EQ(all[all.size() - 2].scrap, 800u);
    EXPECT_NE(all[all.size() - 2].remnantId, 0u);
    EXPECT_EQ(all[all.size() - 1].scrap, 799u);
    EXPECT_EQ(all[all.size() - 1].remnantId, 0u);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

// The checks against the records as they are now: each refusal names what changed and nothing at
// all is written.
TEST_F(SolutionAcceptanceTest, ASolutionThatNoLongerHoldsIsRefusedWithNothingWritten)
{
    const std::string before = testing_support::databaseSnapshot(db);
    struct Case {
        const char* name;
        std::function<void()> change;
        std::function<testing_support::SolutionBuilder()> solution;
        const char* expected;
    };
    const auto worked = [this] { return workedSolution(); };
    const std::vector<Case> cases = {
        {"piece accepted meanwhile", [&] { scenario.change<CutRecord>(cutB, [](CutRecord& c) { c.status = 2; }); },
         worked, "ma status 2"},
        {"piece cut meanwhile", [&] { scenario.change<CutRecord>(cutD, [](CutRecord& c) { c.status = 3; }); }, worked,
         "Odcinek nr 4 (długość 4200, zamówienie ZL/7) ma status 3"},
        {"piece blocked meanwhile", [&] { scenario.change<CutRecord>(cutA, [](CutRecord& c) { c.block = 1; }); },
         worked, "jest zablokowany"},
        {"piece moved to another profile",
         [&] { scenario.change<CutRecord>(cutA, [&](CutRecord& c) { c.profileId = otherProfile; }); }, worked,
         "należy do innego profila"},
        {"fewer pieces ordered now", [&] { scenario.change<CutRecord>(cutA, [](CutRecord& c) { c.pcs = 1; }); }, worked,
         "jest w rozwiązaniu 2 razy, a zamówiono 1 szt"},
        {"stock length of another profile", [] {},
         [&] {
             testing_support::SolutionBuilder s;
             s.bar(1, other6000, 6000, 1700, {{cutD, 4200}});
             return s;
         },
         "Zmiany niemożliwe"},
        {"stock length changed", [&] { scenario.change<ProfileLengthRecord>(l6500, [](auto& l) { l.lenght = 6400; }); },
         worked, "to teraz 6400 mm"},
        {"stock length deleted", [] {},
         [&] {
             testing_support::SolutionBuilder s;
             s.bar(1, 99, 6000, 1700, {{cutD, 4200}});
             return s;
         },
         "Błąd odwołania do długości profila = 6000 Numer błędu = 35"},
        {"a section more than ordered", [] {},
         [&] {
             testing_support::SolutionBuilder s;
             s.bar(1, l6000, 6000, 0, {{cutC, 3000}, {cutC, 3000}}).bar(2, l6000, 6000, 0, {{cutC, 2200}});
             return s;
         },
         "jest w rozwiązaniu 1,5 razy, a zamówiono 1 szt"},
        {"piece record missing", [] {},
         [&] {
             testing_support::SolutionBuilder s;
             s.bar(1, l6000, 6000, 0, {{777, 3000}});
             return s;
         },
         "Błąd odwołania do odcinka w tabeli CUTS. Po Get ErrorCode = 35"},
        {"piece of no bar", [] {},
         [&] {
             testing_support::SolutionBuilder s = workedSolution();
             s.pieces[0].itemId = 9;
             return s;
         },
         "nie należy do żadnego pręta"},
        {"no bar at all", [] {}, [] { return testing_support::SolutionBuilder{}; }, "nie zawiera żadnego pręta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        const std::string changed = testing_support::databaseSnapshot(db);
        dialogs.clear();
        EXPECT_FALSE(accept(c.solution()).saved);
        ASSERT_EQ(dialogs.shown().size(), 1);
        const QString message = dialogs.shown().first().text;
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected))) << message.toStdString();
        EXPECT_TRUE(message.endsWith(QStringLiteral("|Nic nie zostało zapisane."))) << message.toStdString();
        EXPECT_EQ(testing_support::databaseSnapshot(db), changed);
        // Put the records back for the next case.
        scenario.change<CutRecord>(cutA, [&](CutRecord& r) { r.status = 1; r.block = 0; r.profileId = profile; r.pcs = 2; });
        scenario.change<CutRecord>(cutB, [](CutRecord& r) { r.status = 1; });
        scenario.change<CutRecord>(cutD, [](CutRecord& r) { r.status = 1; });
        scenario.change<ProfileLengthRecord>(l6500, [](auto& l) { l.lenght = 6500; });
    }
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

// An order number is the user's text: one holding percent signs is named in the refusals as it stands.
TEST_F(SolutionAcceptanceTest, RefusalsNameAnOrderNumberWithPercentSignsAsItStands)
{
    scenario.change<global::OrderRecord>(orderShort, [](auto& o) { o.number = QStringLiteral("ZL/%1/rabat 5%2"); });
    const QString piece = QStringLiteral("Odcinek nr 4 (długość 4200, zamówienie ZL/%1/rabat 5%2)");
    const auto refusal = [&](const testing_support::SolutionBuilder& s) {
        dialogs.clear();
        EXPECT_FALSE(accept(s).saved);
        return dialogs.shown().isEmpty() ? QString() : dialogs.shown().first().text;
    };

    scenario.change<CutRecord>(cutD, [](CutRecord& c) { c.status = 3; });
    QString message = refusal(workedSolution());
    EXPECT_TRUE(message.startsWith(piece + QStringLiteral(" ma status 3: "))) << message.toStdString();

    scenario.change<CutRecord>(cutD, [&](CutRecord& c) {
        c.status = 1;
        c.profileId = otherProfile;
    });
    message = refusal(workedSolution());
    EXPECT_TRUE(message.startsWith(piece + QStringLiteral(" należy do innego profila (%1).").arg(otherProfile)))
        << message.toStdString();

    scenario.change<CutRecord>(cutD, [&](CutRecord& c) { c.profileId = profile; });
    testing_support::SolutionBuilder twice;
    twice.bar(1, l6000, 6000, 1800, {{cutD, 4200}}).bar(2, l6000, 6000, 1800, {{cutD, 4200}});
    message = refusal(twice);
    EXPECT_TRUE(message.startsWith(piece + QStringLiteral(" jest w rozwiązaniu 2 razy, a zamówiono 1 szt.")))
        << message.toStdString();
}

TEST_F(SolutionAcceptanceTest, TheSameSolutionAcceptedTwiceIsRefusedTheSecondTime)
{
    ASSERT_TRUE(accept(workedSolution()).saved);
    const std::string after = testing_support::databaseSnapshot(db);
    EXPECT_FALSE(accept(workedSolution()).saved);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("ma status 2")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), after);
}

// Whichever write of the save fails — the opening balance, the cutting order, an item, a remnant
// length, a count, a piece, a status, a log line — every table is found as it was before.
TEST_F(SolutionAcceptanceTest, AFailureOfAnyWriteLeavesEveryTableAsBefore)
{
    const std::string before = testing_support::databaseSnapshot(db);
    int failing = 1;
    for (;; ++failing) {
        SCOPED_TRACE(failing);
        dialogs.clear();
        global::write_faults::failNthWrite(failing);
        const AcceptanceResult result = accept(workedSolution());
        global::write_faults::failNthWrite(0);
        if (result.saved)
            break;
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.shown().first().text.endsWith(QStringLiteral("|Nic nie zostało zapisane.")));
        ASSERT_EQ(testing_support::databaseSnapshot(db), before);
        ASSERT_LT(failing, 200) << "the save never succeeds";
    }
    // Writes of the save: 4 opening lines, the order, 4 items, 2 remnant lengths, 7 counts,
    // 6 pieces, 4 statuses and 5 log lines; the run after the last failing one wrote them all.
    EXPECT_EQ(failing - 1, 4 + 1 + 4 + 2 + 7 + 6 + 4 + 5);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    EXPECT_EQ(scenario.all<StockTransRecord>().size(), 1);
}

TEST_F(SolutionAcceptanceTest, ProductionDatePresetIsTheNextTuesdayOrThursday)
{
    const QDate monday(2026, 3, 9);
    const QDate expected[] = {QDate(2026, 3, 10), QDate(2026, 3, 12), QDate(2026, 3, 12), QDate(2026, 3, 17),
                              QDate(2026, 3, 17), QDate(2026, 3, 17), QDate(2026, 3, 17)};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(presetProductionDate(monday.addDays(i)), expected[i]) << i;
}

} // namespace
