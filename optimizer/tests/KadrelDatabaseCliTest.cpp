// The kadrel command line on databases in use by another station or damaged by other tools, run
// as the built program; the damage is made with the database engine itself (SQLite on the file,
// the server's SQL on a server database).
#include "global/Database.h"
#include "global/DatabaseLocation.h"
#include "global/tests/support/TempDataDir.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome kadrel(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("BARMOND_DATA");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KADREL_BINARY), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray contentHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Another program's connection to the database a data directory names: the file, or the server
// database.
class OtherConnection {
public:
    explicit OtherConnection(const QString& dataDir)
    {
        const global::DatabaseLocation location = global::chooseDatabase(dataDir);
        QSqlDatabase db =
            QSqlDatabase::addDatabase(location.isPostgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name_);
        if (location.isPostgres()) {
            db.setHostName(location.host);
            db.setPort(location.port);
            db.setDatabaseName(location.name);
            db.setUserName(location.user);
        } else {
            db.setDatabaseName(location.filePath);
        }
        opened_ = db.open();
    }
    ~OtherConnection()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    bool exec(const QString& sql)
    {
        if (!opened_)
            return false;
        QSqlQuery q(QSqlDatabase::database(name_, false));
        return q.exec(sql);
    }
    // Every table with its columns and records, as text.
    QString contents()
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        QStringList tables = db.tables();
        tables.sort();
        QString text;
        for (const QString& table : tables) {
            const QSqlRecord columns = db.record(table);
            text += QStringLiteral("[%1]").arg(table);
            for (int i = 0; i < columns.count(); ++i)
                text += QLatin1Char(' ') + columns.fieldName(i);
            text += QLatin1Char('\n');
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(table)))
                return QStringLiteral("cannot read ") + table;
            while (q.next()) {
                for (int i = 0; i < columns.count(); ++i)
                    text += q.value(i).toString() + QLatin1Char('|');
                text += QLatin1Char('\n');
            }
        }
        return text;
    }

private:
    const QString name_ = QStringLiteral("other-program");
    bool opened_ = false;
};

class KadrelDatabaseCli : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    // The database file; on the server the address of the server database.
    QString file() const { return global::Database(dir.path()).filePath(); }

    // What the database holds: the file's bytes, or on the server every table's columns and records.
    QByteArray state()
    {
        if (!testing_support::onTestServer())
            return contentHash(file());
        OtherConnection reader(dir.path());
        return reader.contents().toUtf8();
    }

    void SetUp() override
    {
        const Outcome demo = kadrel({"--data-dir", dir.path(), "demo"});
        ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    }

    void damage(const QStringList& statements)
    {
        OtherConnection tool(dir.path());
        for (const QString& sql : statements)
            ASSERT_TRUE(tool.exec(sql)) << sql.toStdString();
    }

    // Every command that opens the database fails naming the file and what is missing, and the
    // file stays as it was.
    void expectRefusedUntouched(const QStringList& named)
    {
        const QByteArray before = state();
        for (const QStringList& command : {QStringList{"init"}, QStringList{"calc", "--profile", "1"}}) {
            const Outcome run = kadrel(QStringList{"--data-dir", dir.path()} + command);
            EXPECT_EQ(run.exitCode, 1) << command.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains(file())) << run.err.toStdString();
            for (const QString& name : named)
                EXPECT_TRUE(run.err.contains(name)) << name.toStdString() << " in " << run.err.toStdString();
            EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        }
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(QFile::exists(file() + QStringLiteral("-wal")));
        EXPECT_EQ(QFile::exists(dir.filePath(QStringLiteral("DB/barmond.db"))), !testing_support::onTestServer());
    }
};

TEST_F(KadrelDatabaseCli, CalculationReadsWhileAnotherProgramHoldsTheWriteLock)
{
    ASSERT_EQ(kadrel({"--data-dir", dir.path(), "init"}).exitCode, 0);   // this station is known
    // Another station in the middle of a write: it holds the writers' lock and has changed pieces.
    global::Database other = global::Database::atFile(file());
    ASSERT_EQ(other.open(), 0) << other.openErrorText().toStdString();
    global::Transaction writing(other, 1000);
    ASSERT_TRUE(writing.ok()) << other.lastErrorText().toStdString();
    ASSERT_TRUE(QSqlQuery(other.connection()).exec(QStringLiteral("UPDATE \"CUTS\" SET \"PCS\" = \"PCS\" + 1")));

    QElapsedTimer timer;
    timer.start();
    const Outcome run = kadrel({"--data-dir", dir.path(), "calc", "--profile", "1"});
    const qint64 took = timer.elapsed();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Solutions"))) << run.out.toStdString();
    EXPECT_LT(took, global::Database::DefaultLockWaitMs);   // never waited for the lock
    writing.rollback();
}

TEST_F(KadrelDatabaseCli, DamagedLayoutIsRefusedNamingWhatIsMissing)
{
    damage({QStringLiteral("ALTER TABLE \"CUTS\" DROP COLUMN \"PCS\""),
            QStringLiteral("ALTER TABLE \"STOCK_TRANS_ITEMS\" DROP COLUMN \"HEAT_NUMBER\"")});
    expectRefusedUntouched({QStringLiteral("CUTS"), QStringLiteral("PCS"), QStringLiteral("STOCK_TRANS_ITEMS"),
                            QStringLiteral("HEAT_NUMBER"), QStringLiteral("barmond database convert")});
}

TEST_F(KadrelDatabaseCli, OlderLayoutIsRefusedNamingTheConversionCommand)
{
    // The layout version: the file's user_version, on the server a table of its own.
    damage({testing_support::onTestServer() ? QStringLiteral("UPDATE \"LAYOUT_VERSION\" SET \"VERSION\" = 1")
                                            : QStringLiteral("PRAGMA user_version = 1")});
    expectRefusedUntouched({QStringLiteral("w wersji 1"), QStringLiteral("barmond database convert")});
}

TEST_F(KadrelDatabaseCli, DatabaseMissingTablesIsRefusedNotRecreated)
{
    damage({QStringLiteral("DROP TABLE \"SETUP_PAR\""), QStringLiteral("DROP TABLE \"STOCK_CHANGE\"")});
    expectRefusedUntouched({QStringLiteral("SETUP_PAR"), QStringLiteral("STOCK_CHANGE")});
}

} // namespace
