// The kadrel command line, run as the built program on temporary data directories (on the test
// server, when one is named, on fresh databases there).
#include "global/Database.h"
#include "global/DatabaseCopy.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome kadrel(const QStringList& arguments, const QString& workingDirectory = {})
{
    QProcess process;
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("BARMOND_DATA");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KADREL_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The database a data directory works on, as the programs name it: its file, or its address on the
// server.
QString databaseOf(const QString& dataDir)
{
    return global::Database(dataDir).filePath();
}

// The number of records in the data directory's database (-1 when it cannot be read).
qint64 recordsIn(const QString& dataDir)
{
    global::Database db(dataDir);
    if (db.open() != 0)
        return -1;
    qint64 records = 0;
    QString error;
    return global::countAllRecords(db, records, error) == 0 ? records : -1;
}

QString stationNumber(const QString& out)
{
    const auto match = QRegularExpression("station number (\\d+)").match(out);
    return match.hasMatch() ? match.captured(1) : QString();
}

TEST(KadrelCli, WrongArgumentsPrintTheUsageAndExitTwo)
{
    testing_support::TestDataDir dir;
    const QList<QStringList> wrong = {{},
                                      {"frobnicate"},
                                      {"--data-dir"},
                                      {"init", "--data-dir"},
                                      {"--data-dir", dir.path(), "init", "extra"},
                                      {"--data-dir", dir.path(), "demo", "--force"}};
    for (const QStringList& arguments : wrong) {
        const Outcome run = kadrel(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("Usage: kadrel")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    // Nothing was created by a refused command line.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("DB")));
    EXPECT_EQ(recordsIn(dir.path()), 0);

    const Outcome help = kadrel({"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("kadrel [--data-dir DIR] init"));
    EXPECT_TRUE(help.out.contains("kadrel [--data-dir DIR] demo"));
}

TEST(KadrelCli, InitTwiceKeepsTheStationNumber)
{
    testing_support::TestDataDir dir;
    const Outcome first = kadrel({"--data-dir", dir.path(), "init"});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.contains("Database: " + databaseOf(dir.path()) + "\n")) << first.out.toStdString();
    // On the server the data directory holds no database file.
    EXPECT_EQ(QFileInfo::exists(dir.filePath("DB/barmond.db")), !testing_support::onTestServer());
    EXPECT_TRUE(first.out.contains("GLO:Saw_Width       = 5")) << first.out.toStdString();
    EXPECT_EQ(stationNumber(first.out), "1") << first.out.toStdString();

    const Outcome second = kadrel({"init", "--data-dir", dir.path()});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(stationNumber(second.out), "1") << second.out.toStdString();
}

TEST(KadrelCli, DataDirectoryDefaultsToTheCurrentFolder)
{
    testing_support::TestDataDir dir;
    const Outcome run = kadrel({"init"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QFileInfo::exists(dir.filePath("DB/barmond.db")), !testing_support::onTestServer());
    EXPECT_GT(recordsIn(dir.path()), 0);   // the setup parameters and this station
}

TEST(KadrelCli, DemoFillsAnEmptyDatabaseOnlyOnce)
{
    testing_support::TestDataDir dir;
    const Outcome filled = kadrel({"--data-dir", dir.path(), "demo"});
    ASSERT_EQ(filled.exitCode, 0) << filled.err.toStdString();
    EXPECT_TRUE(filled.out.contains("Sample data written")) << filled.out.toStdString();

    const Outcome again = kadrel({"--data-dir", dir.path(), "demo"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains("already holds orders or profiles")) << again.err.toStdString();

    const Outcome kept = kadrel({"--data-dir", dir.path(), "demo", "--if-empty"});
    EXPECT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    EXPECT_TRUE(kept.out.contains("no sample added")) << kept.out.toStdString();
}

// A database named with percent signs, as the address of a server reached through its socket folder
// ("postgresql://user@%2Ftmp%2Fpg/name") or a folder named so, is named as it is.
TEST(KadrelCli, DemoAndInitNameADatabaseWithPercentSignsAsItIs)
{
    testing_support::TestDataDir dir;
    const QString data = dir.filePath(QStringLiteral("Hala%2F1 %1"));
    ASSERT_TRUE(QDir().mkpath(data));
    testing_support::ServerDatabase server(data);
    const QString database = databaseOf(data);
    ASSERT_TRUE(database.contains('%')) << database.toStdString();

    const Outcome filled = kadrel({"--data-dir", data, "demo"});
    ASSERT_EQ(filled.exitCode, 0) << filled.err.toStdString();
    EXPECT_TRUE(filled.out.startsWith("Sample data written to " + database + ": ")) << filled.out.toStdString();
    global::Database db(data);
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    const qint64 profiles = global::Table<global::ProfileRecord>(db).count(global::Table<global::ProfileRecord>::Auto);
    EXPECT_TRUE(filled.out.contains(QStringLiteral(": %1 profiles with ").arg(profiles))) << filled.out.toStdString();

    const Outcome kept = kadrel({"--data-dir", data, "demo", "--if-empty"});
    EXPECT_TRUE(kept.out.contains("The database " + database + " already holds data")) << kept.out.toStdString();
    const Outcome init = kadrel({"--data-dir", data, "init"});
    EXPECT_TRUE(init.out.contains("Database: " + database + "\n")) << init.out.toStdString();
}

TEST(KadrelCli, DemoRefusesADatabaseHoldingOneProfile)
{
    testing_support::TestDataDir dir;
    {
        global::Database db(dir.path());
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        global::Table<global::ProfileRecord> profiles(db);
        global::ProfileRecord profile;
        profile.profileCode = "OWN 20x20";
        ASSERT_EQ(profiles.addWithNewIdentifier(profile), 0);
    }
    const Outcome refused = kadrel({"--data-dir", dir.path(), "demo"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("already holds orders or profiles")) << refused.err.toStdString();

    global::Database db(dir.path());
    ASSERT_EQ(db.open(), 0);
    global::Table<global::ProfileRecord> profiles(db);
    EXPECT_EQ(profiles.count(global::Table<global::ProfileRecord>::Auto), 1);
}

TEST(KadrelCli, CommandsOnAFileThatIsNoDatabaseFailWithAMessageAndWriteNothing)
{
    if (testing_support::onTestServer())
        GTEST_SKIP() << "a file that is no database concerns the database file, not a server database";
    testing_support::TestDataDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("DB"));
    QFile garbage(dir.filePath("DB/barmond.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a database at all");
    garbage.close();

    for (const char* command : {"init", "demo"}) {
        const Outcome run = kadrel({"--data-dir", dir.path(), command});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_TRUE(run.err.contains(dir.filePath("DB/barmond.db"))) << run.err.toStdString();
    }
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    EXPECT_EQ(garbage.readAll(), QByteArray("not a database at all"));
}

} // namespace
