#pragma once
// The program's main window: the multi-document frame with its menu, tool bar and status bar.
// The frame only shows and dispatches: each menu item is given the function that opens its window
// or runs its procedure (setOpener); an item without one stays disabled until its window exists.

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "shell/frame/SplashScreen.h"

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

namespace global { class Clock; }

namespace shell {

class LanguageSwitch;


class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The menu items that open a window or run a procedure.
    enum class Item {
        Orders, Profiles, CuttingOrders,              // "Baza danych"
        ImportProfiles, ImportCuts,                   // "Interface"
        RestoreLayouts, Parameters, ImportMapping,    // "Ustawienia"
        PrinterSettings, ConvertDatabase, TestDatabase, DeleteDatabase,
        About                                         // "Help"
    };

    MainFrame(LanguageSwitch& language, const global::Clock& clock, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Gives a menu item (and its tool-bar button) its action and enables it.
    void setOpener(Item item, std::function<void()> open);
    bool isAvailable(Item item) const;
    QAction* action(Item item) const;

    QMdiArea* mdiArea() const { return mdi_; }

    // Switches the texts to the language setting of the moment (GLO:LANGUAGE); done each time the
    // frame opens or regains focus, so a changed parameter takes effect at once.
    void applyLanguageSetting();

    // Fills the date and time fields of the status bar from the clock.
    void refreshClock();
    QString dateFieldText() const;
    QString timeFieldText() const;
    // Field 2 of the status bar: who works at which station.
    void setStation(const QString& user, const QString& computer, uint32_t number);
    QString stationFieldText() const;
    // The last field of the status bar: the database in use (the file, or postgresql://...).
    void setDatabaseName(const QString& name);
    QString databaseFieldText() const;

    // Shows the splash window; it closes after a second, on a click, or at the first action taken
    // in the frame.
    void showSplash(const QString& logoFile);
    SplashScreen* splash() const { return splash_; }

    // Barmond.ini: the frame's placement is restored from it and saved to it on closing, and
    // the splash window keeps its place there.
    void setIniFile(const QString& iniFile) { iniFile_ = iniFile; }
    QString iniFile() const { return iniFile_; }
    void restorePlacement();

    // Window menu actions.
    void tileHorizontally();
    void tileVertically();
    void tile(Qt::Orientation direction);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Entry {
        QAction* menuAction = nullptr;
        QAction* toolAction = nullptr;   // only the three lists have a tool-bar button
        std::function<void()> open;
    };

    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QAction* addItem(QMenu* menu, Item item, const char* objectName);
    void run(Item item);
    void retranslate();
    void rebuildWindowList();
    void closeSplash();

    LanguageSwitch& language_;
    const global::Clock& clock_;
    QMdiArea* mdi_ = nullptr;
    QHash<int, Entry> entries_;
    QMenu* databaseMenu_ = nullptr;
    QMenu* interfaceMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QMenu* windowsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* closeAction_ = nullptr;
    QAction* cascadeAction_ = nullptr;
    QAction* tileHorizontalAction_ = nullptr;
    QAction* tileVerticalAction_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* stationField_ = nullptr;
    QLabel* databaseField_ = nullptr;
    QLabel* dateField_ = nullptr;
    QLabel* timeField_ = nullptr;
    QTimer* timer_ = nullptr;
    QPointer<SplashScreen> splash_;
    QString iniFile_;
    QString stationUser_;
    QString stationComputer_;
    uint32_t stationNumber_ = 0;
};

} // namespace shell
