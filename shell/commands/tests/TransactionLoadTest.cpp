// Four processes at once accepting cutting orders of one profile (kadrel accept) and closing,
// reopening and deleting them (barmond), over and over: afterwards no identifier was given to two
// cutting orders at once, every cutting order's state follows from the operations reported done,
// every refused operation was reported with its message, no piece is held by two cutting orders nor
// a cut record by more of them than it has pieces, each piece's status matches its cutting order, and
// the stock log explains the stock. BARMOND_LOAD_SECONDS sets how long it runs (default 15).
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
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <thread>
#include <vector>

using namespace global;

namespace {

constexpr int Orders = 24;
constexpr int BarsPerOrder = 20;
constexpr int Workers = 4;

const QString Accept = QStringLiteral("accept");

struct Operation {
    uint32_t order = 0;   // for an accept: the cutting order it reported saved
    QString action;
    int exitCode = -1;
    QString err;
    QString out;
};

constexpr int Killed = -2;

// The profile and its cutting orders that the workers act on.
struct Scene {
    uint32_t profile = 0;
    std::map<uint32_t, std::vector<uint32_t>> piecesOf;   // first cutting orders -> their cut records
};

// The cutting orders known to exist at some moment: those stored before the run and those that an
// accept reported saved. The workers pick among them.
class KnownOrders {
public:
    KnownOrders()
    {
        for (uint32_t t = 1; t <= Orders; ++t)
            ids_.push_back(t);
    }
    uint32_t pick(std::mt19937& random)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return ids_[std::uniform_int_distribution<std::size_t>(0, ids_.size() - 1)(random)];
    }
    void add(uint32_t id)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (std::find(ids_.begin(), ids_.end(), id) == ids_.end())
            ids_.push_back(id);
    }

private:
    std::mutex mutex_;
    std::vector<uint32_t> ids_;
};

QProcess* startCommand(const QString& program, const QStringList& arguments)
{
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("BARMOND_DATA"));
    process->setProcessEnvironment(env);
    process->start(program, arguments);
    return process;
}

// Runs one command: "accept" is kadrel's acceptance of the profile's waiting pieces, the others
// barmond's operations on cutting order `order`. With killAfterMs >= 0 the process is killed that
// long after its start if it is still running (its exit code is then Killed).
Operation runOperation(const QString& dataDir, const Scene& scene, uint32_t order, const QString& action,
                       int killAfterMs = -1)
{
    std::unique_ptr<QProcess> process(
        action == Accept
            ? startCommand(QStringLiteral(KADREL_BINARY), {QStringLiteral("--data-dir"), dataDir, Accept,
                                                           QStringLiteral("--profile"), QString::number(scene.profile),
                                                           QStringLiteral("--json")})
            : startCommand(QStringLiteral(BARMOND_BINARY),
                           {QStringLiteral("--data-dir"), dataDir, QStringLiteral("transactions"), action,
                            QString::number(order), QStringLiteral("--yes")}));
    Operation done{action == Accept ? 0 : order, action, -1, {}, {}};
    if (killAfterMs >= 0 && !process->waitForFinished(killAfterMs)) {
        process->kill();
        process->waitForFinished(10000);
        done.exitCode = Killed;
        return done;
    }
    if (process->waitForFinished(120000) && process->exitStatus() == QProcess::NormalExit)
        done.exitCode = process->exitCode();
    done.err = QString::fromUtf8(process->readAllStandardError());
    done.out = QString::fromUtf8(process->readAllStandardOutput());
    if (action == Accept && done.exitCode == 0)
        done.order = uint32_t(QJsonDocument::fromJson(done.out.toUtf8()).object().value(QStringLiteral("transaction")).toInt());
    return done;
}

// Accepts the cutting orders that the workers then close, reopen and delete; returns the profile and
// the cut records of each.
void acceptCuttingOrders(const QString& data, Scene& scene)
{
    Database db(data);
    ASSERT_EQ(db.open(), 0);
    testing_support::StockScenario records(db);
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    FixedClock clock;
    FixedIdentity identity;
    Services services{dialogs, clipboard, clock, identity};
    scene.profile = records.profile(QStringLiteral("LOAD 40"), 500);
    const uint32_t l6000 = records.length(scene.profile, 6000, 1000);
    const uint32_t order = records.order(QStringLiteral("ZL/LOAD"), 1);
    for (int t = 0; t < Orders; ++t) {
        const uint32_t cut = records.cut(order, scene.profile, 1000 + uint32_t(t), BarsPerOrder * 5);
        testing_support::SolutionBuilder s;
        for (int b = 1; b <= BarsPerOrder; ++b) {
            const uint32_t scrap = 6000 - 5 * (1000 + uint32_t(t));
            s.bar(uint32_t(b), l6000, 6000, b % 2 ? scrap : 0,
                  {{cut, 1000 + uint32_t(t)}, {cut, 1000 + uint32_t(t)}, {cut, 1000 + uint32_t(t)},
                   {cut, 1000 + uint32_t(t)}, {cut, 1000 + uint32_t(t)}});
        }
        const kadrel::AcceptanceResult r =
            kadrel::acceptSolution(db, services, scene.profile, s.bars, s.pieces, kadrel::Statistics{}, {});
        ASSERT_TRUE(r.saved) << dialogs.messages().join("\n").toStdString();
        scene.piecesOf[r.transaction].push_back(cut);
    }
}

// Every bar and piece belongs to a cutting order that exists, every cutting order has its bars (all
// the bars it counts, where it counts them), no cut record is held by two cutting orders nor by more
// pieces than it has, and each record's status follows the cutting order holding it: waiting when
// none does, in production while it is open, cut once it is closed.
void expectEveryPieceHeldOnce(Database& db)
{
    std::map<uint32_t, uint16_t> statusOf;
    for (const StockTransRecord& order : Table<StockTransRecord>(db).rows(Table<StockTransRecord>::Auto))
        statusOf[order.id] = order.status;
    std::map<uint32_t, uint32_t> orderOfBar;
    std::map<uint32_t, uint32_t> barsOf;
    for (const StockTransItemRecord& bar : Table<StockTransItemRecord>(db).rows(Table<StockTransItemRecord>::Auto)) {
        EXPECT_TRUE(statusOf.count(bar.idTrans)) << "bar " << bar.id << " of a cutting order that does not exist";
        orderOfBar[bar.id] = bar.idTrans;
        ++barsOf[bar.idTrans];
    }
    for (const StockTransRecord& order : Table<StockTransRecord>(db).rows(Table<StockTransRecord>::Auto)) {
        EXPECT_GT(barsOf[order.id], 0u) << "cutting order " << order.id << " without bars";
        if (order.totalProfilesPcs > 0) {
            EXPECT_EQ(barsOf[order.id], order.totalProfilesPcs) << "cutting order " << order.id;
        }
    }
    std::map<uint32_t, std::map<uint32_t, uint32_t>> holders;   // cut record -> cutting order -> pieces
    for (const StockTransSubitemRecord& piece :
         Table<StockTransSubitemRecord>(db).rows(Table<StockTransSubitemRecord>::Auto)) {
        const auto bar = orderOfBar.find(piece.idTransitem);
        EXPECT_TRUE(bar != orderOfBar.end() && bar->second == piece.idTrans)
            << "piece " << piece.id << " not on a bar of its cutting order " << piece.idTrans;
        EXPECT_TRUE(statusOf.count(piece.idTrans)) << "piece " << piece.id << " of a cutting order that does not exist";
        ++holders[piece.cutlenghtId][piece.idTrans];
    }
    for (const CutRecord& cut : Table<CutRecord>(db).rows(Table<CutRecord>::Auto)) {
        SCOPED_TRACE("cut record " + std::to_string(cut.id));
        const auto& held = holders[cut.id];
        EXPECT_LE(held.size(), 1u) << "a cut record in two cutting orders";
        uint32_t pieces = 0;
        for (const auto& [order, count] : held)
            pieces += count;
        EXPECT_LE(pieces, cut.pcs);
        if (held.empty()) {
            EXPECT_EQ(cut.status, 1);
        } else {
            EXPECT_EQ(cut.status, statusOf[held.begin()->first] == 1 ? 3 : 2);
        }
    }
}

int loadSeconds(int byDefault)
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("BARMOND_LOAD_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : byDefault;
}

TEST(TransactionLoadTest, FourProcessesAcceptingClosingReopeningAndDeletingLoseNothing)
{
    QTemporaryDir dir;
    const QString data = dir.path();
    testing_support::ServerDatabase server(data);
    Scene scene;
    acceptCuttingOrders(data, scene);
    if (HasFatalFailure())
        return;

    const qint64 runMs = loadSeconds(15) * 1000;
    KnownOrders known;
    std::vector<std::vector<Operation>> done(Workers);
    std::vector<std::thread> workers;
    QElapsedTimer timer;
    timer.start();
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back([&, w] {
            std::mt19937 random(7919u * unsigned(w + 1));
            // Deleting is rarer, so that most cutting orders stay to be closed and reopened; accepting
            // takes the pieces that deleting gave back.
            QStringList actions;
            for (int i = 0; i < 6; ++i)
                actions << QStringLiteral("close") << QStringLiteral("reopen");
            actions << QStringLiteral("delete") << Accept << Accept;
            std::uniform_int_distribution<int> action(0, int(actions.size()) - 1);
            while (timer.elapsed() < runMs) {
                const QString name = actions[action(random)];
                const Operation op = runOperation(data, scene, name == Accept ? 0 : known.pick(random), name);
                if (op.action == Accept && op.exitCode == 0 && op.order > 0)
                    known.add(op.order);
                done[std::size_t(w)].push_back(op);
            }
        });
    for (std::thread& worker : workers)
        worker.join();
    const qint64 elapsed = timer.elapsed();

    // Per cutting order, what the operations reported done imply.
    std::map<uint32_t, int> closes, reopens, deletes, accepts;
    int succeeded = 0, refused = 0, locked = 0, accepted = 0;
    for (const auto& list : done)
        for (const Operation& op : list) {
            ASSERT_TRUE(op.exitCode == 0 || op.exitCode == 1) << op.action.toStdString() << " " << op.order << ": "
                                                              << op.err.toStdString();
            if (op.exitCode == 1) {
                ++refused;
                EXPECT_FALSE(op.err.trimmed().isEmpty()) << op.action.toStdString() << ": a refusal without its message";
                EXPECT_TRUE(op.out.isEmpty()) << op.action.toStdString() << ": a refusal printing " << op.out.toStdString();
                locked += op.err.contains(QStringLiteral("Błąd podczas startu transakcji")) ? 1 : 0;
                continue;
            }
            ++succeeded;
            if (op.action == Accept) {
                EXPECT_GT(op.order, 0u) << "an accept without the cutting order it saved: " << op.out.toStdString();
                ++accepts[op.order];
                ++accepted;
            } else if (op.action == QLatin1String("close"))
                ++closes[op.order];
            else if (op.action == QLatin1String("reopen"))
                ++reopens[op.order];
            else
                ++deletes[op.order];
        }

    Database db(data);
    ASSERT_EQ(db.open(), 0);
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    expectEveryPieceHeldOnce(db);
    Table<StockTransRecord> orders(db);
    std::set<uint32_t> identifiers;
    for (uint32_t t = 1; t <= Orders; ++t)
        identifiers.insert(t);
    for (const auto& [t, count] : accepts)
        identifiers.insert(t);
    for (const StockTransRecord& order : orders.rows(Table<StockTransRecord>::Auto))
        EXPECT_TRUE(identifiers.count(order.id)) << "cutting order " << order.id << " saved but not reported";
    for (uint32_t t : identifiers) {
        SCOPED_TRACE(t);
        // An identifier is given again only after its cutting order was deleted: at most one of its
        // cutting orders exists at any moment.
        const int created = (t <= uint32_t(Orders) ? 1 : 0) + accepts[t];
        EXPECT_LE(deletes[t], created);
        EXPECT_GE(deletes[t], created - 1) << "identifier given to two cutting orders at once";
        StockTransRecord order;
        order.id = t;
        const bool exists = orders.fetch(Table<StockTransRecord>::Auto, order) == 0;
        EXPECT_EQ(exists, created - deletes[t] == 1);
        if (created != 1)
            continue;   // the closes and reopens of its several cutting orders cannot be told apart
        const int net = closes[t] - reopens[t];
        EXPECT_TRUE(net == 0 || net == 1) << closes[t] << " closes, " << reopens[t] << " reopens";
        if (exists) {
            EXPECT_EQ(order.status, net);
        }
        if (exists && scene.piecesOf.count(t)) {
            // A first cutting order never deleted still holds its pieces, as its state says.
            Table<CutRecord> cuts(db);
            for (uint32_t cutId : scene.piecesOf[t]) {
                CutRecord cut;
                cut.id = cutId;
                ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, cut), 0);
                EXPECT_EQ(cut.status, net == 1 ? 3 : 2);
            }
        }
    }
    const QString figures = QStringLiteral("%1 processes, %2 s: %3 operations, %4 done (%5 accepts), %6 refused (%7 of "
                                           "them by the lock wait), %8 ms per operation")
                                .arg(Workers)
                                .arg(elapsed / 1000.0, 0, 'f', 1)
                                .arg(succeeded + refused)
                                .arg(succeeded)
                                .arg(accepted)
                                .arg(refused)
                                .arg(locked)
                                .arg(succeeded + refused > 0 ? double(elapsed) * Workers / (succeeded + refused) : 0.0, 0,
                                     'f', 0);
    std::printf("%s\n", figures.toUtf8().constData());
    EXPECT_GT(succeeded, Workers);
    EXPECT_GT(accepted, 0) << "no accept succeeded: the run proves nothing about accepting under load";
}

TEST(TransactionLoadTest, ProcessesKilledAtRandomMomentsLeaveEveryCuttingOrderWhole)
{
    QTemporaryDir dir;
    const QString data = dir.path();
    testing_support::ServerDatabase server(data);
    Scene scene;
    acceptCuttingOrders(data, scene);
    if (HasFatalFailure())
        return;

    const qint64 runMs = loadSeconds(10) * 1000;
    KnownOrders known;
    std::vector<int> killed(Workers, 0);
    std::vector<int> killedAccepts(Workers, 0);
    std::vector<int> finished(Workers, 0);
    std::vector<std::thread> workers;
    QElapsedTimer timer;
    timer.start();
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back([&, w] {
            std::mt19937 random(104729u * unsigned(w + 1));
            std::uniform_int_distribution<int> action(0, 8);
            std::uniform_int_distribution<int> moment(0, 400);
            std::uniform_int_distribution<int> acceptMoment(0, 300);
            while (timer.elapsed() < runMs) {
                const int a = action(random);
                const QString name = a >= 7   ? Accept
                                     : a == 6 ? QStringLiteral("delete")
                                     : a % 2  ? QStringLiteral("reopen")
                                              : QStringLiteral("close");
                // Every other command is killed at a random moment of its run.
                const int killAt = random() % 2 ? (name == Accept ? acceptMoment : moment)(random) : -1;
                const Operation op = runOperation(data, scene, name == Accept ? 0 : known.pick(random), name, killAt);
                if (op.exitCode == Killed) {
                    ++killed[std::size_t(w)];
                    killedAccepts[std::size_t(w)] += name == Accept ? 1 : 0;
                } else {
                    ++finished[std::size_t(w)];
                    if (name == Accept && op.exitCode == 0 && op.order > 0)
                        known.add(op.order);
                }
            }
        });
    for (std::thread& worker : workers)
        worker.join();

    int kills = 0, acceptKills = 0;
    for (int w = 0; w < Workers; ++w) {
        kills += killed[std::size_t(w)];
        acceptKills += killedAccepts[std::size_t(w)];
    }
    EXPECT_GT(kills, 0);
    Database db(data);
    ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
    // A server may still be ending a killed program's transaction: the writers' lock waits for it.
    std::optional<Transaction> settled;
    if (testing_support::onTestServer()) {
        settled.emplace(db, 30000);
        ASSERT_TRUE(settled->ok()) << db.lastErrorText().toStdString();
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    expectEveryPieceHeldOnce(db);
    std::printf("%d processes, %.1f s: %d commands killed at random moments (%d of them accepts)\n", Workers,
                timer.elapsed() / 1000.0, kills, acceptKills);
}

} // namespace
