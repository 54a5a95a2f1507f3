// The list of cutting orders: its tabs and columns, finding an order by its number, the filter with
// "*" and "?", tags, reprinting the cut lists, the description form, confirming, reopening and
// deleting through the buttons with the operator's answers, the spreadsheet export's place and the
// log rebuild from the list's menu.

#include "transactions/gui/CuttingOrdersWindow.h"
#include "transactions/gui/FilterDialog.h"
#include "transactions/gui/tests/support/CuttingOrderFixture.h"

#include "optimizer/cutlist/CutListReport.h"
#include "transactions/CuttingOrderSettlement.h"
#include "ui/browse/GroupedHeader.h"
#include "ui/form/RecordForm.h"
#include "ui/report/PdfOutput.h"
#include "ui/report/tests/support/PdfText.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTimer>

using namespace global;
using transactions::gui::CuttingOrdersHandOvers;
using transactions::gui::CuttingOrdersWindow;

namespace {

const QString CloseQuestion =
    QStringLiteral("Produkcja zakończona, odpad użytkowy zwrócony do magazynu. Zamknąć transakcję ?");
const QString DeleteQuestion = QStringLiteral("Usunąć dokument z systemu ?");

// Runs `fill` on the modal form that the action opens.
void onModalForm(const std::function<void(ui::RecordForm&)>& fill)
{
    QTimer::singleShot(0, [fill] {
        auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        fill(*form);
    });
}

} // namespace

class CuttingOrdersWindowQtTest : public QObject, public cutting_order_tests::CuttingOrderFixture {
    Q_OBJECT

    QStringList printed_;

    CuttingOrdersHandOvers pdfHandOvers()
    {
        CuttingOrdersHandOvers handOvers;
        handOvers.reportOutput = [this] {
            const QString name = file(QStringLiteral("reprint-%1.pdf").arg(printed_.size() + 1));
            printed_ << name;
            return std::make_unique<ui::report::PdfOutput>(name);
        };
        return handOvers;
    }

    QList<uint32_t> shownOrders(CuttingOrdersWindow& window)
    {
        QList<uint32_t> ids;
        for (int row = 0; row < window.model().rowCount(); ++row)
            ids << window.model().record(row).id;
        return ids;
    }

    void highlight(CuttingOrdersWindow& window, uint32_t id)
    {
        window.setCurrentRow(shownOrders(window).indexOf(id));
        QVERIFY(window.current() && window.current()->id == id);
    }

    QString cell(CuttingOrdersWindow& window, int row, int column)
    {
        return window.model().index(row, column).data().toString();
    }

private slots:
    void init()
    {
        start();
        printed_.clear();
    }
    void cleanup() { finish(); }

    void theTabsListOpenAndConfirmedOrdersWithTheirFigures()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const Profile rp = profile(QStringLiteral("RP 60x40"), QStringLiteral("Z/2"));
        const uint32_t first = accept(al, 2, 4, 1400, QStringLiteral("Brama"));
        const uint32_t second = accept(rp, 1, 2, 2000, QStringLiteral("Ogrodzenie"));
        const uint32_t third = accept(al, 1, 3, 1500);
        clock().advance(3600 * 1000);
        QVERIFY(transactions::closeTransaction(db(), services(), second, transactions::CloseMode::Close).done);

        CuttingOrdersWindow window(context(), pdfHandOvers());
        QCOMPARE(window.windowTitle(), QStringLiteral("Polecenia cięcia"));
        QCOMPARE(window.tabBar()->tabText(CuttingOrdersWindow::OpenTab), QStringLiteral("Otwarte"));
        QCOMPARE(window.tabBar()->tabText(CuttingOrdersWindow::ConfirmedTab), QStringLiteral("Zrealizowane"));
        QCOMPARE(shownOrders(window), (QList<uint32_t>{first, third}));

        // Every column, with the captions over the groups of the heading.
        QCOMPARE(window.model().columnCount(), 21);
        const QStringList fields = window.model().fields();
        QCOMPARE(fields.first(), QStringLiteral("STOT:ID"));
        QCOMPARE(fields.last(), QStringLiteral("STOT:COMPUTER_CONFIRMED"));
        auto* header = qobject_cast<ui::GroupedHeader*>(window.list().horizontalHeader());
        QVERIFY(header);
        QCOMPARE(header->groupCaption(2), QStringLiteral("Utworzono"));
        QCOMPARE(header->groupCaption(5), QStringLiteral("Plan. data"));
        QCOMPARE(window.model().headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("produkcji"));
        QCOMPARE(header->groupCaption(19), QStringLiteral("Potwierdził wykonanie"));
        QCOMPARE(window.model().headerData(18, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("o godz."));

        const StockTransRecord stored = order(first);
        QCOMPARE(cell(window, 0, 0), QString::number(first));
        QCOMPARE(cell(window, 0, 1), QStringLiteral("AL 40x40"));
        QCOMPARE(cell(window, 0, 2), QStringLiteral("06.05.2026"));
        QCOMPARE(cell(window, 0, 4), QStringLiteral("Brama"));
        QCOMPARE(cell(window, 0, 5), QStringLiteral("12.05.2026"));
        QCOMPARE(cell(window, 0, 10), QString::number(stored.totalProfilesPcs));
        QCOMPARE(cell(window, 0, 12), QString::number(stored.totalCutPcs));
        QCOMPARE(cell(window, 0, 17), QString());   // not confirmed: no date
        QVERIFY(window.button(QStringLiteral("CLOSEPROD"))->isEnabled());
        QVERIFY(!window.button(QStringLiteral("OPENPROD"))->isEnabled());

        window.chooseTab(CuttingOrdersWindow::ConfirmedTab);
        QCOMPARE(shownOrders(window), (QList<uint32_t>{second}));
        QCOMPARE(cell(window, 0, 17), QStringLiteral("06.05.2026"));
        QCOMPARE(cell(window, 0, 18), QStringLiteral("10:30"));
        QVERIFY(!window.button(QStringLiteral("CLOSEPROD"))->isEnabled());
        QVERIFY(window.button(QStringLiteral("OPENPROD"))->isEnabled());

        // Typing a number finds the order.
        window.chooseTab(CuttingOrdersWindow::OpenTab);
        window.typeText(QString::number(third));
        QCOMPARE(window.current()->id, third);
    }

    void theFilterTakesStarAndQuestionMarkInAnyCase()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const Profile ar = profile(QStringLiteral("ar 20"), QStringLiteral("Z/2"));
        const Profile rp = profile(QStringLiteral("RP 60x40"), QStringLiteral("Z/3"));
        const uint32_t a = accept(al, 1, 2, 1000, QStringLiteral("Brama wjazdowa"));
        const uint32_t b = accept(ar, 1, 2, 1000, QStringLiteral("Furtka"));
        const uint32_t c = accept(rp, 1, 2, 1000, QStringLiteral("Brama garażowa"));
        CuttingOrdersWindow window(context(), pdfHandOvers());
        QVERIFY(!window.filterMark().isVisibleTo(&window));

        // Two letters and a star, in the other case, through the form.
        onModalForm([](ui::RecordForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Definicja filtra"));
            form.setFieldText(transactions::gui::FilterEditor::ProfileCode, QStringLiteral("a*"));
            form.pressOk();
        });
        window.editFilter();
        QCOMPARE(shownOrders(window), (QList<uint32_t>{a, b}));
        QVERIFY(window.filter().on);
        QVERIFY(window.filterMark().isVisibleTo(&window));

        // "?" is one character; conditions hold together.
        transactions::TransactionFilter filter;
        filter.on = true;
        filter.profileCode = QStringLiteral("?P*");
        QVERIFY(filter.hasConditions());
        window.setFilter(filter);
        QCOMPARE(shownOrders(window), (QList<uint32_t>{c}));
        filter.profileCode.clear();
        filter.documentDescr = QStringLiteral("brama*");
        window.setFilter(filter);
        QCOMPARE(shownOrders(window), (QList<uint32_t>{a, c}));

        // A date that is no date is refused and the form stays open; Cancel keeps the filter.
        onModalForm([this](ui::RecordForm& form) {
            form.setFieldText(transactions::gui::FilterEditor::DateCreated, QStringLiteral("31.02.2026"));
            form.pressOk();
            QVERIFY(form.isVisible());
            QVERIFY(dialogs().shown().last().text.contains(QStringLiteral("nie jest datą")));
            form.pressCancel();
        });
        window.editFilter();
        QCOMPARE(window.filter().documentDescr, QStringLiteral("brama*"));
        QCOMPARE(shownOrders(window), (QList<uint32_t>{a, c}));

        // A date condition matches the day only.
        onModalForm([](ui::RecordForm& form) {
            form.setFieldText(transactions::gui::FilterEditor::ProductionDate, QStringLiteral("13.05.2026"));
            form.pressOk();
        });
        window.editFilter();
        QVERIFY(shownOrders(window).isEmpty());

        // "Usuń filtr" clears every condition.
        onModalForm([](ui::RecordForm& form) { form.button(QStringLiteral("DELFILTER"))->click(); });
        window.editFilter();
        QVERIFY(!window.filter().on);
        QVERIFY(window.filter().documentDescr.isEmpty());
        QVERIFY(!window.filterMark().isVisibleTo(&window));
        QCOMPARE(shownOrders(window), (QList<uint32_t>{a, b, c}));
    }

    void tagAllTakesTheWholeTabAndAnotherTabDropsTheTags()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const Profile rp = profile(QStringLiteral("RP 60x40"), QStringLiteral("Z/2"));
        const uint32_t a = accept(al, 1, 2, 1000);
        const uint32_t b = accept(rp, 1, 2, 1000);
        const uint32_t c = accept(al, 1, 2, 1200);
        const uint32_t d = accept(rp, 1, 2, 1200);
        for (const uint32_t id : {b, c, d})
            QVERIFY(transactions::closeTransaction(db(), services(), id, transactions::CloseMode::Close).done);

        CuttingOrdersWindow window(context(), pdfHandOvers());
        window.chooseTab(CuttingOrdersWindow::ConfirmedTab);
        transactions::TransactionFilter filter;
        filter.on = true;
        filter.profileCode = QStringLiteral("RP*");
        window.setFilter(filter);
        QCOMPARE(shownOrders(window), (QList<uint32_t>{b, d}));

        // Only confirmed orders, also the one the filter hides.
        window.button(QStringLiteral("SELECTALL"))->click();
        QCOMPARE(window.taggedOrders(), (QList<uint32_t>{b, c, d}));
        QVERIFY(window.model().index(0, 0).data(ui::BrowseModelBase::TaggedRole).toBool());
        window.button(QStringLiteral("DESELECTALL"))->click();
        QVERIFY(window.taggedOrders().isEmpty());

        // Tags by the space key; a new filter keeps them, another tab drops them.
        window.setCurrentRow(1);
        QTest::keyClick(&window.list(), Qt::Key_Space);
        QCOMPARE(window.taggedOrders(), (QList<uint32_t>{d}));
        window.setFilter(transactions::TransactionFilter{});
        QCOMPARE(window.taggedOrders(), (QList<uint32_t>{d}));
        window.chooseTab(CuttingOrdersWindow::OpenTab);
        QVERIFY(window.taggedOrders().isEmpty());
        window.button(QStringLiteral("SELECTALL"))->click();
        QCOMPARE(window.taggedOrders(), (QList<uint32_t>{a}));
    }

    void aReprintIsTheFirstPrintAgain()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"), 800);
        // The save prints the summary cut list; the reprint from the list must read the same.
        const QString firstPrint = file(QStringLiteral("first.pdf"));
        const kadrel::CutListPrinter printer = [&](uint32_t profileId, const kadrel::SolutionItemTable& bars,
                                                   const kadrel::SolutionSubitemTable& pieces, uint32_t transaction,
                                                   bool summary) {
            ui::report::PdfOutput pdf(firstPrint);
            QVERIFY(kadrel::printCuts({db(), services(), pdf}, QStringLiteral("PL"), profileId, bars, pieces,
                                      transaction, summary));
        };
        const uint32_t t = accept(al, 3, 4, 1300, QStringLiteral("Balustrada"), printer);
        const uint32_t other = accept(al, 1, 2, 2500);
        const QString first = testing_support::pdfText(firstPrint);
        QVERIFY2(first.contains(QStringLiteral("Balustrada")) || first.contains(QString::number(t)), qPrintable(first));

        CuttingOrdersWindow window(context(), pdfHandOvers());
        highlight(window, t);
        window.button(QStringLiteral("PRINT_SUM"))->click();
        QCOMPARE(printed_.size(), 1);
        QCOMPARE(testing_support::pdfText(printed_.first()), first);

        // The full cut list lists every bar; the print numbers stay as they are.
        const QList<StockTransItemRecord> before = bars(t);
        window.button(QStringLiteral("PRINT"))->click();
        QCOMPARE(printed_.size(), 2);
        const QString full = testing_support::squeezed(testing_support::pdfText(printed_.last()));
        QVERIFY2(full.contains(QStringLiteral("1300")), qPrintable(full));
        QCOMPARE(bars(t).size(), before.size());
        for (int i = 0; i < before.size(); ++i)
            QCOMPARE(bars(t)[i].printId, before[i].printId);

        // Tagged orders are printed each in turn, instead of the highlighted one.
        window.button(QStringLiteral("SELECTALL"))->click();
        window.button(QStringLiteral("PRINT_SUM"))->click();
        QCOMPARE(printed_.size(), 4);
        QCOMPARE(testing_support::pdfText(printed_[2]), first);
        QVERIFY(testing_support::pdfText(printed_[3]).contains(QStringLiteral("2500")));
        Q_UNUSED(other);

        // An order of an older version gets its bar numbers when it is printed.
        for (const StockTransItemRecord& bar : bars(t))
            scenario().change<StockTransItemRecord>(bar.id, [](StockTransItemRecord& r) { r.printId = 0; });
        window.button(QStringLiteral("DESELECTALL"))->click();
        highlight(window, t);
        window.button(QStringLiteral("PRINT"))->click();
        QCOMPARE(printed_.size(), 5);
        QList<uint32_t> numbers;
        for (const StockTransItemRecord& bar : bars(t))
            numbers << bar.printId;
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, (QList<uint32_t>{1, 2, 3}));
    }

    void withoutAReportOutputNothingPrints()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        accept(al, 1, 2, 1000);
        CuttingOrdersWindow window(context(), CuttingOrdersHandOvers{});
        QVERIFY(!window.button(QStringLiteral("PRINT"))->isEnabled());
        QVERIFY(!window.button(QStringLiteral("PRINT_SUM"))->isEnabled());
        window.print(true);
        QVERIFY(printed_.isEmpty());
    }

    void closeReopenAndDeleteThroughTheButtons()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const uint32_t t = accept(al, 2, 4, 1400);
        const uint32_t u = accept(al, 1, 2, 2000);
        CuttingOrdersWindow window(context(), pdfHandOvers());
        highlight(window, t);

        // "Nie" leaves everything as it was.
        std::string before = snapshot();
        dialogs().planAnswers({1});
        window.button(QStringLiteral("CLOSEPROD"))->click();
        QCOMPARE(dialogs().shown().last().text, CloseQuestion);
        QCOMPARE(dialogs().shown().last().buttons, (QStringList{"Tak", "Nie"}));
        QCOMPARE(snapshot(), before);

        // "Tak" confirms: the order leaves the tab, the list stands on the next one.
        dialogs().planAnswers({0});
        window.button(QStringLiteral("CLOSEPROD"))->click();
        QCOMPARE(order(t).status, uint16_t(1));
        QCOMPARE(shownOrders(window), (QList<uint32_t>{u}));
        QCOMPARE(window.current()->id, u);
        VERIFY_LOG_EXPLAINS_STOCK(*this);

        // A confirmed order is not deleted.
        window.chooseTab(CuttingOrdersWindow::ConfirmedTab);
        highlight(window, t);
        before = snapshot();
        dialogs().clear();
        window.button(QStringLiteral("DELETE"))->click();
        QCOMPARE(dialogs().messages(), QStringList{QStringLiteral("Produkcji potwierdzonej raczej nie powinno się usuwać")});
        QCOMPARE(snapshot(), before);

        // Reopening asks twice as hard; "Rezygnacja" keeps it confirmed.
        dialogs().planAnswers({1});
        window.button(QStringLiteral("OPENPROD"))->click();
        QVERIFY(dialogs().shown().last().text.startsWith(QStringLiteral("Uwaga|Kontynuacja spowoduje wycofanie")));
        QCOMPARE(dialogs().shown().last().buttons, (QStringList{"Kontynuacja", "Rezygnacja"}));
        QCOMPARE(snapshot(), before);
        dialogs().planAnswers({0});
        window.button(QStringLiteral("OPENPROD"))->click();
        QCOMPARE(order(t).status, uint16_t(0));
        QVERIFY(shownOrders(window).isEmpty());
        VERIFY_LOG_EXPLAINS_STOCK(*this);

        // Deleting the reopened order gives its pieces back.
        window.chooseTab(CuttingOrdersWindow::OpenTab);
        highlight(window, t);
        dialogs().planAnswers({0});
        QTest::keyClick(&window.list(), Qt::Key_Delete);
        QCOMPARE(dialogs().shown().last().text, DeleteQuestion);
        QVERIFY(!exists(t));
        QCOMPARE(shownOrders(window), (QList<uint32_t>{u}));
        for (const CutRecord& cut : scenario().all<CutRecord>())
            if (cut.lenght == 1400)
                QCOMPARE(cut.status, uint16_t(1));
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void aListThatIsOutOfDateRefusesWhatNoLongerFits()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const uint32_t t = accept(al, 1, 2, 1000);
        const uint32_t u = accept(al, 1, 2, 1200);
        CuttingOrdersWindow window(context(), pdfHandOvers());
        highlight(window, t);

        // Another station confirmed it meanwhile: confirming or deleting it here is refused unasked.
        QVERIFY(transactions::closeTransaction(db(), services(), t, transactions::CloseMode::Close).done);
        std::string before = snapshot();
        window.button(QStringLiteral("CLOSEPROD"))->click();
        QCOMPARE(dialogs().messages().last(), QStringLiteral("Produkcja już potwierdzona"));
        QCOMPARE(snapshot(), before);
        QCOMPARE(shownOrders(window), (QList<uint32_t>{u}));   // the list was read again

        // Another station deleted it meanwhile.
        highlight(window, u);
        QVERIFY(transactions::deleteTransaction(db(), services(), u).done);
        before = snapshot();
        window.button(QStringLiteral("CLOSEPROD"))->click();
        QVERIFY(dialogs().messages().last().contains(QStringLiteral("zostało usunięte na innym stanowisku")));
        QCOMPARE(snapshot(), before);
        QVERIFY(shownOrders(window).isEmpty());
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    void theDescriptionFormWritesTheDescriptionAndTheDate()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const uint32_t t = accept(al, 1, 2, 1000, QStringLiteral("Brama"));
        CuttingOrdersWindow window(context(), pdfHandOvers());
        highlight(window, t);
        onModalForm([this](ui::RecordForm& form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Edycja danych opisowych"));
            QCOMPARE(form.fieldText(0), QStringLiteral("Brama"));
            QCOMPARE(form.fieldText(1), QStringLiteral("12.05.2026"));
            form.setFieldText(0, QStringLiteral("Brama przesuwna"));
            form.setFieldText(1, QStringLiteral("2026-5-20x"));
            form.pressOk();
            QVERIFY(form.isVisible());   // no date: refused
            QVERIFY(dialogs().messages().last().contains(QStringLiteral("nie jest datą")));
            form.setFieldText(1, QStringLiteral("20.5.2026"));
            form.pressOk();
        });
        QTest::keyClick(&window.list(), Qt::Key_Return);
        QCOMPARE(order(t).documentDescr, QStringLiteral("Brama przesuwna"));
        QCOMPARE(order(t).productionDate, QDate(2026, 5, 20));
        QCOMPARE(cell(window, 0, 4), QStringLiteral("Brama przesuwna"));

        // An empty date clears the planned date.
        onModalForm([](ui::RecordForm& form) {
            form.setFieldText(1, QString());
            form.pressOk();
        });
        window.changeRecord();
        QVERIFY(!order(t).productionDate.isValid());
        QCOMPARE(order(t).documentDescr, QStringLiteral("Brama przesuwna"));
    }

    void theSpreadsheetExportWaitsForItsHandOver()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        const uint32_t t = accept(al, 1, 2, 1000);
        const uint32_t u = accept(al, 1, 2, 1200);
        {
            CuttingOrdersWindow window(context(), pdfHandOvers());
            QVERIFY(!window.button(QStringLiteral("EXCEL_EXPORT"))->isVisibleTo(&window));
        }
        QList<QList<uint32_t>> exported;
        bool succeeds = false;
        CuttingOrdersHandOvers handOvers = pdfHandOvers();
        handOvers.spreadsheetExport = [&](const QList<uint32_t>& orders, QWidget*) {
            exported << orders;
            return succeeds;
        };
        CuttingOrdersWindow window(context(), handOvers);
        QVERIFY(window.button(QStringLiteral("EXCEL_EXPORT"))->isVisibleTo(&window));

        // Nothing tagged: the highlighted order is tagged and exported; a failed export keeps the tag.
        highlight(window, u);
        window.button(QStringLiteral("EXCEL_EXPORT"))->click();
        QCOMPARE(exported, (QList<QList<uint32_t>>{{u}}));
        QCOMPARE(window.taggedOrders(), (QList<uint32_t>{u}));

        // A done export drops the tags.
        succeeds = true;
        window.button(QStringLiteral("SELECTALL"))->click();
        window.button(QStringLiteral("EXCEL_EXPORT"))->click();
        QCOMPARE(exported.last(), (QList<uint32_t>{t, u}));
        QVERIFY(window.taggedOrders().isEmpty());
    }

    void theLogRebuildRunsFromTheListsMenu()
    {
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/1"));
        accept(al, 1, 2, 1000);
        CuttingOrdersWindow window(context(), pdfHandOvers());
        QCOMPARE(window.menuBar().actions().first()->text(), QStringLiteral("Menu listy transakcji"));
        QCOMPARE(window.rebuildLogAction().text(), QStringLiteral("Wygeneruj log transakcji"));
        const std::string before = snapshot();
        window.rebuildLogAction().trigger();   // the acceptance has written the log already
        QCOMPARE(dialogs().messages(), QStringList{QStringLiteral("Lista została już wygenerowana")});
        QCOMPARE(snapshot(), before);

        // A database whose log was lost gets it back from its cutting orders.
        Table<StockChangeRecord> log(db());
        for (const StockChangeRecord& line : scenario().all<StockChangeRecord>()) {
            StockChangeRecord r = line;
            QCOMPARE(log.fetch(Table<StockChangeRecord>::Auto, r), 0);
            QCOMPARE(log.remove(), 0);
        }
        dialogs().clear();
        window.rebuildLogAction().trigger();
        QCOMPARE(dialogs().messages(), QStringList{QStringLiteral("Tabela zbudowana")});
        QVERIFY(!scenario().all<StockChangeRecord>().isEmpty());
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }
};

QTEST_MAIN(CuttingOrdersWindowQtTest)
#include "CuttingOrdersWindowQtTest.moc"
