// `barmond orders ...` and `barmond profiles import` run as processes: a pasted order imported,
// approved, closed and deleted, the refusals with their exit statuses and nothing written, and the
// question of closing answered only by --yes.

#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/StockLogRules.h"
#include "global/tests/support/TempDataDir.h"
#include "ui/report/tests/support/PdfText.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

using namespace global;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class OrderCommandsTest : public testing_support::DatabaseFixture {
protected:
    Outcome barmond(const QStringList& arguments) { return runProgram(QStringLiteral(BARMOND_BINARY), arguments); }
    Outcome kadrel(const QStringList& arguments) { return runProgram(QStringLiteral(KADREL_BINARY), arguments); }

    Outcome runProgram(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("BARMOND_DATA"));
        process.setProcessEnvironment(env);
        process.start(program, arguments + QStringList{QStringLiteral("--data-dir"), dir.path()});
        Outcome run;
        EXPECT_TRUE(process.waitForFinished(30000));
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QString pasted(const QString& name, const QString& text)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }

    void addProfile(const QString& code)
    {
        Table<ProfileRecord> profiles(db);
        ProfileRecord p;
        p.profileCode = code;
        ASSERT_EQ(profiles.addWithNewIdentifier(p), 0);
    }

    template <class R>
    QList<R> all()
    {
        return Table<R>(db).rows(typename Table<R>::Key(0));
    }
};

TEST_F(OrderCommandsTest, APastedOrderIsImportedApprovedAndClosed)
{
    addProfile(QStringLiteral("PR-1"));
    addProfile(QStringLiteral("PR-2"));
    const QString file = pasted("order.txt", QStringLiteral("Z/1\tRama\tPR-1\t6000\t2\r\nZ/1\tRama\tPR-2\t1500\t4\r\n"
                                                            "Z/1\t\tPR-2\t0\t4\r\n"));
    Outcome run = barmond({"orders", "import", "--file", file, "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral(R"({"leftOut":1,"orders":1,"pieces":2,"positions":2})"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Dane poprawnie przepisane do bazy danych")));
    ASSERT_EQ(all<OrderRecord>().size(), 1);
    const uint32_t id = all<OrderRecord>()[0].id;
    const QString orderId = QString::number(id);

    run = barmond({"orders", "approve", orderId});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("Approved orders: ") + orderId);
    for (const CutRecord& c : all<CutRecord>())
        EXPECT_EQ(c.status, 1);

    // Closing asks first: without --yes nothing is written and the option is named.
    const std::string before = testing_support::databaseSnapshot(db);
    run = barmond({"orders", "close", orderId});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Następujące odcinki nie zostały wycięte:")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("--yes")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    run = barmond({"orders", "close", orderId, "--yes"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("Order %1 closed").arg(id));
    EXPECT_EQ(all<OrderRecord>()[0].status, 3);
    for (const CutRecord& c : all<CutRecord>())
        EXPECT_EQ(c.status, 4);
}

TEST_F(OrderCommandsTest, RefusalsExitWithOneAndWriteNothing)
{
    addProfile(QStringLiteral("PR-1"));
    const std::string empty = testing_support::databaseSnapshot(db);
    Outcome run = barmond({"orders", "import", "--file", pasted("bad.txt", QStringLiteral("Z/1\t\tXX-1\t100\t1"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("System nie znalazł profila XX-1")));
    EXPECT_TRUE(run.out.isEmpty());
    run = barmond({"orders", "import", "--file", dir.filePath("missing.txt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(testing_support::databaseSnapshot(db), empty);

    ASSERT_EQ(barmond({"orders", "import", "--file", pasted("ok.txt", QStringLiteral("Z/1\t\tPR-1\t100\t1"))}).exitCode, 0);
    const QString orderId = QString::number(all<OrderRecord>()[0].id);
    {
        Table<CutRecord> cuts(db);
        CutRecord c = all<CutRecord>()[0];
        ASSERT_EQ(cuts.fetch(Table<CutRecord>::Auto, c), 0);
        c.status = 2;
        ASSERT_EQ(cuts.update(c), 0);
    }
    const std::string before = testing_support::databaseSnapshot(db);
    run = barmond({"orders", "delete", orderId, "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Conajmniej jego część jest w produkcji")));
    run = barmond({"orders", "withdraw", orderId});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Zmiana statusu na NOWE niemożliwa")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    EXPECT_EQ(barmond({"orders", "approve"}).exitCode, 2);
    EXPECT_EQ(barmond({"orders", "approve", "x7"}).exitCode, 2);
    EXPECT_EQ(barmond({"orders", "close", orderId, "9"}).exitCode, 2);
    EXPECT_EQ(barmond({"orders", "import-pieces", "--file", dir.filePath("ok.txt")}).exitCode, 2);   // no --order
}

TEST_F(OrderCommandsTest, PiecesAndProfilesArePastedFromFiles)
{
    addProfile(QStringLiteral("PR-1"));
    ASSERT_EQ(barmond({"orders", "import", "--file", pasted("o.txt", QStringLiteral("Z/1\t\tPR-1\t100\t1"))}).exitCode, 0);
    const OrderProfileRecord position = all<OrderProfileRecord>()[0];
    Outcome run = barmond({"orders", "import-pieces", "--order", QString::number(position.orderId), "--position",
                           QString::number(position.id), "--file",
                           pasted("p.txt", QStringLiteral("700\t2\tK1\tOpis\n700\t2\tK1\tOpis"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(all<CutRecord>().size(), 3);

    run = barmond({"profiles", "import", "--file", pasted("pr.txt", QStringLiteral("PR-1\tNowy\t100\nPR-2\tKątownik\t250")),
                   "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral(R"({"existing":1,"leftOut":0,"profiles":1})"));
    ASSERT_EQ(all<ProfileRecord>().size(), 2);
    EXPECT_TRUE(all<ProfileRecord>()[0].descr.isEmpty());
    EXPECT_EQ(all<ProfileRecord>()[1].remnantLenght, 250u);
}

TEST_F(OrderCommandsTest, TheRoadOfAnOrderFromThePasteToTheCuttingOrder)
{
    // The catalogue and its stock, an order of two profiles pasted in and approved.
    Outcome run = barmond({"profiles", "import", "--file",
                           pasted("profiles.txt", QStringLiteral("KW-40\tKątownik\t500\nRU-20\tRura\t300\n"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<ProfileRecord> profiles = all<ProfileRecord>();
    ASSERT_EQ(profiles.size(), 2);
    const QString kw = QString::number(profiles[0].id);
    const QString ru = QString::number(profiles[1].id);
    ASSERT_EQ(barmond({"stock", "set", "--profile", kw, "--length", "6000", "--int", "5"}).exitCode, 0);
    ASSERT_EQ(barmond({"stock", "set", "--profile", ru, "--length", "3000", "--int", "4"}).exitCode, 0);
    run = barmond({"orders", "import", "--file",
                   pasted("order.txt", QStringLiteral("Z/77\tRamy\tKW-40\t2500\t3\r\nZ/77\tRamy\tKW-40\t1000\t2\r\n"
                                                      "Z/77\tRury\tRU-20\t1400\t2\r\n"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const uint32_t orderId = all<OrderRecord>()[0].id;
    ASSERT_EQ(barmond({"orders", "approve", QString::number(orderId)}).exitCode, 0);

    // The position of KW-40 optimized and its plan accepted.
    OrderProfileRecord kwPosition;
    for (const OrderProfileRecord& p : all<OrderProfileRecord>())
        if (p.profileId == profiles[0].id)
            kwPosition = p;
    run = kadrel({"accept", "--profile", kw, "--order-profile", QString::number(kwPosition.id), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QList<StockTransRecord> cuttingOrders = all<StockTransRecord>();
    ASSERT_EQ(cuttingOrders.size(), 1);
    EXPECT_EQ(cuttingOrders[0].profileId, profiles[0].id);
    EXPECT_EQ(cuttingOrders[0].status, 0);
    EXPECT_EQ(cuttingOrders[0].totalCutPcs, 5u);
    for (const CutRecord& c : all<CutRecord>())
        EXPECT_EQ(c.status, c.profileId == profiles[0].id ? 2 : 1) << c.lenght;
    for (const StockTransSubitemRecord& s : all<StockTransSubitemRecord>())
        EXPECT_EQ(s.orderId, orderId);
    EXPECT_FALSE(all<StockChangeRecord>().isEmpty());
    EXPECT_TRUE(testing_support::stockLogExplainsStock(db));

    // Its pieces now wait in the cutting order: the order can be neither closed nor withdrawn.
    run = barmond({"orders", "close", QString::number(orderId), "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("czekają na potwierdzenie wykonania"))) << run.err.toStdString();
    EXPECT_EQ(barmond({"orders", "withdraw", QString::number(orderId)}).exitCode, 1);
    EXPECT_EQ(all<OrderRecord>()[0].status, 1);
}

TEST_F(OrderCommandsTest, AnOrderIsPrintedAsAPdfFile)
{
    ProfileRecord profile;
    profile.profileCode = QStringLiteral("KW-40");
    profile.weight = 2;
    profile.uom = QStringLiteral("mm");
    ASSERT_EQ(Table<ProfileRecord>(db).addWithNewIdentifier(profile), 0);
    OrderRecord order;
    order.number = QStringLiteral("Z/90");
    order.status = 1;
    order.customer = QStringLiteral("Ślusarnia Kowalski");
    ASSERT_EQ(Table<OrderRecord>(db).addWithNewIdentifier(order), 0);
    OrderProfileRecord position;
    position.orderId = order.id;
    position.profileId = profile.id;
    position.profileCode = profile.profileCode;
    ASSERT_EQ(Table<OrderProfileRecord>(db).addWithNewIdentifier(position), 0);
    for (const auto& [lenght, status] : {std::pair{2500u, 3}, std::pair{1000u, 0}}) {
        CutRecord cut;
        cut.orderId = order.id;
        cut.orderProfileId = position.id;
        cut.profileId = profile.id;
        cut.lenght = lenght;
        cut.pcs = 2;
        cut.status = uint16_t(status);
        ASSERT_EQ(Table<CutRecord>(db).addWithNewIdentifier(cut), 0);
        if (status != 3)
            continue;
        StockTransRecord transaction;
        transaction.profileId = profile.id;
        transaction.obsoleteScrapPerc = 20;
        transaction.status = 1;
        ASSERT_EQ(Table<StockTransRecord>(db).addWithNewIdentifier(transaction), 0);
        StockTransSubitemRecord subitem;
        subitem.idTrans = transaction.id;
        subitem.cutlenghtId = cut.id;
        ASSERT_EQ(Table<StockTransSubitemRecord>(db).addWithNewIdentifier(subitem), 0);
    }

    const QString pdf = dir.filePath(QStringLiteral("zlecenie.pdf"));
    Outcome run = barmond({"orders", "print", QString::number(order.id), "--pdf", pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("(1 pages)"))) << run.out.toStdString();
    const QString text = testing_support::squeezed(testing_support::pdfText(pdf));
    EXPECT_TRUE(text.contains(QStringLiteral("Zlecenie numer: Z/90"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Klient: Ślusarnia Kowalski")));
    EXPECT_TRUE(text.contains(QStringLiteral("KW-40 2500 2 G 5,00 10,00 6,25 20,00 % 12,50"))) << text.toStdString();
    // The waiting piece stays out of the scrap share: 10 kg cut for 12.5 kg gross.
    EXPECT_TRUE(text.contains(QStringLiteral("Suma dla zamówienia 4 7,00 14,00 6,25 20,00 % 12,50"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Z tego wycięto 2 5,00 10,00 6,25 20,00 % 12,50"))) << text.toStdString();

    // A missing order writes nothing and says why; the file is required.
    const QString none = dir.filePath(QStringLiteral("none.pdf"));
    run = barmond({"orders", "print", "999", "--pdf", none});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Systemowy błąd odwołania do zamówienia. Numer błędu = 35"))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(none));
    EXPECT_EQ(barmond({"orders", "print", QString::number(order.id)}).exitCode, 2);
    EXPECT_EQ(barmond({"orders", "print", "--pdf", none}).exitCode, 2);
}

} // namespace
