// `barmond transactions export` run as a process: the workbook it writes, read back by openpyxl, the
// question it cannot ask answered by --answer, and its refusals with the file left as it was.

#include "global/Database.h"
#include "global/workbook/WorkbookWriter.h"
#include "global/tests/support/TempDataDir.h"
#include "global/workbook/tests/support/WorkbookFiles.h"
#include "transactions/tests/support/ExportScenario.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome barmond(const QString& dataDir, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.remove("BARMOND_DATA");
    process.setProcessEnvironment(env);
    process.start(BARMOND_BINARY, arguments + QStringList{"--data-dir", dataDir});
    Outcome run;
    EXPECT_TRUE(process.waitForFinished(120000));
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// One cell of the openpyxl dump.
QJsonValue cell(const QJsonObject& dump, const char* sheet, const char* at)
{
    return dump["cells"][QLatin1String(sheet)][QLatin1String(at)];
}

class TransactionExportCommandTest : public ::testing::Test {
protected:
    testing_support::TestDataDir dir;
    QString data() const { return dir.path(); }
    QString book() const { return dir.filePath("eksport.xlsx"); }

    void SetUp() override
    {
        global::Database db(data());
        ASSERT_EQ(db.open(), 0);
        testing_support::addProfile(db, 1, "KW 60x60", 1.2);
        testing_support::addPlainCuttingOrder(db, 1, 1, 2);
        testing_support::addPlainCuttingOrder(db, 2, 1, 3);
    }
};

TEST_F(TransactionExportCommandTest, WritesTheWorkbookAndAnswersTheQuestionByOption)
{
    const Outcome first = barmond(data(), {"transactions", "export", "2", "1", "--file", book()});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out.trimmed(), QString("2 cutting orders exported to %1: 5 bars, 20 pieces").arg(book()));
    QJsonObject dump = testing_support::openpyxlDump(book());
    EXPECT_EQ(cell(dump, "CutingOrders", "B3").toDouble(), 1);
    EXPECT_EQ(cell(dump, "CutingOrders", "B4").toDouble(), 2);
    EXPECT_EQ(cell(dump, "CutingOrders", "H4").toDouble(), 21.6);   // 18 m of 1.2 kg/m
    EXPECT_EQ(cell(dump, "Profiles", "G7").toDouble(), 6000);
    EXPECT_EQ(cell(dump, "Profiles", "H7").toDouble(), 5600);
    EXPECT_EQ(cell(dump, "Cuts", "B22").toDouble(), 2);
    EXPECT_TRUE(cell(dump, "Cuts", "B23").isUndefined());

    // again: both are in the workbook, and nobody is there to answer
    const QByteArray before = testing_support::fileChecksum(book());
    const Outcome unanswered = barmond(data(), {"transactions", "export", "1", "2", "--file", book()});
    EXPECT_EQ(unanswered.exitCode, 1);
    EXPECT_TRUE(unanswered.err.contains("Polecenie cięcia numer 1 jest już zapisane")) << unanswered.err.toStdString();
    EXPECT_TRUE(unanswered.err.contains("--answer")) << unanswered.err.toStdString();
    EXPECT_EQ(testing_support::fileChecksum(book()), before);

    const Outcome skipped = barmond(data(), {"transactions", "export", "1", "2", "--file", book(), "--answer",
                                             "add-all", "--json"});
    ASSERT_EQ(skipped.exitCode, 0) << skipped.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(skipped.out.toUtf8()).object();
    EXPECT_EQ(json["transactions"].toArray(), (QJsonArray{1, 2}));
    EXPECT_EQ(json["bars"].toInt(), 5);
    EXPECT_EQ(testing_support::fileChecksum(global::workbookBackupName(book())), before);
    dump = testing_support::openpyxlDump(book());
    EXPECT_EQ(cell(dump, "CutingOrders", "B6").toDouble(), 2);
}

TEST_F(TransactionExportCommandTest, RefusesBadLinesUnknownOrdersAndWorkbooksItCannotCarry)
{
    EXPECT_EQ(barmond(data(), {"transactions", "export", "1"}).exitCode, 2);
    EXPECT_EQ(barmond(data(), {"transactions", "export", "--file", book()}).exitCode, 2);
    EXPECT_EQ(barmond(data(), {"transactions", "export", "x", "--file", book()}).exitCode, 2);
    EXPECT_EQ(barmond(data(), {"transactions", "export", "1", "--file", book(), "--answer", "maybe"}).exitCode, 2);

    const Outcome unknown = barmond(data(), {"transactions", "export", "1", "9", "--file", book()});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("Selected cutting order no 9 does not exist")) << unknown.err.toStdString();
    EXPECT_FALSE(QFile::exists(book()));

    QFile garbage(book());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a workbook");
    garbage.close();
    const Outcome refused = barmond(data(), {"transactions", "export", "1", "--file", book()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Plik nie został zmieniony.")) << refused.err.toStdString();
    EXPECT_EQ(testing_support::fileChecksum(book()), QCryptographicHash::hash("not a workbook", QCryptographicHash::Sha256).toHex());
}

} // namespace
