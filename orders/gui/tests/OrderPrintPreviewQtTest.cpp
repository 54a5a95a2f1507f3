// The order print started from the orders browse: it goes to the report output the program hands
// in the window context (here a PDF file), and an order that is gone is reported, with nothing
// printed.

#include "global/Database.h"
#include "global/tests/support/TempDataDir.h"
#include "global/Table.h"
#include "orders/gui/OrderPrintPreview.h"
#include "ui/report/PdfOutput.h"
#include "ui/report/tests/support/PdfText.h"
#include "ui/window/ScriptedWindowContext.h"

#include <QFileInfo>
#include <QTest>

using namespace global;

class OrderPrintPreviewQtTest : public QObject {
    Q_OBJECT

private slots:
    void printsToTheOutputOfTheContext()
    {
        testing_support::TestDataDir dir;
        Database db(dir.path());
        QCOMPARE(db.open(), 0);
        ui::ScriptedWindowContext scripted(db);
        const QString file = dir.filePath(QStringLiteral("order.pdf"));
        int outputs = 0;
        scripted.context.reportOutput = [&] {
            ++outputs;
            return std::make_unique<ui::report::PdfOutput>(file);
        };

        OrderRecord order;
        order.number = QStringLiteral("ZL/3");
        QCOMPARE(Table<OrderRecord>(db).addWithNewIdentifier(order), 0);
        OrderProfileRecord position;
        position.orderId = order.id;
        position.profileCode = QStringLiteral("BEZ-PROFILU");   // its profile is not in the catalogue
        QCOMPARE(Table<OrderProfileRecord>(db).addWithNewIdentifier(position), 0);
        CutRecord cut;
        cut.orderId = order.id;
        cut.orderProfileId = position.id;
        cut.lenght = 1200;
        cut.pcs = 3;
        cut.code = QStringLiteral("K7");
        QCOMPARE(Table<CutRecord>(db).addWithNewIdentifier(cut), 0);

        orders::printOrder(scripted.context, order.id, nullptr);
        QCOMPARE(outputs, 1);
        QVERIFY2(scripted.dialogs.messages().isEmpty(), qPrintable(scripted.dialogs.messages().join('\n')));
        const QString text = testing_support::squeezed(testing_support::pdfText(file));
        QVERIFY2(text.contains(QStringLiteral("Zlecenie numer: ZL/3")), qPrintable(text));
        // Without its profile the line has no weight.
        QVERIFY2(text.contains(QStringLiteral("BEZ-PROFILU 1200 3 N 3,60 K7")), qPrintable(text));

        const QString gone = dir.filePath(QStringLiteral("gone.pdf"));
        scripted.context.reportOutput = [&] { return std::make_unique<ui::report::PdfOutput>(gone); };
        orders::printOrder(scripted.context, order.id + 1, nullptr);
        QCOMPARE(scripted.dialogs.messages(),
                 QStringList{QStringLiteral("Systemowy błąd odwołania do zamówienia. Numer błędu = 35")});
        QVERIFY(!QFileInfo::exists(gone));
    }
};

QTEST_MAIN(OrderPrintPreviewQtTest)
#include "OrderPrintPreviewQtTest.moc"
