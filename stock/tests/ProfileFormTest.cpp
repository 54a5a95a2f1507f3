// The profile form's procedures: required values, the duplicate code (in any case, and stored by
// another station between the test and the addition), a new code carried into the open order
// positions, deleting a profile with its stock lengths, and all or nothing when any write fails.

#include "stock/ProfileForm.h"

#include "global/ScriptedServices.h"
#include "global/StockBooking.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

using namespace global;
using stock::ProfileField;
using stock::ProfileForm;
using stock::ProfileResponse;

namespace {

class ProfileFormTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock{QDateTime(QDate(2026, 5, 6), QTime(9, 30, 15))};
    FixedIdentity identity{QStringLiteral("ewa"), QStringLiteral("HALA2")};
    CountingBeeper beeper;
    Services services{dialogs, clipboard, clock, identity, noFileChooser(), runUserValues(), silentProgress(), beeper};

    uint32_t storeProfile(const QString& code, uint32_t remnant = 500)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.profileCode = code;
        p.remnantLenght = remnant;
        p.uom = QStringLiteral("mm");
        EXPECT_EQ(profiles.addWithNewIdentifier(p), 0);
        return p.id;
    }
    ProfileRecord profile(uint32_t id)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.id = id;
        EXPECT_EQ(profiles.fetch(Table<ProfileRecord>::Auto, p), 0);
        return p;
    }
    bool profileExists(uint32_t id)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.id = id;
        return profiles.fetch(Table<ProfileRecord>::Auto, p) == 0;
    }
    uint32_t storeLength(uint32_t profile, uint32_t lenght, int32_t intStock, uint32_t extStock = 0, int32_t incom = 0)
    {
        Table<ProfileLengthRecord> lengths(db);
        ProfileLengthRecord l;
        l.profileId = profile;
        l.lenght = lenght;
        l.intStock = intStock;
        l.extStock = extStock;
        l.incomStock = incom;
        EXPECT_EQ(lengths.addWithNewIdentifier(l), 0);
        return l.id;
    }
    uint32_t storePosition(uint32_t order, uint32_t profile, const QString& code, uint16_t status)
    {
        Table<OrderProfileRecord> positions(db);
        OrderProfileRecord p;
        p.orderId = order;
        p.profileId = profile;
        p.profileCode = code;
        p.status = status;
        EXPECT_EQ(positions.addWithNewIdentifier(p), 0);
        return p.id;
    }
    OrderProfileRecord position(uint32_t id)
    {
        Table<OrderProfileRecord> positions(db);
        OrderProfileRecord p;
        p.id = id;
        EXPECT_EQ(positions.fetch(Table<OrderProfileRecord>::Auto, p), 0);
        return p;
    }
    void exclude(uint32_t order, uint32_t profile, uint32_t lengthId)
    {
        Table<OrderProfileBlockedLengthRecord> exclusions(db);
        OrderProfileBlockedLengthRecord row{order, profile, lengthId};
        ASSERT_EQ(exclusions.add(row), 0);
    }
    QList<StockChangeRecord> log() { return Table<StockChangeRecord>(db).rows(Table<StockChangeRecord>::Auto); }
    qint64 count(const QString& table)
    {
        if (table == QLatin1String("PROFILES_LENGHTS"))
            return Table<ProfileLengthRecord>(db).count(Table<ProfileLengthRecord>::Auto);
        if (table == QLatin1String("ORDER_PROFILES_BLK_LENGTHS"))
            return Table<OrderProfileBlockedLengthRecord>(db).count(Table<OrderProfileBlockedLengthRecord>::Auto);
        return Table<ProfileRecord>(db).count(Table<ProfileRecord>::Auto);
    }
    void openingBalance()
    {
        QString error;
        Transaction tx(db, 1000);
        ASSERT_EQ(writeOpeningBalance(db, LogStamp::of(clock, identity), true, error), 0) << error.toStdString();
        ASSERT_EQ(tx.commit(), 0);
    }
};

TEST_F(ProfileFormTest, ANewProfileNeedsItsCodeAndItsUsableRemnant)
{
    ProfileForm form(db, services);
    ProfileRecord blank;
    blank.profileCode = QStringLiteral("   ");
    blank.remnantLenght = 500;
    EXPECT_EQ(form.insert(blank), ProfileResponse::Refused);
    EXPECT_EQ(form.focus(), ProfileField::Code);

    ProfileRecord noRemnant;
    noRemnant.profileCode = QStringLiteral("AL-40");
    EXPECT_EQ(form.insert(noRemnant), ProfileResponse::Refused);
    EXPECT_EQ(form.focus(), ProfileField::RemnantLenght);
    EXPECT_EQ(beeper.count(), 2);
    EXPECT_EQ(count(QStringLiteral("PROFILES")), 0);

    ProfileRecord good;
    good.profileCode = QStringLiteral("AL-40  ");
    good.remnantLenght = 500;
    good.weight = 1.25;
    EXPECT_EQ(form.insert(good), ProfileResponse::Done);
    EXPECT_EQ(good.id, 1u);
    EXPECT_EQ(profile(1).profileCode, QStringLiteral("AL-40"));
    EXPECT_DOUBLE_EQ(profile(1).weight, 1.25);
}

TEST_F(ProfileFormTest, ACodeHeldByAnotherProfileInAnyCaseIsRefusedAndTheFormStaysOpen)
{
    storeProfile(QStringLiteral("Ząb-40"));
    ProfileForm form(db, services);
    ProfileRecord buffer;
    buffer.profileCode = QStringLiteral("ZĄB-40");
    buffer.remnantLenght = 300;
    EXPECT_EQ(form.insert(buffer), ProfileResponse::Refused);
    EXPECT_EQ(form.lastMessage(), stock::duplicateCodeMessage());
    EXPECT_EQ(form.focus(), ProfileField::Code);
    EXPECT_EQ(count(QStringLiteral("PROFILES")), 1);
}

TEST_F(ProfileFormTest, ACodeStoredByAnotherStationAfterTheTestAnswersWithThatProfile)
{
    ProfileForm form(db, services);
    ProfileRecord buffer;
    buffer.profileCode = QStringLiteral("ST-60");
    buffer.remnantLenght = 300;
    ASSERT_TRUE(form.requiredValuesPresent(buffer));
    ASSERT_TRUE(form.codeFree(buffer.profileCode, 0));
    const uint32_t other = storeProfile(QStringLiteral("st-60"), 800);   // the other station is quicker

    EXPECT_EQ(form.createNewProfile(buffer), ProfileResponse::Duplicate);
    EXPECT_EQ(buffer.id, other);
    EXPECT_EQ(buffer.remnantLenght, 800u);
    EXPECT_EQ(count(QStringLiteral("PROFILES")), 1);
    EXPECT_EQ(dialogs.messages().last(), stock::duplicateCodeMessage());
}

TEST_F(ProfileFormTest, ANewCodeGoesIntoTheOrderPositionsThatAreNotClosed)
{
    const uint32_t id = storeProfile(QStringLiteral("AL-40"));
    const uint32_t fresh = storePosition(1, id, QStringLiteral("AL-40"), 0);
    const uint32_t approved = storePosition(2, id, QStringLiteral("AL-40"), 1);
    const uint32_t producing = storePosition(3, id, QStringLiteral("AL-40"), 2);
    const uint32_t closed = storePosition(4, id, QStringLiteral("AL-40"), 3);
    const uint32_t otherProfile = storePosition(5, id + 1, QStringLiteral("AL-40"), 0);

    ProfileForm form(db, services);
    const ProfileRecord loaded = profile(id);
    ProfileRecord buffer = loaded;
    buffer.profileCode = QStringLiteral("AL-40-NEW");
    ASSERT_EQ(form.change(loaded, buffer), ProfileResponse::Done);
    EXPECT_EQ(profile(id).profileCode, QStringLiteral("AL-40-NEW"));
    for (uint32_t p : {fresh, approved, producing})
        EXPECT_EQ(position(p).profileCode, QStringLiteral("AL-40-NEW")) << p;
    EXPECT_EQ(position(closed).profileCode, QStringLiteral("AL-40"));
    EXPECT_EQ(position(otherProfile).profileCode, QStringLiteral("AL-40"));
}

TEST_F(ProfileFormTest, AChangeOfCaseIsNoDuplicateButAnotherProfilesCodeIs)
{
    const uint32_t id = storeProfile(QStringLiteral("al-40"));
    storeProfile(QStringLiteral("AL-50"));
    const uint32_t pos = storePosition(1, id, QStringLiteral("al-40"), 1);
    ProfileForm form(db, services);

    ProfileRecord loaded = profile(id);
    ProfileRecord buffer = loaded;
    buffer.profileCode = QStringLiteral("AL-40");
    ASSERT_EQ(form.change(loaded, buffer), ProfileResponse::Done) << form.lastMessage().toStdString();
    EXPECT_EQ(profile(id).profileCode, QStringLiteral("AL-40"));
    EXPECT_EQ(position(pos).profileCode, QStringLiteral("AL-40"));

    loaded = profile(id);
    buffer = loaded;
    buffer.profileCode = QStringLiteral("al-50");
    EXPECT_EQ(form.change(loaded, buffer), ProfileResponse::Refused);
    EXPECT_EQ(form.lastMessage(), stock::duplicateCodeMessage());
    EXPECT_EQ(profile(id).profileCode, QStringLiteral("AL-40"));
}

TEST_F(ProfileFormTest, AProfileChangedOnAnotherStationMeanwhileIsNotOverwritten)
{
    const uint32_t id = storeProfile(QStringLiteral("AL-40"));
    const ProfileRecord loaded = profile(id);
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord other = loaded;
        ASSERT_EQ(profiles.fetch(Table<ProfileRecord>::Auto, other), 0);
        other.price = 12.5;
        ASSERT_EQ(profiles.update(other), 0);
    }
    ProfileForm form(db, services);
    ProfileRecord buffer = loaded;
    buffer.descr = QStringLiteral("mine");
    EXPECT_EQ(form.change(loaded, buffer), ProfileResponse::Refused);
    EXPECT_DOUBLE_EQ(buffer.price, 12.5);   // the form shows what is stored now
    EXPECT_DOUBLE_EQ(profile(id).price, 12.5);
    EXPECT_EQ(profile(id).descr, QString());
}

TEST_F(ProfileFormTest, AProfileInUseIsNotDeleted)
{
    const uint32_t inCuttingOrder = storeProfile(QStringLiteral("A"));
    const uint32_t inOrder = storeProfile(QStringLiteral("B"));
    {
        Table<StockTransRecord> transactions(db);
        StockTransRecord t;
        t.profileId = inCuttingOrder;
        ASSERT_EQ(transactions.addWithNewIdentifier(t), 0);
    }
    storePosition(1, inOrder, QStringLiteral("B"), 3);
    ProfileForm form(db, services);
    ProfileRecord a = profile(inCuttingOrder);
    EXPECT_EQ(form.remove(a), ProfileResponse::Refused);
    EXPECT_TRUE(form.lastMessage().startsWith(QStringLiteral("Wskazany profil występuje w dokumentach produkcyjnych")));
    ProfileRecord b = profile(inOrder);
    EXPECT_EQ(form.remove(b), ProfileResponse::Refused);
    EXPECT_TRUE(form.lastMessage().startsWith(QStringLiteral("Wskazany profil występuje w zamówieniach")));
    EXPECT_TRUE(profileExists(inCuttingOrder));
    EXPECT_TRUE(profileExists(inOrder));
}

TEST_F(ProfileFormTest, DeletingAProfileBooksItsStockOutAndTakesItsLengthsAndTheirExclusions)
{
    const uint32_t kept = storeProfile(QStringLiteral("KEPT"));
    const uint32_t keptLength = storeLength(kept, 6000, 3);
    const uint32_t id = storeProfile(QStringLiteral("GONE"));
    const uint32_t full = storeLength(id, 6000, 5, 2, 1);
    const uint32_t empty = storeLength(id, 3000, 0);
    storeLength(id, 12000, 0, 4);
    openingBalance();
    exclude(1, id, full);
    exclude(1, id, empty);
    exclude(2, kept, keptLength);
    const int linesBefore = log().size();

    ProfileForm form(db, services);
    ProfileRecord buffer = profile(id);
    dialogs.planAnswers({1});   // "Nie"
    EXPECT_EQ(form.remove(buffer), ProfileResponse::Cancelled);
    EXPECT_TRUE(profileExists(id));

    dialogs.planAnswers({0});
    ASSERT_EQ(form.remove(buffer), ProfileResponse::Done) << form.lastMessage().toStdString();
    EXPECT_FALSE(profileExists(id));
    EXPECT_EQ(count(QStringLiteral("PROFILES_LENGHTS")), 1);
    EXPECT_EQ(count(QStringLiteral("ORDER_PROFILES_BLK_LENGTHS")), 1);

    const QList<StockChangeRecord> lines = log();
    ASSERT_EQ(lines.size(), linesBefore + 2);   // the two lengths that held stock
    const StockChangeRecord& first = lines.at(linesBefore);
    EXPECT_EQ(first.operationType, 3);
    EXPECT_EQ(first.lenght, 6000u);
    EXPECT_EQ(first.changeIntStock, -5);
    EXPECT_EQ(first.changeExtStock, -2);
    EXPECT_EQ(first.changeIncomStock, -1);
    EXPECT_EQ(first.finalIntStock, 0);
    EXPECT_EQ(first.docId, full);
    const StockChangeRecord& second = lines.at(linesBefore + 1);
    EXPECT_EQ(second.lenght, 12000u);
    EXPECT_EQ(second.changeExtStock, -4);
    EXPECT_DOUBLE_EQ(second.profileExtStock, 0.0);
    EXPECT_EQ(second.station, QStringLiteral("HALA2"));
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

TEST_F(ProfileFormTest, DeletingOnAnEmptyLogWritesTheOpeningBalanceFirst)
{
    const uint32_t id = storeProfile(QStringLiteral("GONE"));
    storeLength(id, 6000, 5);
    const uint32_t other = storeProfile(QStringLiteral("OTHER"));
    storeLength(other, 4000, 2);
    ProfileForm form(db, services);
    ProfileRecord buffer = profile(id);
    dialogs.planAnswers({0});
    ASSERT_EQ(form.remove(buffer), ProfileResponse::Done);
    const QList<StockChangeRecord> lines = log();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0).operationType, 0);
    EXPECT_EQ(lines.at(1).operationType, 0);
    EXPECT_EQ(lines.at(2).operationType, 3);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

// Every write of the deletion and of a code change is made to fail in turn: each time every table
// stays as it was, and the message says so; with no failure the work is done.
TEST_F(ProfileFormTest, AFailingWriteLeavesEveryTableAsItWas)
{
    const uint32_t id = storeProfile(QStringLiteral("GONE"));
    const uint32_t full = storeLength(id, 6000, 5, 2, 1);
    storeLength(id, 3000, 0);
    storeLength(id, 12000, 7);
    storeProfile(QStringLiteral("OTHER"));
    openingBalance();
    exclude(1, id, full);
    const std::string before = testing_support::databaseSnapshot(db);

    int failures = 0;
    for (int n = 1;; ++n) {
        write_faults::failNthWrite(n);
        ProfileForm form(db, services);
        ProfileRecord buffer = profile(id);
        dialogs.planAnswers({0});
        const ProfileResponse answer = form.remove(buffer);
        write_faults::failNthWrite(0);
        if (answer == ProfileResponse::Done)
            break;
        ++failures;
        EXPECT_EQ(answer, ProfileResponse::Refused) << n;
        EXPECT_EQ(testing_support::databaseSnapshot(db), before) << "write " << n;
        ASSERT_LT(n, 50);
    }
    EXPECT_GE(failures, 6);   // two log lines, three lengths, one exclusion, the profile
    EXPECT_FALSE(profileExists(id));
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    const uint32_t renamed = storeProfile(QStringLiteral("REN"));
    storePosition(1, renamed, QStringLiteral("REN"), 0);
    storePosition(2, renamed, QStringLiteral("REN"), 1);
    const std::string beforeChange = testing_support::databaseSnapshot(db);
    for (int n = 1;; ++n) {
        write_faults::failNthWrite(n);
        ProfileForm form(db, services);
        const ProfileRecord loaded = profile(renamed);
        ProfileRecord buffer = loaded;
        buffer.profileCode = QStringLiteral("REN-2");
        const ProfileResponse answer = form.change(loaded, buffer);
        write_faults::failNthWrite(0);
        if (answer == ProfileResponse::Done) {
            EXPECT_EQ(n, 4);   // two positions and the profile
            break;
        }
        EXPECT_EQ(testing_support::databaseSnapshot(db), beforeChange) << "write " << n;
        ASSERT_LT(n, 10);
    }
    EXPECT_EQ(profile(renamed).profileCode, QStringLiteral("REN-2"));
}

} // namespace
