// The main frame: its title, menus and tool bar in Polish and in English, the language switch on
// regaining focus, the status-bar clock, items without a window disabled, the splash window.

#include "global/Globals.h"
#include "global/ScriptedServices.h"
#include "shell/frame/LanguageSwitch.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/PrinterSettings.h"
#include "shell/frame/ProgramInfo.h"
#include "shell/frame/SplashScreen.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using shell::MainFrame;
using Item = shell::MainFrame::Item;

namespace {

QStringList menuTitles(const MainFrame& frame)
{
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    return titles;
}

QStringList itemTexts(const MainFrame& frame, const char* menuName)
{
    QStringList texts;
    auto* menu = frame.findChild<QMenu*>(QString::fromLatin1(menuName));
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

} // namespace

class MainFrameQtTest : public QObject {
    Q_OBJECT
private slots:
    void init() { global::glo().language = QStringLiteral("PL"); }

    void polishTexts()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        MainFrame frame(language, clock);
        frame.applyLanguageSetting();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Optymalizacja rozkroju profili i prętów"));
        QCOMPARE(menuTitles(frame), (QStringList{"&Baza danych", "Inte&rface", "&Ustawienia", "O&twarte okna", "&Help"}));
        QCOMPARE(itemTexts(frame, "databaseMenu"),
                 (QStringList{"Zlecenia / zamówienia", "Lista pro&fili", "Polecenia cięcia", "Zam&knij"}));
        QCOMPARE(itemTexts(frame, "interfaceMenu"), (QStringList{"Import listy profili", "I&mport listy odcinków"}));
        QCOMPARE(itemTexts(frame, "settingsMenu"),
                 (QStringList{"Zerowanie ustawienia ekranów", "Parametry konfiguracyjne", "Mapowanie plików importu",
                              "Ustawienia drukarki", "Konwersja struktur bazy danych", "Test bazy danych",
                              "Usuwanie całej bazy danych"}));
        QCOMPARE(itemTexts(frame, "helpMenu"), QStringList{"O &programie"});
        auto* orders = frame.findChild<QAction*>(QStringLiteral("ORDERS"));
        QCOMPARE(orders->toolTip(), QStringLiteral("Zamowienia do realizacji, zatwierdzone i zamkniete"));
        QCOMPARE(orders->statusTip(), orders->toolTip());
    }

    void englishTextsWhenTheSettingIsEnInAnyCase()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        MainFrame frame(language, clock);
        global::glo().language = QStringLiteral("en");
        frame.applyLanguageSetting();
        QVERIFY(language.installedCount() >= 1);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Cutting optimization profiles and rods"));
        QCOMPARE(menuTitles(frame), (QStringList{"Database lists", "Inte&rface", "&Settings", "Open windows", "&Help"}));
        QCOMPARE(itemTexts(frame, "databaseMenu"),
                 (QStringList{"Sales orders / working orders", "Profiles lists", "Cutting orders", "Close program"}));
        QCOMPARE(itemTexts(frame, "interfaceMenu"), (QStringList{"Import listy profili", "Import cutting lists"}));
        QCOMPARE(itemTexts(frame, "settingsMenu"),
                 (QStringList{"Restore screens formats to default", "Configuration parameters", "Import files mapping",
                              "Printer settings", "Database tables conversion", "Database correctness test",
                              "Delete databse"}));
        QCOMPARE(itemTexts(frame, "helpMenu"), QStringList{"About the program"});
        QCOMPARE(frame.findChild<QAction*>(QStringLiteral("CUTTINGLIST"))->toolTip(),
                 QStringLiteral("List of cutting orders"));
        QCOMPARE(frame.findChild<QAction*>(QStringLiteral("PROFILES:2"))->statusTip(),
                 QStringLiteral("Profiles lists"));

        // Back to Polish when the setting says so; an unknown language changes nothing.
        global::glo().language = QStringLiteral("DE");
        frame.applyLanguageSetting();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Cutting optimization profiles and rods"));
        global::glo().language = QStringLiteral("PL");
        frame.applyLanguageSetting();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Optymalizacja rozkroju profili i prętów"));
    }

    void unknownLanguageKeepsPolishAtStart()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        global::glo().language = QStringLiteral("DE");
        MainFrame frame(language, clock);
        frame.applyLanguageSetting();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Optymalizacja rozkroju profili i prętów"));
    }

    void regainingFocusAppliesAChangedLanguage()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        MainFrame frame(language, clock);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Optymalizacja rozkroju profili i prętów"));
        global::glo().language = QStringLiteral("EN");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&frame, &activate);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Cutting optimization profiles and rods"));
        global::glo().language = QStringLiteral("PL");
        QApplication::sendEvent(&frame, &activate);
    }

    void statusBarShowsDayDateAndTime()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(7, 5, 3)));
        MainFrame frame(language, clock);
        QCOMPARE(frame.dateFieldText(), QStringLiteral("Sunday, 06.12.2026"));
        QCOMPARE(frame.timeFieldText(), QStringLiteral("07:05:03"));
        clock.set(QDateTime(QDate(2026, 12, 12), QTime(23, 59, 59)));
        frame.refreshClock();
        QCOMPARE(frame.dateFieldText(), QStringLiteral("Saturday, 12.12.2026"));
        QCOMPARE(frame.timeFieldText(), QStringLiteral("23:59:59"));

        frame.setStation(QStringLiteral("jan"), QStringLiteral("HALA-2"), 3);
        QCOMPARE(frame.stationFieldText(), QStringLiteral("jan na HALA-2, stanowisko nr 3"));
    }

    void itemsWithoutAWindowAreDisabledAndToolButtonsFollowTheirItem()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        MainFrame frame(language, clock);
        auto* ordersButton = frame.findChild<QAction*>(QStringLiteral("ORDERS"));
        QVERIFY(!frame.action(Item::Orders)->isEnabled());
        QVERIFY(!ordersButton->isEnabled());
        QVERIFY(!frame.action(Item::TestDatabase)->isEnabled());

        int opened = 0;
        frame.setOpener(Item::Orders, [&opened] { ++opened; });
        QVERIFY(frame.action(Item::Orders)->isEnabled());
        QVERIFY(ordersButton->isEnabled());
        ordersButton->trigger();
        frame.action(Item::Orders)->trigger();
        QCOMPARE(opened, 2);
    }

    void firstActionClosesTheSplash()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        MainFrame frame(language, clock);
        frame.setOpener(Item::About, [] {});
        frame.show();
        frame.showSplash(QString());
        QPointer<shell::SplashScreen> splash = frame.splash();
        QVERIFY(splash && splash->isVisible());
        frame.action(Item::About)->trigger();
        QTRY_VERIFY(splash.isNull());
    }

    void splashClosesItselfAfterASecondAndOnAClick()
    {
        QPointer<shell::SplashScreen> timed = new shell::SplashScreen(QString());
        timed->show();
        QTRY_VERIFY_WITH_TIMEOUT(timed.isNull(), 3000);

        QPointer<shell::SplashScreen> clicked = new shell::SplashScreen(QString());
        clicked->show();
        QTest::mouseClick(clicked.data(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(clicked.isNull(), 500);
    }

    void splashTakesTheProportionOfItsImage()
    {
        QCOMPARE(shell::SplashScreen::windowSizeFor(QSize(800, 200)), QSize(400, 100));
        QCOMPARE(shell::SplashScreen::windowSizeFor(QSize(0, 0)), QSize(400, 400));
        QTemporaryDir dir;
        const QString logo = dir.filePath(QStringLiteral("Logo.jpg"));
        QImage image(600, 450, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        QVERIFY(image.save(logo, "JPG"));
        shell::SplashScreen splash(logo);
        QCOMPARE(splash.size(), QSize(400, 300));
        shell::SplashScreen fallback(dir.filePath(QStringLiteral("missing.jpg")));
        QCOMPARE(fallback.size(), shell::SplashScreen::windowSizeFor(shell::SplashScreen::defaultLogo().size()));
    }

    void tilingArrangesTheOpenWindows()
    {
        shell::LanguageSwitch language;
        global::FixedClock clock;
        MainFrame frame(language, clock);
        frame.resize(900, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        for (int i = 0; i < 2; ++i) {
            QMdiSubWindow* w = frame.mdiArea()->addSubWindow(new QLabel(QStringLiteral("okno")));
            w->show();
        }
        const auto windows = frame.mdiArea()->subWindowList();
        const int areaWidth = frame.mdiArea()->viewport()->width();
        frame.tileHorizontally();
        QCOMPARE(windows[0]->width(), areaWidth);
        QVERIFY(windows[1]->y() >= windows[0]->y() + windows[0]->height() - 1);
        frame.tileVertically();
        QCOMPARE(windows[0]->width(), areaWidth / 2);
        QVERIFY(windows[1]->x() >= windows[0]->x() + windows[0]->width() - 1);
    }

    void printerSettingsOpenQtsPrinterDialog()
    {
        QString seen;
        QTimer::singleShot(0, [&seen] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        });
        QVERIFY(!shell::choosePrinter(nullptr));
        QVERIFY2(seen.contains(QStringLiteral("PrintDialog")), qPrintable(seen));
    }

    void programInfoInBothLanguages()
    {
        shell::LanguageSwitch language;
        shell::ProgramInfo info;
        auto* name = info.findChild<QLabel*>(QStringLiteral("nameLine"));
        QCOMPARE(name->text(), QStringLiteral("Barmond - program do optymalizacji rozkroju profili i prętów"));
        QVERIFY(language.apply(QStringLiteral("EN")));
        QTRY_COMPARE(info.windowTitle(), QStringLiteral("About the program"));
        QVERIFY(language.apply(QStringLiteral("PL")));
        QTRY_COMPARE(info.windowTitle(), QStringLiteral("O programie"));
        auto* close = info.findChild<QPushButton*>(QStringLiteral("CLOSE"));
        info.show();
        close->click();
        QVERIFY(!info.isVisible());
    }
};

QTEST_MAIN(MainFrameQtTest)
#include "MainFrameQtTest.moc"
