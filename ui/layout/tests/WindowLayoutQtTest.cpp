// Window placement in Barmond.ini, control positions of windows with splitters, column auto-size
// and the standard warnings.

#include "global/DataDirectory.h"
#include "global/ScriptedServices.h"
#include "ui/layout/AutoSizeColumns.h"
#include "ui/layout/ControlPositions.h"
#include "ui/layout/ListFormatDialogs.h"
#include "ui/layout/StandardWarning.h"
#include "ui/layout/WindowPlacement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSettings>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace layout;

class WindowLayoutQtTest : public QObject {
    Q_OBJECT
private slots:
    void windowPlacementRoundTripsThroughBarmondIni()
    {
        QTemporaryDir dir;
        const QString ini = global::iniFile(dir.path());
        QCOMPARE(ini, dir.filePath(QStringLiteral("Barmond.ini")));
        {
            QWidget window;
            window.setGeometry(120, 90, 640, 410);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            iniSaveWindow(window, QStringLiteral("MakeOptimalCut"), ini);
        }
        QSettings settings(ini, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("MakeOptimalCut/Maximize")).toString(), QStringLiteral("No"));
        QCOMPARE(settings.value(QStringLiteral("MakeOptimalCut/Width")).toInt(), 640);
        QCOMPARE(settings.value(QStringLiteral("MakeOptimalCut/Height")).toInt(), 410);

        QWidget restored;
        restored.resize(300, 200);
        iniRestoreWindow(restored, QStringLiteral("MakeOptimalCut"), ini);
        QCOMPARE(restored.size(), QSize(640, 410));
        QCOMPARE(restored.pos(), QPoint(settings.value(QStringLiteral("MakeOptimalCut/XPosit")).toInt(),
                                        settings.value(QStringLiteral("MakeOptimalCut/YPosit")).toInt()));

        // A window of fixed size keeps its own size; a section without a position changes nothing.
        QWidget fixed;
        fixed.setFixedSize(200, 100);
        iniRestoreWindow(fixed, QStringLiteral("MakeOptimalCut"), ini);
        QCOMPARE(fixed.size(), QSize(200, 100));
        QWidget untouched;
        untouched.resize(333, 222);
        iniRestoreWindow(untouched, QStringLiteral("Profiles"), ini);
        QCOMPARE(untouched.size(), QSize(333, 222));
    }

    void positionOutsideEveryScreenIsNotTaken()
    {
        QTemporaryDir dir;
        const QString ini = global::iniFile(dir.path());
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue(QStringLiteral("Profiles/XPosit"), 50000);
            settings.setValue(QStringLiteral("Profiles/YPosit"), 40000);
            settings.setValue(QStringLiteral("Profiles/Width"), 320);
            settings.setValue(QStringLiteral("Profiles/Height"), 240);
        }
        QWidget window;
        window.move(30, 40);
        iniRestoreWindow(window, QStringLiteral("Profiles"), ini);
        QCOMPARE(window.pos(), QPoint(30, 40));
        QCOMPARE(window.size(), QSize(320, 240));
    }

    void formatDialogsKeepTheirPositions()
    {
        QTemporaryDir dir;
        const QString ini = global::iniFile(dir.path());
        global::ScriptedDialogs dialogs;
        global::ListFormatRecord record;
        record.formatName = QStringLiteral("A");
        {
            ChangeListFormatDialog edit(record, {QStringLiteral("ID")}, {QStringLiteral("Lp")}, dialogs, ini);
            edit.move(77, 66);
            edit.reject();
        }
        QSettings settings(ini, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("List Format Manager/edit_x")).toInt(), 77);
        QCOMPARE(settings.value(QStringLiteral("List Format Manager/edit_y")).toInt(), 66);
        ChangeListFormatDialog again(record, {QStringLiteral("ID")}, {QStringLiteral("Lp")}, dialogs, ini);
        QCOMPARE(again.pos(), QPoint(77, 66));
    }

    void maximisedWindowIsStoredWithItsNormalSizeAndReopensMaximised()
    {
        QTemporaryDir dir;
        const QString ini = global::iniFile(dir.path());
        {
            QWidget window;
            window.setGeometry(50, 60, 500, 300);
            window.showMaximized();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            iniSaveWindow(window, QStringLiteral("Main"), ini);
        }
        QSettings settings(ini, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Main/Maximize")).toString(), QStringLiteral("Yes"));
        QCOMPARE(settings.value(QStringLiteral("Main/Width")).toInt(), 500);

        QWidget restored;
        iniRestoreWindow(restored, QStringLiteral("Main"), ini);
        QVERIFY(restored.windowState() & Qt::WindowMaximized);
    }

    void minimisedWindowKeepsThePlacementStoredBefore()
    {
        QTemporaryDir dir;
        const QString ini = global::iniFile(dir.path());
        QWidget window;
        window.setGeometry(10, 20, 400, 250);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        iniSaveWindow(window, QStringLiteral("Profiles"), ini);
        window.resize(700, 500);
        window.setWindowState(Qt::WindowMinimized);
        iniSaveWindow(window, QStringLiteral("Profiles"), ini);
        QSettings settings(ini, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Profiles/Width")).toInt(), 400);
        QCOMPARE(settings.value(QStringLiteral("Profiles/Height")).toInt(), 250);
    }

    void splitterPositionsRoundTripPerUserAndUnknownNamesAreIgnored()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        auto build = [](QWidget& window, QSplitter*& splitter, QWidget*& left) {
            window.resize(600, 300);
            auto* layout = new QHBoxLayout(&window);
            splitter = new QSplitter(Qt::Horizontal, &window);
            left = new QWidget(splitter);
            new QWidget(splitter);
            layout->addWidget(splitter);
        };
        QWidget first;
        QSplitter* splitter = nullptr;
        QWidget* left = nullptr;
        build(first, splitter, left);
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        splitter->setSizes({150, 400});
        ControlPositions positions(store, dialogs, QStringLiteral("MakeOptimalCut"), 4, first);
        positions.addSplitter(QStringLiteral("?REGION2"), *splitter, 1);
        positions.addControl(QStringLiteral("?LIST1"), *left);
        QVERIFY(positions.save());
        const int handleX = splitter->handle(1)->mapTo(&first, QPoint(0, 0)).x();
        QCOMPARE(store.positionCount(), 2);

        global::ControlPositionRecord stray;
        stray.appName = QStringLiteral("Barmond");
        stray.procId = QStringLiteral("MakeOptimalCut");
        stray.userId = 4;
        stray.controlName = QStringLiteral("?Gone");
        stray.x = 5;
        QVERIFY(store.add(stray).ok());

        QWidget second;
        QSplitter* splitter2 = nullptr;
        QWidget* left2 = nullptr;
        build(second, splitter2, left2);
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        ControlPositions again(store, dialogs, QStringLiteral("MakeOptimalCut"), 4, second);
        again.addSplitter(QStringLiteral("?REGION2"), *splitter2, 1);
        again.addControl(QStringLiteral("?LIST1"), *left2);
        QVERIFY(again.restore());
        QCOMPARE(splitter2->handle(1)->mapTo(&second, QPoint(0, 0)).x(), handleX);
        QCOMPARE(left2->width(), left->width());

        // Another user's windows are untouched by these records.
        QList<global::ControlPositionRecord> other;
        QVERIFY(store.positionsOf(QStringLiteral("Barmond"), QStringLiteral("MakeOptimalCut"), 5, other).ok());
        QVERIFY(other.isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void controlPositionFailuresShowTheirTexts()
    {
        MemoryLayoutStore store;
        global::ScriptedDialogs dialogs;
        store.failNext(QStringLiteral("addPosition"), 37);
        QVERIFY(!saveControlPosition(store, dialogs, QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1,
                                     QStringLiteral("?List"), 1, 2, 3, 4));
        store.failNext(QStringLiteral("fetch"), 33);
        QVERIFY(!saveControlPosition(store, dialogs, QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1,
                                     QStringLiteral("?List"), 1, 2, 3, 4));
        store.failNext(QStringLiteral("updatePosition"), 5);
        QVERIFY(!saveControlPosition(store, dialogs, QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1,
                                     QStringLiteral("?List"), 1, 2, 3, 4));
        QWidget window;
        ControlPositions positions(store, dialogs, QStringLiteral("Profiles"), 1, window);
        store.failNext(QStringLiteral("positionsOf"), 47);
        QVERIFY(!positions.restore());
        QCOMPARE(dialogs.messages(),
                 QStringList({QStringLiteral("System error after ADD for LFM_DFile. ErrorCode = 37"),
                              QStringLiteral("System Error after GET for LFM_DFile. ErrorCode = 33"),
                              QStringLiteral("System error after PUT to LFM_DFile. ErrorCode = 5"),
                              QStringLiteral("System Error reading NEXt record from LFM_DFile. ErrorCode = 47")}));

        QVERIFY(saveControlPosition(store, dialogs, QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1,
                                    QStringLiteral("?List"), 7, 8, 9, 10));
        global::ControlPositionRecord record;
        QVERIFY(store.fetch(QStringLiteral("Barmond"), QStringLiteral("Profiles"), 1, QStringLiteral("?List"), record).ok());
        QCOMPARE(record.x + record.y + record.w + record.h, 34u);
    }

    void doubleClickOnADividerFitsTheWidestContent()
    {
        QStandardItemModel model(2, 2);
        model.setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B")});
        model.setItem(1, 0, new QStandardItem(QStringLiteral("a rather long piece of text in one cell")));
        QTableView view;
        view.setModel(&model);
        view.horizontalHeader()->resizeSection(0, 30);
        enableColumnAutoSize(view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const int wanted = widestContent(view, 0);
        QVERIFY(wanted > 100);
        emit view.horizontalHeader()->sectionHandleDoubleClicked(0);
        QCOMPARE(view.horizontalHeader()->sectionSize(0), wanted);
    }

    void standardWarningsShowTheirTitleAndAskWhereTheyAsk()
    {
        global::ScriptedDialogs dialogs;
        dialogs.planAnswers({1});
        QCOMPARE(standardWarning(dialogs, 32), 1);
        QCOMPARE(dialogs.shown()[0].caption, QStringLiteral("Confirm Delete"));
        QCOMPARE(dialogs.shown()[0].buttons.size(), 2);

        QCOMPARE(standardWarning(dialogs, 24, QStringLiteral("ORD:BY_No")), 0);
        QCOMPARE(dialogs.shown()[1].text,
                 QStringLiteral("Adding this record creates a duplicate entry for the key:ORD:BY_No"));
        QVERIFY(dialogs.shown()[1].buttons.isEmpty());

        QCOMPARE(standardWarningText(6, QStringLiteral("UpdOrder")).text,
                 QStringLiteral("The Procedure UpdOrder has not been defined."));
        QCOMPARE(standardWarningText(29, QStringLiteral("Beginning")).title, QStringLiteral("Beginning of File Error"));
        QCOMPARE(standardWarningText(29).title, QStringLiteral("End of File Error"));
        QCOMPARE(standardWarning(dialogs, 17), 0);
        QCOMPARE(dialogs.shown().size(), 2);
    }
};

QTEST_MAIN(WindowLayoutQtTest)
#include "WindowLayoutQtTest.moc"
