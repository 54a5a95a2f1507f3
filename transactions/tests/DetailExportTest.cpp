// Cutting orders exported into workbooks: a new workbook and one exported into before, read back by
// openpyxl cell by cell; the question about cutting orders already there; workbooks refused and
// exports stopped midway, which leave the file as it was.

#include "transactions/DetailExport.h"

#include "global/Database.h"
#include "global/ScriptedServices.h"
#include "global/TableSql.h"
#include "global/tests/support/ServerDatabase.h"
#include "global/workbook/WorkbookWriter.h"
#include "global/workbook/tests/support/WorkbookFiles.h"
#include "support/ExportScenario.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace transactions;
using global::StockTransRecord;
using testing_support::ExportBar;
using testing_support::fileChecksum;
using testing_support::openpyxlDump;

namespace {

// The cells of the sheet "CutingOrders" as openpyxl reads them.
QJsonObject orderCells(const QString& path)
{
    const QJsonObject dump = openpyxlDump(path);
    return dump["cells"]["CutingOrders"].toObject();
}

const QStringList DuplicateButtons{"Pomiń", "Dodaj", "Pomiń wszystkie", "Dodaj wszystkie", "Przerwij"};

class DetailExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir fixtures;
    // The database's data directory is a folder of its own, so that the exports beside it are all
    // the files of the test's folder.
    testing_support::ServerDatabase server{dir.filePath("data")};
    global::Database db{dir.filePath("data")};
    global::ScriptedDialogs dialogs;
    global::MemoryClipboard clipboard;
    global::FixedClock clock;
    global::FixedIdentity identity;
    global::ScriptedFileChooser files;
    global::MemoryUserValues userValues;
    global::ScriptedProgress progress;
    global::Services services{dialogs, clipboard, clock, identity, files, userValues, progress};

    // Cutting order 1 of profile "AL 40x40" (0.85 kg/m): three bars, 4000 and two of 6000, the
    // second 6000 leaving a remnant; cutting order 2 of a profile no longer in the catalogue, with
    // no production date and one bar.
    void SetUp() override
    {
        QDir().mkpath(dir.filePath("data"));
        ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString();
        testing_support::addProfile(db, 5, "AL 40x40", 0.85);
        StockTransRecord first;
        first.id = 1;
        first.profileId = 5;
        first.profileCode = "AL 40x40";
        first.documentDescr = "Rama okna";
        first.productionDate = QDate(2026, 3, 20);
        first.totalLenght = 16.0;
        first.totalCutLengts = 14.2;
        first.totalRemnant = 1.2;
        first.totalScrap = 0.4;
        first.totalProfilesPcs = 3;
        first.totelRemnantPcs = 1;
        first.totalCutPcs = 5;
        first.operatorCreated = "kowalski";
        first.computerCreated = "PILA-1";
        testing_support::addCuttingOrder(db, first,
                                         {ExportBar{13, 6000, 5590, 400, 0, "H-13", {2795, 2795}},
                                          ExportBar{11, 6000, 4790, 1200, 77, "H-11", {4790}},
                                          ExportBar{12, 4000, 3820, 0, 0, "H-12", {1910, 1910}}});
        StockTransRecord second;
        second.id = 2;
        second.profileId = 99;
        second.profileCode = "ST 20x20";
        second.totalLenght = 6.0;
        second.totalCutLengts = 5.9;
        second.totalProfilesPcs = 1;
        second.totalCutPcs = 1;
        second.operatorCreated = "nowak";
        testing_support::addCuttingOrder(db, second, {ExportBar{21, 6000, 5900, 95, 0, "", {5900}}});
        testing_support::makeFixtureWorkbooks(fixtures.path());
    }

    QString book(const QString& name) const { return dir.filePath(name); }
    QString fixtureCopy(const QString& name)
    {
        const QString path = book(name);
        QFile::copy(fixtures.filePath(name), path);
        return path;
    }
};

TEST_F(DetailExportTest, ANewWorkbookGetsTheThreeSheetsWithHeadersAndOneRowPerOrderBarAndPiece)
{
    const QString path = book("eksport.xlsx");
    files.planFiles({path});
    userValues.setValue(ExportFileValueName, book("poprzedni.xlsx"));
    const DetailExportResult result = excelDetailExport(db, services, {2, 1, 2});
    ASSERT_TRUE(result.done) << dialogs.messages().join("\n").toStdString();
    EXPECT_EQ(result.cuttingOrders, (QList<uint32_t>{1, 2}));
    EXPECT_EQ(result.bars, 4);
    EXPECT_EQ(result.pieces, 6);
    EXPECT_EQ(files.startPaths(), QStringList{book("poprzedni.xlsx")});
    EXPECT_EQ(userValues.value(ExportFileValueName), path);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(progress.texts(), (QStringList{"Ustawianie", "Zlecenia", "Profile", "Odcinki"}));

    const QJsonObject dump = openpyxlDump(path);
    EXPECT_EQ(dump["sheets"].toArray(), (QJsonArray{"CutingOrders", "Profiles", "Cuts"}));
    EXPECT_EQ(dump["active"].toInt(), 0);
    const QJsonObject orders = dump["cells"]["CutingOrders"].toObject();
    const QStringList columns{"B", "C", "D", "E", "F", "G", "H", "I", "J", "K",
                              "L", "M", "N", "O", "P", "Q", "R", "S", "T"};
    const QStringList header{"No", "Profile type", "Prof. weigth [kg/m]", "Description", "Cons. [pcs]",
                             "Cons. [m]", "Cons. [kg]", "Cuts [pcs]", "Cuts [m]", "Cuts [kg]", "Remnant [pcs]",
                             "Remnant [m]", "Remnant [kg]", "Scrap [m]", "Scrap [kg]", "Filings [kg]",
                             "Operator", "PC", "Prod. date"};
    for (int i = 0; i < columns.size(); ++i)
        EXPECT_EQ(orders[columns[i] + "2"].toString(), header[i]) << columns[i].toStdString();
    const QJsonArray first{1, "AL 40x40", 0.85, "Rama okna", 3, 16, 13.6, 5, 14.2, 12.07, 1, 1.2, 1.02,
                           0.4, 0.34, 0.17, "kowalski", "PILA-1", "2026-03-20"};
    for (int i = 0; i < columns.size(); ++i) {
        const QJsonValue cell = orders[columns[i] + "3"];
        if (first[i].isString())
            EXPECT_EQ(cell.toString(), first[i].toString()) << columns[i].toStdString();
        else
            EXPECT_NEAR(cell.toDouble(), first[i].toDouble(), 1e-9) << columns[i].toStdString();
    }
    EXPECT_EQ(dump["formats"]["CutingOrders"]["Q3"].toString(), "0.00");
    // the second: no profile weight, no production date
    EXPECT_EQ(orders["B4"].toDouble(), 2);
    EXPECT_EQ(orders["D4"].toDouble(), 0);
    EXPECT_EQ(orders["H4"].toDouble(), 0);
    EXPECT_EQ(orders["R4"].toString(), "nowak");
    EXPECT_FALSE(orders.contains("T4"));
    EXPECT_FALSE(orders.contains("B5"));

    // bars by length, then identifier, numbered within their cutting order; a remnant in I, scrap in J
    const QJsonObject bars = dump["cells"]["Profiles"].toObject();
    EXPECT_EQ(bars["B2"].toString(), "No");
    EXPECT_EQ(bars["J2"].toString(), "Scrap");
    const QList<QList<QVariant>> expectedBars{
        {1, "AL 40x40", 1, 12, "H-12", 4000, 3820, QVariant(), 0},
        {1, "AL 40x40", 2, 11, "H-11", 6000, 4790, 1200, QVariant()},
        {1, "AL 40x40", 3, 13, "H-13", 6000, 5590, QVariant(), 400},
        {2, "ST 20x20", 1, 21, QVariant(), 6000, 5900, QVariant(), 95}};
    for (int r = 0; r < expectedBars.size(); ++r)
        for (int c = 0; c < 9; ++c) {
            const QString at = QString(QChar('B' + c)) + QString::number(r + 3);
            const QVariant want = expectedBars[r][c];
            if (!want.isValid())
                EXPECT_FALSE(bars.contains(at)) << at.toStdString();
            else if (want.typeId() == QMetaType::QString)
                EXPECT_EQ(bars[at].toString(), want.toString()) << at.toStdString();
            else
                EXPECT_EQ(bars[at].toDouble(), want.toDouble()) << at.toStdString();
        }
    EXPECT_FALSE(bars.contains("B7"));

    // every piece with its bar's running number and heat number
    const QJsonObject pieces = dump["cells"]["Cuts"].toObject();
    EXPECT_EQ(pieces["K2"].toString(), "Descr_2");
    struct Piece {
        int order, runningNumber, bar;
        QString heat;
        int length;
        QString code;
    };
    const QList<Piece> expectedPieces{{1, 2, 11, "H-11", 4790, "K1101"}, {1, 1, 12, "H-12", 1910, "K1201"},
                                      {1, 1, 12, "H-12", 1910, "K1202"}, {1, 3, 13, "H-13", 2795, "K1301"},
                                      {1, 3, 13, "H-13", 2795, "K1302"}, {2, 1, 21, "", 5900, "K2101"}};
    for (int i = 0; i < expectedPieces.size(); ++i) {
        const Piece& p = expectedPieces[i];
        const QString row = QString::number(i + 3);
        EXPECT_EQ(pieces["B" + row].toDouble(), p.order) << i;
        EXPECT_EQ(pieces["D" + row].toDouble(), p.runningNumber) << i;
        EXPECT_EQ(pieces["E" + row].toDouble(), p.bar) << i;
        EXPECT_EQ(pieces["F" + row].toString(), p.heat) << i;
        EXPECT_EQ(pieces["G" + row].toDouble(), p.length) << i;
        EXPECT_EQ(pieces["H" + row].toString(), QString("ZL/%1").arg(p.order)) << i;
        EXPECT_EQ(pieces["I" + row].toString(), p.code) << i;
        EXPECT_EQ(pieces["J" + row].toString(), "Słupek") << i;
        EXPECT_EQ(pieces["K" + row].toString(), "lewy") << i;
    }
    EXPECT_FALSE(pieces.contains("B9"));
}

TEST_F(DetailExportTest, AnEarlierWorkbookKeepsItsNotesAndGapsAndGetsRowsAfterItsLastRow)
{
    const QString path = fixtureCopy("earlier-export.xlsx");
    const QByteArray before = fileChecksum(path);
    const QJsonObject original = openpyxlDump(path);

    // cutting order 1 is there twice: in line 3 exported by another operator (no question), and
    // below the gap by the same operator, which is found there and added again as answered
    dialogs.planAnswers({1});
    const DetailExportResult result = exportCuttingOrderDetails(db, services, {1, 2}, path);
    ASSERT_TRUE(result.done) << dialogs.messages().join("\n").toStdString();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].text,
              "Polecenie cięcia numer 1 jest już zapisane w arkuszu w linii numer 6. Czy kontynuować eksport?");
    EXPECT_EQ(fileChecksum(global::workbookBackupName(path)), before);

    const QJsonObject dump = openpyxlDump(path);
    EXPECT_EQ(dump["sheets"].toArray(), (QJsonArray{"Notatki", "CutingOrders", "Profiles", "Cuts"}));
    EXPECT_EQ(dump["active"], original["active"]);
    EXPECT_EQ(dump["cells"]["Notatki"], original["cells"]["Notatki"]);
    EXPECT_EQ(dump["values"]["Notatki"], original["values"]["Notatki"]);
    EXPECT_EQ(dump["widths"]["Notatki"], original["widths"]["Notatki"]);
    QJsonObject orders = dump["cells"]["CutingOrders"].toObject();
    // everything there before stays as it was, the header not written again
    const QJsonObject before3 = original["cells"]["CutingOrders"].toObject();
    for (auto it = before3.begin(); it != before3.end(); ++it)
        EXPECT_EQ(orders[it.key()], it.value()) << it.key().toStdString();
    EXPECT_EQ(dump["formats"]["CutingOrders"]["T6"].toString(), "dd.mm.yyyy");
    EXPECT_FALSE(orders.contains("E2"));
    EXPECT_FALSE(orders.contains("B4"));
    EXPECT_FALSE(orders.contains("B5"));
    EXPECT_EQ(orders["B7"].toDouble(), 1);
    EXPECT_EQ(orders["R7"].toString(), "kowalski");
    EXPECT_EQ(orders["T7"].toString(), "2026-03-20");
    EXPECT_EQ(orders["B8"].toDouble(), 2);
    EXPECT_FALSE(orders.contains("B9"));
    // the new sheets start under their header
    EXPECT_EQ(dump["cells"]["Profiles"]["B3"].toDouble(), 1);
    EXPECT_EQ(dump["cells"]["Cuts"]["B8"].toDouble(), 2);
}

TEST_F(DetailExportTest, CuttingOrdersAlreadyInTheWorkbookAreSkippedOrAddedAsAnswered)
{
    const QString path = book("eksport.xlsx");
    ASSERT_TRUE(exportCuttingOrderDetails(db, services, {1, 2}, path).done);

    // "Pomiń" for 1, "Dodaj" for 2: only 2 comes again
    dialogs.planAnswers({0, 1});
    DetailExportResult again = exportCuttingOrderDetails(db, services, {1, 2}, path);
    ASSERT_TRUE(again.done);
    EXPECT_EQ(again.cuttingOrders, (QList<uint32_t>{2}));
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown()[0].text,
              "Polecenie cięcia numer 1 jest już zapisane w arkuszu w linii numer 3. Czy kontynuować eksport?");
    EXPECT_EQ(dialogs.shown()[0].buttons, DuplicateButtons);
    EXPECT_EQ(dialogs.shown()[1].text,
              "Polecenie cięcia numer 2 jest już zapisane w arkuszu w linii numer 4. Czy kontynuować eksport?");
    QJsonObject orders = orderCells(path);
    EXPECT_EQ(orders["B5"].toDouble(), 2);
    EXPECT_FALSE(orders.contains("B6"));

    // cutting order 2 is now there twice: "Dodaj wszystkie" asks once for both rows
    dialogs.clear();
    dialogs.planAnswers({3});
    again = exportCuttingOrderDetails(db, services, {2}, path);
    ASSERT_TRUE(again.done);
    EXPECT_EQ(dialogs.shown().size(), 1);
    orders = orderCells(path);
    EXPECT_EQ(orders["B6"].toDouble(), 2);

    // "Pomiń wszystkie": one question, and neither comes again
    dialogs.clear();
    dialogs.planAnswers({2});
    again = exportCuttingOrderDetails(db, services, {1, 2}, path);
    ASSERT_TRUE(again.done);
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(again.cuttingOrders.isEmpty());
    EXPECT_FALSE(orderCells(path).contains("B7"));

    // "Przerwij": the file is not touched
    const QByteArray before = fileChecksum(path);
    const QByteArray backup = fileChecksum(global::workbookBackupName(path));
    dialogs.clear();
    dialogs.planAnswers({4});
    EXPECT_FALSE(exportCuttingOrderDetails(db, services, {1}, path).done);
    EXPECT_EQ(fileChecksum(path), before);
    EXPECT_EQ(fileChecksum(global::workbookBackupName(path)), backup);
}

TEST_F(DetailExportTest, AWorkbookThatCannotBeCarriedWholeIsRefusedAndLeftAsItWas)
{
    for (const QString& name : {QStringLiteral("inline.xlsx"), QStringLiteral("chart.xlsx"),
                                QStringLiteral("broken.xlsx")}) {
        const QString path = fixtureCopy(name);
        const QByteArray before = fileChecksum(path);
        dialogs.clear();
        EXPECT_FALSE(exportCuttingOrderDetails(db, services, {1}, path).done) << name.toStdString();
        ASSERT_EQ(dialogs.messages().size(), 1) << name.toStdString();
        EXPECT_TRUE(dialogs.messages()[0].contains("Plik nie został zmieniony.")) << name.toStdString();
        EXPECT_EQ(fileChecksum(path), before) << name.toStdString();
        EXPECT_FALSE(QFile::exists(global::workbookBackupName(path))) << name.toStdString();
    }
    EXPECT_TRUE(dialogs.messages()[0].contains("Plik nie został zmieniony."));

    // not an .xlsx name, an unknown cutting order, nothing chosen
    dialogs.clear();
    const QString ods = fixtureCopy("cuts.ods");
    const QByteArray odsBefore = fileChecksum(ods);
    EXPECT_FALSE(exportCuttingOrderDetails(db, services, {1}, ods).done);
    EXPECT_EQ(fileChecksum(ods), odsBefore);
    EXPECT_FALSE(exportCuttingOrderDetails(db, services, {1, 3}, book("nowy.xlsx")).done);
    EXPECT_TRUE(dialogs.messages().last().startsWith("Error no. 35 Selected cutting order no 3 does not exist"));
    EXPECT_FALSE(QFile::exists(book("nowy.xlsx")));
    files.planFiles({""});
    EXPECT_FALSE(excelDetailExport(db, services, {1}).done);
    EXPECT_TRUE(userValues.value(ExportFileValueName).isEmpty());
}

// Stops the export at one written row: by the operator's cancel, or by a table that disappears.
class FailingProgress : public global::Progress {
public:
    FailingProgress(global::Database& db, qint64 at, bool dropTable) : db_(db), at_(at), drop_(dropTable) {}
    void start(const QString&, qint64) override {}
    bool advance(qint64 done) override
    {
        if (done != at_)
            return true;
        if (!drop_)
            return false;
        QSqlQuery rename(db_.connection());
        if (!rename.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                             .arg(global::quoted(QStringLiteral("STOCK_TRANS_SUBITEMS")), global::quoted(QStringLiteral("GONE")))))
            ADD_FAILURE() << "the table stayed: " << rename.lastError().text().toStdString();
        return true;
    }
    void finish() override {}

private:
    global::Database& db_;
    qint64 at_;
    bool drop_;
};

TEST_F(DetailExportTest, AnExportStoppedAtAnyRowLeavesTheFileAsItWas)
{
    const QString path = fixtureCopy("earlier-export.xlsx");
    const QByteArray before = fileChecksum(path);
    // 2 cutting-order rows, 4 bar rows, 6 piece rows
    for (qint64 row = 1; row <= 12; ++row) {
        FailingProgress cancelling(db, row, false);
        global::Services cancelled{dialogs, clipboard, clock, identity, files, userValues, cancelling};
        dialogs.clear();
        dialogs.planAnswers({1});  // cutting order 1 below the gap: "Dodaj"
        EXPECT_FALSE(exportCuttingOrderDetails(db, cancelled, {1, 2}, path).done) << row;
        EXPECT_EQ(dialogs.messages().last(), "Eksport przerwany.|Plik nie został zmieniony.") << row;
        EXPECT_EQ(fileChecksum(path), before) << row;
        EXPECT_FALSE(QFile::exists(global::workbookBackupName(path))) << row;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"earlier-export.xlsx"}));

    // the pieces cannot be read once the bars are written
    FailingProgress dropping(db, 6, true);
    global::Services failing{dialogs, clipboard, clock, identity, files, userValues, dropping};
    dialogs.clear();
    dialogs.planAnswers({1});
    EXPECT_FALSE(exportCuttingOrderDetails(db, failing, {1, 2}, path).done);
    EXPECT_TRUE(dialogs.messages().last().contains("after NEXT for STOCK_TRANS_SUBITEMS"))
        << dialogs.messages().last().toStdString();
    EXPECT_EQ(fileChecksum(path), before);
}

} // namespace
