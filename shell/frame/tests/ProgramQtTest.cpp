// One run of the program on a fresh data directory with scripted services: start-up (database,
// identification, parameters), the menu items that work and those still without a window, the
// parameters window changing the language of the frame, and the maintenance questions in English.

#include "orders/gui/InterfaceMapWindow.h"
#include "settings/gui/SetupParEditor.h"
#include "settings/gui/SetupParWindow.h"
#include "stock/gui/ProfileCatalogueWindow.h"
#include "transactions/gui/CuttingOrdersWindow.h"
#include "shell/frame/Program.h"
#include "ui/form/RecordForm.h"

#include "global/DataDirectory.h"
#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "global/Table.h"
#include "global/DatabaseLocation.h"
#include "global/tests/support/TempDataDir.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtSql/QSqlQuery>

using namespace global;
using shell::MainFrame;
using shell::Program;
using Item = MainFrame::Item;

class ProgramQtTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing_support::TestDataDir> dir_;
    ScriptedDialogs dialogs_;
    MemoryClipboard clipboard_;
    FixedClock clock_{QDateTime(QDate(2026, 3, 9), QTime(7, 5, 4))};
    FixedIdentity identity_{QStringLiteral("jan"), QStringLiteral("WORKSHOP-7")};

    Services services() { return Services{dialogs_, clipboard_, clock_, identity_}; }

private slots:
    void init()
    {
        dir_ = std::make_unique<testing_support::TestDataDir>();
        dialogs_ = ScriptedDialogs{};
        glo() = Globals{};
    }

    void startCreatesTheDatabaseIdentifiesTheStationAndLoadsTheParameters()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        // The file of the data directory, or the server database its Barmond.ini names.
        QCOMPARE(QFile::exists(databaseFile(dir_->path())), !testing_support::onTestServer());
        QCOMPARE(isOnServer(program.database()), testing_support::onTestServer());
        QCOMPARE(glo().sysUser, QStringLiteral("jan"));
        QCOMPARE(glo().sysCompName, QStringLiteral("WORKSHOP-7"));
        QCOMPARE(glo().userLp, 1u);
        QCOMPARE(glo().sawWidth, 5u);
        QVERIFY(dialogs_.shown().isEmpty());
        QCOMPARE(program.frame().windowTitle(), QStringLiteral("Optymalizacja rozkroju profili i prętów"));
        // The status bar names the database the station works on.
        const QString shown = testing_support::onTestServer() ? locationFromAddress(dir_->serverAddress()).displayName()
                                                               : QDir::toNativeSeparators(databaseFile(dir_->path()));
        QCOMPARE(program.frame().databaseFieldText(), shown);
    }

    void aServerDatabaseOfAnotherProgramIsReportedAndTheProgramDoesNotStart()
    {
        if (!testing_support::onTestServer())
            QSKIP("a server database is needed (the damaged file is the case of the database file)");
        {
            Database foreign = Database::atFile(dir_->serverAddress());
            QSqlDatabase connection = foreign.connection();
            QVERIFY(connection.isOpen());
            QSqlQuery q(connection);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE invoices (id integer PRIMARY KEY)")));
        }
        Program program(dir_->path(), services());
        QVERIFY(!program.start());
        QCOMPARE(dialogs_.shown().size(), 1);
        const QString name = locationFromAddress(dir_->serverAddress()).displayName();
        QVERIFY2(dialogs_.shown()[0].text.contains(name), qPrintable(dialogs_.shown()[0].text));
        Database check = Database::atFile(dir_->serverAddress());
        QSqlQuery tables(check.connection());
        QVERIFY(tables.exec(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE table_schema = 'public'")));
        QVERIFY(tables.next());
        QCOMPARE(tables.value(0).toInt(), 1);   // nothing created beside the other program's table
    }

    void aDamagedDatabaseIsReportedAndTheProgramDoesNotStart()
    {
        if (testing_support::onTestServer())
            QSKIP("about the database file of the data directory, which a server database does not use");
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("DB")));
        QFile garbage(databaseFile(dir_->path()));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        Program program(dir_->path(), services());
        QVERIFY(!program.start());
        QCOMPARE(dialogs_.shown().size(), 1);
        QVERIFY2(dialogs_.shown()[0].text.contains(QStringLiteral("barmond.db")), qPrintable(dialogs_.shown()[0].text));
        QCOMPARE(garbage.size(), 4096);   // nothing written into it
    }

    void aDatabaseOfAnOlderLayoutIsOfferedTheConversionBeforeTheFrame()
    {
        if (testing_support::onTestServer())
            QSKIP("starts from a database file of layout version 1 read directly");
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("DB")));
        QVERIFY(QFile::copy(QStringLiteral(LAYOUT_V1_DATABASE), databaseFile(dir_->path())));
        QFile::setPermissions(databaseFile(dir_->path()), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        dialogs_.planAnswers({1});
        {
            Program declined(dir_->path(), services());
            QVERIFY(!declined.start());
        }
        dialogs_ = ScriptedDialogs{};
        dialogs_.planAnswers({0});
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        QCOMPARE(dialogs_.shown().size(), 2);
        QCOMPARE(dialogs_.shown()[0].buttons, (QStringList{QStringLiteral("Tak"), QStringLiteral("Nie")}));
        QVERIFY2(dialogs_.shown()[1].text.startsWith(QStringLiteral("Konwersja przebiegła pomyślnie")),
                 qPrintable(dialogs_.shown()[1].text));
        QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("DB/Backup_conv/20260309-070504/barmond.db"))));
        QCOMPARE(glo().userLp, 2u);   // numbered after the station the earlier program kept in the file
    }

    void theFrameKeepsItsPlaceInTheIniFile()
    {
        {
            Program program(dir_->path(), services());
            QVERIFY(program.start([](MainFrame& frame) { frame.show(); }));
            program.frame().setGeometry(120, 90, 820, 610);
            program.frame().close();
        }
        QSettings ini(iniFile(dir_->path()), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("Main/Width")).toInt(), 820);
        QCOMPARE(ini.value(QStringLiteral("Main/Maximize")).toString(), QStringLiteral("No"));

        Program again(dir_->path(), services());
        QVERIFY(again.start());
        QCOMPARE(again.frame().size(), QSize(820, 610));
    }

    void windowsOfLaterWorkStayDisabled()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        MainFrame& frame = program.frame();
        for (Item item : {Item::Orders, Item::Profiles, Item::CuttingOrders, Item::RestoreLayouts, Item::Parameters,
                          Item::ImportMapping, Item::ImportCuts, Item::ImportProfiles, Item::PrinterSettings,
                          Item::ConvertDatabase, Item::TestDatabase, Item::DeleteDatabase, Item::About})
            QVERIFY(frame.action(item)->isEnabled());
    }

    void theProfileListIsImportedFromTheClipboardThroughTheMenu()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        dialogs_.clear();
        clipboard_.setText(QStringLiteral("PL-1\tKątownik 20x20\t600\r\nPL-2\tRura 30\t450\r\n"));
        program.frame().action(Item::ImportProfiles)->trigger();
        Table<ProfileRecord> profiles(program.database());
        ProfileRecord angle;
        angle.profileCode = QStringLiteral("PL-1");
        QCOMPARE(profiles.fetch(Table<ProfileRecord>::ByCode, angle), 0);
        QCOMPARE(angle.descr, QStringLiteral("Kątownik 20x20"));
        QCOMPARE(profiles.count(Table<ProfileRecord>::Auto), 2);
        QVERIFY(dialogs_.messages().join(QLatin1Char('\n')).contains(QStringLiteral("Nowe profile: 2")));
    }

    void theCutImportOfTheMenuAsksForTheWorkbookUsedLast()
    {
        ScriptedFileChooser files;
        MemoryUserValues values;
        values.setValue(QStringLiteral("LastInterfaceFile"), QStringLiteral("/dane/odcinki.xlsx"));
        Program program(dir_->path(), Services{dialogs_, clipboard_, clock_, identity_, files, values});
        QVERIFY(program.start());
        files.planFiles({QString()});   // cancelled: nothing else happens
        program.frame().action(Item::ImportCuts)->trigger();
        QCOMPARE(files.asked(), QStringList{"Wybierz plik Ms Excel"});
        QCOMPARE(files.startPaths(), QStringList{"/dane/odcinki.xlsx"});
        QVERIFY(dialogs_.messages().isEmpty());
    }

    void theCatalogueOpensAsAWindowOfTheFrameSeveralTimes()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        program.frame().show();
        program.frame().action(Item::Profiles)->trigger();
        program.frame().action(Item::Profiles)->trigger();
        const QList<QMdiSubWindow*> windows = program.frame().mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 2);
        auto* catalogue = dynamic_cast<stock::ProfileCatalogueWindow*>(windows.first()->widget());
        QVERIFY(catalogue);
        QVERIFY(!catalogue->button(QStringLiteral("OPTYMALIZATOR1"))->isEnabled());   // no profile yet
        QVERIFY(program.catalogueHandOvers().optimizer);
    }

    void theOrdersBrowseOpensAsAWindowOfTheFrameSeveralTimes()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        program.frame().show();
        program.frame().action(Item::Orders)->trigger();
        program.frame().action(Item::Orders)->trigger();
        const QList<QMdiSubWindow*> windows = program.frame().mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 2);
        auto* browse = dynamic_cast<orders::gui::OrdersListWindow*>(windows.first()->widget());
        QVERIFY(browse);
        QCOMPARE(browse->windowTitle(), QStringLiteral("Lista zleceń / zamówień"));
        QVERIFY(browse->button(QStringLiteral("INSERT:1"))->isEnabled());
        QVERIFY(!browse->button(QStringLiteral("OPTYMALIZATOR1"))->isEnabled());   // no position yet
        const orders::gui::OrdersListHandOvers handOvers = program.ordersHandOvers();
        QVERIFY(handOvers.optimizer);
        QVERIFY(handOvers.lengthForm);
        QVERIFY(handOvers.selectProfile);
        QVERIFY(handOvers.printOrder);
    }

    void theCuttingOrdersOpenAsAWindowOfTheFrameSeveralTimes()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        program.frame().show();
        program.frame().action(Item::CuttingOrders)->trigger();
        program.frame().action(Item::CuttingOrders)->trigger();
        const QList<QMdiSubWindow*> windows = program.frame().mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 2);
        auto* list = dynamic_cast<transactions::gui::CuttingOrdersWindow*>(windows.first()->widget());
        QVERIFY(list);
        QCOMPARE(list->tabBar()->tabText(0), QStringLiteral("Otwarte"));
        // Printing goes to the preview, the tree to the heat-number form and the export button to
        // the workbook export.
        const transactions::gui::CuttingOrdersHandOvers handOvers = program.cuttingOrdersHandOvers();
        QVERIFY(handOvers.reportOutput && handOvers.heatNumberForm && handOvers.spreadsheetExport);
        QVERIFY(list->button(QStringLiteral("EXCEL_EXPORT"))->isVisibleTo(list));
    }

    void languageSetInTheParametersTakesEffectWhenTheListCloses()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        program.frame().show();
        program.frame().action(Item::Parameters)->trigger();
        const QList<QMdiSubWindow*> windows = program.frame().mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 1);   // a window of the frame, not a modal one
        auto* list = dynamic_cast<settings::SetupParWindow*>(windows.first()->widget());
        QVERIFY(list);
        list->highlight(QStringLiteral("GLO:LANGUAGE"));
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<ui::RecordForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            form->setFieldText(int(settings::SetupParField::Value), QStringLiteral("EN"));
            form->pressOk();
        });
        list->changeRecord();
        QCOMPARE(glo().language, QStringLiteral("PL"));   // not before the list closes
        windows.first()->close();
        QCOMPARE(glo().language, QStringLiteral("EN"));
        QCOMPARE(program.frame().windowTitle(), QStringLiteral("Cutting optimization profiles and rods"));

        // The maintenance questions now come in English.
        dialogs_.planAnswers({1, 1});
        program.restoreLayouts();
        program.deleteDatabase();
        QCOMPARE(dialogs_.shown().size(), 2);
        QCOMPARE(dialogs_.shown()[0].text,
                 QStringLiteral("Do you want to restore all program windows settings to default formats ?"));
        QCOMPARE(dialogs_.shown()[0].buttons, (QStringList{"Yes", "No"}));
        QCOMPARE(dialogs_.shown()[1].text, QStringLiteral("Are you sure you want to delete all data from the database?"));
        QCOMPARE(dialogs_.shown()[1].buttons, (QStringList{" Yes ", " No "}));

        dialogs_.clear();
        dialogs_.planAnswers({0, 0});
        program.deleteDatabase();
        const QString folder = QStringLiteral("DB/Backup/20260309070504");
        QCOMPARE(dialogs_.shown()[1].text,
                 "System will copy database files to the folder " + folder
                     + ".|This folder is obsolete for the normal system work. "
                       "It could be anyway used to restore data by coping all files to \\DB folder. "
                       "You can also delete whole folder. |Warning, all program widows must be closed !||"
                       "Do you really want to continue?");
        QCOMPARE(dialogs_.shown()[2].text,
                 "Operation terminated without errors. Database is empty. Copy still exists in the folder " + folder);

        glo().language = QStringLiteral("PL");
        program.frame().applyLanguageSetting();
    }

    void browsesAreWindowsOfTheFrameListedTiledAndCascaded()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start([](MainFrame& frame) {
            frame.resize(1000, 700);
            frame.show();
        }));
        QWidget* first = program.openParameters();
        QWidget* second = program.openParameters();
        QMdiArea* area = program.frame().mdiArea();
        QCOMPARE(area->subWindowList().size(), 2);
        QCOMPARE(area->activeSubWindow()->widget(), second);

        auto* windows = program.frame().findChild<QMenu*>(QStringLiteral("windowsMenu"));
        emit windows->aboutToShow();
        QStringList listed;
        for (QAction* action : windows->actions())
            if (!action->isSeparator())
                listed << action->text();
        QCOMPARE(listed, (QStringList{"Kaskada", "Rozmieść poziomo", "Rozmieść pionowo",
                                      "&1 Parametry konfiguracyjne programu", "&2 Parametry konfiguracyjne programu"}));
        windows->actions().at(4)->trigger();   // the first window comes to the front
        QCOMPARE(area->activeSubWindow()->widget(), first);

        program.frame().tileVertically();
        const QRect left = area->subWindowList().at(0)->geometry();
        const QRect right = area->subWindowList().at(1)->geometry();
        QCOMPARE(left.height(), area->viewport()->height());
        QCOMPARE(right.left(), left.right() + 1);
        windows->actions().at(0)->trigger();   // cascade: one below the other, shifted
        QVERIFY(area->subWindowList().at(1)->geometry().top() > area->subWindowList().at(0)->geometry().top());

        // Closing the frame closes its windows first; each keeps its place in Barmond.ini, and the
        // list opens there again inside the frame.
        area->subWindowList().at(1)->setGeometry(30, 20, 430, 310);
        program.frame().close();
        QSettings ini(iniFile(dir_->path()), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("SETUP_PAR/Width")).toInt(), 430);

        Program again(dir_->path(), services());
        QVERIFY(again.start([](MainFrame& frame) { frame.show(); }));
        again.openParameters();
        QCOMPARE(again.frame().mdiArea()->subWindowList().first()->geometry(), QRect(30, 20, 430, 310));
    }

    void theFieldMapOpensFromTheMenuBesideTheParameterList()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start([](MainFrame& frame) { frame.show(); }));
        program.openParameters();
        program.frame().action(Item::ImportMapping)->trigger();
        QMdiArea* area = program.frame().mdiArea();
        QCOMPARE(area->subWindowList().size(), 2);
        auto* map = dynamic_cast<orders::InterfaceMapWindow*>(area->activeSubWindow()->widget());
        QVERIFY(map);
        auto* windows = program.frame().findChild<QMenu*>(QStringLiteral("windowsMenu"));
        emit windows->aboutToShow();
        QStringList listed;
        for (QAction* action : windows->actions())
            if (!action->isSeparator())
                listed << action->text();
        QCOMPARE(listed.mid(3), (QStringList{"&1 Parametry konfiguracyjne programu",
                                             "&2 Mapowanie pól do importu danych"}));
        area->activeSubWindow()->setGeometry(40, 30, 450, 320);
        program.frame().close();
        QSettings ini(iniFile(dir_->path()), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("MapImportFields/Width")).toInt(), 450);
    }

    void sampleDataGoesOnlyIntoAnEmptyDatabase()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        QString report;
        QVERIFY(program.fillSampleIfEmpty(report));
        QVERIFY2(report.startsWith(QStringLiteral("Sample data added")), qPrintable(report));
        Table<ProfileRecord> profiles(program.database());
        const qint64 count = profiles.count(Table<ProfileRecord>::Auto);
        QVERIFY(count > 0);
        QVERIFY(program.fillSampleIfEmpty(report));
        QVERIFY2(report.contains(QStringLiteral("no sample data added")), qPrintable(report));
        QCOMPARE(profiles.count(Table<ProfileRecord>::Auto), count);
    }

    void optimizerOpensForAProfileOfTheSample()
    {
        Program program(dir_->path(), services());
        QVERIFY(program.start());
        QString report;
        QVERIFY(program.fillSampleIfEmpty(report));
        program.frame().show();
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(window);
            seen = true;
            // The window takes no input while it calculates: keep asking until it closes.
            auto* closer = new QTimer(window);
            QObject::connect(closer, &QTimer::timeout, window, [window] { window->reject(); });
            closer->start(100);
        });
        shell::OptimizeRequest request;
        request.profile = 1;
        program.openOptimizer(request);
        QVERIFY(seen);
    }
};

QTEST_MAIN(ProgramQtTest)
#include "ProgramQtTest.moc"
