// `barmond cuts import` runs as a process on workbooks written by another program: the cut list
// imported, the question about an order already in the database answered only by --answer, and
// the refusals with their exit statuses and nothing written.

#include "global/Table.h"
#include "global/tests/support/DatabaseSnapshot.h"
#include "global/tests/support/TempDataDir.h"
#include "orders/tests/support/CutWorkbooks.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

using namespace global;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class CutCommandsTest : public testing_support::DatabaseFixture {
protected:
    QTemporaryDir books;

    void SetUp() override
    {
        DatabaseFixture::SetUp();
        ASSERT_TRUE(books.isValid());
        testing_support::makeCutWorkbooks(books.path());
        testing_support::addCutsMap(db);
    }

    Outcome barmond(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("BARMOND_DATA"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(BARMOND_BINARY), arguments + QStringList{QStringLiteral("--data-dir"), dir.path()});
        Outcome run;
        EXPECT_TRUE(process.waitForFinished(60000));
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QString book(const char* name) { return books.filePath(QString::fromLatin1(name)); }

    template <class R>
    QList<R> all()
    {
        return Table<R>(db).rows(typename Table<R>::Key(0));
    }

    void addOrder(const QString& number, uint16_t status)
    {
        Table<OrderRecord> orders(db);
        OrderRecord o;
        o.number = number;
        o.status = status;
        ASSERT_EQ(orders.addWithNewIdentifier(o), 0);
    }
};

TEST_F(CutCommandsTest, AWorkbookIsImportedWithItsSummary)
{
    Outcome run = barmond({"cuts", "import", "--file", book("cuts.ods"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(),
              QStringLiteral(R"({"cuts":3,"omitted":0,"orders":2,"positions":3,"profiles":2,"refused":[],"weights":0})"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Import listy odcinków: dane zapisane w bazie danych\nNowe zamówienia: 2")));
    EXPECT_EQ(all<CutRecord>().size(), 3);

    // The same pieces once more into the orders now stored, without JSON: a line saying what was written.
    run = barmond({"cuts", "import", "--file", book("cuts.xlsx"), "--answer", "add"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("Imported 3 piece records: 0 new orders, 0 new profiles, 0 new "
                                                "positions; 0 rows refused, 0 omitted"));
    EXPECT_EQ(all<CutRecord>().size(), 6);
}

TEST_F(CutCommandsTest, AnExistingOrderNeedsAnAnswer)
{
    addOrder(QStringLiteral("Z/7"), 1);
    const std::string before = testing_support::databaseSnapshot(db);
    Outcome run = barmond({"cuts", "import", "--file", book("existing.xlsx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Working order Z/7 exists already in the database.")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("(answer with --answer add, omit or break)")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Nic nie zostało zapisane.")));
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    run = barmond({"cuts", "import", "--file", book("existing.xlsx"), "--answer", "omit", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(),
              QStringLiteral(R"({"cuts":1,"omitted":3,"orders":1,"positions":1,"profiles":1,"refused":[],"weights":0})"));

    run = barmond({"cuts", "import", "--file", book("existing.xlsx"), "--answer", "break"});
    EXPECT_EQ(run.exitCode, 1);   // broken off at the first row: nothing to write
    EXPECT_TRUE(run.err.contains(QStringLiteral("Import przerwany (Break) w wierszu 3")));

    run = barmond({"cuts", "import", "--file", book("existing.xlsx"), "--answer", "add", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(),
              QStringLiteral(R"({"cuts":4,"omitted":0,"orders":0,"positions":1,"profiles":0,"refused":[],"weights":0})"));
    for (const CutRecord& c : all<CutRecord>()) {
        if (c.orderId == 1)
            EXPECT_EQ(c.status, 1);   // the order's status
    }
}

TEST_F(CutCommandsTest, RefusalsExitWithNothingWritten)
{
    const std::string before = testing_support::databaseSnapshot(db);
    Outcome run = barmond({"cuts", "import", "--file", book("count.xlsx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Wiersz 3: ilość (PCS) \"-4\" poza zakresem 1 … 2147483647")));
    run = barmond({"cuts", "import", "--file", book("row21.xlsx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Nagłówek powinien istnieć w pierwszych dwudziestu wierszach.")));
    run = barmond({"cuts", "import", "--file", book("missing.xlsx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);

    EXPECT_EQ(barmond({"cuts", "import"}).exitCode, 2);
    EXPECT_EQ(barmond({"cuts", "import", "--file", book("cuts.xlsx"), "--answer", "maybe"}).exitCode, 2);
    EXPECT_EQ(barmond({"cuts", "export", "--file", book("cuts.xlsx")}).exitCode, 2);
    EXPECT_EQ(testing_support::databaseSnapshot(db), before);
}

} // namespace
