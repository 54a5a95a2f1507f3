// The database test: pieces pointing at missing orders, profiles and positions get them back under
// their identifiers (or new ones, the pieces pointed at them), orders without a number get one,
// stale upper-case key values are recomputed, the copy comes first, a second run finds nothing;
// every failing write and Cancel leave every table as it was; what is only reported stays as it is;
// a file the program cannot read is refused with one message.

#include "settings/DatabaseTest.h"

#include "global/DataDirectory.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtSql/QSqlQuery>

using namespace global;
using settings::DatabaseTest;
using settings::DatabaseTestReport;

namespace {

class DatabaseRepairTest : public testing_support::DatabaseFixture {
protected:
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock{QDateTime(QDate(2026, 1, 5), QTime(8, 0, 0))};   // 2,880,000 hundredths
    FixedIdentity identity;
    ScriptedProgress progress;
    Services services{dialogs, clipboard, clock, identity, noFileChooser(), runUserValues(), progress};

    template <class R>
    R added(R record)
    {
        Table<R> table(db);
        EXPECT_EQ(table.add(record), 0) << table.errorText().toStdString();
        return record;
    }

    template <class R>
    QList<R> all()
    {
        return Table<R>(db).rows(typename Table<R>::Key(0));
    }

    template <class R>
    R byId(uint32_t id)
    {
        Table<R> table(db);
        R record;
        record.id = id;
        EXPECT_EQ(table.fetch(typename Table<R>::Key(0), record), 0) << "no record " << id;
        return record;
    }

    OrderRecord order(uint32_t id, const QString& number)
    {
        OrderRecord o;
        o.id = id;
        o.number = number;
        o.status = 1;
        return added(o);
    }
    ProfileRecord profile(uint32_t id, const QString& code)
    {
        ProfileRecord p;
        p.id = id;
        p.profileCode = code;
        p.remnantLenght = 400;
        return added(p);
    }
    OrderProfileRecord position(uint32_t id, uint32_t orderId, uint32_t profileId, const QString& code)
    {
        OrderProfileRecord p;
        p.id = id;
        p.orderId = orderId;
        p.profileId = profileId;
        p.profileCode = code;
        return added(p);
    }
    CutRecord piece(uint32_t id, uint32_t orderId, uint32_t positionId, uint32_t profileId)
    {
        CutRecord c;
        c.id = id;
        c.orderId = orderId;
        c.orderProfileId = positionId;
        c.profileId = profileId;
        c.lenght = 1000 + id;
        c.pcs = 2;
        c.status = 1;
        return added(c);
    }

    void sql(const QString& statement)
    {
        QSqlQuery q(db.connection());
        ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
    }

    DatabaseTest::Outcome run(DatabaseTestReport& report)
    {
        DatabaseTest test(db, services);
        const DatabaseTest::Outcome outcome = test.run(report);
        error = test.errorText();
        return outcome;
    }
    QString error;

    QStringList backups() const
    {
        return QDir(dir.filePath(QStringLiteral("DB/Backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(DatabaseRepairTest, MissingRecordsOfPiecesAreRecreatedAndASecondRunFindsNothing)
{
    profile(1, QStringLiteral("KW-40"));
    order(1, QStringLiteral("Z/1"));
    position(10, 1, 1, QStringLiteral("KW-40"));
    order(2, QStringLiteral("Z/2"));
    position(11, 2, 1, QStringLiteral("KW-40"));
    piece(100, 1, 10, 1);   // sound
    piece(101, 50, 70, 1);  // its order (and so its position) was deleted
    piece(102, 1, 71, 9);   // its profile and position are gone
    piece(103, 50, 70, 1);  // the same order and position again: recreated once
    piece(104, 2, 11, 1);   // an order whose number was blanked
    sql(QStringLiteral("UPDATE \"ORDERS\" SET \"NUMBER\" = '', \"NUMBER_UPPER\" = '' WHERE \"ID\" = 2"));
    const std::string before = testing_support::databaseSnapshot(db);

    DatabaseTestReport report;
    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.message(), QStringLiteral("Odtworzone rekordy:||Zamówienia = 1|Profile = 1|Zamówienia-Profile = 2|"
                                               "Zamówienia bez numeru, które otrzymały numer = 1"));

    // The copy holds the database as it was before the repair.
    ASSERT_EQ(backups(), QStringList{QStringLiteral("20260105080000")});
    const QString copy = dir.filePath(QStringLiteral("DB/Backup/20260105080000/barmond.db"));
    EXPECT_EQ(QDir::fromNativeSeparators(report.backupFile), copy);
    EXPECT_TRUE(QFileInfo(copy).isFile());   // a database file, also of a server database
    {
        Database old = Database::atFile(copy);
        ASSERT_EQ(old.open(), 0) << old.openErrorText().toStdString();
        EXPECT_EQ(testing_support::databaseSnapshot(old), before);
    }

    const OrderRecord recreated = byId<OrderRecord>(50);
    EXPECT_EQ(recreated.number, QStringLiteral("Odzysk 2880000"));
    EXPECT_EQ(recreated.status, 0);
    EXPECT_EQ(byId<OrderRecord>(2).number, QStringLiteral("Odzysk 2880000-2"));
    const ProfileRecord lostProfile = byId<ProfileRecord>(9);
    EXPECT_EQ(lostProfile.profileCode, QStringLiteral("Odzysk 2880000"));
    EXPECT_EQ(lostProfile.remnantLenght, 1000u);
    const OrderProfileRecord p70 = byId<OrderProfileRecord>(70);
    EXPECT_EQ(p70.orderId, 50u);
    EXPECT_EQ(p70.profileId, 1u);
    EXPECT_EQ(p70.profileCode, QStringLiteral("KW-40"));
    const OrderProfileRecord p71 = byId<OrderProfileRecord>(71);
    EXPECT_EQ(p71.orderId, 1u);
    EXPECT_EQ(p71.profileId, 9u);
    EXPECT_EQ(p71.profileCode, QStringLiteral("Odzysk 2880000"));
    EXPECT_EQ(all<OrderRecord>().size(), 3);
    EXPECT_EQ(all<OrderProfileRecord>().size(), 4);
    // The pieces keep what they pointed at.
    for (const CutRecord& c : all<CutRecord>())
        EXPECT_EQ(c.status, 1) << c.id;
    EXPECT_EQ(byId<CutRecord>(103).orderProfileId, 70u);
    EXPECT_EQ(progress.texts().value(0), QStringLiteral("Progress..."));
    EXPECT_EQ(progress.steps(), 5);

    // The recreated number is found by the key of order numbers.
    OrderRecord probe;
    probe.number = QStringLiteral("Odzysk 2880000");
    EXPECT_EQ(Table<OrderRecord>(db).duplicateKey(probe), int(Table<OrderRecord>::ByNo));

    const std::string repaired = testing_support::databaseSnapshot(db);
    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.message(), QStringLiteral("Błędów nie znaleziono"));
    EXPECT_EQ(testing_support::databaseSnapshot(db), repaired);
    // The second run within the same second takes a folder of its own.
    EXPECT_EQ(backups(), QStringList({QStringLiteral("20260105080000"), QStringLiteral("20260105080000-2")}));
}

TEST_F(DatabaseRepairTest, IdentifiersThatAreZeroOrTakenGiveNewRecordsAndThePiecesFollow)
{
    profile(1, QStringLiteral("KW-40"));
    profile(2, QStringLiteral("RU-20"));
    order(1, QStringLiteral("Z/1"));
    order(2, QStringLiteral("Odzysk 2880000"));   // the recovery name is taken already
    position(10, 1, 1, QStringLiteral("KW-40"));
    piece(100, 0, 0, 1);    // no order, no position
    piece(101, 0, 0, 1);    // the same: one recovered order and position for both
    piece(102, 1, 10, 2);   // position 10 belongs to profile 1: the order gets a position of profile 2
    piece(103, 1, 10, 0);   // no profile

    DatabaseTestReport report;
    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.orders, 1u);
    EXPECT_EQ(report.profiles, 1u);
    EXPECT_EQ(report.positions, 3u);
    EXPECT_EQ(report.repointedPieces, 4u);

    const CutRecord first = byId<CutRecord>(100);
    EXPECT_EQ(first.orderId, 3u);
    EXPECT_EQ(byId<OrderRecord>(3).number, QStringLiteral("Odzysk 2880000-2"));
    EXPECT_EQ(byId<CutRecord>(101).orderId, 3u);
    EXPECT_EQ(byId<CutRecord>(101).orderProfileId, first.orderProfileId);
    const OrderProfileRecord recovered = byId<OrderProfileRecord>(first.orderProfileId);
    EXPECT_EQ(recovered.orderId, 3u);
    EXPECT_EQ(recovered.profileId, 1u);

    const CutRecord other = byId<CutRecord>(102);
    EXPECT_NE(other.orderProfileId, 10u);
    EXPECT_EQ(byId<OrderProfileRecord>(other.orderProfileId).profileId, 2u);
    EXPECT_EQ(byId<OrderProfileRecord>(10).profileId, 1u);   // the other position is left alone

    const CutRecord noProfile = byId<CutRecord>(103);
    EXPECT_EQ(noProfile.profileId, 3u);
    EXPECT_EQ(byId<ProfileRecord>(3).profileCode, QStringLiteral("Odzysk 2880000"));
    EXPECT_EQ(byId<OrderProfileRecord>(noProfile.orderProfileId).profileId, 3u);

    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.message(), QStringLiteral("Błędów nie znaleziono"));
}

TEST_F(DatabaseRepairTest, StaleUpperCaseKeyValuesAreRecomputed)
{
    profile(1, QStringLiteral("żółw-40"));
    order(1, QStringLiteral("Zł/1"));
    sql(QStringLiteral("UPDATE \"PROFILES\" SET \"PROFILE_CODE_UPPER\" = 'żółw-40' WHERE \"ID\" = 1"));
    sql(QStringLiteral("UPDATE \"ORDERS\" SET \"NUMBER_UPPER\" = 'zł/1' WHERE \"ID\" = 1"));
    ProfileRecord probe;
    probe.profileCode = QStringLiteral("ŻÓŁW-40");
    EXPECT_LT(Table<ProfileRecord>(db).duplicateKey(probe), 0);   // the stale key misses it

    DatabaseTestReport report;
    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.shadowValues, 2);
    EXPECT_EQ(report.message(), QStringLiteral("Odświeżone wartości kluczy = 2"));
    EXPECT_EQ(Table<ProfileRecord>(db).duplicateKey(probe), int(Table<ProfileRecord>::ByCode));
    {
        QSqlQuery upper(db.connection());
        ASSERT_TRUE(upper.exec(QStringLiteral("SELECT \"NUMBER_UPPER\" FROM \"ORDERS\" WHERE \"ID\" = 1")) && upper.next());
        EXPECT_EQ(upper.value(0).toString(), QStringLiteral("ZŁ/1"));
    }

    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.message(), QStringLiteral("Błędów nie znaleziono"));
}

TEST_F(DatabaseRepairTest, AFailingWriteOrCancelLeavesEveryTableAsItWas)
{
    profile(1, QStringLiteral("KW-40"));
    order(1, QStringLiteral("Z/1"));
    piece(100, 50, 70, 9);
    piece(101, 0, 0, 1);
    order(2, QStringLiteral("Z/2"));
    piece(102, 2, 0, 1);
    sql(QStringLiteral("UPDATE \"ORDERS\" SET \"NUMBER\" = '', \"NUMBER_UPPER\" = 'X' WHERE \"ID\" = 2"));
    const std::string before = testing_support::databaseSnapshot(db);

    int failing = 1;
    for (;; ++failing) {
        write_faults::failNthWrite(failing);
        DatabaseTestReport report;
        const DatabaseTest::Outcome outcome = run(report);
        write_faults::failNthWrite(0);
        if (outcome == DatabaseTest::Outcome::Done)
            break;
        ASSERT_EQ(outcome, DatabaseTest::Outcome::Failed);
        EXPECT_TRUE(error.contains(QStringLiteral("ErrorCode = 90"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("Nic nie zostało zmienione"))) << error.toStdString();
        ASSERT_EQ(testing_support::databaseSnapshot(db), before) << "write " << failing << " left a trace";
        ASSERT_LT(failing, 100);
    }
    // Orders 50 and a new one, profile 9, three positions, one renamed order and the pieces pointed.
    EXPECT_GE(failing - 1, 8);

    sql(QStringLiteral("DELETE FROM \"ORDERS\" WHERE \"ID\" = 50"));
    const std::string damaged = testing_support::databaseSnapshot(db);
    progress.cancelAt(1);
    DatabaseTestReport report;
    EXPECT_EQ(run(report), DatabaseTest::Outcome::Cancelled);
    EXPECT_EQ(testing_support::databaseSnapshot(db), damaged);
}

TEST_F(DatabaseRepairTest, StockTheLogDoesNotExplainAndBarsOfMissingCuttingOrdersAreOnlyReported)
{
    ProfileLengthRecord length;
    length.id = 1;
    length.profileId = 1;
    length.lenght = 6000;
    length.intStock = 4;
    added(length);
    StockTransItemRecord bar;
    bar.id = 1;
    bar.idTrans = 33;
    added(bar);
    const std::string before = testing_support::databaseSnapshot(db);

    DatabaseTestReport report;
    ASSERT_EQ(run(report), DatabaseTest::Outcome::Done) << error.toStdString();
    EXPECT_EQ(report.unrepaired, QStringList({QStringLiteral("Profil 1, długość 6000: stan 4/0/0, historia zmian 0/0/0"),
                                              QStringLiteral("Sztangi nieistniejących poleceń cięcia = 1")}));
    EXPECT_TRUE(report.message().startsWith(QStringLiteral("Do sprawdzenia (nie naprawiono):|Profil 1")))
        << report.message().toStdString();
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

TEST(DatabaseRepairFileTest, AFileTheProgramCannotReadIsRefusedWithOneMessage)
{
    if (testing_support::onTestServer())
        GTEST_SKIP() << "a damaged database file is a matter of the file";
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(databaseFolder(dir.path())));
    QFile garbage(databaseFile(dir.path()));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    Database db(dir.path());
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock;
    FixedIdentity identity;
    const Services services{dialogs, clipboard, clock, identity};
    DatabaseTest test(db, services);
    DatabaseTestReport report;
    EXPECT_EQ(test.run(report), DatabaseTest::Outcome::Failed);
    EXPECT_FALSE(test.errorText().isEmpty());
    EXPECT_TRUE(test.errorText().contains(QDir::toNativeSeparators(databaseFile(dir.path()))))
        << test.errorText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB/Backup"))));
}

} // namespace
