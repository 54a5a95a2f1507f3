#include "shell/frame/MainFrame.h"

#include "global/Globals.h"
#include "global/Services.h"
#include "shell/frame/Icons.h"
#include "shell/frame/LanguageSwitch.h"
#include "shell/frame/SplashScreen.h"
#include "shell/frame/StatusClock.h"
#include "ui/layout/WindowPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace shell {

namespace {
constexpr int ClockIntervalMs = 1000;   // the frame's timer: one tick a second
}

MainFrame::MainFrame(LanguageSwitch& language, const global::Clock& clock, QWidget* parent)
    : QMainWindow(parent), language_(language), clock_(clock)
{
    setObjectName(QStringLiteral("Main"));
    setWindowIcon(programIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    retranslate();

    timer_ = new QTimer(this);
    timer_->setInterval(ClockIntervalMs);
    connect(timer_, &QTimer::timeout, this, &MainFrame::refreshClock);
    timer_->start();
    refreshClock();

    // The first action taken in the frame closes the splash window.
    connect(menuBar(), &QMenuBar::triggered, this, &MainFrame::closeSplash);
    connect(toolBar_, &QToolBar::actionTriggered, this, &MainFrame::closeSplash);
}

MainFrame::~MainFrame() = default;

QAction* MainFrame::addItem(QMenu* menu, Item item, const char* objectName)
{
    auto* act = menu->addAction(QString());
    act->setObjectName(QString::fromLatin1(objectName));
    act->setEnabled(false);
    connect(act, &QAction::triggered, this, [this, item] { run(item); });
    entries_[int(item)].menuAction = act;
    return act;
}

void MainFrame::buildMenus()
{
    databaseMenu_ = menuBar()->addMenu(QString());
    databaseMenu_->setObjectName(QStringLiteral("databaseMenu"));
    addItem(databaseMenu_, Item::Orders, "ordersAction");
    addItem(databaseMenu_, Item::Profiles, "profilesAction");
    addItem(databaseMenu_, Item::CuttingOrders, "cuttingOrdersAction");
    databaseMenu_->addSeparator();
    closeAction_ = databaseMenu_->addAction(QString(), this, &QWidget::close);
    closeAction_->setObjectName(QStringLiteral("closeAction"));

    interfaceMenu_ = menuBar()->addMenu(QString());
    interfaceMenu_->setObjectName(QStringLiteral("interfaceMenu"));
    addItem(interfaceMenu_, Item::ImportProfiles, "importProfilesAction");
    addItem(interfaceMenu_, Item::ImportCuts, "importCutsAction");

    settingsMenu_ = menuBar()->addMenu(QString());
    settingsMenu_->setObjectName(QStringLiteral("settingsMenu"));
    addItem(settingsMenu_, Item::RestoreLayouts, "restoreLayoutsAction");
    addItem(settingsMenu_, Item::Parameters, "parametersAction");
    addItem(settingsMenu_, Item::ImportMapping, "importMappingAction");
    addItem(settingsMenu_, Item::PrinterSettings, "printerSettingsAction");
    addItem(settingsMenu_, Item::ConvertDatabase, "convertDatabaseAction");
    addItem(settingsMenu_, Item::TestDatabase, "testDatabaseAction");
    settingsMenu_->addSeparator();
    addItem(settingsMenu_, Item::DeleteDatabase, "deleteDatabaseAction");

    windowsMenu_ = menuBar()->addMenu(QString());
    windowsMenu_->setObjectName(QStringLiteral("windowsMenu"));
    cascadeAction_ = new QAction(this);
    cascadeAction_->setObjectName(QStringLiteral("cascadeAction"));
    connect(cascadeAction_, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
    tileHorizontalAction_ = new QAction(this);
    tileHorizontalAction_->setObjectName(QStringLiteral("tileHorizontalAction"));
    connect(tileHorizontalAction_, &QAction::triggered, this, &MainFrame::tileHorizontally);
    tileVerticalAction_ = new QAction(this);
    tileVerticalAction_->setObjectName(QStringLiteral("tileVerticalAction"));
    connect(tileVerticalAction_, &QAction::triggered, this, &MainFrame::tileVertically);
    connect(windowsMenu_, &QMenu::aboutToShow, this, &MainFrame::rebuildWindowList);
    rebuildWindowList();

    helpMenu_ = menuBar()->addMenu(QString());
    helpMenu_->setObjectName(QStringLiteral("helpMenu"));
    addItem(helpMenu_, Item::About, "aboutAction");
}

void MainFrame::buildToolBar()
{
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    const struct {
        Item item;
        QIcon icon;
        const char* name;
    } buttons[] = {{Item::Orders, ordersIcon(), "ORDERS"},
                   {Item::Profiles, profilesIcon(), "PROFILES:2"},
                   {Item::CuttingOrders, cuttingListIcon(), "CUTTINGLIST"}};
    for (const auto& b : buttons) {
        auto* act = toolBar_->addAction(b.icon, QString());
        act->setObjectName(QString::fromLatin1(b.name));
        act->setEnabled(false);
        const Item item = b.item;
        connect(act, &QAction::triggered, this, [this, item] { run(item); });
        entries_[int(item)].toolAction = act;
    }
}

void MainFrame::buildStatusBar()
{
    auto makeField = [this](const char* name, int minWidth) {
        auto* field = new QLabel(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumWidth(minWidth);
        field->setAlignment(Qt::AlignCenter);
        statusBar()->addPermanentWidget(field);
        return field;
    };
    stationField_ = makeField("stationField", 120);
    dateField_ = makeField("dateField", 160);
    timeField_ = makeField("timeField", 70);
    databaseField_ = makeField("databaseField", 120);
}

void MainFrame::setOpener(Item item, std::function<void()> open)
{
    Entry& entry = entries_[int(item)];
    entry.open = std::move(open);
    const bool available = bool(entry.open);
    if (entry.menuAction)
        entry.menuAction->setEnabled(available);
    if (entry.toolAction)
        entry.toolAction->setEnabled(available);
}

bool MainFrame::isAvailable(Item item) const
{
    return bool(entries_.value(int(item)).open);
}

QAction* MainFrame::action(Item item) const
{
    return entries_.value(int(item)).menuAction;
}

void MainFrame::run(Item item)
{
    closeSplash();
    const auto open = entries_.value(int(item)).open;   // a copy: the opener may replace itself
    if (open)
        open();
}

void MainFrame::applyLanguageSetting()
{
    if (language_.apply(global::glo().language))
        retranslate();   // LanguageChange does the same; done at once so the title follows now
}

bool MainFrame::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        applyLanguageSetting();
    return QMainWindow::event(event);
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    // The windows of the frame close first, each keeping its layout.
    mdi_->closeAllSubWindows();
    for (const QMdiSubWindow* window : mdi_->subWindowList()) {
        if (window->isVisible()) {   // it refused to close: so does the frame
            event->ignore();
            return;
        }
    }
    if (!iniFile_.isEmpty())
        layout::iniSaveWindow(*this, QStringLiteral("Main"), iniFile_);
    QMainWindow::closeEvent(event);
}

void MainFrame::restorePlacement()
{
    if (!iniFile_.isEmpty())
        layout::iniRestoreWindow(*this, QStringLiteral("Main"), iniFile_);
}

void MainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainFrame::retranslate()
{
    setWindowTitle(tr("Optymalizacja rozkroju profili i prętów"));

    databaseMenu_->setTitle(tr("&Baza danych"));
    action(Item::Orders)->setText(tr("Zlecenia / zamówienia"));
    action(Item::Profiles)->setText(tr("Lista pro&fili"));
    action(Item::CuttingOrders)->setText(tr("Polecenia cięcia"));
    closeAction_->setText(tr("Zam&knij"));

    interfaceMenu_->setTitle(tr("Inte&rface"));
    action(Item::ImportProfiles)->setText(QStringLiteral("Import listy profili"));   // Polish in both languages
    action(Item::ImportCuts)->setText(tr("I&mport listy odcinków"));

    settingsMenu_->setTitle(tr("&Ustawienia"));
    action(Item::RestoreLayouts)->setText(tr("Zerowanie ustawienia ekranów"));
    action(Item::Parameters)->setText(tr("Parametry konfiguracyjne"));
    action(Item::ImportMapping)->setText(tr("Mapowanie plików importu"));
    action(Item::PrinterSettings)->setText(tr("Ustawienia drukarki"));
    action(Item::ConvertDatabase)->setText(tr("Konwersja struktur bazy danych"));
    action(Item::TestDatabase)->setText(tr("Test bazy danych"));
    action(Item::DeleteDatabase)->setText(tr("Usuwanie całej bazy danych"));

    windowsMenu_->setTitle(tr("O&twarte okna"));
    cascadeAction_->setText(tr("Kaskada"));
    tileHorizontalAction_->setText(tr("Rozmieść poziomo"));
    tileVerticalAction_->setText(tr("Rozmieść pionowo"));

    helpMenu_->setTitle(tr("&Help"));
    action(Item::About)->setText(tr("O &programie"));

    toolBar_->setWindowTitle(tr("Pasek narzędzi"));
    stationField_->setText(stationComputer_.isEmpty() ? QString()
                                                      : tr("%1 na %2, stanowisko nr %3")
                                                            .arg(stationUser_, stationComputer_,
                                                                 QString::number(stationNumber_)));
    const struct {
        Item item;
        QString tip;
    } tips[] = {{Item::Orders, tr("Zamowienia do realizacji, zatwierdzone i zamkniete")},
                {Item::Profiles, tr("Lista profili")},
                {Item::CuttingOrders, tr("Lista zatwierdzonych i zrealizowanych rozkroi")}};
    for (const auto& t : tips) {
        QAction* button = entries_[int(t.item)].toolAction;
        button->setText(t.tip);
        button->setToolTip(t.tip);
        button->setStatusTip(t.tip);
    }
}

void MainFrame::rebuildWindowList()
{
    windowsMenu_->clear();
    windowsMenu_->addAction(cascadeAction_);
    windowsMenu_->addAction(tileHorizontalAction_);
    windowsMenu_->addAction(tileVerticalAction_);
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    const bool any = !windows.isEmpty();
    cascadeAction_->setEnabled(any);
    tileHorizontalAction_->setEnabled(any);
    tileVerticalAction_->setEnabled(any);
    if (!any)
        return;
    windowsMenu_->addSeparator();
    auto* group = new QActionGroup(windowsMenu_);
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        const QString label = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle())
                                          : QStringLiteral("%1 %2").arg(number).arg(window->windowTitle());
        QAction* act = windowsMenu_->addAction(label);
        act->setCheckable(true);
        act->setChecked(window == mdi_->activeSubWindow());
        group->addAction(act);
        connect(act, &QAction::triggered, mdi_, [this, window] { mdi_->setActiveSubWindow(window); });
        ++number;
    }
}

// Windows one above the other, each as wide as the frame.
void MainFrame::tileHorizontally()
{
    tile(Qt::Vertical);
}

// Windows side by side, each as high as the frame.
void MainFrame::tileVertically()
{
    tile(Qt::Horizontal);
}

// Shares the frame's area among the windows that are not minimised, in a row along the direction.
void MainFrame::tile(Qt::Orientation direction)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (!w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect area = mdi_->viewport()->rect();
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (direction == Qt::Vertical)
            windows[i]->setGeometry(0, i * (area.height() / count), area.width(), area.height() / count);
        else
            windows[i]->setGeometry(i * (area.width() / count), 0, area.width() / count, area.height());
    }
}

void MainFrame::refreshClock()
{
    const QDateTime now = clock_.now();
    dateField_->setText(dayAndDateText(now.date()));
    timeField_->setText(timeText(now.time()));
}

QString MainFrame::dateFieldText() const
{
    return dateField_->text();
}

QString MainFrame::timeFieldText() const
{
    return timeField_->text();
}

void MainFrame::setStation(const QString& user, const QString& computer, uint32_t number)
{
    stationUser_ = user;
    stationComputer_ = computer;
    stationNumber_ = number;
    retranslate();
}

QString MainFrame::stationFieldText() const
{
    return stationField_->text();
}

void MainFrame::setDatabaseName(const QString& name)
{
    databaseField_->setText(name);
    databaseField_->setToolTip(name);
}

QString MainFrame::databaseFieldText() const
{
    return databaseField_->text();
}

void MainFrame::showSplash(const QString& logoFile)
{
    closeSplash();
    splash_ = new SplashScreen(logoFile, iniFile_, this);
    splash_->show();
}

void MainFrame::closeSplash()
{
    if (splash_)
        splash_->close();
}

} // namespace shell
