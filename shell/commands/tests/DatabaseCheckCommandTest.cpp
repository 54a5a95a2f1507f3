// `barmond database check` run as the built program: a piece whose order is gone gets it back and
// the report, a second run finds nothing, every run takes its copy first; a database the program
// cannot read, or one of an older layout, is refused with one message and nothing copied.

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/Table.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class DatabaseCheckCommandTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;

    Outcome check(const QStringList& options = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"BARMOND_DATA", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(BARMOND_BINARY),
                      QStringList{QStringLiteral("--data-dir"), dir.path(), QStringLiteral("database"),
                                  QStringLiteral("check")}
                          + options);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QStringList backups() const
    {
        return QDir(dir.filePath(QStringLiteral("DB/Backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(DatabaseCheckCommandTest, APieceWithoutItsOrderIsRepairedOnceWithItsCopy)
{
    {
        global::Database db(dir.path());
        ASSERT_EQ(db.open(), 0);
        global::ProfileRecord profile;
        profile.profileCode = QStringLiteral("KW-40");
        ASSERT_EQ(global::Table<global::ProfileRecord>(db).addWithNewIdentifier(profile), 0);
        global::CutRecord piece;
        piece.orderId = 12;
        piece.orderProfileId = 4;
        piece.profileId = profile.id;
        piece.lenght = 1500;
        piece.pcs = 3;
        ASSERT_EQ(global::Table<global::CutRecord>(db).addWithNewIdentifier(piece), 0);
    }
    Outcome run = check({QStringLiteral("--yes")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Odtworzone rekordy:\n\nZamówienia = 1\nProfile = 0\nZamówienia-Profile = 1")))
        << run.out.toStdString();
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(run.out.contains(QDir::toNativeSeparators(
        dir.filePath(QStringLiteral("DB/Backup/%1/barmond.db").arg(backups().first())))))
        << run.out.toStdString();
    {
        global::Database db(dir.path());
        ASSERT_EQ(db.open(), 0);
        global::OrderRecord order;
        order.id = 12;
        ASSERT_EQ(global::Table<global::OrderRecord>(db).fetch(global::Table<global::OrderRecord>::Auto, order), 0);
        EXPECT_TRUE(order.number.startsWith(QStringLiteral("Odzysk "))) << order.number.toStdString();
    }

    QThread::msleep(1100);   // a folder of its own for the next copy
    run = check();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("Błędów nie znaleziono\n"))) << run.out.toStdString();
    EXPECT_EQ(backups().size(), 2);
    EXPECT_EQ(check({QStringLiteral("--force")}).exitCode, 2);
}

// On the server: a database holding another program's tables, and one whose layout version table
// names an older layout.
TEST_F(DatabaseCheckCommandTest, ServerDatabasesTheProgramCannotUseAreRefusedWithOneMessage)
{
    if (!testing_support::onTestServer())
        GTEST_SKIP() << "needs the PostgreSQL test server (the database file has its own case)";
    {
        global::Database foreign = global::Database::atFile(dir.serverAddress());
        QSqlQuery q(foreign.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE invoices (id integer PRIMARY KEY)"))) << q.lastError().text().toStdString();
    }
    Outcome run = check({QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("innego programu"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(backups().isEmpty());
    {
        global::Database older = global::Database::atFile(dir.serverAddress());
        QSqlQuery q(older.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("DROP TABLE invoices")));
        ASSERT_EQ(older.open(), 0) << older.openErrorText().toStdString();
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"LAYOUT_VERSION\" SET \"VERSION\" = 1"))) << q.lastError().text().toStdString();
    }
    run = check({QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("barmond database convert"))) << run.err.toStdString();
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(DatabaseCheckCommandTest, FilesTheProgramCannotUseAreRefusedWithOneMessage)
{
    if (testing_support::onTestServer())
        GTEST_SKIP() << "a damaged database file and a file of layout version 1 concern the database file only";
    ASSERT_TRUE(QDir().mkpath(global::databaseFolder(dir.path())));
    QFile garbage(global::databaseFile(dir.path()));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, '\x7f'));
    garbage.close();
    Outcome run = check();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.trimmed().isEmpty());
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(backups().isEmpty());

    ASSERT_TRUE(QFile::remove(global::databaseFile(dir.path())));
    ASSERT_TRUE(QFile::copy(QStringLiteral(LAYOUT_V1_DATABASE), global::databaseFile(dir.path())));
    ASSERT_TRUE(QFile::setPermissions(global::databaseFile(dir.path()), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    run = check();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("barmond database convert"))) << run.err.toStdString();
    EXPECT_TRUE(backups().isEmpty());
}

} // namespace
