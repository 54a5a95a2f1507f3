// kadrel accept as a process: what it writes and prints, a process killed at any moment of a large
// save, and two processes saving at the same moment.

#include "global/Database.h"
#include "global/DatabaseCopy.h"
#include "global/Records.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "optimizer/tests/support/LargeSolution.h"
#include "optimizer/tests/support/StockScenario.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <set>
#include <vector>

using global::Table;

namespace {

// The server databases of data directories a test makes below its own.
using ServerDatabases = std::vector<std::unique_ptr<testing_support::ServerDatabase>>;

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

QProcess* startKadrel(const QStringList& arguments)
{
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("BARMOND_DATA");
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(KADREL_BINARY), arguments);
    return process;
}

Outcome finish(QProcess* process)
{
    Outcome outcome;
    if (process->waitForFinished(120000) && process->exitStatus() == QProcess::NormalExit)
        outcome.exitCode = process->exitCode();
    outcome.out = QString::fromUtf8(process->readAllStandardOutput());
    outcome.err = QString::fromUtf8(process->readAllStandardError());
    delete process;
    return outcome;
}

Outcome kadrel(const QStringList& arguments)
{
    return finish(startKadrel(arguments));
}

// Copies a data directory whose database no program has open: the files of its database folder, or
// on the test server every table into a fresh server database that the copy's Barmond.ini names.
void copyDataDirectory(const QString& from, const QString& to, ServerDatabases& servers)
{
    QDir().mkpath(to + QStringLiteral("/DB"));
    if (testing_support::onTestServer()) {
        servers.push_back(std::make_unique<testing_support::ServerDatabase>(to));
        global::Database source(from);
        global::Database target(to);
        ASSERT_EQ(source.open(), 0) << source.openErrorText().toStdString();
        ASSERT_EQ(target.open(), 0) << target.openErrorText().toStdString();
        QString error;
        ASSERT_EQ(global::copyAllTables(source, target, error), 0) << error.toStdString();
        return;
    }
    for (const QString& name : QDir(from + QStringLiteral("/DB")).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(from + QStringLiteral("/DB/") + name, to + QStringLiteral("/DB/") + name));
}

// Either the whole cutting order (every bar, every piece, the pieces in production, the stock and
// its log) or no trace of it; the stock log explains the stock either way.
void expectWholeOrNothing(const QString& dataDir, const std::string& before, uint32_t pieces, const std::string& when)
{
    global::Database db(dataDir);
    ASSERT_EQ(db.open(), 0) << when << " " << db.openErrorText().toStdString();
    // A server may still be ending the killed program's transaction: the writers' lock waits for it.
    std::optional<global::Transaction> settled;
    if (testing_support::onTestServer()) {
        settled.emplace(db, 30000);
        ASSERT_TRUE(settled->ok()) << when << " " << db.lastErrorText().toStdString();
    }
    const auto orders = Table<global::StockTransRecord>(db).rows(Table<global::StockTransRecord>::Auto);
    if (orders.isEmpty()) {
        EXPECT_EQ(testing_support::databaseSnapshot(db), before) << when << ": a trace of an unsaved order";
        return;
    }
    ASSERT_EQ(orders.size(), 1) << when;
    const auto items = Table<global::StockTransItemRecord>(db).rows(Table<global::StockTransItemRecord>::Auto);
    const auto subitems = Table<global::StockTransSubitemRecord>(db).rows(Table<global::StockTransSubitemRecord>::Auto);
    EXPECT_EQ(uint32_t(items.size()), orders.first().totalProfilesPcs) << when;
    EXPECT_EQ(uint32_t(subitems.size()), pieces) << when;
    for (const auto& cut : Table<global::CutRecord>(db).rows(Table<global::CutRecord>::Auto))
        EXPECT_EQ(cut.status, 2) << when << " piece " << cut.id;
    int32_t bars = 0;
    for (const auto& length : Table<global::ProfileLengthRecord>(db).rows(Table<global::ProfileLengthRecord>::Auto))
        bars += length.incomStock < 0 ? -length.incomStock : 0;
    EXPECT_EQ(bars, int32_t(items.size())) << when;
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db)) << when;
}

class AcceptCommandTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    ServerDatabases servers;   // of the data directories below dir
    QString data() const { return dir.path(); }
    // A data directory below dir, with a fresh database of its own on the test server.
    QString subfolder(const QString& name)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        servers.push_back(std::make_unique<testing_support::ServerDatabase>(path));
        return path;
    }
};

TEST_F(AcceptCommandTest, SavesTheChosenSolutionWithItsEntriesAndPrintsWhatItWrote)
{
    ASSERT_EQ(kadrel({"--data-dir", data(), "demo"}).exitCode, 0);
    const Outcome calc = kadrel({"--data-dir", data(), "calc", "--profile", "4", "--json"});
    ASSERT_EQ(calc.exitCode, 0) << calc.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(calc.out.toUtf8()).object();
    const QJsonArray ranking = result.value("ranking").toArray();
    ASSERT_GE(ranking.size(), 2);
    const int second = ranking.at(1).toObject().value("comb_no").toInt();
    const QJsonObject solution = result.value("solutions").toArray().at(1).toObject();

    const Outcome accept = kadrel({"accept", "--profile", "4", "--solution", QString::number(second), "--description",
                                   "Hala - etap II", "--production-date", "2026-05-04", "--json", "--data-dir", data()});
    ASSERT_EQ(accept.exitCode, 0) << accept.err.toStdString();
    const QJsonObject saved = QJsonDocument::fromJson(accept.out.toUtf8()).object();
    EXPECT_EQ(saved.value("transaction").toInt(), 1);
    EXPECT_EQ(saved.value("bars").toInt(), solution.value("items").toArray().size());
    EXPECT_EQ(saved.value("pieces").toInt(), solution.value("subitems").toArray().size());
    EXPECT_EQ(saved.keys(), (QStringList{"bars", "pieces", "remnants", "transaction"}));

    global::Database db(data());
    ASSERT_EQ(db.open(), 0);
    testing_support::StockScenario records(db);
    const auto order = records.fetch<global::StockTransRecord>(1);
    EXPECT_EQ(order.documentDescr, QStringLiteral("Hala - etap II"));
    EXPECT_EQ(order.productionDate, QDate(2026, 5, 4));
    EXPECT_EQ(order.profileId, 4u);
    EXPECT_DOUBLE_EQ(order.totalLenght, solution.value("statistics").toObject().value("total_length").toDouble());
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // The same pieces once more: nothing left to cut, nothing written.
    const std::string before = testing_support::databaseSnapshot(db);
    const Outcome again = kadrel({"--data-dir", data(), "accept", "--profile", "4"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.out.isEmpty());
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    const Outcome readable = kadrel({"--data-dir", data(), "accept", "--profile", "2"});
    ASSERT_EQ(readable.exitCode, 0) << readable.err.toStdString();
    EXPECT_TRUE(readable.out.startsWith("Cutting order 2 saved: ")) << readable.out.toStdString();
}

TEST_F(AcceptCommandTest, RefusesWhatTheSaveButtonWouldNotAllowAndBadCommandLines)
{
    ASSERT_EQ(kadrel({"--data-dir", data(), "demo"}).exitCode, 0);
    ASSERT_EQ(kadrel({"--data-dir", data(), "init"}).exitCode, 0);
    global::Database db(data());
    ASSERT_EQ(db.open(), 0);
    const std::string before = testing_support::databaseSnapshot(db);

    // A simulation of orders not yet approved is never saved.
    const Outcome simulation = kadrel({"--data-dir", data(), "accept", "--profile", "4", "--status", "2"});
    EXPECT_EQ(simulation.exitCode, 1);
    EXPECT_TRUE(simulation.err.contains("Zapis niemożliwy")) << simulation.err.toStdString();
    const Outcome missing = kadrel({"--data-dir", data(), "accept", "--profile", "1", "--solution", "999"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("no solution number 999")) << missing.err.toStdString();
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    for (const QStringList& wrong : QList<QStringList>{{"accept"},
                                                       {"accept", "--profile", "x"},
                                                       {"accept", "--profile", "1", "--production-date", "4.5.2026"},
                                                       {"accept", "--profile", "1", "--frobnicate"},
                                                       {"accept", "--profile", "1", "--profile", "2"},
                                                       // only the methods and selectors that exist, numbers as digits
                                                       {"accept", "--profile", "1", "--mode", "6"},
                                                       {"accept", "--profile", "1", "--status", "258"},
                                                       {"accept", "--profile", "1 "},
                                                       {"accept", "--profile", "1", "--lengths", "1, 2"}}) {
        const Outcome bad = kadrel(QStringList{"--data-dir", data()} + wrong);
        EXPECT_EQ(bad.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains("Usage: kadrel")) << bad.err.toStdString();
    }
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

// A process killed at a random moment of saving 2,000 pieces leaves either the whole cutting order
// or no trace of it, many times over.
TEST_F(AcceptCommandTest, AProcessKilledWhileSavingLeavesTheWholeOrderOrNoTrace)
{
    const QString base = subfolder(QStringLiteral("base"));
    uint32_t pieces = 0;
    std::string before;
    ASSERT_EQ(kadrel({"--data-dir", base, "init"}).exitCode, 0);
    {
        global::Database db(base);
        ASSERT_EQ(db.open(), 0);
        pieces = testing_support::addLargeSolutionProfile(db).pieces;
        before = testing_support::databaseSnapshot(db);
    }
    ASSERT_EQ(pieces, 2000u);

    // One whole run tells how long a save takes here.
    const QString measured = data() + QStringLiteral("/measured");
    copyDataDirectory(base, measured, servers);
    QElapsedTimer timer;
    timer.start();
    const Outcome whole = kadrel({"--data-dir", measured, "accept", "--profile", "1", "--json"});
    const qint64 duration = timer.elapsed();
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    expectWholeOrNothing(measured, before, pieces, "uninterrupted");

    std::mt19937 random(20260312);
    std::uniform_int_distribution<qint64> moment(0, duration + duration / 10);
    int killedWhileSaving = 0;
    for (int run = 0; run < 12; ++run) {
        const QString copy = data() + QStringLiteral("/run%1").arg(run);
        copyDataDirectory(base, copy, servers);
        const qint64 killAt = moment(random);
        QProcess* process = startKadrel({"--data-dir", copy, "accept", "--profile", "1", "--json"});
        ASSERT_TRUE(process->waitForStarted());
        QThread::msleep(static_cast<unsigned long>(killAt));
        const bool stillRunning = process->state() == QProcess::Running;
        process->kill();   // SIGKILL
        finish(process);
        const std::string when = "killed after " + std::to_string(killAt) + " ms";
        expectWholeOrNothing(copy, before, pieces, when);
        killedWhileSaving += stillRunning ? 1 : 0;
    }
    EXPECT_GE(killedWhileSaving, 6) << "most kills should hit a running save";
}

// Two processes at the same moment: on two profiles both save, with no identifier used twice; on
// the same pieces one saves and the other is refused.
TEST_F(AcceptCommandTest, TwoProcessesSavingAtTheSameMomentStayConsistent)
{
    ASSERT_EQ(kadrel({"--data-dir", data(), "init"}).exitCode, 0);
    {
        global::Database db(data());
        ASSERT_EQ(db.open(), 0);
        testing_support::addLargeSolutionProfile(db, QStringLiteral("LEFT"));
        testing_support::addLargeSolutionProfile(db, QStringLiteral("RIGHT"));
    }
    QProcess* left = startKadrel({"--data-dir", data(), "accept", "--profile", "1", "--json"});
    QProcess* right = startKadrel({"--data-dir", data(), "accept", "--profile", "2", "--json"});
    const Outcome a = finish(left);
    const Outcome b = finish(right);
    ASSERT_EQ(a.exitCode, 0) << a.err.toStdString();
    ASSERT_EQ(b.exitCode, 0) << b.err.toStdString();
    const int ta = QJsonDocument::fromJson(a.out.toUtf8()).object().value("transaction").toInt();
    const int tb = QJsonDocument::fromJson(b.out.toUtf8()).object().value("transaction").toInt();
    EXPECT_EQ(std::set<int>({ta, tb}), std::set<int>({1, 2}));
    {
        global::Database db(data());
        ASSERT_EQ(db.open(), 0);
        const auto items = Table<global::StockTransItemRecord>(db).rows(Table<global::StockTransItemRecord>::Auto);
        const auto subitems =
            Table<global::StockTransSubitemRecord>(db).rows(Table<global::StockTransSubitemRecord>::Auto);
        std::map<uint32_t, uint32_t> orderOfItem;
        for (qsizetype i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].id, uint32_t(i + 1));   // one run of numbers, none used twice
            orderOfItem[items[i].id] = items[i].idTrans;
        }
        EXPECT_EQ(subitems.size(), 4000);
        for (qsizetype i = 0; i < subitems.size(); ++i) {
            EXPECT_EQ(subitems[i].id, uint32_t(i + 1));
            EXPECT_EQ(orderOfItem[subitems[i].idTransitem], subitems[i].idTrans);
        }
        // Each order's bars come from its own profile's stock.
        std::map<uint32_t, uint32_t> profileOfOrder;
        for (const auto& order : Table<global::StockTransRecord>(db).rows(Table<global::StockTransRecord>::Auto))
            profileOfOrder[order.id] = order.profileId;
        EXPECT_EQ(profileOfOrder[uint32_t(ta)], 1u);
        EXPECT_EQ(profileOfOrder[uint32_t(tb)], 2u);
        testing_support::StockScenario records(db);
        for (const auto& item : items)
            EXPECT_EQ(records.fetch<global::ProfileLengthRecord>(item.profileLenghtId).profileId,
                      profileOfOrder[item.idTrans]);
        EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    }

    // The same pieces from two processes: the first saves, the second finds them taken.
    const QString same = subfolder(QStringLiteral("same"));
    ASSERT_EQ(kadrel({"--data-dir", same, "init"}).exitCode, 0);
    {
        global::Database db(same);
        ASSERT_EQ(db.open(), 0);
        testing_support::addLargeSolutionProfile(db);
    }
    QProcess* first = startKadrel({"--data-dir", same, "accept", "--profile", "1", "--json"});
    QProcess* second = startKadrel({"--data-dir", same, "accept", "--profile", "1", "--json"});
    const Outcome one = finish(first);
    const Outcome two = finish(second);
    EXPECT_EQ((one.exitCode == 0) + (two.exitCode == 0), 1) << one.err.toStdString() << two.err.toStdString();
    EXPECT_EQ((one.exitCode == 1) + (two.exitCode == 1), 1);
    const QString refusal = one.exitCode == 1 ? one.err : two.err;
    EXPECT_TRUE(refusal.contains("ma status 2") || refusal.contains("Brak elementów do wycięcia")) << refusal.toStdString();
    global::Database db(same);
    ASSERT_EQ(db.open(), 0);
    EXPECT_EQ(Table<global::StockTransRecord>(db).count(Table<global::StockTransRecord>::Auto), 1);
    EXPECT_EQ(Table<global::StockTransSubitemRecord>(db).count(Table<global::StockTransSubitemRecord>::Auto), 2000);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

} // namespace
