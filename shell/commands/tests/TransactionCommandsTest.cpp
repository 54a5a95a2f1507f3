// `barmond transactions ...` run as processes: what each command prints and writes, its questions,
// refusals and exit statuses, the cut list it prints, processes killed at random moments while they
// close or delete a cutting order of 500 bars, and two processes at once.

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "global/DatabaseCopy.h"
#include "optimizer/SolutionAcceptance.h"
#include "optimizer/tests/support/StockScenario.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <memory>
#include <random>
#include <vector>

using namespace global;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

QProcess* start(const QString& dataDir, const QStringList& arguments)
{
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("BARMOND_DATA"));
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(BARMOND_BINARY), arguments + QStringList{QStringLiteral("--data-dir"), dataDir});
    return process;
}

Outcome finish(QProcess* process)
{
    Outcome run;
    EXPECT_TRUE(process->waitForFinished(120000));
    run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    run.out = QString::fromUtf8(process->readAllStandardOutput());
    run.err = QString::fromUtf8(process->readAllStandardError());
    delete process;
    return run;
}

Outcome barmond(const QString& dataDir, const QStringList& arguments)
{
    return finish(start(dataDir, arguments));
}

// A copy of a data directory's database in another data directory: the file copied, or on the
// test server a fresh server database (kept in servers until the test ends) with every table copied.
void copyDataDirectory(const QString& from, const QString& to,
                       std::vector<std::unique_ptr<testing_support::ServerDatabase>>& servers)
{
    QDir().mkpath(to + QStringLiteral("/DB"));
    if (testing_support::onTestServer()) {
        servers.push_back(std::make_unique<testing_support::ServerDatabase>(to));
        Database source(from);
        Database target(to);
        ASSERT_EQ(source.open(), 0) << source.openErrorText().toStdString();
        ASSERT_EQ(target.open(), 0) << target.openErrorText().toStdString();
        QString error;
        ASSERT_EQ(copyAllTables(source, target, error), 0) << error.toStdString();
        return;
    }
    for (const QString& name : QDir(from + QStringLiteral("/DB")).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(from + QStringLiteral("/DB/") + name, to + QStringLiteral("/DB/") + name));
}

// A profile with stock and two pieces records, and cutting orders of `bars` bars of 6000 accepted
// from them: every second bar leaves a remnant of 1000, the others 200 of scrap.
class CuttingOrders {
public:
    explicit CuttingOrders(Database& db) : db_(db), scenario_(db)
    {
        profile = scenario_.profile(QStringLiteral("KW 60x60"), 500, 1.2);
        l6000 = scenario_.length(profile, 6000, 5000);
        order = scenario_.order(QStringLiteral("ZL/500"), 1, QStringLiteral("Klient"));
    }

    uint32_t accept(int bars)
    {
        const uint32_t remnantPiece = scenario_.cut(order, profile, 1250, uint32_t(bars) * 2);
        const uint32_t scrapPiece = scenario_.cut(order, profile, 1450, uint32_t(bars) * 2);
        testing_support::SolutionBuilder s;
        for (int i = 1; i <= bars; ++i) {
            if (i % 2 == 0)
                s.bar(uint32_t(i), l6000, 6000, 1000, {{remnantPiece, 1250}, {remnantPiece, 1250}, {remnantPiece, 1250}, {remnantPiece, 1250}});
            else
                s.bar(uint32_t(i), l6000, 6000, 200, {{scrapPiece, 1450}, {scrapPiece, 1450}, {scrapPiece, 1450}, {scrapPiece, 1450}});
        }
        const kadrel::AcceptanceResult r =
            kadrel::acceptSolution(db_, services_, profile, s.bars, s.pieces, kadrel::Statistics{}, {});
        EXPECT_TRUE(r.saved) << dialogs_.messages().join("\n").toStdString();
        return r.transaction;
    }

    uint32_t profile = 0, l6000 = 0, order = 0;

private:
    Database& db_;
    testing_support::StockScenario scenario_;
    ScriptedDialogs dialogs_;
    MemoryClipboard clipboard_;
    FixedClock clock_;
    FixedIdentity identity_;
    Services services_{dialogs_, clipboard_, clock_, identity_};
};

// The cutting order whole in one state or the other: open with everything as before, confirmed
// with every piece cut and every bar booked, or deleted with every piece back; the stock log
// explains the stock in each.
void expectWholeInOneState(const QString& dataDir, uint32_t transaction, const std::string& before, const QString& after,
                           const std::string& when)
{
    Database db(dataDir);
    ASSERT_EQ(db.open(), 0) << when;
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db)) << when;
    Table<StockTransRecord> orders(db);
    StockTransRecord order;
    order.id = transaction;
    const bool exists = orders.fetch(Table<StockTransRecord>::Auto, order) == 0;
    if (exists && order.status == 0) {
        EXPECT_EQ(testing_support::databaseSnapshot(db), before) << when << ": a trace of an unfinished run";
        return;
    }
    const QList<CutRecord> cuts = Table<CutRecord>(db).rows(Table<CutRecord>::Auto);
    const QList<StockTransItemRecord> items = Table<StockTransItemRecord>(db).rows(Table<StockTransItemRecord>::Auto);
    const QList<ProfileLengthRecord> lengths = Table<ProfileLengthRecord>(db).rows(Table<ProfileLengthRecord>::Auto);
    if (after == QLatin1String("closed")) {
        ASSERT_TRUE(exists) << when;
        EXPECT_EQ(order.status, 1) << when;
        for (const CutRecord& cut : cuts)
            EXPECT_EQ(cut.status, 3) << when;
        EXPECT_EQ(items.size(), 500) << when;
        for (const ProfileLengthRecord& l : lengths)
            EXPECT_EQ(l.incomStock, 0) << when << " length " << l.lenght;
        EXPECT_EQ(lengths.first().intStock, 5000 - 500) << when;
    } else {
        EXPECT_FALSE(exists) << when;
        for (const CutRecord& cut : cuts)
            EXPECT_EQ(cut.status, 1) << when;
        EXPECT_TRUE(items.isEmpty()) << when;
        EXPECT_TRUE(Table<StockTransSubitemRecord>(db).rows(Table<StockTransSubitemRecord>::Auto).isEmpty()) << when;
        for (const ProfileLengthRecord& l : lengths)
            EXPECT_EQ(l.incomStock, 0) << when << " length " << l.lenght;
    }
}

class TransactionCommandsTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    // The server databases of further data directories inside dir (on the test server).
    std::vector<std::unique_ptr<testing_support::ServerDatabase>> servers;
    QString data() const { return dir.path(); }
};

TEST_F(TransactionCommandsTest, CloseReopenAndDeleteAskFirstAndSayWhatTheyDid)
{
    uint32_t t = 0;
    std::string before;
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        CuttingOrders orders(db);
        t = orders.accept(4);
        before = testing_support::databaseSnapshot(db);
    }
    ASSERT_EQ(t, 1u);
    // Without --yes the question is shown and nothing written.
    const Outcome unanswered = barmond(data(), {"transactions", "close", "1"});
    EXPECT_EQ(unanswered.exitCode, 1);
    EXPECT_TRUE(unanswered.err.contains("Zamknąć transakcję ?")) << unanswered.err.toStdString();
    EXPECT_TRUE(unanswered.err.contains("--yes")) << unanswered.err.toStdString();
    EXPECT_TRUE(unanswered.out.isEmpty());
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        EXPECT_EQ(testing_support::databaseSnapshot(db), before);
    }

    const Outcome closed = barmond(data(), {"transactions", "close", "1", "--yes"});
    ASSERT_EQ(closed.exitCode, 0) << closed.err.toStdString();
    EXPECT_EQ(closed.out, QStringLiteral("Cutting order 1 closed: 4 bars, 16 pieces\n"));
    const Outcome again = barmond(data(), {"transactions", "close", "1", "--yes"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains("Produkcja już potwierdzona")) << again.err.toStdString();
    const Outcome deleteConfirmed = barmond(data(), {"transactions", "delete", "1", "--yes"});
    EXPECT_EQ(deleteConfirmed.exitCode, 1);
    EXPECT_TRUE(deleteConfirmed.err.contains("Produkcji potwierdzonej raczej nie powinno się usuwać"));

    const Outcome reopenUnanswered = barmond(data(), {"transactions", "reopen", "1"});
    EXPECT_EQ(reopenUnanswered.exitCode, 1);
    EXPECT_TRUE(reopenUnanswered.err.contains("Czy na pewno otworzyć zamknięte polecenie cięcia?"));
    const Outcome reopened = barmond(data(), {"transactions", "reopen", "1", "--yes", "--json"});
    ASSERT_EQ(reopened.exitCode, 0) << reopened.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(reopened.out.toUtf8()).object();
    EXPECT_EQ(json.value("transaction").toInt(), 1);
    EXPECT_EQ(json.value("bars").toInt(), 4);
    EXPECT_EQ(json.value("pieces").toInt(), 16);
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        EXPECT_EQ(Table<StockTransRecord>(db).rows(Table<StockTransRecord>::Auto).first().status, 0);
        EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    }

    const Outcome deleted = barmond(data(), {"--data-dir", data(), "transactions", "delete", "1", "--yes"});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
    EXPECT_EQ(deleted.out, QStringLiteral("Cutting order 1 deleted: 4 bars, 16 pieces\n"));
    const Outcome gone = barmond(data(), {"transactions", "delete", "1", "--yes"});
    EXPECT_EQ(gone.exitCode, 1);
    EXPECT_TRUE(gone.err.contains("Brak polecenia cięcia nr 1")) << gone.err.toStdString();
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
        for (const CutRecord& cut : Table<CutRecord>(db).rows(Table<CutRecord>::Auto))
            EXPECT_EQ(cut.status, 1);
    }

    for (const QStringList& wrong : QList<QStringList>{{"transactions"},
                                                       {"transactions", "close"},
                                                       {"transactions", "close", "x1"},
                                                       {"transactions", "close", "1", "2"},
                                                       {"transactions", "close", "1", "--force"},
                                                       {"transactions", "open", "1"},
                                                       {"transactions", "print", "1"},
                                                       {"transactions", "print", "1", "--pdf", "a.pdf", "--language", "DE"}}) {
        const Outcome bad = barmond(data(), wrong);
        EXPECT_EQ(bad.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains("Usage: barmond")) << bad.err.toStdString();
    }
}

TEST_F(TransactionCommandsTest, PrintWritesTheCutListAndNumbersTheBarsOfAnOldOrder)
{
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        CuttingOrders orders(db);
        orders.accept(6);
        // As an older version stored it: no print numbers.
        Table<StockTransItemRecord> items(db);
        for (StockTransItemRecord item : items.rows(Table<StockTransItemRecord>::Auto)) {
            ASSERT_EQ(items.fetch(Table<StockTransItemRecord>::Auto, item), 0);
            item.printId = 0;
            ASSERT_EQ(items.update(item), 0);
        }
    }
    const QString pdf = data() + QStringLiteral("/cut list.pdf");
    const Outcome printed = barmond(data(), {"transactions", "print", "1", "--pdf", pdf});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.out.startsWith("Cut list of cutting order 1 written to")) << printed.out.toStdString();
    EXPECT_TRUE(printed.out.contains("print numbers")) << printed.out.toStdString();
    ASSERT_TRUE(QFile::exists(pdf));
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        const QList<StockTransItemRecord> items = Table<StockTransItemRecord>(db).rows(Table<StockTransItemRecord>::Auto);
        for (int i = 0; i < items.size(); ++i)
            EXPECT_EQ(items[i].printId, uint32_t(i + 1));   // one length: by identifier
    }
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(content.contains(QStringLiteral("POLECENIE CIĘCIA NR 1"))) << content.toStdString();
        EXPECT_TRUE(content.contains(QStringLiteral("Zwrot do magazynu")));
    }
    const Outcome second = barmond(data(), {"transactions", "print", "1", "--summary", "--pdf", pdf});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_FALSE(second.out.contains("print numbers"));
    const Outcome missing = barmond(data(), {"transactions", "print", "9", "--pdf", data() + "/none.pdf"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Brak polecenia cięcia nr 9"));
    EXPECT_FALSE(QFile::exists(data() + "/none.pdf"));
}

// Processes killed at random moments while they close or delete a cutting order of 500 bars leave
// it whole in one state or the other, with the stock log explaining the stock, many times over.
TEST_F(TransactionCommandsTest, AProcessKilledWhileClosingOrDeletingLeavesTheOrderWholeInOneState)
{
    const QString base = data() + QStringLiteral("/base");
    QDir().mkpath(base);
    testing_support::ServerDatabase baseServer(base);
    uint32_t t = 0;
    std::string before;
    {
        Database db(base);
        ASSERT_EQ(db.open(), 0);
        CuttingOrders orders(db);
        t = orders.accept(500);
        before = testing_support::databaseSnapshot(db);
    }
    std::mt19937 random(20260313);
    for (const QString& action : {QStringLiteral("close"), QStringLiteral("delete")}) {
        const QString measured = data() + QStringLiteral("/measured-") + action;
        copyDataDirectory(base, measured, servers);
        QElapsedTimer timer;
        timer.start();
        const Outcome whole = barmond(measured, {"transactions", action, QString::number(t), "--yes"});
        const qint64 duration = timer.elapsed();
        ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
        const QString after = action == QLatin1String("close") ? QStringLiteral("closed") : QStringLiteral("deleted");
        expectWholeInOneState(measured, t, before, after, "uninterrupted " + action.toStdString());

        std::uniform_int_distribution<qint64> moment(0, duration + duration / 10);
        int killedWhileRunning = 0;
        for (int run = 0; run < 10; ++run) {
            const QString copy = data() + QStringLiteral("/%1-%2").arg(action).arg(run);
            copyDataDirectory(base, copy, servers);
            const qint64 killAt = moment(random);
            QProcess* process = start(copy, {"transactions", action, QString::number(t), "--yes"});
            ASSERT_TRUE(process->waitForStarted());
            QThread::msleep(static_cast<unsigned long>(killAt));
            killedWhileRunning += process->state() == QProcess::Running ? 1 : 0;
            process->kill();   // SIGKILL
            finish(process);
            expectWholeInOneState(copy, t, before, after,
                                  action.toStdString() + " killed after " + std::to_string(killAt) + " ms");
        }
        EXPECT_GE(killedWhileRunning, 5) << "most kills should hit a running " << action.toStdString();
    }
}

// Two processes at once: on two cutting orders both succeed; on one cutting order exactly one does
// and the other is refused with its message, nothing lost silently.
TEST_F(TransactionCommandsTest, TwoProcessesAtOnceStayConsistent)
{
    uint32_t first = 0, second = 0;
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        CuttingOrders orders(db);
        first = orders.accept(200);
        second = orders.accept(200);
    }
    QProcess* closing = start(data(), {"transactions", "close", QString::number(first), "--yes"});
    QProcess* deleting = start(data(), {"transactions", "delete", QString::number(second), "--yes"});
    const Outcome closed = finish(closing);
    const Outcome deleted = finish(deleting);
    EXPECT_EQ(closed.exitCode, 0) << closed.err.toStdString();
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
    {
        Database db(data());
        ASSERT_EQ(db.open(), 0);
        const QList<StockTransRecord> left = Table<StockTransRecord>(db).rows(Table<StockTransRecord>::Auto);
        ASSERT_EQ(left.size(), 1);
        EXPECT_EQ(left.first().id, first);
        EXPECT_EQ(left.first().status, 1);
        EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
    }

    // The same (now reopened) cutting order closed by one station and deleted by another.
    ASSERT_EQ(barmond(data(), {"transactions", "reopen", QString::number(first), "--yes"}).exitCode, 0);
    QProcess* a = start(data(), {"transactions", "close", QString::number(first), "--yes"});
    QProcess* b = start(data(), {"transactions", "delete", QString::number(first), "--yes"});
    const Outcome ra = finish(a);
    const Outcome rb = finish(b);
    EXPECT_EQ((ra.exitCode == 0) + (rb.exitCode == 0), 1) << ra.err.toStdString() << rb.err.toStdString();
    EXPECT_EQ((ra.exitCode == 1) + (rb.exitCode == 1), 1);
    const QString refusal = ra.exitCode == 1 ? ra.err : rb.err;
    EXPECT_FALSE(refusal.trimmed().isEmpty());
    Database db(data());
    ASSERT_EQ(db.open(), 0);
    const QList<StockTransRecord> left = Table<StockTransRecord>(db).rows(Table<StockTransRecord>::Auto);
    if (ra.exitCode == 0) {
        ASSERT_EQ(left.size(), 1);
        EXPECT_EQ(left.first().status, 1);
    } else {
        EXPECT_TRUE(left.isEmpty());
    }
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));
}

} // namespace
