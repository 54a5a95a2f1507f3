// Signing in to a server database whose role must give a password (the test server's role
// "password_user"): the program asks for the password when the client library has none, asks again
// after a wrong one, stops cleanly after Cancel; the password typed serves every connection of the
// process and is never written into the data directory; commands on the command line never ask and
// name the password file instead; a password in the password file needs no question at all.

#include "shell/frame/Program.h"
#include "shell/frame/ServerSignIn.h"

#include "global/DataDirectory.h"
#include "global/DatabaseLocation.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/ServerPassword.h"
#include "global/Table.h"
#include "global/tests/support/ScopedVariable.h"
#include "global/tests/support/TempDataDir.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

using namespace global;
using shell::Program;
using shell::ServerSignIn;

namespace {

const QString Role = QStringLiteral("password_user");
const QString Secret = QStringLiteral("tajne hasło 7");

// One statement on the test server's maintenance database as its superuser.
bool administer(const QString& sql, QString& error)
{
    const QString name = QStringLiteral("password-test-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(testing_support::testServerSocket());
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            error = q.lastError().text();
        } else {
            error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

using testing_support::ScopedVariable;

} // namespace

class ServerPasswordQtTest : public QObject {
    Q_OBJECT

    QTemporaryDir outside_;   // beside the data directory: the password files of the tests
    std::unique_ptr<testing_support::TestDataDir> dir_;
    ScriptedDialogs dialogs_;
    MemoryClipboard clipboard_;
    FixedClock clock_{QDateTime(QDate(2026, 3, 9), QTime(7, 5, 4))};
    FixedIdentity identity_{QStringLiteral("jan"), QStringLiteral("WORKSHOP-7")};
    ScriptedPasswordPrompt prompt_;
    QString address_;   // the server database as the program names it

    Services services() { return Services{dialogs_, clipboard_, clock_, identity_}; }

    // The data directory's database handed to the role that must give its password, and the
    // directory's Barmond.ini pointed at that role.
    void useRoleWithPassword()
    {
        const DatabaseLocation server = locationFromAddress(dir_->serverAddress());
        QString error;
        QVERIFY2(administer(QStringLiteral("ALTER DATABASE %1 OWNER TO %2").arg(server.name, Role), error),
                 qPrintable(error));
        QSettings ini(iniFile(dir_->path()), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Database/User"), Role);
        ini.sync();
        address_ = chooseDatabase(dir_->path()).displayName();
        QVERIFY(address_.contains(Role + QLatin1Char('@')));
        forgetServerPassword(address_);
    }

    // Every file of the data directory, read whole: none may hold the password.
    void expectPasswordInNoFile()
    {
        const QByteArray secret = Secret.toUtf8();
        int files = 0;
        QDirIterator it(dir_->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            QVERIFY2(!file.readAll().contains(secret), qPrintable(file.fileName()));
            ++files;
        }
        QVERIFY(files >= 2);   // at least Barmond.ini and the backup were looked at
    }

    struct Outcome {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Outcome barmondCommand(const QStringList& arguments, const QString& passwordFile)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"BARMOND_DATA", "BARMOND_DATABASE", "QT_QPA_PLATFORM", "DISPLAY", "PGPASSWORD"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("PGPASSFILE"), passwordFile);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(BARMOND_BINARY), arguments + QStringList{QStringLiteral("--data-dir"), dir_->path()});
        process.closeWriteChannel();   // nobody at the keyboard
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QString noPasswordFile() const { return outside_.filePath(QStringLiteral("no-pgpass")); }

private slots:
    void initTestCase()
    {
        // The client library must find no password of its own, unless a case gives it one.
        qputenv("PGPASSFILE", noPasswordFile().toUtf8());
        qunsetenv("PGPASSWORD");
        qunsetenv("PGSERVICE");
    }

    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        dialogs_ = ScriptedDialogs{};
        prompt_ = ScriptedPasswordPrompt{};
        glo() = Globals{};
    }

    void cleanup()
    {
        if (!address_.isEmpty())
            forgetServerPassword(address_);
        address_.clear();
        dir_.reset();
    }

    void aDatabaseThatNeedsNoPasswordAsksNothing()
    {
        Program program(dir_->path(), services(), prompt_);
        QVERIFY(program.start());
        QVERIFY(prompt_.asked().isEmpty());
        QVERIFY(dialogs_.shown().isEmpty());
        QCOMPARE(ServerSignIn(program.database(), prompt_).run(), ServerSignIn::Outcome::NotNeeded);
    }

    void thePasswordTypedOpensTheDatabaseForEveryConnectionAndIsWrittenNowhere()
    {
        if (!testing_support::onTestServer())
            QSKIP("needs the PostgreSQL test server and its role that must give a password");
        useRoleWithPassword();
        if (QTest::currentTestFailed())
            return;
        prompt_.planPasswords({Secret});
        {
            Program program(dir_->path(), services(), prompt_);
            QVERIFY(program.start([](shell::MainFrame& frame) { frame.show(); }));
            QCOMPARE(prompt_.asked().size(), 1);
            QVERIFY2(prompt_.asked()[0].contains(address_), qPrintable(prompt_.asked()[0]));
            QVERIFY2(prompt_.asked()[0].contains(Role), qPrintable(prompt_.asked()[0]));
            QVERIFY2(dialogs_.shown().isEmpty(), qPrintable(dialogs_.messages().join('\n')));
            QVERIFY(isOnServer(program.database()));

            // A window working on a thread of its own opens its own connection with the password.
            int opened = -1;
            qint64 stations = -1;
            QThread* worker = QThread::create([this, &opened, &stations] {
                Database other = Database::atFile(address_);
                opened = other.open();
                stations = Table<StationRecord>(other).count(Table<StationRecord>::Key(0));
            });
            worker->start();
            QVERIFY(worker->wait(30000));
            delete worker;
            QCOMPARE(opened, 0);
            QCOMPARE(stations, 1);
            program.openProfiles();

            // The backup of "Usuwanie całej bazy danych" reads the server through a connection of its own.
            dialogs_.planAnswers({0, 0});
            program.deleteDatabase();
            QVERIFY2(dialogs_.messages().last().startsWith(QStringLiteral("Operacja przebiegła bez błędów")),
                     qPrintable(dialogs_.messages().join('\n')));
            program.frame().close();
        }
        QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("DB/Backup/20260309070504/barmond.db"))));
        expectPasswordInNoFile();
        QSettings ini(iniFile(dir_->path()), QSettings::IniFormat);
        QVERIFY(!ini.contains(QStringLiteral("Database/Password")));
        QVERIFY(qEnvironmentVariableIsEmpty("PGPASSWORD"));

        // The password lived in this process's memory only: without it the server refuses again.
        forgetServerPassword(address_);
        Database again(dir_->path());
        QCOMPARE(again.open(), int(err::StorageError));
        QVERIFY2(again.openErrorText().contains(QStringLiteral("~/.pgpass")), qPrintable(again.openErrorText()));
    }

    void aWrongPasswordIsAskedForAgain()
    {
        if (!testing_support::onTestServer())
            QSKIP("needs the PostgreSQL test server and its role that must give a password");
        useRoleWithPassword();
        if (QTest::currentTestFailed())
            return;
        prompt_.planPasswords({QStringLiteral("zgadywane"), Secret});
        Program program(dir_->path(), services(), prompt_);
        QVERIFY(program.start());
        QCOMPARE(prompt_.asked().size(), 2);
        QVERIFY2(!prompt_.asked()[0].contains(QStringLiteral("nie przyjął")), qPrintable(prompt_.asked()[0]));
        QVERIFY2(prompt_.asked()[1].startsWith(QStringLiteral("Serwer nie przyjął hasła")), qPrintable(prompt_.asked()[1]));
        QVERIFY(dialogs_.shown().isEmpty());
        QString kept;
        QVERIFY(typedServerPassword(address_, kept));
        QCOMPARE(kept, Secret);
    }

    void cancelStopsTheStartWithTheMessageOfTheDatabase()
    {
        if (!testing_support::onTestServer())
            QSKIP("needs the PostgreSQL test server and its role that must give a password");
        useRoleWithPassword();
        if (QTest::currentTestFailed())
            return;
        prompt_.planPasswords({QStringLiteral("zgadywane"), std::nullopt});
        Program program(dir_->path(), services(), prompt_);
        QVERIFY(!program.start());
        QCOMPARE(prompt_.asked().size(), 2);
        QCOMPARE(dialogs_.shown().size(), 1);
        const QString message = dialogs_.shown()[0].text;
        QVERIFY2(message.contains(QStringLiteral("~/.pgpass")) && message.contains(QStringLiteral("PGPASSFILE"))
                     && message.contains(address_),
                 qPrintable(message));
        QString kept;
        QVERIFY(!typedServerPassword(address_, kept));   // what was typed is forgotten
        QVERIFY(!QFile::exists(databaseFile(dir_->path())));   // no database file made instead
    }

    void afterThreeWrongPasswordsTheStartStops()
    {
        if (!testing_support::onTestServer())
            QSKIP("needs the PostgreSQL test server and its role that must give a password");
        useRoleWithPassword();
        if (QTest::currentTestFailed())
            return;
        prompt_.planPasswords({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), Secret});
        Program program(dir_->path(), services(), prompt_);
        QVERIFY(!program.start());
        QCOMPARE(prompt_.asked().size(), ServerSignIn::MaxAttempts);
        QCOMPARE(dialogs_.shown().size(), 1);
        QVERIFY2(dialogs_.shown()[0].text.contains(QStringLiteral("password authentication failed")),
                 qPrintable(dialogs_.shown()[0].text));
        QString kept;
        QVERIFY(!typedServerPassword(address_, kept));
        QVERIFY(!QFile::exists(databaseFile(dir_->path())));
    }

    void theCommandLineNeverAsksAndNamesThePasswordFile()
    {
        if (!testing_support::onTestServer())
            QSKIP("needs the PostgreSQL test server and its role that must give a password");
        useRoleWithPassword();
        if (QTest::currentTestFailed())
            return;
        const Outcome refused = barmondCommand({QStringLiteral("stock"), QStringLiteral("export")}, noPasswordFile());
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.out.isEmpty());
        for (const QString& named : {QStringLiteral("~/.pgpass"), QStringLiteral("PGPASSFILE"), QStringLiteral("pg_service.conf"), address_})
            QVERIFY2(refused.err.contains(named), qPrintable(refused.err));

        // With the password in a password file the command works, and so does the program without a question.
        const QString passwordFile = outside_.filePath(QStringLiteral("pgpass"));
        {
            QFile file(passwordFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            const DatabaseLocation server = locationFromAddress(address_);
            file.write(QStringLiteral("*:*:%1:%2:%3\n").arg(server.name, Role, Secret).toUtf8());
            file.close();
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        }
        const Outcome done = barmondCommand({QStringLiteral("stock"), QStringLiteral("export")}, passwordFile);
        QVERIFY2(done.exitCode == 0, qPrintable(done.err));
        ScopedVariable fromFile("PGPASSFILE", passwordFile.toUtf8());
        Program program(dir_->path(), services(), prompt_);
        QVERIFY(program.start());
        QVERIFY(prompt_.asked().isEmpty());
        QVERIFY(dialogs_.shown().isEmpty());
        QFile::remove(passwordFile);
    }
};

QTEST_MAIN(ServerPasswordQtTest)
#include "ServerPasswordQtTest.moc"
