// The whole road of an order run by the commands twice with the same inputs, once on a database
// file and once on a PostgreSQL server: profiles and stock, an order pasted in and approved, a
// cutting order accepted, printed, closed, reopened and deleted, another accepted and closed, stock
// changed. Every command must end alike on both, the stock log must explain the stock on both, and
// the two databases must hold the same records, identifiers and all.

#include "global/DatabaseLocation.h"
#include "global/Table.h"
#include "global/TableSchema.h"
#include "global/TableSql.h"
#include "global/tests/support/ServerDatabase.h"
#include "global/tests/support/StockLogRules.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtSql/QSqlQuery>

using namespace global;

namespace {

struct Step {
    QString command;
    int exitCode = -1;
    QString out;
};

class Workflow {
public:
    explicit Workflow(const QString& dataDir) : dir_(dataDir) {}

    // Runs the whole road; the steps taken, each with its exit status and output.
    QList<Step> run()
    {
        barmond({"profiles", "import", "--file", pasted("profiles.txt", "KW-40\tKątownik\t500\nRU-20\tRura\t300\n")});
        const QList<ProfileRecord> profiles = all<ProfileRecord>();
        EXPECT_EQ(profiles.size(), 2);
        if (profiles.size() != 2)
            return steps_;
        const QString kw = QString::number(profiles[0].id);
        const QString ru = QString::number(profiles[1].id);
        barmond({"stock", "set", "--profile", kw, "--length", "6000", "--int", "9"});
        barmond({"stock", "set", "--profile", ru, "--length", "3000", "--int", "4"});
        barmond({"orders", "import", "--file",
                 pasted("order.txt", "Z/77\tRamy\tKW-40\t2500\t3\r\nZ/77\tRamy\tKW-40\t1000\t2\r\nZ/77\tRury\tRU-20\t1400\t2\r\n"
                                     "Z/78\tStojaki\tKW-40\t1750\t4\r\n")});
        QStringList orders;
        for (const OrderRecord& o : all<OrderRecord>())
            orders << QString::number(o.id);
        barmond(QStringList{"orders", "approve"} + orders);
        const QString position = positionOf(profiles[0].id);
        kadrel({"accept", "--profile", kw, "--order-profile", position, "--json"});
        barmond({"transactions", "print", "1", "--pdf", QDir(dir_).filePath("cut-list.pdf")});
        barmond({"transactions", "close", "1", "--yes"});
        barmond({"transactions", "reopen", "1", "--yes"});
        barmond({"transactions", "delete", "1", "--yes"});
        kadrel({"accept", "--profile", kw, "--json"});
        barmond({"transactions", "close", "1", "--yes"});
        barmond({"stock", "set", "--profile", kw, "--length", "6000", "--int", "12", "--ext", "2"});
        barmond({"stock", "set", "--profile", ru, "--length", "4500", "--int", "1"});
        barmond({"stock", "delete", "--profile", ru, "--length", "4500", "--yes"});
        barmond({"orders", "close", orders.first(), "--yes"});
        return steps_;
    }

private:
    template <class R>
    QList<R> all()
    {
        Database db(dir_);
        EXPECT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        return Table<R>(db).rows(typename Table<R>::Key(0));
    }

    QString positionOf(uint32_t profile)
    {
        for (const OrderProfileRecord& p : all<OrderProfileRecord>())
            if (p.profileId == profile)
                return QString::number(p.id);
        return {};
    }

    QString pasted(const char* name, const char* text)
    {
        const QString path = QDir(dir_).filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    void barmond(const QStringList& arguments) { runProgram(QStringLiteral(BARMOND_BINARY), arguments); }
    void kadrel(const QStringList& arguments) { runProgram(QStringLiteral(KADREL_BINARY), arguments); }

    void runProgram(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("BARMOND_DATA"));
        env.remove(QStringLiteral("BARMOND_DATABASE"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(program, arguments + QStringList{QStringLiteral("--data-dir"), dir_});
        EXPECT_TRUE(process.waitForFinished(60000));
        Step step;
        step.command = QFileInfo(program).fileName() + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
        step.command.replace(dir_, QStringLiteral("DIR"));
        step.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        step.out = QString::fromUtf8(process.readAllStandardOutput()).trimmed().replace(dir_, QStringLiteral("DIR"));
        EXPECT_NE(step.exitCode, -1) << step.command.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
        steps_ << step;
    }

    QString dir_;
    QList<Step> steps_;
};

// Every record of every table, columns in the layout's order and records by row identifier. The
// dates and times of day at which the two runs wrote are left out: the runs happen one after the other.
QStringList contents(Database& db)
{
    QStringList lines;
    for (const TableSchema* s : allTableSchemas()) {
        QStringList columns;
        for (const ColumnDef& c : s->columns)
            if (c.type != ColumnType::Date && c.type != ColumnType::Time)
                columns << quoted(c.name);
        QSqlQuery q(db.connection());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(columns.join(QStringLiteral(", ")), quoted(s->name), quoted(s->rowIdColumn)))) {
            lines << QStringLiteral("cannot read %1").arg(s->name);
            continue;
        }
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < columns.size(); ++i)
                values << q.value(i).toString();
            lines << s->name + QLatin1Char(':') + values.join(QLatin1Char('|'));
        }
    }
    return lines;
}

TEST(WorkflowOnBothEnginesTest, SameCommandsGiveTheSameRecordsOnTheFileAndOnTheServer)
{
    if (!testing_support::onTestServer())
        GTEST_SKIP() << "needs the PostgreSQL test server (BARMOND_TEST_POSTGRES)";
    QTemporaryDir fileDir;
    QTemporaryDir serverDir;
    {
        QFile ini(QDir(fileDir.path()).filePath(QStringLiteral("Barmond.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));   // the file, whatever the environment says
        ini.write("[Database]\nDriver=QSQLITE\n");
    }
    testing_support::ServerDatabase server(serverDir.path());

    const QList<Step> onFile = Workflow(fileDir.path()).run();
    const QList<Step> onServer = Workflow(serverDir.path()).run();
    ASSERT_EQ(onFile.size(), onServer.size());
    int done = 0;
    for (int i = 0; i < onFile.size(); ++i) {
        EXPECT_EQ(onFile[i].command, onServer[i].command);
        EXPECT_EQ(onFile[i].exitCode, onServer[i].exitCode) << onFile[i].command.toStdString();
        EXPECT_EQ(onFile[i].out, onServer[i].out) << onFile[i].command.toStdString();
        done += onFile[i].exitCode == 0 ? 1 : 0;
    }
    EXPECT_GE(done * 3, onFile.size() * 2) << "the road should mostly succeed";

    Database file(fileDir.path());
    Database postgres(serverDir.path());
    ASSERT_EQ(file.open(), 0) << file.openErrorText().toStdString();
    ASSERT_EQ(postgres.open(), 0) << postgres.openErrorText().toStdString();
    EXPECT_FALSE(isOnServer(file));
    EXPECT_TRUE(isOnServer(postgres));
    EXPECT_TRUE(testing_support::stockLogExplainsStock(file));
    EXPECT_TRUE(testing_support::stockLogExplainsStock(postgres));
    const QStringList fileRecords = contents(file);
    const QStringList serverRecords = contents(postgres);
    EXPECT_GT(fileRecords.size(), 20);
    EXPECT_EQ(fileRecords.join(QLatin1Char('\n')).toStdString(), serverRecords.join(QLatin1Char('\n')).toStdString());
}

} // namespace
