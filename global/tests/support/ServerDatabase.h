#pragma once
// A fresh PostgreSQL database for one test, when the environment variable BARMOND_TEST_POSTGRES
// names the socket folder of a test server (scripts/pg-test-server.sh, started by CTest for the
// entries that run on PostgreSQL). The data directory's Barmond.ini then points at it, so the
// test's databases, and the programs the test starts, work on the server instead of the file.
// The database is dropped again at the end. Without the variable nothing happens.

#include "global/DataDirectory.h"

#include <QCoreApplication>
#include <QSettings>
#include <QUrl>
#include <QString>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <atomic>
#include <stdexcept>

namespace testing_support {

inline QString testServerSocket()
{
    return qEnvironmentVariable("BARMOND_TEST_POSTGRES");
}

inline bool onTestServer()
{
    return !testServerSocket().isEmpty();
}

// The address of a database on the test server (for --database and BARMOND_DATABASE).
inline QString testServerAddress(const QString& name)
{
    return QStringLiteral("postgresql://postgres@%1/%2")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(testServerSocket())), name);
}

class ServerDatabase {
public:
    // Creates the database and writes the [Database] section of dataDir's Barmond.ini.
    explicit ServerDatabase(const QString& dataDir)
    {
        if (!onTestServer())
            return;
        static std::atomic<int> counter{0};
        name_ = QStringLiteral("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(counter++);
        administer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
        administer(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(name_));
        if (!dataDir.isEmpty()) {
            QSettings ini(global::iniFile(dataDir), QSettings::IniFormat);
            ini.beginGroup(QStringLiteral("Database"));
            ini.setValue(QStringLiteral("Driver"), QStringLiteral("QPSQL"));
            ini.setValue(QStringLiteral("Host"), testServerSocket());
            ini.setValue(QStringLiteral("Port"), 5432);
            ini.setValue(QStringLiteral("Name"), name_);
            ini.setValue(QStringLiteral("User"), QStringLiteral("postgres"));
            ini.endGroup();
            ini.sync();
        }
    }
    ~ServerDatabase()
    {
        if (!name_.isEmpty())
            administer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_), false);
    }
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    QString name() const { return name_; }
    QString address() const { return testServerAddress(name_); }

private:
    // Runs one statement on the server's maintenance database; a failure stops the test.
    static void administer(const QString& sql, bool mustSucceed = true)
    {
        const QString connection = QStringLiteral("test-server-admin");
        bool ok = false;
        QString error;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
            db.setHostName(testServerSocket());
            db.setDatabaseName(QStringLiteral("postgres"));
            db.setUserName(QStringLiteral("postgres"));
            if (db.open()) {
                QSqlQuery q(db);
                q.exec(QStringLiteral("SET client_min_messages = warning"));
                ok = q.exec(sql);
                error = q.lastError().text();
            } else {
                error = db.lastError().text();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        if (!ok && mustSucceed)
            throw std::runtime_error(QStringLiteral("test server: %1: %2").arg(sql, error).toStdString());
    }

    QString name_;
};

} // namespace testing_support
