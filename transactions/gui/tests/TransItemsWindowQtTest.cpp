// The bar/piece tree of a cutting order: its lines in print order, opening and closing it, the
// heat number edited through the heat-number form, copied and pasted into other bars, the insert
// and delete the form refuses, another station's change, and an order of an older version.

#include "transactions/gui/TransItemsWindow.h"
#include "transactions/gui/tests/support/CuttingOrderFixture.h"

#include "stock/gui/HeatNumberForm.h"
#include "ui/form/RecordForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>

using namespace global;
using transactions::gui::TransItemsWindow;

class TransItemsWindowQtTest : public QObject, public cutting_order_tests::CuttingOrderFixture {
    Q_OBJECT

    transactions::gui::HeatNumberForm heatNumberForm()
    {
        return [this](ui::FormRequest request, StockTransItemRecord& bar, QWidget* parent) {
            return stock::gui::runHeatNumberForm(context(), request, bar, parent);
        };
    }

    QStringList barLines(TransItemsWindow& window)
    {
        QStringList lines;
        QStandardItem* root = window.model().item(0);
        for (int i = 0; root && i < root->rowCount(); ++i)
            lines << root->child(i)->text();
        return lines;
    }

    QString heatNumberOf(uint32_t bar) { return scenario().fetch<StockTransItemRecord>(bar).heatNumber; }

    uint32_t t_ = 0;

private slots:
    void init()
    {
        start();
        const Profile al = profile(QStringLiteral("AL 40x40"), QStringLiteral("Z/7"));
        t_ = accept(al, 3, 2, 2500);
    }
    void cleanup() { finish(); }

    void theTreeShowsTheBarsInPrintOrderWithTheirPieces()
    {
        QList<StockTransItemRecord> stored = bars(t_);
        scenario().change<StockTransItemRecord>(stored[1].id, [](StockTransItemRecord& r) { r.heatNumber = "W-77"; });
        TransItemsWindow window(context(), t_, heatNumberForm());
        QVERIFY(window.load());
        QCOMPARE(window.windowTitle(), QStringLiteral("Techniczna lista transakcji %1").arg(t_));
        QCOMPARE(window.model().item(0)->text(), QStringLiteral("    Nr  Długość Odpad   Numer wytopu"));
        const QStringList lines = barLines(window);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("    1  6000   990     "));
        QCOMPARE(lines[1], QStringLiteral("    2  6000   990     W-77"));
        QStandardItem* firstBar = window.model().item(0)->child(0);
        QCOMPARE(firstBar->rowCount(), 2);
        QVERIFY(firstBar->child(0)->text().startsWith(QString(13, QLatin1Char(' ')) + QStringLiteral("    2500     Z/7")));
        QVERIFY(firstBar->child(0)->text().contains(QStringLiteral("K-2500")));

        // Opened at first; closing leaves the bars in sight.
        QVERIFY(window.tree().isExpanded(firstBar->index()));
        window.button(QStringLiteral("CONTRACT"))->click();
        QVERIFY(window.tree().isExpanded(window.model().item(0)->index()));
        QVERIFY(!window.tree().isExpanded(firstBar->index()));
        window.button(QStringLiteral("EXPAND"))->click();
        QVERIFY(window.tree().isExpanded(window.model().item(0)->child(2)->index()));

        // The bar actions work on bar lines only.
        window.highlightBar(0, 1);
        QVERIFY(!window.currentBar());
        QVERIFY(!window.button(QStringLiteral("CHANGE"))->isEnabled());
        QVERIFY(!window.button(QStringLiteral("COPYHEATNO"))->isEnabled());
        window.highlightBar(1);
        QCOMPARE(window.currentBar()->item.heatNumber, QStringLiteral("W-77"));
        QVERIFY(window.button(QStringLiteral("CHANGE"))->isEnabled());
    }

    void theHeatNumberIsEditedThroughItsForm()
    {
        TransItemsWindow window(context(), t_, heatNumberForm());
        QVERIFY(window.load());
        window.highlightBar(2);
        const uint32_t bar = window.currentBar()->item.id;
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Edycja numeru wytopu"));
            form->setFieldText(stock::gui::HeatNumberEditor::HeatNumber, QStringLiteral("W-2231"));
            form->pressOk();
        });
        QTest::keyClick(&window.tree(), Qt::Key_Return);
        QCOMPARE(heatNumberOf(bar), QStringLiteral("W-2231"));
        QVERIFY(barLines(window)[2].endsWith(QStringLiteral("W-2231")));
        QCOMPARE(window.currentBar()->item.id, bar);   // the tree stands where it stood

        // Insert and delete are refused by the form.
        const std::string before = snapshot();
        window.editHeatNumber(ui::FormRequest::Insert);
        window.editHeatNumber(ui::FormRequest::Delete);
        QCOMPARE(dialogs().shown().size(), 2);
        QCOMPARE(dialogs().shown()[0].caption, QStringLiteral("Invalid Request"));
        QCOMPARE(snapshot(), before);
    }

    void aHeatNumberIsCopiedAndPastedIntoOtherBars()
    {
        TransItemsWindow window(context(), t_, heatNumberForm());
        QVERIFY(window.load());
        const QList<StockTransItemRecord> stored = bars(t_);
        scenario().change<StockTransItemRecord>(stored[2].id, [](StockTransItemRecord& r) { r.heatNumber = "W-9"; });
        QVERIFY(window.load());

        // Nothing remembered yet: pasting would wipe numbers, so it is not offered.
        window.highlightBar(0);
        QVERIFY(!window.button(QStringLiteral("PASTEHEATNO"))->isEnabled());
        const std::string before = snapshot();
        window.pasteHeatNumber();
        QCOMPARE(snapshot(), before);

        window.highlightBar(0);
        scenario().change<StockTransItemRecord>(stored[0].id, [](StockTransItemRecord& r) { r.heatNumber = "W-1 "; });
        QVERIFY(window.load());
        window.button(QStringLiteral("COPYHEATNO"))->click();
        QCOMPARE(window.rememberedNumber().text(), QStringLiteral("W-1"));
        QVERIFY(window.button(QStringLiteral("PASTEHEATNO"))->isEnabled());
        window.highlightBar(1);
        window.addBarToSelection(2);
        window.button(QStringLiteral("PASTEHEATNO"))->click();
        for (const StockTransItemRecord& bar : bars(t_))
            QCOMPARE(bar.heatNumber, QStringLiteral("W-1"));
        QVERIFY(dialogs().shown().isEmpty());

        // A number typed into the field is pasted too.
        window.rememberedNumber().setText(QStringLiteral("X-5"));
        window.highlightBar(2);
        window.button(QStringLiteral("PASTEHEATNO"))->click();
        QCOMPARE(heatNumberOf(stored[2].id), QStringLiteral("X-5"));
        QVERIFY(barLines(window)[2].endsWith(QStringLiteral("X-5")));
    }

    void anotherStationsChangeIsNotOverwritten()
    {
        TransItemsWindow window(context(), t_, heatNumberForm());
        QVERIFY(window.load());
        window.rememberedNumber().setText(QStringLiteral("W-3"));
        window.highlightBar(0);
        const uint32_t bar = window.currentBar()->item.id;
        scenario().change<StockTransItemRecord>(bar, [](StockTransItemRecord& r) { r.heatNumber = "OBCY"; });
        window.button(QStringLiteral("PASTEHEATNO"))->click();
        QCOMPARE(heatNumberOf(bar), QStringLiteral("OBCY"));
        QCOMPARE(dialogs().shown().size(), 1);
        QCOMPARE(dialogs().shown().first().caption, QStringLiteral("Record Was Not Updated"));
        QVERIFY(barLines(window)[0].endsWith(QStringLiteral("OBCY")));   // the tree shows it now
    }

    void anOrderOfAnOlderVersionIsNotShownBeforeItIsPrinted()
    {
        for (const StockTransItemRecord& bar : bars(t_))
            scenario().change<StockTransItemRecord>(bar.id, [](StockTransItemRecord& r) { r.printId = 0; });
        TransItemsWindow window(context(), t_, heatNumberForm());
        QVERIFY(!window.load());
        QCOMPARE(dialogs().messages(), QStringList{transactions::PrintNumbersMissingText});
    }
};

QTEST_MAIN(TransItemsWindowQtTest)
#include "TransItemsWindowQtTest.moc"
