// The stock-log window over lines written by the length procedures: the two tabs (their captions,
// which lines each lists, the second hidden for a whole profile), the columns with their grouped
// heading, the operation texts, no action but closing, and the English texts.

#include "stock/gui/StockLogWindow.h"
#include "stock/gui/tests/support/StockWindowFixture.h"

#include "global/StockBooking.h"
#include "stock/StockLengths.h"
#include "ui/browse/GroupedHeader.h"

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTranslator>

using namespace global;
using stock::gui::StockLogWindow;

class StockLogWindowQtTest : public QObject, public stock_window_tests::StockWindowFixture {
    Q_OBJECT

    // Profile 4: 6000 mm added with 10, changed to 7, 3000 mm added with 3 and deleted;
    // profile 5: 2000 mm added with 1.
    void writeHistory()
    {
        addProfile(5, QStringLiteral("AL-20"));
        stock::LengthForm form(db(), services());
        ProfileLengthRecord a6000;
        a6000.lenght = 6000;
        a6000.intStock = 10;
        QCOMPARE(form.insert(4, a6000), stock::LengthResponse::Done);
        ProfileLengthRecord a2000;
        a2000.lenght = 2000;
        a2000.intStock = 1;
        QCOMPARE(form.insert(5, a2000), stock::LengthResponse::Done);
        ProfileLengthRecord a3000;
        a3000.lenght = 3000;
        a3000.intStock = 3;
        QCOMPARE(form.insert(4, a3000), stock::LengthResponse::Done);
        ProfileLengthRecord changed = a6000;
        changed.intStock = 7;
        QCOMPARE(form.change(a6000, changed), stock::LengthResponse::Done);
        dialogs().planAnswers({0});
        QCOMPARE(form.remove(a3000), stock::LengthResponse::Done);
        VERIFY_LOG_EXPLAINS_STOCK(*this);
    }

    static QString cell(StockLogWindow& window, int row, int column)
    {
        return window.model().data(window.model().index(row, column), Qt::DisplayRole).toString();
    }
    static QList<uint32_t> ids(StockLogWindow& window)
    {
        QList<uint32_t> out;
        for (int row = 0; row < window.model().rowCount(); ++row)
            out << window.model().record(row).id;
        return out;
    }

private slots:
    void init()
    {
        start();
        addProfile(4, QStringLiteral("KW-40"));
    }
    void cleanup() { finish(); }

    void theLengthTabIsChosenAndListsOnlyThatLengthTheProfileTabEveryLineOfTheProfile()
    {
        writeHistory();
        StockLogWindow window(context(), 4, 6000);
        QCOMPARE(window.windowTitle(), QStringLiteral("Kartoteka wybranego profila"));
        QCOMPARE(window.tabBar()->count(), 2);
        QVERIFY(window.tabBar()->isTabVisible(StockLogWindow::LengthTab));
        QCOMPARE(window.currentTab(), int(StockLogWindow::LengthTab));
        QCOMPARE(window.tabBar()->tabText(StockLogWindow::ProfileTab), QStringLiteral("KW-40"));
        QCOMPARE(window.tabBar()->tabText(StockLogWindow::LengthTab), QStringLiteral("6000"));
        QCOMPARE(ids(window), (QList<uint32_t>{1, 4}));

        window.chooseTab(StockLogWindow::ProfileTab);
        QCOMPARE(ids(window), (QList<uint32_t>{1, 3, 4, 5}));
        // The delete of 3000 mm: its change, the counts after it, the profile's metres after it.
        const int deleted = 3;
        QCOMPARE(cell(window, deleted, 0), QStringLiteral("5"));
        QCOMPARE(cell(window, deleted, 1), QStringLiteral("06.05.2026"));
        QCOMPARE(cell(window, deleted, 2), QStringLiteral("09:30"));
        QCOMPARE(cell(window, deleted, 3), QStringLiteral("Usun. długości"));
        QCOMPARE(cell(window, deleted, 4), QString::number(window.model().record(deleted).docId));
        QCOMPARE(cell(window, deleted, 5), QStringLiteral("3 000"));
        QCOMPARE(cell(window, deleted, 6), QStringLiteral("-3"));
        QCOMPARE(cell(window, deleted, 9), QStringLiteral("0"));
        QCOMPARE(cell(window, deleted, 12), QStringLiteral("42.000"));   // 7 × 6 m
        QCOMPARE(cell(window, deleted, 15), identity().computerName());
        QCOMPARE(cell(window, deleted, 16), identity().userName());
        QCOMPARE(cell(window, 1, 3), QStringLiteral("Dop. długości"));
        QCOMPARE(cell(window, 2, 3), QStringLiteral("Zmiana ilości"));
    }

    void aWholeProfileHidesTheLengthTab()
    {
        writeHistory();
        StockLogWindow window(context(), 5, 0);
        QVERIFY(!window.tabBar()->isTabVisible(StockLogWindow::LengthTab));
        QCOMPARE(window.currentTab(), int(StockLogWindow::ProfileTab));
        QCOMPARE(ids(window), QList<uint32_t>{2});
        QCOMPARE(window.tabBar()->tabText(StockLogWindow::ProfileTab), QStringLiteral("AL-20"));
    }

    void theHeadingGroupsTheColumnsAndTheOnlyActionIsClosing()
    {
        writeHistory();
        StockLogWindow window(context(), 4, 6000);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* header = qobject_cast<ui::GroupedHeader*>(window.list().horizontalHeader());
        QVERIFY(header);
        QCOMPARE(window.model().columnCount(), 17);
        const QStringList captions{"Id",  "Data", "Godz", "Transakcja", "Id",  "[ mm ]", "Mag",  "Zewn",    "Prod",
                                   "Mag", "Zewn", "Prod", "Mag",        "Zewn", "Prod",  "Komp", "Operator"};
        const QStringList groups{"",
                                 "Czas oeracji",
                                 "Czas oeracji",
                                 "",
                                 "",
                                 "Długość",
                                 "Zmiana [szt]",
                                 "Zmiana [szt]",
                                 "Zmiana [szt]",
                                 "Po operacji [szt]",
                                 "Po operacji [szt]",
                                 "Po operacji [szt]",
                                 "Profil po operacji [mb]",
                                 "Profil po operacji [mb]",
                                 "Profil po operacji [mb]",
                                 "",
                                 ""};
        for (int column = 0; column < captions.size(); ++column) {
            QCOMPARE(window.model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), captions[column]);
            QCOMPARE(header->groupCaption(column), groups[column]);
        }
        QVERIFY(header->height() >= 2 * header->fontMetrics().height());
        QVERIFY(!window.grab().isNull());   // the heading paints

        for (const char* name : {"INSERT", "CHANGE", "DELETE", "VIEW"})
            QVERIFY(!window.button(QString::fromLatin1(name))->isVisibleTo(&window));
        const std::string before = snapshot();
        window.insertRecord();
        window.changeRecord();
        window.deleteRecord();
        QCOMPARE(snapshot(), before);
        QVERIFY(window.button(QStringLiteral("CLOSE"))->isVisibleTo(&window));
        window.button(QStringLiteral("CLOSE"))->click();
        QVERIFY(!window.isVisible());
    }

    void everyOperationHasItsText()
    {
        for (uint16_t type = 0; type < 20; ++type)
            QCOMPARE(stock::gui::operationText(type), stockOperationText(type));
    }

    void theTextsAreEnglishWithTheEnglishTranslation()
    {
        writeHistory();
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/stock_lengths_en.qm")));
        QCoreApplication::installTranslator(&english);
        StockLogWindow window(context(), 4, 6000);
        auto* header = qobject_cast<ui::GroupedHeader*>(window.list().horizontalHeader());
        const QString title = window.windowTitle();
        const QString group = header->groupCaption(1);
        const QString column = window.model().headerData(6, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString operation = cell(window, 0, 3);
        const QString tab = window.tabBar()->tabText(StockLogWindow::ProfileTab);
        QCoreApplication::removeTranslator(&english);
        QCOMPARE(title, QStringLiteral("Stock record of the profile"));
        QCOMPARE(group, QStringLiteral("Operation time"));
        QCOMPARE(column, QStringLiteral("Own"));
        QCOMPARE(operation, QStringLiteral("Length added"));
        QCOMPARE(tab, QStringLiteral("KW-40"));
    }
};

QTEST_MAIN(StockLogWindowQtTest)
#include "StockLogWindowQtTest.moc"
