// `barmond database copy`: the sample database copied out of a station's file into an empty
// database (on the PostgreSQL test server when there is one, else another file) and back into an
// empty file gives the same tables; a target that holds records is refused with nothing written.

#include "global/Database.h"
#include "global/DatabaseLocation.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/ServerDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

using namespace global;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome runProgram(const QString& program, const QStringList& arguments, const QString& dataDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("BARMOND_DATA"));
    env.remove(QStringLiteral("BARMOND_DATABASE"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(program, arguments + QStringList{QStringLiteral("--data-dir"), dataDir});
    Outcome run;
    EXPECT_TRUE(process.waitForFinished(60000));
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Outcome barmond(const QStringList& arguments, const QString& dataDir)
{
    return runProgram(QStringLiteral(BARMOND_BINARY), arguments, dataDir);
}

TEST(DatabaseCopyCommandTest, TheSampleDatabaseGoesThereAndBackUnchanged)
{
    QTemporaryDir station;     // the station's own file with the sample
    QTemporaryDir returned;    // an empty station that takes the copy back
    QTemporaryDir elsewhere;   // the file target when there is no test server
    const auto server = testing_support::onTestServer() ? std::make_unique<testing_support::ServerDatabase>(QString())
                                                        : nullptr;
    const QString target = server ? server->address() : QDir(elsewhere.path()).filePath(QStringLiteral("kopia.db"));

    Outcome run = runProgram(QStringLiteral(KADREL_BINARY), {QStringLiteral("demo")}, station.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    run = barmond({"database", "copy", "--to", target}, station.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Database "))) << run.out.toStdString();
    // Only into an empty database: the second copy is refused and adds nothing.
    run = barmond({"database", "copy", "--to", target}, station.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("nie jest pusta"))) << run.err.toStdString();

    run = barmond({"database", "copy", "--from", target, "--yes"}, returned.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    Database original(station.path());
    Database back(returned.path());
    Database copy = Database::atFile(target);
    ASSERT_EQ(original.open(), 0);
    ASSERT_EQ(back.open(), 0);
    ASSERT_EQ(copy.open(), 0) << copy.openErrorText().toStdString();
    EXPECT_EQ(isOnServer(copy), bool(server));
    const std::string sample = testing_support::databaseSnapshot(original);
    EXPECT_GT(sample.size(), 1000u);
    EXPECT_EQ(testing_support::databaseSnapshot(copy), sample);
    EXPECT_EQ(testing_support::databaseSnapshot(back), sample);
}

TEST(DatabaseCopyCommandTest, BadLinesAndAddressesAreRefused)
{
    QTemporaryDir station;
    EXPECT_EQ(barmond({"database", "copy"}, station.path()).exitCode, 2);
    EXPECT_EQ(barmond({"database", "copy", "--to", "a.db", "--from", "b.db"}, station.path()).exitCode, 2);
    EXPECT_EQ(barmond({"database", "copy", "--to"}, station.path()).exitCode, 2);
    const Outcome run = barmond({"database", "copy", "--to", "postgresql://x@host:70000/baza"}, station.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("port"))) << run.err.toStdString();
    // Onto itself: refused.
    const QString self = QDir(station.path()).filePath(QStringLiteral("DB/barmond.db"));
    EXPECT_EQ(barmond({"database", "copy", "--to", self}, station.path()).exitCode, 1);
}

} // namespace
