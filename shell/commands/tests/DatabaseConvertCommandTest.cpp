// `barmond database convert` run as the built program, without any display.

#include "global/DataDirectory.h"
#include "global/Database.h"
#include "global/DatabaseLocation.h"
#include "global/tests/support/TempDataDir.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome barmond(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A command needs no window system at all.
    for (const char* name : {"BARMOND_DATA", "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(BARMOND_BINARY), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class DatabaseConvertCommandTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    QString file() const { return global::databaseFile(dir.path()); }
    QStringList backups() const
    {
        return QDir(dir.filePath(QStringLiteral("DB/Backup_conv"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }
    Outcome convert(const QStringList& options = {})
    {
        return barmond(QStringList{QStringLiteral("--data-dir"), dir.path(), QStringLiteral("database"),
                                   QStringLiteral("convert")}
                       + options);
    }
    void useVersion1File()
    {
        ASSERT_TRUE(QDir().mkpath(global::databaseFolder(dir.path())));
        ASSERT_TRUE(QFile::copy(QStringLiteral(LAYOUT_V1_DATABASE), file()));
        ASSERT_TRUE(QFile::setPermissions(file(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
};

TEST_F(DatabaseConvertCommandTest, Version1FileNeedsTheAnswerThenIsConvertedOnceWithItsCopy)
{
    if (testing_support::onTestServer())
        GTEST_SKIP() << "starts from a database file of layout version 1 (the server's version table has its own case)";
    useVersion1File();
    const QByteArray before = fileHash(file());

    const Outcome unanswered = convert();
    EXPECT_EQ(unanswered.exitCode, 1) << unanswered.err.toStdString();
    EXPECT_TRUE(unanswered.out.isEmpty()) << unanswered.out.toStdString();
    EXPECT_TRUE(unanswered.err.contains(QStringLiteral("--yes"))) << unanswered.err.toStdString();
    EXPECT_TRUE(unanswered.err.contains(QStringLiteral("w wersji 1"))) << unanswered.err.toStdString();
    EXPECT_EQ(fileHash(file()), before);
    EXPECT_TRUE(backups().isEmpty());

    const Outcome converted = convert({QStringLiteral("--yes")});
    EXPECT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    EXPECT_TRUE(converted.err.isEmpty()) << converted.err.toStdString();
    EXPECT_EQ(converted.out.count(QLatin1Char('\n')), 1) << converted.out.toStdString();
    EXPECT_TRUE(converted.out.startsWith(QStringLiteral("Konwersja przebiegła pomyślnie"))) << converted.out.toStdString();
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}-\\d{6}$")).match(backups().first()).hasMatch()) << backups().first().toStdString();
    const QString copy = dir.filePath(QStringLiteral("DB/Backup_conv/%1/barmond.db").arg(backups().first()));
    EXPECT_TRUE(converted.out.contains(copy)) << converted.out.toStdString();
    EXPECT_EQ(fileHash(copy).isEmpty(), false);

    const Outcome again = convert({QStringLiteral("--yes")});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, QStringLiteral("Struktura danych aktualna\n"));
    EXPECT_EQ(backups().size(), 1);
}

// On the server the layout version is kept in a table of its own: a database that names an older
// version there is converted once, with its copy written as a database file.
TEST_F(DatabaseConvertCommandTest, ServerDatabaseOfAnOlderVersionIsConvertedOnceWithItsCopy)
{
    if (!testing_support::onTestServer())
        GTEST_SKIP() << "needs the PostgreSQL test server (the file of layout version 1 has its own case)";
    {
        global::Database db(dir.path());
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        QSqlQuery q(db.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"LAYOUT_VERSION\" SET \"VERSION\" = 1"))) << q.lastError().text().toStdString();
    }
    const Outcome unanswered = convert();
    EXPECT_EQ(unanswered.exitCode, 1) << unanswered.err.toStdString();
    EXPECT_TRUE(unanswered.err.contains(QStringLiteral("--yes"))) << unanswered.err.toStdString();
    EXPECT_TRUE(backups().isEmpty());

    const Outcome converted = convert({QStringLiteral("--yes")});
    EXPECT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    EXPECT_TRUE(converted.out.startsWith(QStringLiteral("Konwersja przebiegła pomyślnie"))) << converted.out.toStdString();
    ASSERT_EQ(backups().size(), 1);
    QFile copy(dir.filePath(QStringLiteral("DB/Backup_conv/%1/barmond.db").arg(backups().first())));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.read(16), QByteArray("SQLite format 3", 16));

    const Outcome again = convert({QStringLiteral("--yes")});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, QStringLiteral("Struktura danych aktualna\n"));
    EXPECT_EQ(backups().size(), 1);
    global::Database db(dir.path());
    EXPECT_EQ(db.open(), 0) << db.openErrorText().toStdString();

    // A newer layout is refused by name; the socket folder in the name stays as written ("%2F...").
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"LAYOUT_VERSION\" SET \"VERSION\" = 99")));
    const Outcome newer = convert({QStringLiteral("--yes")});
    EXPECT_EQ(newer.exitCode, 1);
    EXPECT_TRUE(newer.err.contains(global::databaseName(db) + QStringLiteral(" ma układ w wersji 99"))) << newer.err.toStdString();
    EXPECT_EQ(backups().size(), 1);
}

TEST_F(DatabaseConvertCommandTest, CurrentFileIsReportedWithoutACopy)
{
    const Outcome fresh = convert();
    EXPECT_EQ(fresh.exitCode, 0) << fresh.err.toStdString();
    EXPECT_EQ(fresh.out, QStringLiteral("Struktura danych aktualna\n"));
    EXPECT_EQ(QFileInfo::exists(file()), !testing_support::onTestServer());   // a server database needs no file
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB/Backup_conv"))));
}

TEST_F(DatabaseConvertCommandTest, RefusalsAndBadCommandLines)
{
    if (testing_support::onTestServer()) {
        // A server database holding another program's tables.
        global::Database foreign = global::Database::atFile(dir.serverAddress());
        QSqlQuery q(foreign.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE invoices (id integer PRIMARY KEY)")));
    } else {
        ASSERT_TRUE(QDir().mkpath(global::databaseFolder(dir.path())));
        QFile garbage(file());
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray("not a database\n").repeated(300));
        garbage.close();
    }
    const Outcome refused = convert({QStringLiteral("--yes")});
    EXPECT_EQ(refused.exitCode, 1);
    const QString why = testing_support::onTestServer() ? QStringLiteral("innego programu") : QStringLiteral("nie jest bazą danych");
    EXPECT_TRUE(refused.err.contains(why)) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DB/Backup_conv"))));

    const Outcome unknownOption = convert({QStringLiteral("--force")});
    EXPECT_EQ(unknownOption.exitCode, 2);
    EXPECT_TRUE(unknownOption.err.contains(QStringLiteral("--force"))) << unknownOption.err.toStdString();

    const Outcome unknownCommand = barmond({QStringLiteral("database"), QStringLiteral("shrink")});
    EXPECT_EQ(unknownCommand.exitCode, 2);
    EXPECT_TRUE(unknownCommand.err.contains(QStringLiteral("database shrink"))) << unknownCommand.err.toStdString();

    const Outcome help = barmond({QStringLiteral("help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("database convert [--yes]"))) << help.out.toStdString();
}

} // namespace
