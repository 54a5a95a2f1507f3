// The length form's procedures: the log lines of insert, change and delete, the opening balance,
// the refusals (duplicate length, counts changed by another station, a length a cutting order uses),
// and all or nothing when any single write fails.

#include "stock/StockLengths.h"

#include "global/ScriptedServices.h"
#include "global/StockBooking.h"
#include "global/Table.h"
#include "global/TableSql.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QSqlError>
#include <QSqlQuery>
#include <array>
#include <functional>
#include <vector>

using namespace global;
using stock::LengthForm;
using stock::LengthResponse;

namespace {

class LengthFormTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock{QDateTime(QDate(2026, 5, 6), QTime(9, 30, 15))};
    FixedIdentity identity{QStringLiteral("ewa"), QStringLiteral("HALA2")};
    Services services{dialogs, clipboard, clock, identity};

    void SetUp() override
    {
        DatabaseFixture::SetUp();
        Table<ProfileRecord> profiles(db);
        for (uint32_t id : {1u, 3u, 4u}) {
            ProfileRecord p;
            p.id = id;
            p.profileCode = QStringLiteral("P-%1").arg(id);
            ASSERT_EQ(profiles.add(p), 0);
        }
    }

    // A length stored directly, as data the program found.
    uint32_t storeLength(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0, int32_t incom = 0)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.incomStock = incom;
        l.typicalLength = 1;
        EXPECT_EQ(lengths.addWithNewIdentifier(l), 0);
        return l.id;
    }
    ProfileLengthRecord length(uint32_t id)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.id = id;
        EXPECT_EQ(lengths.fetch(Table<ProfileLengthRecord>::Auto, l), 0);
        return l;
    }
    bool lengthExists(uint32_t id)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.id = id;
        return lengths.fetch(Table<ProfileLengthRecord>::Auto, l) == 0;
    }
    QList<StockChangeRecord> log() { return Table<StockChangeRecord>(db).rows(Table<StockChangeRecord>::Auto); }
    void openingBalance()
    {
        ASSERT_EQ(stock::createStockLog(db, services), stock::OpeningBalance::Written);
    }
    // A bar of the open cutting order 1 cut from the length, its leftover booked as the remnant.
    void addBar(uint32_t lengthId, uint32_t lenght, uint32_t remnantId)
    {
        Table<StockTransRecord> orders(db);
        StockTransRecord order;
        order.id = 1;
        order.status = static_cast<uint16_t>(TransactionStatus::Open);
        if (orders.fetch(Table<StockTransRecord>::Auto, order) != 0) {
            ASSERT_EQ(orders.add(order), 0);
        }
        Table<StockTransItemRecord> items(db);
        StockTransItemRecord bar;
        bar.idTrans = 1;
        bar.profileLenghtId = lengthId;
        bar.profileLenght = lenght;
        bar.remnantId = remnantId;
        ASSERT_EQ(items.addWithNewIdentifier(bar), 0);
    }
    void exclude(uint32_t order, uint32_t profile, uint32_t lengthId)
    {
        Table<OrderProfileBlockedLengthRecord> exclusions(db);
        ASSERT_EQ(exclusions.add(OrderProfileBlockedLengthRecord{order, profile, lengthId}), 0);
    }
    QList<OrderProfileBlockedLengthRecord> exclusions()
    {
        return Table<OrderProfileBlockedLengthRecord>(db).rows(Table<OrderProfileBlockedLengthRecord>::Auto);
    }
};

void expectLine(const StockChangeRecord& line, uint16_t type, std::array<int, 3> change, std::array<int, 3> final,
                std::array<double, 3> profileMetres, uint32_t doc)
{
    EXPECT_EQ(line.operationType, type);
    EXPECT_EQ(line.changeIntStock, change[0]);
    EXPECT_EQ(line.changeExtStock, change[1]);
    EXPECT_EQ(line.changeIncomStock, change[2]);
    EXPECT_EQ(line.finalIntStock, final[0]);
    EXPECT_EQ(line.finalExtStock, final[1]);
    EXPECT_EQ(line.finnalIncStock, final[2]);
    EXPECT_DOUBLE_EQ(line.profileIntStock, profileMetres[0]);
    EXPECT_DOUBLE_EQ(line.profileExtStock, profileMetres[1]);
    EXPECT_DOUBLE_EQ(line.profileIncStock, profileMetres[2]);
    EXPECT_EQ(line.docId, doc);
}

TEST_F(LengthFormTest, OpeningBalanceInsertChangeAndDeleteWriteTheirLines)
{
    const uint32_t a6000 = storeLength(4, 6000, 10, 2, -1);
    storeLength(4, 3000, 3);
    openingBalance();
    ASSERT_EQ(log().size(), 2);
    expectLine(log()[0], 0, {10, 2, -1}, {10, 2, -1}, {60, 12, -6}, a6000);
    expectLine(log()[1], 0, {3, 0, 0}, {3, 0, 0}, {69, 12, -6}, 2);
    EXPECT_EQ(log()[1].station, QStringLiteral("HALA2"));
    EXPECT_EQ(log()[1].operatorName, QStringLiteral("ewa"));
    EXPECT_EQ(log()[1].date, QDate(2026, 5, 6));
    // A second balance would count the stock twice.
    EXPECT_EQ(stock::createStockLog(db, services), stock::OpeningBalance::LogNotEmpty);
    EXPECT_EQ(log().size(), 2);

    LengthForm form(db, services);
    ProfileLengthRecord added;
    added.lenght = 4500;
    added.intStock = 4;
    added.extStock = 1;
    added.typicalLength = 1;
    ASSERT_EQ(form.insert(4, added), LengthResponse::Done);
    EXPECT_EQ(added.id, 3u);
    EXPECT_EQ(added.profileId, 4u);
    EXPECT_EQ(length(3).intStock, 4);
    ASSERT_EQ(log().size(), 3);
    expectLine(log()[2], 1, {4, 1, 0}, {4, 1, 0}, {87, 16.5, -6}, 3);

    const ProfileLengthRecord loaded = length(a6000);
    ProfileLengthRecord edited = loaded;
    edited.intStock = 7;
    edited.incomStock = 0;
    edited.status = 1;
    ASSERT_EQ(form.change(loaded, edited), LengthResponse::Done);
    EXPECT_EQ(length(a6000).intStock, 7);
    EXPECT_EQ(length(a6000).status, 1u);
    ASSERT_EQ(log().size(), 4);
    expectLine(log()[3], 2, {-3, 0, 1}, {7, 2, 0}, {69, 16.5, 0}, a6000);

    dialogs.planAnswers({0});
    ProfileLengthRecord removed = length(3);
    ASSERT_EQ(form.remove(removed), LengthResponse::Done);
    EXPECT_FALSE(lengthExists(3));
    ASSERT_EQ(log().size(), 5);
    expectLine(log()[4], 3, {-4, -1, 0}, {0, 0, 0}, {51, 12, 0}, 3);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(LengthFormTest, FlagsAloneWriteNoLineAndTheFirstCountChangeWritesTheOpeningBalanceFirst)
{
    const uint32_t id = storeLength(1, 6000, 5);
    LengthForm form(db, services);
    const ProfileLengthRecord loaded = length(id);
    ProfileLengthRecord edited = loaded;
    edited.blockSelection = 1;
    edited.unlimitedStock = 1;
    edited.typicalLength = 0;
    ASSERT_EQ(form.change(loaded, edited), LengthResponse::Done);
    EXPECT_EQ(length(id).blockSelection, 1);
    EXPECT_EQ(length(id).unlimitedStock, 1);
    EXPECT_EQ(length(id).typicalLength, 0u);
    EXPECT_TRUE(log().isEmpty());

    const ProfileLengthRecord again = length(id);
    edited = again;
    edited.intStock = 8;
    ASSERT_EQ(form.change(again, edited), LengthResponse::Done);
    ASSERT_EQ(log().size(), 2);
    expectLine(log()[0], 0, {5, 0, 0}, {5, 0, 0}, {30, 0, 0}, id);
    expectLine(log()[1], 2, {3, 0, 0}, {8, 0, 0}, {48, 0, 0}, id);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(LengthFormTest, InsertOfAnExistingLengthGivesTheStoredOneBackAndInputOutsideItsRangeIsRefused)
{
    const uint32_t id = storeLength(1, 6000, 5);
    openingBalance();
    const std::string before = testing_support::databaseSnapshot(db);
    LengthForm form(db, services);
    ProfileLengthRecord buffer;
    buffer.lenght = 6000;
    buffer.intStock = 99;
    EXPECT_EQ(form.insert(1, buffer), LengthResponse::AlreadyExists);
    EXPECT_EQ(buffer.id, id);
    EXPECT_EQ(buffer.intStock, 5);
    EXPECT_TRUE(form.lastMessage().startsWith(QStringLiteral("Podana długość już istnieje")));

    ProfileLengthRecord zero;
    EXPECT_EQ(form.insert(1, zero), LengthResponse::Refused);
    ProfileLengthRecord negativeExternal;
    negativeExternal.lenght = 2000;
    negativeExternal.extStock = uint32_t(-3);
    EXPECT_EQ(form.insert(1, negativeExternal), LengthResponse::Refused);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    // A profile deleted on another station since the form opened gets no length.
    ProfileLengthRecord ofNoProfile;
    ofNoProfile.lenght = 2000;
    ofNoProfile.intStock = 4;
    EXPECT_EQ(form.insert(9, ofNoProfile), LengthResponse::Refused);
    EXPECT_EQ(form.refusal(), stock::LengthRefusal::Gone);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    // Own and in-production stock may be negative.
    ProfileLengthRecord negativeOwn;
    negativeOwn.lenght = 2000;
    negativeOwn.intStock = -2;
    negativeOwn.incomStock = -1;
    EXPECT_EQ(form.insert(1, negativeOwn), LengthResponse::Done);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(LengthFormTest, CountsChangedByAnotherStationSinceLoadingRefuseTheSaveAndShowTheCurrentCounts)
{
    const uint32_t id = storeLength(1, 6000, 5, 1);
    openingBalance();
    LengthForm form(db, services);
    const ProfileLengthRecord loaded = length(id);

    // Another station books two bars into production meanwhile.
    {
        Transaction tx(db, 2000);
        StockBooking booking(db, StockOperation::CuttingOrderCreated, LogStamp::of(clock, identity), 12);
        ASSERT_EQ(booking.move(id, StockMove::inProduction(-2)), 0);
        ASSERT_EQ(booking.finish(), 0);
        ASSERT_EQ(tx.commit(), 0);
    }
    const std::string before = testing_support::databaseSnapshot(db);
    ProfileLengthRecord edited = loaded;
    edited.intStock = 9;
    edited.status = 1;
    EXPECT_EQ(form.change(loaded, edited), LengthResponse::Refused);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    EXPECT_EQ(edited.incomStock, -2);   // the form now holds the stored counts
    EXPECT_TRUE(form.lastMessage().contains(QStringLiteral("w produkcji -2"))) << form.lastMessage().toStdString();

    // A flags-only save from the old counts would write them back: refused as well.
    ProfileLengthRecord flagsOnly = loaded;
    flagsOnly.blockSelection = 1;
    EXPECT_EQ(form.change(loaded, flagsOnly), LengthResponse::Refused);
    EXPECT_EQ(length(id).incomStock, -2);
    EXPECT_EQ(length(id).blockSelection, 0);

    // Deleted meanwhile.
    dialogs.planAnswers({0});
    ProfileLengthRecord gone = length(id);
    ASSERT_EQ(form.remove(gone), LengthResponse::Done);
    EXPECT_EQ(form.change(loaded, flagsOnly), LengthResponse::Refused);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(LengthFormTest, DeleteIsRefusedForABarOrARemnantOfACuttingOrderAndTakesItsExclusionsAlong)
{
    const uint32_t bar = storeLength(1, 6000, 5);
    const uint32_t remnant = storeLength(1, 1200, 0, 0, 1);
    const uint32_t free = storeLength(1, 3000, 2);
    const uint32_t other = storeLength(1, 2500, 0);
    openingBalance();
    addBar(bar, 6000, remnant);
    exclude(7, 1, free);
    exclude(8, 1, free);
    exclude(8, 1, other);

    LengthForm form(db, services);
    const std::string before = testing_support::databaseSnapshot(db);
    for (uint32_t used : {bar, remnant}) {
        ProfileLengthRecord buffer = length(used);
        EXPECT_EQ(form.remove(buffer), LengthResponse::Refused);
        EXPECT_TRUE(form.lastMessage().startsWith(QStringLiteral("Ta długość profila występuje")));
    }
    EXPECT_TRUE(dialogs.shown().size() == 2 && dialogs.shown()[0].buttons.isEmpty());   // never asked
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    ProfileLengthRecord buffer = length(free);
    dialogs.planAnswers({1});
    EXPECT_EQ(form.remove(buffer), LengthResponse::Cancelled);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    dialogs.planAnswers({0});
    EXPECT_EQ(form.remove(buffer), LengthResponse::Done);
    EXPECT_FALSE(lengthExists(free));
    ASSERT_EQ(exclusions().size(), 1);
    EXPECT_EQ(exclusions()[0].length, other);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

// Every write of every request fails once in turn: the database is then exactly as before.
TEST_F(LengthFormTest, AFailingWriteAtAnyPointLeavesEveryTableAsBefore)
{
    const uint32_t id = storeLength(3, 6000, 5, 2);
    storeLength(3, 2000, 1);
    exclude(1, 3, id);

    struct Request {
        const char* name;
        std::function<LengthResponse(LengthForm&)> run;
    };
    const std::vector<Request> requests{
        {"insert", [&](LengthForm& form) {
             ProfileLengthRecord b;
             b.lenght = 4000;
             b.intStock = 3;
             return form.insert(3, b);
         }},
        {"change", [&](LengthForm& form) {
             const ProfileLengthRecord loaded = length(id);
             ProfileLengthRecord b = loaded;
             b.intStock = 1;
             b.status = 1;
             return form.change(loaded, b);
         }},
        {"delete", [&](LengthForm& form) {
             dialogs.planAnswers({0});
             ProfileLengthRecord b = length(id);
             return form.remove(b);
         }},
    };
    for (const Request& request : requests) {
        // The log is empty, so each request also writes the opening balance.
        ASSERT_TRUE(log().isEmpty()) << request.name;
        const std::string before = testing_support::databaseSnapshot(db);
        int writes = 0;
        // The request succeeds once n passes its last write; every n before that fails one write.
        for (int n = 1;; ++n) {
            write_faults::failNthWrite(n);
            LengthForm form(db, services);
            const LengthResponse response = request.run(form);
            write_faults::failNthWrite(0);
            if (response == LengthResponse::Done) {
                writes = n - 1;
                break;
            }
            ASSERT_EQ(response, LengthResponse::Refused) << request.name << " write " << n;
            ASSERT_EQ(testing_support::databaseSnapshot(db), before) << request.name << " write " << n;
            ASSERT_LT(n, 50);
        }
        EXPECT_GE(writes, 3) << request.name;   // opening balance lines, the length, its line
        EXPECT_TRUE(testing_support::stockLogExplainsStock(db)) << request.name;
        // Back to an empty log for the next request.
        QSqlQuery emptying(db.connection());
        ASSERT_TRUE(emptying.exec(QStringLiteral("DELETE FROM %1").arg(global::quoted(QStringLiteral("STOCK_CHANGE")))))
            << emptying.lastError().text().toStdString();
    }
}

} // namespace
