// Opening the database: first use of an empty folder, and files that must be refused untouched;
// on the test server a fresh server database, and databases refused untouched likewise.

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseLayout.h"
#include "global/ScriptedServices.h"
#include "global/DatabaseLocation.h"
#include "global/Table.h"
#include "global/TableSql.h"
#include "global/tests/support/RawDatabase.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

using namespace global;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

#define SKIP_ON_THE_SERVER(reason)                                                                               \
    if (testing_support::onTestServer())                                                                           \
    GTEST_SKIP() << reason

class DatabaseFileTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    QString file() const { return databaseFile(dir.path()); }
    bool server() const { return testing_support::onTestServer(); }
    // The database in words, as messages name it: the file, or the server database's address.
    QString shownName() const
    {
        const Database db(dir.path());
        return databaseName(db);
    }
    testing_support::RawDatabase raw() const { return testing_support::RawDatabase(dir.path()); }
    void rawSql(const QStringList& statements) { raw().exec(statements); }

    // Opening fails with the code, one message names the database and the problem, and the
    // database is left as it was (the file compared once the refused connection is closed, which
    // would have carried a write from the log into the file). Returns the message.
    QString expectRefused(int code, const QString& problem)
    {
        const QByteArray before = testing_support::RawDatabase::fingerprint(dir.path());
        QString text;
        {
            Database db(dir.path());
            ScriptedDialogs dialogs;
            EXPECT_FALSE(db.openOrReport(dialogs));
            EXPECT_EQ(dialogs.messages().size(), 1);
            text = dialogs.messages().value(0);
            EXPECT_TRUE(text.contains(shownName())) << text.toStdString();
            EXPECT_TRUE(text.contains(problem)) << text.toStdString();
            EXPECT_EQ(db.open(), code);
            EXPECT_FALSE(db.isOpen());
        }
        EXPECT_EQ(testing_support::RawDatabase::fingerprint(dir.path()), before);
        return text;
    }

    void createDatabase()
    {
        Database db(dir.path());
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    }

    // The program's tables the database holds (the server's table of the layout version apart).
    QSet<QString> tablesInDatabase()
    {
        QSet<QString> tables;
        testing_support::RawDatabase database = raw();
        QSqlDatabase connection = database.connection();
        QString error;
        EXPECT_TRUE(readTableNames(connection, tables, error)) << error.toStdString();
        tables.remove(layoutVersionTable());
        return tables;
    }
};

TEST_F(DatabaseFileTest, FirstUseCreatesFolderFileAndAllTables)
{
    Database db(dir.path());
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    EXPECT_EQ(QFile::exists(file()), !server());   // a server database leaves no file behind
    QStringList tables;
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec(server() ? QStringLiteral("SELECT table_name FROM information_schema.tables "
                                                 "WHERE table_schema = current_schema() ORDER BY table_name")
                                : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")));
    while (q.next())
        tables << q.value(0).toString();
    q.finish();
    QStringList expected{"CUTS", "INTERFACE_MAP", "LFM_CFile", "LFM_DFile", "ORDERS", "ORDER_PROFILES",
                         "ORDER_PROFILES_BLK_LENGTHS", "PROFILES", "PROFILES_LENGHTS", "SETUP_PAR",
                         "STATIONS", "STOCK_CHANGE", "STOCK_TRANS", "STOCK_TRANS_ITEMS",
                         "STOCK_TRANS_SUBITEMS"};
    if (server()) {   // the layout version in a table of its own; names sorted by code point
        expected << layoutVersionTable();
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(tables, expected);
    EXPECT_EQ(raw().layoutVersion(), Database::SchemaVersion);

    // A second open of the same file keeps what is there.
    Table<OrderRecord> orders(db);
    OrderRecord o;
    o.id = 1;
    o.number = QStringLiteral("Z/1");
    ASSERT_EQ(orders.add(o), 0);
    Database again(dir.path());
    ASSERT_EQ(again.open(), 0);
    Table<OrderRecord> reread(again);
    EXPECT_EQ(reread.count(Table<OrderRecord>::Auto), 1);
}

TEST_F(DatabaseFileTest, GarbageFileIsNotADatabase)
{
    SKIP_ON_THE_SERVER("a file that is not a database is a matter of the database file");
    writeFile(file(), QByteArray("This is not a database, just some text.\n").repeated(100));
    expectRefused(err::InvalidFile, QStringLiteral("nie jest bazą danych"));
}

TEST_F(DatabaseFileTest, ReadOnlyFileIsRefused)
{
    SKIP_ON_THE_SERVER("the permissions of the database file");
    {
        Database db(dir.path());
        ASSERT_EQ(db.open(), 0);
    }
    QFile::remove(file() + QStringLiteral("-wal"));
    QFile::remove(file() + QStringLiteral("-shm"));
    ASSERT_TRUE(QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    expectRefused(err::AccessDenied, QStringLiteral("tylko do odczytu"));
    QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(DatabaseFileTest, UnknownLayoutVersionIsRefused)
{
    {
        Database db(dir.path());
        ASSERT_EQ(db.open(), 0);
    }
    raw().setLayoutVersion(99);
    expectRefused(err::InvalidFile, QStringLiteral("wersji 99"));
}

TEST_F(DatabaseFileTest, ForeignDatabaseIsRefused)
{
    QDir().mkpath(databaseFolder(dir.path()));
    rawSql({QStringLiteral("CREATE TABLE \"SOMETHING\" (\"A\" INTEGER)")});
    expectRefused(err::InvalidFile, QStringLiteral("innego programu"));
}

TEST_F(DatabaseFileTest, MissingColumnsAreNamedAndNothingIsWritten)
{
    createDatabase();
    rawSql({QStringLiteral("INSERT INTO \"CUTS\" (\"ID\", \"PCS\", \"LENGHT\") VALUES (1, 4, 1200)"),
            QStringLiteral("ALTER TABLE \"CUTS\" DROP COLUMN \"PCS\""),
            QStringLiteral("ALTER TABLE \"STOCK_TRANS_ITEMS\" DROP COLUMN \"HEAT_NUMBER\""),
            // a shadow column of a key compared without case, with the key itself
            QStringLiteral("DROP INDEX \"ORDERS_Active_Orders\""),
            QStringLiteral("ALTER TABLE \"ORDERS\" DROP COLUMN \"NUMBER_UPPER\"")});
    const QString text = expectRefused(err::InvalidFile, QStringLiteral("w tabeli CUTS brak pól: PCS"));
    EXPECT_TRUE(text.contains(QStringLiteral("w tabeli STOCK_TRANS_ITEMS brak pól: HEAT_NUMBER"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("w tabeli ORDERS brak pól: NUMBER_UPPER"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("w tabeli ORDERS brak kluczy: ORDERS_Active_Orders"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("PROFILES"))) << text.toStdString();
}

TEST_F(DatabaseFileTest, MissingAndChangedKeysAreNamed)
{
    createDatabase();
    rawSql({QStringLiteral("DROP INDEX \"ORDERS_BY_No\""),
            // ascending length where the key reads the longest piece first
            QStringLiteral("DROP INDEX \"CUTS_By_Order_Profile\""),
            QStringLiteral("CREATE INDEX \"CUTS_By_Order_Profile\" ON \"CUTS\" (\"ORDER_ID\", \"ORDER_PROFILE_ID\", "
                           "\"LENGHT\", \"ID\")"),
            // a unique key that no longer refuses duplicates
            QStringLiteral("DROP INDEX \"PROFILES_By_Code\""),
            QStringLiteral("CREATE INDEX \"PROFILES_By_Code\" ON \"PROFILES\" (\"PROFILE_CODE_UPPER\")"),
            // a key that binds only some records where it should bind every record
            QStringLiteral("DROP INDEX \"STOCK_CHANGE_By_Profile\""),
            QStringLiteral("CREATE INDEX \"STOCK_CHANGE_By_Profile\" ON \"STOCK_CHANGE\" (\"PROFILE_ID\", \"ID\") "
                           "WHERE \"PROFILE_ID\" <> 0")});
    const QString text = expectRefused(err::InvalidFile, QStringLiteral("w tabeli ORDERS brak kluczy: ORDERS_BY_No"));
    EXPECT_TRUE(text.contains(QStringLiteral("w tabeli CUTS klucze innego układu: CUTS_By_Order_Profile"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("w tabeli PROFILES klucze innego układu: PROFILES_By_Code"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("w tabeli STOCK_CHANGE klucze innego układu: STOCK_CHANGE_By_Profile")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("ORDERS_Active_Orders"))) << text.toStdString();
}

TEST_F(DatabaseFileTest, LayoutGapsListPerTableWhatAConversionWouldAdd)
{
    createDatabase();
    {
        testing_support::RawDatabase database = raw();
        QSqlDatabase raw = database.connection();
        QList<TableLayoutGap> gaps;
        QString error;
        ASSERT_TRUE(findLayoutGaps(raw, gaps, error)) << error.toStdString();
        EXPECT_TRUE(gaps.isEmpty());   // a database just created is complete

        QSqlQuery q(raw);
        // The file finds a table's name whatever its letter case; the server only as it is written.
        const char* stockChange = server() ? "ALTER TABLE \"STOCK_CHANGE\" DROP COLUMN \"OPERATOR\""
                                           : "ALTER TABLE stock_change DROP COLUMN OPERATOR";
        for (const char* sql : {"ALTER TABLE \"STOCK_TRANS_ITEMS\" DROP COLUMN \"HEAT_NUMBER\"", "DROP TABLE \"STATIONS\"",
                                "DROP INDEX \"STOCK_CHANGE_By_Profile\"", stockChange})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql << q.lastError().text().toStdString();
        ASSERT_TRUE(findLayoutGaps(raw, gaps, error)) << error.toStdString();
        ASSERT_EQ(gaps.size(), 3);
        EXPECT_EQ(gaps.at(0).table, QStringLiteral("STOCK_TRANS_ITEMS"));
        EXPECT_EQ(gaps.at(0).missingColumns, QStringList{QStringLiteral("HEAT_NUMBER")});
        EXPECT_TRUE(gaps.at(0).missingKeys.isEmpty());
        EXPECT_EQ(gaps.at(1).table, QStringLiteral("STOCK_CHANGE"));
        EXPECT_EQ(gaps.at(1).missingColumns, QStringList{QStringLiteral("OPERATOR")});
        EXPECT_EQ(gaps.at(1).missingKeys, QStringList{QStringLiteral("STOCK_CHANGE_By_Profile")});
        EXPECT_FALSE(gaps.at(1).tableMissing);
        EXPECT_EQ(gaps.at(2).table, QStringLiteral("STATIONS"));
        EXPECT_TRUE(gaps.at(2).tableMissing);
        EXPECT_EQ(describeLayoutGaps(gaps),
                  QStringLiteral("brak tabel: STATIONS; w tabeli STOCK_TRANS_ITEMS brak pól: HEAT_NUMBER; "
                                 "w tabeli STOCK_CHANGE brak pól: OPERATOR; "
                                 "w tabeli STOCK_CHANGE brak kluczy: STOCK_CHANGE_By_Profile"));
    }
}

TEST_F(DatabaseFileTest, OnlyANewEmptyFileGetsItsTables)
{
    // An empty file (as left by a tool that only touched it) is new; so is an empty server database.
    if (!server())
        writeFile(file(), QByteArray());
    createDatabase();
    EXPECT_EQ(tablesInDatabase().size(), 15);

    // A database missing some of the tables is damaged: refused, naming them, and not completed.
    rawSql({QStringLiteral("DROP TABLE \"CUTS\""), QStringLiteral("DROP TABLE \"LFM_DFile\"")});
    const QString text = expectRefused(err::InvalidFile, QStringLiteral("brak tabel: CUTS, LFM_DFile"));
    EXPECT_EQ(tablesInDatabase().size(), 13);

    // So is a database of this layout version holding none of them.
    if (server()) {
        QStringList drops;
        for (const QString& table : Database::tableNames())
            drops << QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoted(table));
        rawSql(drops);
    } else {
        QFile::remove(file());
        raw().setLayoutVersion(Database::SchemaVersion);
    }
    EXPECT_TRUE(tablesInDatabase().isEmpty());
    expectRefused(err::InvalidFile, QStringLiteral("brak tabel: ORDERS, ORDER_PROFILES"));
    EXPECT_TRUE(tablesInDatabase().isEmpty());
}

TEST_F(DatabaseFileTest, OpeningNeverWaitsForAnotherStationsWrite)
{
    createDatabase();
    {
        // Another station in the middle of its transaction, holding the write lock.
        Database other(dir.path());
        ASSERT_EQ(other.open(), 0) << other.openErrorText().toStdString();
        ASSERT_EQ(other.begin(1000), 0) << other.lastErrorText().toStdString();
        Table<OrderRecord> written(other);
        OrderRecord o;
        o.id = 1;
        o.number = QStringLiteral("z/1");
        ASSERT_EQ(written.add(o), 0) << written.errorText().toStdString();

        QElapsedTimer timer;
        timer.start();
        Database db(dir.path());
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        Table<OrderRecord> orders(db);
        EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 0);   // the write is not committed yet
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_NE(Database::DefaultLockWaitMs, 0);

        ASSERT_EQ(other.commit(), 0) << other.lastErrorText().toStdString();
        EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 1);
    }
}

TEST_F(DatabaseFileTest, AFileOutsideTheWriteAheadLogIsSwitchedToIt)
{
    SKIP_ON_THE_SERVER("the journal of the database file");
    createDatabase();
    rawSql({QStringLiteral("PRAGMA journal_mode = DELETE")});
    Database db(dir.path());
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("wal"));
}

TEST_F(DatabaseFileTest, ReadOnlyFolderIsRefusedEvenForRoot)
{
    SKIP_ON_THE_SERVER("the permissions of the database file's folder");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup;
    const auto writable = readOnly | QFileDevice::WriteOwner;

    // The database folder of an existing database.
    createDatabase();
    const QString folder = databaseFolder(dir.path());
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly));
    {
        Database db(dir.path());
        EXPECT_EQ(db.open(), err::AccessDenied);
        EXPECT_TRUE(db.openErrorText().contains(QStringLiteral("Folder bazy danych %1 jest tylko do odczytu").arg(folder)))
            << db.openErrorText().toStdString();
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("barmond.db")});
    ASSERT_TRUE(QFile::setPermissions(folder, writable));

    // A data directory where the database folder would have to be made.
    QTemporaryDir fresh;
    const QString data = fresh.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_TRUE(QFile::setPermissions(data, readOnly));
    {
        Database db(data);
        EXPECT_EQ(db.open(), err::AccessDenied);
        EXPECT_TRUE(db.openErrorText().contains(QStringLiteral("folder %1 nie pozwala na zapis").arg(data)))
            << db.openErrorText().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(databaseFolder(data)));
    ASSERT_TRUE(QFile::setPermissions(data, writable));
}

TEST_F(DatabaseFileTest, TwoStockRecordsOfOneLengthMakeTheFileInvalid)
{
    {
        Database db(dir.path());
        ASSERT_EQ(db.open(), 0);
    }
    rawSql({QStringLiteral("DROP INDEX \"PROFILES_LENGHTS_By_Profile\""),
            QStringLiteral("INSERT INTO \"PROFILES_LENGHTS\" (\"ID\", \"PROFILE_ID\", \"LENGHT\") VALUES (1, 5, 6000)"),
            QStringLiteral("INSERT INTO \"PROFILES_LENGHTS\" (\"ID\", \"PROFILE_ID\", \"LENGHT\") VALUES (2, 5, 6000)")});
    Database db(dir.path());
    EXPECT_EQ(db.open(), err::InvalidFile);
    EXPECT_TRUE(db.openErrorText().contains(QStringLiteral("PROFILES_LENGHTS"))) << db.openErrorText().toStdString();
}

TEST_F(DatabaseFileTest, DataDirectoryFromOptionEnvironmentOrCurrentFolder)
{
    qunsetenv("BARMOND_DATA");
    EXPECT_EQ(takeDataDirectory({"init"}).folder, QDir::currentPath());
    qputenv("BARMOND_DATA", dir.path().toUtf8());
    EXPECT_EQ(takeDataDirectory({"init"}).folder, dir.path());
    const DataDirectoryChoice spaced = takeDataDirectory({"calc", "--data-dir", "/tmp/x", "--json"});
    EXPECT_TRUE(spaced.ok());
    EXPECT_EQ(spaced.folder, QStringLiteral("/tmp/x"));
    EXPECT_EQ(spaced.rest, (QStringList{"calc", "--json"}));
    EXPECT_EQ(takeDataDirectory({"--data-dir=/tmp/y", "init"}).folder, QStringLiteral("/tmp/y"));
    EXPECT_EQ(takeDataDirectory({"--data-dir", "relative"}).folder, QDir::current().absoluteFilePath("relative"));
    for (const QStringList& wrong : {QStringList{"init", "--data-dir"}, QStringList{"--data-dir="},
                                     QStringList{"--data-dir", "", "init"}})
        EXPECT_EQ(takeDataDirectory(wrong).error, QStringLiteral("--data-dir needs a folder")) << wrong.join(' ').toStdString();
    qunsetenv("BARMOND_DATA");
    EXPECT_EQ(databaseFile(QStringLiteral("/data")), QStringLiteral("/data/DB/barmond.db"));
    EXPECT_EQ(iniFile(QStringLiteral("/data")), QStringLiteral("/data/Barmond.ini"));
}

} // namespace

namespace {

class MaintenanceTest : public testing_support::DatabaseFixture {
protected:
    void SetUp() override
    {
        DatabaseFixture::SetUp();
        Table<OrderRecord> orders(db);
        OrderRecord o;
        o.id = 1;
        o.number = QStringLiteral("Z/1");
        ASSERT_EQ(orders.add(o), 0);
        Table<SetupParRecord> pars(db);
        ASSERT_EQ(pars.add({QStringLiteral("GLO:LANGUAGE"), QStringLiteral("Język programu"), QStringLiteral("EN")}), 0);
    }
};

TEST_F(MaintenanceTest, BackupHoldsEverythingAndEmptyingKeepsTheOtherTables)
{
    const QString copy = dir.filePath(QStringLiteral("DB/Backup/20260105080000/barmond.db"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(copy).absolutePath()));
    ASSERT_EQ(db.backupTo(copy), 0) << db.lastErrorText().toStdString();
    EXPECT_NE(db.backupTo(copy), 0);   // never over an existing copy
    EXPECT_TRUE(db.lastErrorText().contains(QStringLiteral("20260105080000")));

    // A list still reading through the same connection does not stop the copy.
    {
        QSqlQuery reading(db.connection());
        ASSERT_TRUE(reading.exec(QStringLiteral("SELECT * FROM \"ORDERS\"")));
        ASSERT_TRUE(reading.next());
        const QString second = dir.filePath(QStringLiteral("DB/Backup/20260105080001/barmond.db"));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(second).absolutePath()));
        EXPECT_EQ(db.backupTo(second), 0) << db.lastErrorText().toStdString();
        EXPECT_TRUE(QFileInfo(second).size() > 0);
    }

    ASSERT_EQ(db.emptyTables({QStringLiteral("ORDERS"), QStringLiteral("CUTS")}), 0);
    Table<OrderRecord> orders(db);
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 0);
    Table<SetupParRecord> pars(db);
    EXPECT_EQ(pars.count(Table<SetupParRecord>::ByTechName), 1);

    Database restored = Database::atFile(copy);
    ASSERT_EQ(restored.open(), 0) << restored.openErrorText().toStdString();
    Table<OrderRecord> saved(restored);
    EXPECT_EQ(saved.count(Table<OrderRecord>::Auto), 1);
}

TEST_F(MaintenanceTest, AFailingTableEmptiesNothing)
{
    EXPECT_NE(db.emptyTables({QStringLiteral("ORDERS"), QStringLiteral("NO_SUCH")}), 0);
    Table<CutRecord> cuts(db);
    CutRecord c;
    c.id = 1;
    ASSERT_EQ(cuts.add(c), 0);
    // The pieces refuse to be deleted.
    testing_support::refuseWrites(db.connection(), QStringLiteral("keep"), QStringLiteral("CUTS"), QStringLiteral("DELETE"));
    EXPECT_EQ(db.emptyTables({QStringLiteral("ORDERS"), QStringLiteral("CUTS")}), err::StorageError);
    EXPECT_TRUE(db.lastErrorText().contains(QStringLiteral("CUTS")));
    Table<OrderRecord> orders(db);
    EXPECT_EQ(orders.count(Table<OrderRecord>::Auto), 1);
    EXPECT_EQ(cuts.count(Table<CutRecord>::Auto), 1);
    EXPECT_FALSE(db.inTransaction());
}

} // namespace
