// The kadrel command line on databases in use by another station or damaged by other tools, run
// as the built program; the damage and the other station are made with SQLite itself.
#include "global/Database.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>

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

// Another program's connection to the database file.
class OtherConnection {
public:
    explicit OtherConnection(const QString& file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(file);
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

private:
    const QString name_ = QStringLiteral("other-program");
    bool opened_ = false;
};

class KadrelDatabaseCli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath(QStringLiteral("DB/barmond.db")); }

    void SetUp() override
    {
        const Outcome demo = kadrel({"--data-dir", dir.path(), "demo"});
        ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    }

    void damage(const QStringList& statements)
    {
        OtherConnection tool(file());
        for (const QString& sql : statements)
            ASSERT_TRUE(tool.exec(sql)) << sql.toStdString();
    }

    // Every command that opens the database fails naming the file and what is missing, and the
    // file stays as it was.
    void expectRefusedUntouched(const QStringList& named)
    {
        const QByteArray before = contentHash(file());
        for (const QStringList& command : {QStringList{"init"}, QStringList{"calc", "--profile", "1"}}) {
            const Outcome run = kadrel(QStringList{"--data-dir", dir.path()} + command);
            EXPECT_EQ(run.exitCode, 1) << command.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains(file())) << run.err.toStdString();
            for (const QString& name : named)
                EXPECT_TRUE(run.err.contains(name)) << name.toStdString() << " in " << run.err.toStdString();
            EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        }
        EXPECT_EQ(contentHash(file()), before);
        EXPECT_FALSE(QFile::exists(file() + QStringLiteral("-wal")));
    }
};

TEST_F(KadrelDatabaseCli, CalculationReadsWhileAnotherProgramHoldsTheWriteLock)
{
    ASSERT_EQ(kadrel({"--data-dir", dir.path(), "init"}).exitCode, 0);   // this station is known
    OtherConnection other(file());
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
    ASSERT_TRUE(other.exec(QStringLiteral("UPDATE CUTS SET PCS = PCS + 1")));

    QElapsedTimer timer;
    timer.start();
    const Outcome run = kadrel({"--data-dir", dir.path(), "calc", "--profile", "1"});
    const qint64 took = timer.elapsed();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Solutions"))) << run.out.toStdString();
    EXPECT_LT(took, global::Database::DefaultLockWaitMs);   // never waited for the lock
    EXPECT_TRUE(other.exec(QStringLiteral("ROLLBACK")));
}

TEST_F(KadrelDatabaseCli, DamagedLayoutIsRefusedNamingWhatIsMissing)
{
    damage({QStringLiteral("ALTER TABLE CUTS DROP COLUMN PCS"),
            QStringLiteral("ALTER TABLE STOCK_TRANS_ITEMS DROP COLUMN HEAT_NUMBER")});
    expectRefusedUntouched({QStringLiteral("CUTS"), QStringLiteral("PCS"), QStringLiteral("STOCK_TRANS_ITEMS"),
                            QStringLiteral("HEAT_NUMBER"), QStringLiteral("barmond database convert")});
}

TEST_F(KadrelDatabaseCli, OlderLayoutIsRefusedNamingTheConversionCommand)
{
    damage({QStringLiteral("PRAGMA user_version = 1")});
    expectRefusedUntouched({QStringLiteral("w wersji 1"), QStringLiteral("barmond database convert")});
}

TEST_F(KadrelDatabaseCli, DatabaseMissingTablesIsRefusedNotRecreated)
{
    damage({QStringLiteral("DROP TABLE SETUP_PAR"), QStringLiteral("DROP TABLE STOCK_CHANGE")});
    expectRefusedUntouched({QStringLiteral("SETUP_PAR"), QStringLiteral("STOCK_CHANGE")});
}

} // namespace
