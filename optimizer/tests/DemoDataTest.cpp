// The sample database a newcomer starts with: complete, consistent, and something to optimize.
#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/DemoData.h"

#include <gtest/gtest.h>

#include <set>

using namespace kadrel;
using global::Table;

namespace {

class DemoDataTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    global::Database db{dir.path()};

    void SetUp() override { ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString(); }
};

TEST_F(DemoDataTest, SampleHoldsProfilesStockAndOrdersInConsistentStates)
{
    DemoSummary summary;
    QString error;
    ASSERT_TRUE(fillDemoData(db, summary, error)) << error.toStdString();

    const auto profiles = Table<global::ProfileRecord>(db).rows(Table<global::ProfileRecord>::Auto);
    const auto lengths = Table<global::ProfileLengthRecord>(db).rows(Table<global::ProfileLengthRecord>::Auto);
    const auto orders = Table<global::OrderRecord>(db).rows(Table<global::OrderRecord>::Auto);
    const auto positions = Table<global::OrderProfileRecord>(db).rows(Table<global::OrderProfileRecord>::Auto);
    const auto cuts = Table<global::CutRecord>(db).rows(Table<global::CutRecord>::Auto);
    EXPECT_EQ(profiles.size(), summary.profiles);
    EXPECT_EQ(lengths.size(), summary.lengths);
    EXPECT_EQ(orders.size(), summary.orders);
    EXPECT_EQ(positions.size(), summary.positions);
    EXPECT_EQ(cuts.size(), summary.cuts);

    EXPECT_GE(profiles.size(), 6);
    bool aluminium = false, steel = false;
    for (const auto& p : profiles) {
        aluminium = aluminium || p.profileCode.startsWith("AL");
        steel = steel || p.profileCode.startsWith("ST");
        EXPECT_GT(p.weight, 0) << p.profileCode.toStdString();
        EXPECT_GT(p.price, 0) << p.profileCode.toStdString();
        EXPECT_GT(p.remnantLenght, 0u) << p.profileCode.toStdString();
    }
    EXPECT_TRUE(aluminium && steel);

    std::set<uint32_t> stockLengths;
    int unlimited = 0, blocked = 0, remnants = 0;
    for (const auto& l : lengths) {
        stockLengths.insert(l.lenght);
        unlimited += l.unlimitedStock != 0;
        blocked += l.blockSelection != 0;
        remnants += l.typicalLength == 0;
    }
    EXPECT_TRUE(stockLengths.count(6000) && stockLengths.count(6500) && stockLengths.count(12000));
    EXPECT_GE(unlimited, 1);
    EXPECT_GE(blocked, 1);
    EXPECT_GE(remnants, 1);

    std::set<uint16_t> orderStates;
    for (const auto& o : orders)
        orderStates.insert(o.status);
    EXPECT_GE(orders.size(), 4);
    EXPECT_EQ(orderStates, (std::set<uint16_t>{0, 1}));

    int sectioned = 0, blockedCuts = 0;
    for (const auto& c : cuts) {
        const auto order = std::find_if(orders.begin(), orders.end(), [&](const auto& o) { return o.id == c.orderId; });
        const auto position =
            std::find_if(positions.begin(), positions.end(), [&](const auto& p) { return p.id == c.orderProfileId; });
        ASSERT_NE(order, orders.end());
        ASSERT_NE(position, positions.end());
        EXPECT_EQ(c.status, order->status) << "cut " << c.id;
        EXPECT_EQ(c.profileId, position->profileId) << "cut " << c.id;
        EXPECT_EQ(position->orderId, c.orderId) << "cut " << c.id;
        if (position->block != 0) {
            EXPECT_EQ(c.block, 1) << "cut " << c.id;
        }
        if (c.lenght1 > 0) {
            EXPECT_EQ(c.lenght1 + c.lenght2, c.lenght) << "cut " << c.id;
        }
        sectioned += c.isSectioned();
        blockedCuts += c.block != 0;
    }
    EXPECT_GE(sectioned, 1);
    EXPECT_GE(blockedCuts, 2);
}

TEST_F(DemoDataTest, EveryProfileWithNewOrApprovedPiecesHasStockLongEnoughToCutThem)
{
    DemoSummary summary;
    QString error;
    ASSERT_TRUE(fillDemoData(db, summary, error)) << error.toStdString();

    DatabaseInput input(db);
    global::ScriptedDialogs dialogs;
    int optimizable = 0;
    for (const auto& profile : Table<global::ProfileRecord>(db).rows(Table<global::ProfileRecord>::Auto)) {
        PrlTable stock;
        uint32_t remnant = 0;
        ASSERT_EQ(createLenghts(input, dialogs, profile.id, SLenTable{}, stock, remnant, LengthTable{}),
                  Response::Completed);
        EXPECT_EQ(remnant, profile.remnantLenght);
        for (uint8_t status : {2, 1}) {   // new pieces, approved pieces
            SPrtTable pieces;
            PrtTable demand;
            CutsDemand totals;
            ASSERT_EQ(createCuts(input, dialogs, profile.id, 0, pieces, demand, totals, status), Response::Completed);
            if (demand.empty())
                continue;
            ASSERT_FALSE(stock.empty()) << profile.profileCode.toStdString();
            EXPECT_GE(stock.back().lenght, demand.front().lenght) << profile.profileCode.toStdString();
            ++optimizable;
        }
    }
    EXPECT_GE(optimizable, 6);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(DemoDataTest, RefusesADatabaseWithOrdersAndLeavesItAsItWas)
{
    Table<global::OrderRecord> orders(db);
    global::OrderRecord order;
    order.number = "OWN/1";
    ASSERT_EQ(orders.addWithNewIdentifier(order), 0);

    DemoSummary summary;
    QString error;
    EXPECT_FALSE(fillDemoData(db, summary, error));
    EXPECT_TRUE(error.contains("already holds orders or profiles")) << error.toStdString();
    EXPECT_EQ(orders.count(Table<global::OrderRecord>::Auto), 1);
    EXPECT_EQ(Table<global::ProfileRecord>(db).count(Table<global::ProfileRecord>::Auto), 0);
}

TEST_F(DemoDataTest, TheSampleStockEntersTheLogAsTheOpeningBalance)
{
    DemoSummary summary;
    QString error;
    const global::LogStamp stamp{QDateTime(QDate(2026, 2, 2), QTime(7, 30)), QStringLiteral("PC-DEMO"),
                                 QStringLiteral("jan")};
    ASSERT_TRUE(fillDemoData(db, summary, error, stamp)) << error.toStdString();
    const auto lengths = Table<global::ProfileLengthRecord>(db).rows(Table<global::ProfileLengthRecord>::Auto);
    const auto log = Table<global::StockChangeRecord>(db).rows(Table<global::StockChangeRecord>::Auto);
    ASSERT_EQ(log.size(), lengths.size());
    for (qsizetype i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].operationType, 0);
        EXPECT_EQ(log[i].docId, lengths[i].id);
        EXPECT_EQ(log[i].changeIntStock, lengths[i].intStock);
        EXPECT_EQ(log[i].station, QStringLiteral("PC-DEMO"));
        EXPECT_EQ(log[i].date, QDate(2026, 2, 2));
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(DemoDataTest, ALogLeftBehindByDeletedProfilesGetsLengthsAddedInstead)
{
    Table<global::StockChangeRecord> log(db);
    global::StockChangeRecord old;
    old.profileId = 40;
    old.lenght = 6000;
    old.operationType = 3;
    ASSERT_EQ(log.addWithNewIdentifier(old), 0);

    DemoSummary summary;
    QString error;
    ASSERT_TRUE(fillDemoData(db, summary, error)) << error.toStdString();
    const auto lines = log.rows(Table<global::StockChangeRecord>::Auto);
    ASSERT_EQ(lines.size(), summary.lengths + 1);
    for (qsizetype i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].operationType, 1);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

} // namespace
