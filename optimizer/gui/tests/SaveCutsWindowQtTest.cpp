// The save window "Zapis transakcji magazynowej / polecenia cięcia" and the hand-over of the
// optimizer window: ?SAVE opens the window and saves, ?PRINT and ?PRINT_SUM print the cut lists,
// ?EXTEKSPORT puts the joint list on the clipboard.

#include "global/Database.h"
#include "global/Globals.h"
#include "global/Table.h"
#include "global/tests/support/ServerDatabase.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/gui/MakeOptimalCut.h"
#include "optimizer/gui/OptimizerWindow.h"
#include "optimizer/gui/SaveCutsWindow.h"
#include "optimizer/gui/SolutionHandOvers.h"
#include "ui/form/RecordForm.h"
#include "ui/report/PdfOutput.h"
#include "ui/report/tests/support/PdfText.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kadrel;

namespace {

// A profile with one approved order: five pieces of 1400 and a piece of 5200 joined from two sections.
void writeWorkshop(global::Database& db)
{
    global::ProfileRecord profile;
    profile.id = 3;
    profile.profileCode = QStringLiteral("ST 30x20");
    profile.descr = QStringLiteral("Rura stalowa");
    profile.remnantLenght = 800;
    profile.weight = 1.2;
    profile.uom = QStringLiteral("mm");
    global::ProfileLengthRecord bar;
    bar.id = 31;
    bar.profileId = 3;
    bar.lenght = 6000;
    bar.intStock = 10;
    bar.typicalLength = 1;
    global::OrderRecord order;
    order.id = 7;
    order.status = 1;
    order.number = QStringLiteral("Z/7");
    order.customer = QStringLiteral("Kowalski");
    global::OrderProfileRecord position;
    position.id = 30;
    position.orderId = 7;
    position.profileId = 3;
    global::CutRecord pieces;
    pieces.id = 300;
    pieces.orderId = 7;
    pieces.orderProfileId = 30;
    pieces.profileId = 3;
    pieces.status = 1;
    pieces.code = QStringLiteral("SL-1");
    pieces.lenght = 1400;
    pieces.pcs = 5;
    global::CutRecord joined = pieces;
    joined.id = 301;
    joined.code = QStringLiteral("OB-2");
    joined.lenght = 5200;
    joined.pcs = 1;
    joined.lenght1 = 3000;
    joined.lenght2 = 2200;
    QCOMPARE(global::Table<global::ProfileRecord>(db).add(profile), 0);
    QCOMPARE(global::Table<global::ProfileLengthRecord>(db).add(bar), 0);
    QCOMPARE(global::Table<global::OrderRecord>(db).add(order), 0);
    QCOMPARE(global::Table<global::OrderProfileRecord>(db).add(position), 0);
    QCOMPARE(global::Table<global::CutRecord>(db).add(pieces), 0);
    QCOMPARE(global::Table<global::CutRecord>(db).add(joined), 0);
}

// Two bars of a solution, as the optimizer window hands them over.
void solution(SolutionItemTable& bars, SolutionSubitemTable& pieces)
{
    bars.clear();
    pieces.clear();
    bars.append(SolutionItemRow{1, 31, 6000, 5000, 985, 0, {}});
    bars.append(SolutionItemRow{2, 31, 6000, 5800, 185, 0, {}});
    pieces.append(SolutionSubitemRow{1, 300, 1400, {}, {}, {}, {}, {}});
    pieces.append(SolutionSubitemRow{1, 300, 1400, {}, {}, {}, {}, {}});
    pieces.append(SolutionSubitemRow{1, 301, 2200, {}, {}, {}, {}, {}});
    pieces.append(SolutionSubitemRow{2, 301, 3000, {}, {}, {}, {}, {}});
    pieces.append(SolutionSubitemRow{2, 300, 1400, {}, {}, {}, {}, {}});
    pieces.append(SolutionSubitemRow{2, 300, 1400, {}, {}, {}, {}, {}});
}

// Runs what on the record form once it is open (it is modal).
void whenFormOpens(const std::function<void(ui::RecordForm&)>& what)
{
    QTimer::singleShot(0, [what] {
        auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
        QVERIFY(form != nullptr);
        what(*form);
    });
}

uint32_t cuttingOrders(global::Database& db)
{
    return uint32_t(global::Table<global::StockTransRecord>(db).count(global::Table<global::StockTransRecord>::Auto));
}

} // namespace

class SaveCutsWindowQtTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        scripted.reset();
        db.reset();
        server.reset();
        dir = std::make_unique<QTemporaryDir>();
        server = std::make_unique<testing_support::ServerDatabase>(dir->path());   // when a test server is named
        db = std::make_unique<global::Database>(dir->path());
        QCOMPARE(db->open(), 0);
        writeWorkshop(*db);
        scripted = std::make_unique<ui::ScriptedWindowContext>(*db);
        scripted->clock.set(QDateTime(QDate(2026, 3, 12), QTime(9, 30)));   // a Thursday
        scripted->context.iniFile = dir->filePath(QStringLiteral("Barmond.ini"));
        global::glo().language = QStringLiteral("PL");
        solution(bars, pieces);
    }

    void theWindowOffersTheNextTuesdayAndSavesWithTheDescription()
    {
        std::vector<std::pair<uint32_t, bool>> printed;
        const CutListPrinter printer = [&](uint32_t, const SolutionItemTable& stored, const SolutionSubitemTable&,
                                           uint32_t transaction, bool summary) {
            QCOMPARE(stored.size(), 2u);
            printed.emplace_back(transaction, summary);
        };
        whenFormOpens([](ui::RecordForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Zapis transakcji magazynowej / polecenia cięcia"));
            QCOMPARE(form.objectName(), QStringLiteral("SaveCuts"));
            auto* description = form.findChild<QLineEdit*>(QStringLiteral("?LOC:DESCR"));
            auto* date = form.findChild<QLineEdit*>(QStringLiteral("?LOC:PRODDATE"));
            QVERIFY(description && date);
            QCOMPARE(description->maxLength(), 80);
            QCOMPARE(description->toolTip(), QStringLiteral("Description for stock trans"));
            QCOMPARE(date->toolTip(), QStringLiteral("Production date"));
            QCOMPARE(date->text(), QStringLiteral("2026-03-17"));
            description->setText(QStringLiteral("Pilne - hala 2"));
            form.pressOk();
        });
        const AcceptanceResult result = saveCutsWindow(scripted->context, 3, bars, pieces, Statistics{}, printer);
        QVERIFY2(result.saved, qPrintable(scripted->dialogs.messages().join('\n')));
        QCOMPARE(result.transaction, 1u);
        global::StockTransRecord order;
        order.id = 1;
        QCOMPARE(global::Table<global::StockTransRecord>(*db).fetch(global::Table<global::StockTransRecord>::Auto, order), 0);
        QCOMPARE(order.documentDescr, QStringLiteral("Pilne - hala 2"));
        QCOMPARE(order.productionDate, QDate(2026, 3, 17));
        QCOMPARE(printed.size(), std::size_t(1));
        QCOMPARE(printed.front().first, 1u);
        QVERIFY(printed.front().second);   // the summary cut list
        // The window's place is kept in Barmond.ini under its name.
        QVERIFY(QFile(dir->filePath(QStringLiteral("Barmond.ini"))).exists());
    }

    void aDateThatIsNoDateIsRefusedAndCancelSavesNothing()
    {
        whenFormOpens([this](ui::RecordForm& form) {
            form.findChild<QLineEdit*>(QStringLiteral("?LOC:PRODDATE"))->setText(QStringLiteral("wtorek"));
            form.pressOk();
            QVERIFY(form.isVisible());
            QVERIFY(scripted->dialogs.messages().last().contains(QStringLiteral("\"wtorek\" nie jest datą")));
            scripted->dialogs.planAnswers({0});   // yes, leave without saving
            form.pressCancel();
        });
        const AcceptanceResult result = saveCutsWindow(scripted->context, 3, bars, pieces, Statistics{}, {});
        QVERIFY(!result.saved);
        QCOMPARE(cuttingOrders(*db), 0u);
    }

    void aFailedSaveClosesTheWindowSayingNothingWasSaved()
    {
        global::Table<global::CutRecord> cuts(*db);
        global::CutRecord taken;
        taken.id = 301;
        QCOMPARE(cuts.fetch(global::Table<global::CutRecord>::Auto, taken), 0);
        taken.status = 2;   // taken by another station meanwhile
        QCOMPARE(cuts.update(taken), 0);
        bool closed = false;
        whenFormOpens([&](ui::RecordForm& form) {
            form.pressOk();
            closed = !form.isVisible();
        });
        const AcceptanceResult result = saveCutsWindow(scripted->context, 3, bars, pieces, Statistics{}, {});
        QVERIFY(!result.saved);
        QVERIFY(closed);
        QVERIFY(scripted->dialogs.messages().last().endsWith(QStringLiteral("|Nic nie zostało zapisane.")));
        QCOMPARE(cuttingOrders(*db), 0u);
    }

    // The optimizer window as the program opens it: ?SAVE is enabled for the approved order, opens
    // the save window and stores the cutting order, whose summary cut list is then printed.
    void theOptimizerWindowHandsItsSolutionOver()
    {
        QStringList written;
        const ReportOutputFactory output = [&]() -> std::unique_ptr<ui::report::ReportOutput> {
            written << dir->filePath(QStringLiteral("cutlist-%1.pdf").arg(written.size() + 1));
            return std::make_unique<ui::report::PdfOutput>(written.last());
        };
        const SolutionHandOver handOver = solutionHandOver(scripted->context, output);
        DatabaseInput input(*db);
        OptimizerCall call;
        call.profile = 3;
        call.orderProfile = 30;
        OptimizerWindowCall windowCall(scripted->context, input, call, handOver);
        OptimizerWindow& window = windowCall.window();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy finished(&window, &OptimizerWindow::calculationFinished);
        window.startCalculation();
        QVERIFY(finished.wait(60000));
        QVERIFY2(finished.first().first().toBool(), qPrintable(scripted->dialogs.messages().join('\n')));

        window.button(QStringLiteral("?PRINT"))->click();
        QCOMPARE(written.size(), 1);
        const QString detailed = testing_support::squeezed(testing_support::pdfText(written.last()));
        QVERIFY2(detailed.contains(QStringLiteral("SPECYFIKACJA ROZKROJU")), qPrintable(detailed));
        QVERIFY(detailed.contains(QStringLiteral("ST 30x20 Rura stalowa")));

        window.button(QStringLiteral("?EXTEKSPORT"))->click();
        QVERIFY2(scripted->clipboard.text().startsWith(QStringLiteral("Lista łączeń technologicznych\r")),
                 qPrintable(scripted->clipboard.text()));
        QVERIFY(scripted->clipboard.text().contains(QStringLiteral("\tOB-2")));
        QCOMPARE(scripted->dialogs.messages().last(), QStringLiteral("Dane w schowku. Proszę wkleić do arkusza"));

        QVERIFY(window.button(QStringLiteral("?SAVE"))->isEnabled());
        whenFormOpens([](ui::RecordForm& form) {
            form.findChild<QLineEdit*>(QStringLiteral("?LOC:DESCR"))->setText(QStringLiteral("Z okna"));
            form.pressOk();
        });
        window.button(QStringLiteral("?SAVE"))->click();
        QVERIFY(!window.isVisible());   // the optimizer window closes after the save
        QCOMPARE(cuttingOrders(*db), 1u);
        QCOMPARE(written.size(), 2);
        const QString order = testing_support::squeezed(testing_support::pdfText(written.last()));
        QVERIFY2(order.contains(QStringLiteral("POLECENIE CIĘCIA NR 1")), qPrintable(order));
        QVERIFY(order.contains(QStringLiteral("Z okna")));
        QVERIFY(order.contains(QStringLiteral("Klient: Kowalski")));
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<testing_support::ServerDatabase> server;
    std::unique_ptr<global::Database> db;
    std::unique_ptr<ui::ScriptedWindowContext> scripted;
    SolutionItemTable bars;
    SolutionSubitemTable pieces;
};

QTEST_MAIN(SaveCutsWindowQtTest)
#include "SaveCutsWindowQtTest.moc"
