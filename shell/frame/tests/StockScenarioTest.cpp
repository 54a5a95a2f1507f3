// A working day on the stock: stock lengths added, their counts changed and deleted by hand, two
// solutions of the optimizer accepted as cutting orders (bars into production, remnants back), a
// profile deleted with its lengths, and a change refused because another station booked meanwhile.
// After every step the stock log explains the stock.

#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/OptimizerRun.h"
#include "optimizer/SolutionAcceptance.h"
#include "stock/ProfileForm.h"
#include "stock/StockLengths.h"

#include <gtest/gtest.h>

using namespace global;

namespace {

class StockScenarioTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock{QDateTime(QDate(2026, 4, 1), QTime(7, 0))};
    FixedIdentity identity{QStringLiteral("jan"), QStringLiteral("HALA1")};
    Services services{dialogs, clipboard, clock, identity};

    uint32_t addProfile(const QString& code, uint32_t remnant)
    {
        stock::ProfileForm form(db, services);
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnant;
        p.uom = QStringLiteral("mm");
        EXPECT_EQ(form.insert(p), stock::ProfileResponse::Done) << form.lastMessage().toStdString();
        return p.id;
    }
    ProfileLengthRecord addLength(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0)
    {
        stock::LengthForm form(db, services);
        ProfileLengthRecord l;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.typicalLength = lenght;
        EXPECT_EQ(form.insert(profile, l), stock::LengthResponse::Done) << form.lastMessage().toStdString();
        clock.advance(60000);
        return l;
    }
    ProfileLengthRecord stored(uint32_t id)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.id = id;
        EXPECT_EQ(lengths.fetch(Table<ProfileLengthRecord>::Auto, l), 0);
        return l;
    }
    void setCounts(uint32_t id, int32_t intStock, uint32_t extStock)
    {
        stock::LengthForm form(db, services);
        const ProfileLengthRecord loaded = stored(id);
        ProfileLengthRecord buffer = loaded;
        buffer.intStock = intStock;
        buffer.extStock = extStock;
        EXPECT_EQ(form.change(loaded, buffer), stock::LengthResponse::Done) << form.lastMessage().toStdString();
        clock.advance(60000);
    }
    void approvedOrder(uint32_t profile, const QString& number, const QList<std::pair<uint32_t, uint32_t>>& pieces)
    {
        Table<OrderRecord> orders(db);
        OrderRecord o;
        o.number = number;
        o.status = 1;
        ASSERT_EQ(orders.addWithNewIdentifier(o), 0);
        Table<OrderProfileRecord> positions(db);
        OrderProfileRecord p;
        p.orderId = o.id;
        p.profileId = profile;
        p.status = 1;
        ASSERT_EQ(positions.addWithNewIdentifier(p), 0);
        Table<CutRecord> cuts(db);
        for (const auto& [lenght, pcs] : pieces) {
            CutRecord c;
            c.orderId = o.id;
            c.orderProfileId = p.id;
            c.profileId = profile;
            c.status = 1;
            c.lenght = lenght;
            c.pcs = pcs;
            ASSERT_EQ(cuts.addWithNewIdentifier(c), 0);
        }
    }
    // The optimizer's first solution for all approved pieces of the profile, saved.
    void acceptFirstSolution(uint32_t profile)
    {
        kadrel::DatabaseInput input(db);
        kadrel::OptimizerCall call;
        call.profile = profile;
        call.mode = 1;
        call.status = 1;
        kadrel::RunSettings settings;
        settings.controlTimeLimit = 10000;
        kadrel::OptimizerRun run(input, kadrel::RunServices{dialogs, clipboard, clock}, call, settings);
        ASSERT_TRUE(run.run()) << dialogs.messages().join(QStringLiteral(" / ")).toStdString();
        ASSERT_TRUE(run.createSolutionTables());
        const kadrel::AcceptanceResult result = kadrel::acceptSolution(
            db, services, profile, run.solutionItems(), run.solutionSubitems(), run.statistics(),
            kadrel::AcceptanceEntry{QStringLiteral("scenario"), clock.now().date()});
        ASSERT_TRUE(result.saved) << dialogs.messages().join(QStringLiteral(" / ")).toStdString();
        clock.advance(60000);
    }
};

TEST_F(StockScenarioTest, TheStockLogExplainsTheStockAfterADayOfStockWork)
{
    const uint32_t al = addProfile(QStringLiteral("AL-40"), 400);
    const uint32_t st = addProfile(QStringLiteral("ST-20"), 300);
    const uint32_t gone = addProfile(QStringLiteral("OLD"), 300);
    const ProfileLengthRecord al6000 = addLength(al, 6000, 10, 2);
    const ProfileLengthRecord al4000 = addLength(al, 4000, 4);
    const ProfileLengthRecord al3000 = addLength(al, 3000, 0);
    const ProfileLengthRecord st6000 = addLength(st, 6000, 8);
    addLength(gone, 6000, 3, 1);
    addLength(gone, 2500, 0);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    setCounts(al6000.id, 12, 2);
    setCounts(st6000.id, 6, 5);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    dialogs.planAnswers({0});
    ProfileLengthRecord deleted = al3000;
    ASSERT_EQ(stock::LengthForm(db, services).remove(deleted), stock::LengthResponse::Done);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    approvedOrder(al, QStringLiteral("Z/1"), {{2500, 4}, {1700, 3}, {900, 5}});
    acceptFirstSolution(al);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    approvedOrder(st, QStringLiteral("Z/2"), {{2900, 2}, {1100, 6}});
    acceptFirstSolution(st);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    // The bars of both cutting orders are reserved in production.
    bool barsReserved = false;
    for (const StockChangeRecord& line : Table<StockChangeRecord>(db).rows(Table<StockChangeRecord>::Auto))
        barsReserved = barsReserved || (line.operationType == 11 && line.profileId == al && line.changeIncomStock < 0);
    EXPECT_TRUE(barsReserved);

    // A count corrected by hand after the acceptance booked the length.
    setCounts(al4000.id, stored(al4000.id).intStock + 1, 0);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    dialogs.planAnswers({0});
    ProfileRecord old;
    old.id = gone;
    ASSERT_EQ(stock::ProfileForm(db, services).remove(old), stock::ProfileResponse::Done);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // The profile of a cutting order stays.
    ProfileRecord used;
    used.id = al;
    EXPECT_EQ(stock::ProfileForm(db, services).remove(used), stock::ProfileResponse::Refused);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    Table<StockChangeRecord> log(db);
    const QList<StockChangeRecord> lines = log.rows(Table<StockChangeRecord>::Auto);
    QSet<uint16_t> types;
    for (const StockChangeRecord& line : lines)
        types.insert(line.operationType);
    EXPECT_EQ(types, (QSet<uint16_t>{1, 2, 3, 11}));
}

} // namespace
