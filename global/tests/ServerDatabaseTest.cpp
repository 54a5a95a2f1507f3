// Choosing the database (file or PostgreSQL server), and what only a server database does: its
// layout version table, backups written as database files, copies between the two engines.

#include "global/DataDirectory.h"
#include "global/DatabaseCopy.h"
#include "global/DatabaseLayout.h"
#include "global/DatabaseLocation.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/ScopedVariable.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtSql/QSqlQuery>

using namespace global;

namespace {

using testing_support::ScopedVariable;

TEST(DatabaseChoiceTest, AddressesAreReadWithTheirPartsAndRefusedWhenIncomplete)
{
    const DatabaseLocation full = parsePostgresAddress(QStringLiteral("postgresql://planner@server.local:5433/barmond"));
    ASSERT_TRUE(full.ok()) << full.error.toStdString();
    EXPECT_TRUE(full.isPostgres());
    EXPECT_EQ(full.user, QStringLiteral("planner"));
    EXPECT_EQ(full.host, QStringLiteral("server.local"));
    EXPECT_EQ(full.port, 5433);
    EXPECT_EQ(full.name, QStringLiteral("barmond"));
    EXPECT_EQ(full.displayName(), QStringLiteral("postgresql://planner@server.local:5433/barmond"));

    const DatabaseLocation socket = parsePostgresAddress(QStringLiteral("postgres://%2Frun%2Fpostgresql/warsztat"));
    ASSERT_TRUE(socket.ok());
    EXPECT_EQ(socket.host, QStringLiteral("/run/postgresql"));
    EXPECT_EQ(socket.port, 5432);
    EXPECT_TRUE(socket.user.isEmpty());
    // Written back, the socket folder stays one part of the address.
    EXPECT_EQ(socket.displayName(), QStringLiteral("postgresql://%2Frun%2Fpostgresql:5432/warsztat"));
    EXPECT_EQ(parsePostgresAddress(socket.displayName()).host, QStringLiteral("/run/postgresql"));

    EXPECT_FALSE(parsePostgresAddress(QStringLiteral("mysql://a@b/c")).ok());
    EXPECT_FALSE(parsePostgresAddress(QStringLiteral("postgresql://a@b:99999/c")).ok());
    EXPECT_FALSE(parsePostgresAddress(QStringLiteral("postgresql://a@b")).ok());
    // A password never travels in the address.
    const DatabaseLocation secret = parsePostgresAddress(QStringLiteral("postgresql://a:tajne@b/c"));
    EXPECT_FALSE(secret.ok());
    EXPECT_FALSE(secret.error.contains(QStringLiteral("tajne")));
}

TEST(DatabaseChoiceTest, OptionBeforeVariableBeforeIniBeforeTheFile)
{
    QTemporaryDir dir;
    ScopedVariable cleared(databaseVariable(), QByteArray());
    DatabaseLocation chosen = chooseDatabase(dir.path());
    EXPECT_FALSE(chosen.isPostgres());
    EXPECT_EQ(chosen.filePath, databaseFile(dir.path()));

    {
        QSettings ini(iniFile(dir.path()), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Database/Driver"), QStringLiteral("QPSQL"));
        ini.setValue(QStringLiteral("Database/Host"), QStringLiteral("serwer"));
        ini.setValue(QStringLiteral("Database/Port"), 6543);
        ini.setValue(QStringLiteral("Database/Name"), QStringLiteral("warsztat"));
        ini.setValue(QStringLiteral("Database/User"), QStringLiteral("magazyn"));
    }
    chosen = chooseDatabase(dir.path());
    ASSERT_TRUE(chosen.ok()) << chosen.error.toStdString();
    EXPECT_EQ(chosen.displayName(), QStringLiteral("postgresql://magazyn@serwer:6543/warsztat"));

    {
        ScopedVariable variable(databaseVariable(), "postgresql://inny@host2/baza2");
        EXPECT_EQ(chooseDatabase(dir.path()).displayName(), QStringLiteral("postgresql://inny@host2:5432/baza2"));
        {
            ScopedVariable file(databaseVariable(), "sqlite");
            EXPECT_FALSE(chooseDatabase(dir.path()).isPostgres());
        }
        // The option wins over the variable and is handed on through it.
        const DataDirectoryChoice line = takeDataDirectory(
            {QStringLiteral("orders"), QStringLiteral("--database"), QStringLiteral("postgresql://op@host3/baza3"),
             QStringLiteral("--data-dir"), dir.path(), QStringLiteral("close"), QStringLiteral("7")});
        ASSERT_TRUE(line.ok());
        EXPECT_EQ(line.rest, (QStringList{QStringLiteral("orders"), QStringLiteral("close"), QStringLiteral("7")}));
        EXPECT_EQ(chooseDatabase(line.folder).displayName(), QStringLiteral("postgresql://op@host3:5432/baza3"));
        EXPECT_FALSE(takeDataDirectory({QStringLiteral("--database")}).ok());
    }

    QSettings(iniFile(dir.path()), QSettings::IniFormat).setValue(QStringLiteral("Database/Driver"), QStringLiteral("QODBC"));
    chosen = chooseDatabase(dir.path());
    EXPECT_FALSE(chosen.ok());
    Database refused(dir.path());
    EXPECT_EQ(refused.open(), err::InvalidFile);
    EXPECT_TRUE(refused.openErrorText().contains(QStringLiteral("QODBC")));
}

// A refused write inside a transaction leaves the transaction going: the other writes are kept.
class EngineTest : public testing_support::DatabaseFixture {};

TEST_F(EngineTest, DuplicateKeyInsideATransactionLeavesTheRestOfItsWork)
{
    Table<OrderRecord> orders(db);
    ASSERT_EQ(db.begin(1000), 0);
    OrderRecord o;
    o.id = 1;
    o.number = QStringLiteral("Z/1");
    ASSERT_EQ(orders.add(o), 0);
    o.id = 2;
    EXPECT_EQ(orders.add(o), err::DuplicateKey);
    o.number = QStringLiteral("Z/2");
    EXPECT_EQ(orders.add(o), 0) << orders.errorText().toStdString();
    ASSERT_EQ(db.commit(), 0) << db.lastErrorText().toStdString();
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 2);
}

TEST_F(EngineTest, HiddenRowNumbersFollowTheHighestAsOnTheFile)
{
    // Setup parameters have no identifier of their own: the database numbers their rows, and a
    // deleted highest number is given again.
    Table<SetupParRecord> pars(db);
    for (const char* name : {"A", "B", "C"})
        ASSERT_EQ(pars.add({QString::fromLatin1(name), QStringLiteral("x"), QStringLiteral("1")}), 0);
    EXPECT_EQ(pars.position(), QStringLiteral("3"));
    ASSERT_EQ(pars.remove(), 0);
    ASSERT_EQ(pars.add({QStringLiteral("D"), QStringLiteral("x"), QStringLiteral("1")}), 0);
    EXPECT_EQ(pars.position(), QStringLiteral("3"));
}

class ServerOnlyTest : public testing_support::DatabaseFixture {
protected:
    void SetUp() override
    {
        if (!testing_support::onTestServer())
            GTEST_SKIP() << "needs the PostgreSQL test server (BARMOND_TEST_POSTGRES)";
        DatabaseFixture::SetUp();
    }

    void addSomeRecords()
    {
        Table<OrderRecord> orders(db);
        for (uint32_t id = 1; id <= 3; ++id) {
            OrderRecord o;
            o.id = id;
            o.number = QStringLiteral("Zlecenie ąę/%1").arg(id);
            ASSERT_EQ(orders.add(o), 0) << orders.errorText().toStdString();
        }
        Table<SetupParRecord> pars(db);
        ASSERT_EQ(pars.add({QStringLiteral("GLO:Saw_Width"), QStringLiteral("Szerokość piły"), QStringLiteral("4,5")}), 0);
    }
};

TEST_F(ServerOnlyTest, LayoutVersionIsKeptInItsOwnTableAndAForeignDatabaseIsRefused)
{
    EXPECT_TRUE(isOnServer(db));
    EXPECT_TRUE(databaseName(db).startsWith(QStringLiteral("postgresql://")));
    int version = 0;
    bool empty = true;
    QString error;
    QSqlDatabase connection = db.connection();
    ASSERT_TRUE(readLayoutVersion(connection, version, empty, error)) << error.toStdString();
    EXPECT_EQ(version, Database::SchemaVersion);
    EXPECT_FALSE(empty);
    QList<TableLayoutGap> gaps;
    ASSERT_TRUE(findLayoutGaps(connection, gaps, error)) << error.toStdString();
    EXPECT_TRUE(gaps.isEmpty()) << describeLayoutGaps(gaps).toStdString();

    // A newer layout is refused, and so is a database holding other tables without a version.
    QSqlQuery q(connection);
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"LAYOUT_VERSION\" SET \"VERSION\" = 99")));
    Database newer(dir.path());
    EXPECT_EQ(newer.open(), err::InvalidFile);
    EXPECT_TRUE(newer.openErrorText().contains(QStringLiteral("99")));
    ASSERT_TRUE(q.exec(QStringLiteral("DROP TABLE \"LAYOUT_VERSION\"")));
    Database foreign(dir.path());
    EXPECT_EQ(foreign.open(), err::InvalidFile);

    // A missing key is found by the layout check.
    ASSERT_TRUE(q.exec(writeLayoutVersionSql(connection, Database::SchemaVersion).join(QStringLiteral("; "))));
    ASSERT_TRUE(q.exec(QStringLiteral("DROP INDEX \"ORDERS_BY_No\"")));
    Database gap(dir.path());
    EXPECT_EQ(gap.open(), err::InvalidFile);
    EXPECT_TRUE(gap.needsConversion());
    EXPECT_TRUE(gap.openErrorText().contains(QStringLiteral("ORDERS_BY_No"))) << gap.openErrorText().toStdString();
}

TEST_F(ServerOnlyTest, ATransactionSpoiltByAFailedStatementIsNotReportedAsStored)
{
    Table<OrderRecord> orders(db);
    ASSERT_EQ(db.begin(1000), 0);
    OrderRecord o;
    o.id = 1;
    o.number = QStringLiteral("Z/1");
    ASSERT_EQ(orders.add(o), 0);
    QSqlQuery broken(db.connection());
    EXPECT_FALSE(broken.exec(QStringLiteral("SELECT * FROM \"NO_SUCH_TABLE\"")));
    EXPECT_NE(db.commit(), 0);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 0);
}

TEST_F(ServerOnlyTest, BackupIsADatabaseFileWithEveryRecord)
{
    addSomeRecords();
    const QString copy = QDir(dir.path()).filePath(QStringLiteral("Backup/barmond.db"));
    QDir().mkpath(QFileInfo(copy).absolutePath());
    ASSERT_EQ(db.backupTo(copy), 0) << db.lastErrorText().toStdString();
    Database file = Database::atFile(copy);
    ASSERT_EQ(file.open(), 0) << file.openErrorText().toStdString();
    EXPECT_FALSE(isOnServer(file));
    EXPECT_EQ(testing_support::databaseSnapshot(file), testing_support::databaseSnapshot(db));
    EXPECT_EQ(db.backupTo(copy), err::DuplicateKey);   // never over an existing copy
}

TEST_F(ServerOnlyTest, CopyToTheFileAndBackGivesTheSameTables)
{
    addSomeRecords();
    QTemporaryDir fileDir;
    Database file = Database::atFile(databaseFile(fileDir.path()));
    ASSERT_EQ(file.open(), 0) << file.openErrorText().toStdString();
    QString error;
    ASSERT_EQ(copyAllTables(db, file, error), 0) << error.toStdString();

    testing_support::ServerDatabase second({});
    DatabaseLocation there = parsePostgresAddress(second.address());
    Database back = databaseAt(there);
    ASSERT_EQ(back.open(), 0) << back.openErrorText().toStdString();
    ASSERT_EQ(copyAllTables(file, back, error), 0) << error.toStdString();
    EXPECT_EQ(testing_support::databaseSnapshot(back), testing_support::databaseSnapshot(db));
    qint64 records = 0;
    ASSERT_EQ(countAllRecords(back, records, error), 0);
    EXPECT_EQ(records, 4);

    // A second copy into the same tables fails on the first duplicate and leaves them as they were.
    const std::string before = testing_support::databaseSnapshot(back);
    EXPECT_EQ(copyAllTables(file, back, error), err::DuplicateKey);
    EXPECT_EQ(testing_support::databaseSnapshot(back), before);
}

} // namespace
