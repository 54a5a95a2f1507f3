// Four processes at once closing, reopening and deleting cutting orders of one profile, over and
// over: afterwards every cutting order's state follows from the operations reported done, every
// refused operation was reported with its message, each piece's status matches its cutting order,
// and the stock log explains the stock. BARMOND_LOAD_SECONDS sets how long it runs (default 15).
// The same with processes killed (SIGKILL) at random moments: every cutting order stays whole in one
// state. On the PostgreSQL test server the data directory points at a fresh database there.

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/ServerDatabase.h"
#include "global/tests/support/StockLogRules.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <random>
#include <thread>
#include <vector>

using namespace global;

namespace {

constexpr int Orders = 24;
constexpr int BarsPerOrder = 20;
constexpr int Workers = 4;

struct Operation {
    uint32_t order = 0;
    QString action;
    int exitCode = -1;
    QString err;
};

constexpr int Killed = -2;

// Runs one command; with killAfterMs >= 0 the process is killed that long after its start if it is
// still running (its exit code is then Killed).
Operation runOperation(const QString& dataDir, uint32_t order, const QString& action, int killAfterMs = -1)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("BARMOND_DATA"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(BARMOND_BINARY), {QStringLiteral("--data-dir"), dataDir, QStringLiteral("transactions"),
                                                   action, QString::number(order), QStringLiteral("--yes")});
    Operation done{order, action, -1, {}};
    if (killAfterMs >= 0 && !process.waitForFinished(killAfterMs)) {
        process.kill();
        process.waitForFinished(10000);
        done.exitCode = Killed;
        return done;
    }
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        done.exitCode = process.exitCode();
    done.err = QString::fromUtf8(process.readAllStandardError());
    return done;
}

// Accepts the cutting orders that the workers then close, reopen and delete; returns the cut
// records of each.
void acceptCuttingOrders(const QString& data, std::map<uint32_t, std::vector<uint32_t>>& piecesOf)
{
    {
        Database db(data);
        ASSERT_EQ(db.open(), 0);
        testing_support::StockScenario scenario(db);
        ScriptedDialogs dialogs;
        MemoryClipboard clipboard;
        FixedClock clock;
        FixedIdentity identity;
        Services services{dialogs, clipboard, clock, identity};
        const uint32_t profile = scenario.profile(QStringLiteral("LOAD 40"), 500);
        const uint32_t l6000 = scenario.length(profile, 6000, 1000);
        const uint32_t order = scenario.order(QStringLiteral("ZL/LOAD"), 1);
        for (int t = 0; t < Orders; ++t) {
            const uint32_t cut = scenario.cut(order, profile, 1000 + uint32_t(t), BarsPerOrder * 5);
            testing_support::SolutionBuilder s;
            for (int b = 1; b <= BarsPerOrder; ++b) {
                const uint32_t scrap = 6000 - 5 * (1000 + uint32_t(t));
                s.bar(uint32_t(b), l6000, 6000, b % 2 ? scrap : 0,
                      {{cut, 1000 + uint32_t(t)}, {cut, 1000 + uint32_t(t)}, {cut, 1000 + uint32_t(t)},
                       {cut, 1000 + uint32_t(t)}, {cut, 1000 + uint32_t(t)}});
            }
            const kadrel::AcceptanceResult r =
                kadrel::acceptSolution(db, services, profile, s.bars, s.pieces, kadrel::Statistics{}, {});
            ASSERT_TRUE(r.saved) << dialogs.messages().join("\n").toStdString();
            piecesOf[r.transaction].push_back(cut);
        }
    }
}

TEST(TransactionLoadTest, FourProcessesClosingReopeningAndDeletingLoseNothing)
{
    QTemporaryDir dir;
    const QString data = dir.path();
    testing_support::ServerDatabase server(data);
    std::map<uint32_t, std::vector<uint32_t>> piecesOf;   // cutting order -> its cut records
    acceptCuttingOrders(data, piecesOf);
    if (HasFatalFailure())
        return;

    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("BARMOND_LOAD_SECONDS", &ok);
    const qint64 runMs = (ok && seconds > 0 ? seconds : 15) * 1000;
    std::vector<std::vector<Operation>> done(Workers);
    std::vector<std::thread> workers;
    QElapsedTimer timer;
    timer.start();
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back([&, w] {
            std::mt19937 random(7919u * unsigned(w + 1));
            std::uniform_int_distribution<uint32_t> order(1, Orders);
            // Deleting is rarer, so that most cutting orders stay to be closed and reopened.
            QStringList actions;
            for (int i = 0; i < 6; ++i)
                actions << QStringLiteral("close") << QStringLiteral("reopen");
            actions << QStringLiteral("delete");
            std::uniform_int_distribution<int> action(0, int(actions.size()) - 1);
            while (timer.elapsed() < runMs)
                done[std::size_t(w)].push_back(runOperation(data, order(random), actions[action(random)]));
        });
    for (std::thread& worker : workers)
        worker.join();
    const qint64 elapsed = timer.elapsed();

    // Per cutting order, what the operations reported done imply.
    std::map<uint32_t, int> closes, reopens, deletes;
    int succeeded = 0, refused = 0, locked = 0;
    for (const auto& list : done)
        for (const Operation& op : list) {
            ASSERT_TRUE(op.exitCode == 0 || op.exitCode == 1) << op.action.toStdString() << " " << op.order << ": "
                                                              << op.err.toStdString();
            if (op.exitCode == 1) {
                ++refused;
                EXPECT_FALSE(op.err.trimmed().isEmpty()) << "a refusal without its message";
                locked += op.err.contains(QStringLiteral("Błąd podczas startu transakcji")) ? 1 : 0;
                continue;
            }
            ++succeeded;
            if (op.action == QLatin1String("close"))
                ++closes[op.order];
            else if (op.action == QLatin1String("reopen"))
                ++reopens[op.order];
            else
                ++deletes[op.order];
        }

    Database db(data);
    ASSERT_EQ(db.open(), 0);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    Table<StockTransRecord> orders(db);
    Table<CutRecord> cuts(db);
    for (uint32_t t = 1; t <= Orders; ++t) {
        SCOPED_TRACE(t);
        EXPECT_LE(deletes[t], 1);
        const int net = closes[t] - reopens[t];
        EXPECT_TRUE(net == 0 || net == 1) << closes[t] << " closes, " << reopens[t] << " reopens";
        StockTransRecord order;
        order.id = t;
        const bool exists = orders.fetch(Table<StockTransRecord>::Auto, order) == 0;
        EXPECT_EQ(exists, deletes[t] == 0);
        uint16_t expectedPiece = 1;
        if (exists) {
            EXPECT_EQ(order.status, net);
            expectedPiece = net == 1 ? 3 : 2;
        }
        for (uint32_t cutId : piecesOf[t]) {
            CutRecord cut;
            cut.id = cutId;
            ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, cut), 0);
            EXPECT_EQ(cut.status, expectedPiece);
        }
    }
    const QString figures = QStringLiteral("%1 processes, %2 s: %3 operations, %4 done, %5 refused (%6 of them "
                                           "by the lock wait), %7 ms per operation")
                                .arg(Workers)
                                .arg(elapsed / 1000.0, 0, 'f', 1)
                                .arg(succeeded + refused)
                                .arg(succeeded)
                                .arg(refused)
                                .arg(locked)
                                .arg(succeeded + refused > 0 ? double(elapsed) * Workers / (succeeded + refused) : 0.0, 0,
                                     'f', 0);
    std::printf("%s\n", figures.toUtf8().constData());
    EXPECT_GT(succeeded, Workers);
}

TEST(TransactionLoadTest, ProcessesKilledAtRandomMomentsLeaveEveryCuttingOrderWhole)
{
    QTemporaryDir dir;
    const QString data = dir.path();
    testing_support::ServerDatabase server(data);
    std::map<uint32_t, std::vector<uint32_t>> piecesOf;
    acceptCuttingOrders(data, piecesOf);
    if (HasFatalFailure())
        return;

    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("BARMOND_LOAD_SECONDS", &ok);
    const qint64 runMs = (ok && seconds > 0 ? seconds : 10) * 1000;
    std::vector<int> killed(Workers, 0);
    std::vector<int> finished(Workers, 0);
    std::vector<std::thread> workers;
    QElapsedTimer timer;
    timer.start();
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back([&, w] {
            std::mt19937 random(104729u * unsigned(w + 1));
            std::uniform_int_distribution<uint32_t> order(1, Orders);
            std::uniform_int_distribution<int> action(0, 6);
            std::uniform_int_distribution<int> moment(0, 400);
            while (timer.elapsed() < runMs) {
                const int a = action(random);
                const QString name = a == 6 ? QStringLiteral("delete") : a % 2 ? QStringLiteral("reopen") : QStringLiteral("close");
                // Every other command is killed at a random moment of its run.
                const int killAt = random() % 2 ? moment(random) : -1;
                const Operation op = runOperation(data, order(random), name, killAt);
                (op.exitCode == Killed ? killed : finished)[std::size_t(w)]++;
            }
        });
    for (std::thread& worker : workers)
        worker.join();

    int kills = 0;
    for (int k : killed)
        kills += k;
    EXPECT_GT(kills, 0);
    Database db(data);
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    Table<StockTransRecord> orders(db);
    Table<CutRecord> cuts(db);
    for (uint32_t t = 1; t <= Orders; ++t) {
        SCOPED_TRACE(t);
        StockTransRecord order;
        order.id = t;
        const bool exists = orders.fetch(Table<StockTransRecord>::Auto, order) == 0;
        const uint16_t expectedPiece = !exists ? 1 : order.status == 1 ? 3 : 2;
        for (uint32_t cutId : piecesOf[t]) {
            CutRecord cut;
            cut.id = cutId;
            ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, cut), 0);
            EXPECT_EQ(cut.status, expectedPiece);
        }
    }
    std::printf("%d processes, %.1f s: %d commands killed at random moments\n", Workers, timer.elapsed() / 1000.0, kills);
}

} // namespace
