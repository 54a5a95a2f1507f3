#pragma once
// One run of the desktop program: the data directory and its database, the station's
// identification and parameters, the main frame with every menu item wired to its window or
// procedure, and the one window context every window is given. main() only reads the command line
// and hands over.

#include "shell/frame/LanguageSwitch.h"
#include "shell/frame/MainFrame.h"
#include "shell/frame/StartupOptions.h"
#include "ui/layout/DatabaseLayoutStore.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include "global/Database.h"
#include "global/ServerPassword.h"
#include "global/Services.h"
#include "optimizer/OptimizerCall.h"
#include "orders/gui/OrdersListWindow.h"
#include "stock/gui/ProfileCatalogueWindow.h"
#include "transactions/gui/CuttingOrdersWindow.h"

#include <QString>

#include <functional>
#include <memory>

namespace shell {

class Program {
public:
    // services: the desktop's (or scripted ones in tests); passwords: asks for the password of a
    // server database that the client library does not have.
    Program(const QString& dataDir, global::Services services,
            global::PasswordPrompt& passwords = global::noPasswordPrompt());
    ~Program();

    // Signs in to a server database (asking for its password when the server wants one the client
    // library lacks), opens the database (a file of an older layout is offered the conversion; a refusal is
    // reported: the program cannot work then), identifies the operator and the station, builds
    // the frame, hands it to frameReady (which may show it, so that the messages of the parameter
    // check appear over it) and checks the parameters.
    bool start(const std::function<void(MainFrame&)>& frameReady = {});
    // Fills an empty database with the sample data; a database with orders or profiles is left
    // as it is. Returns false with error set when the sample could not be written.
    bool fillSampleIfEmpty(QString& report);

    // Opens the optimizer window for one profile (the command line's --optimize).
    void openOptimizer(const OptimizeRequest& request);

    MainFrame& frame() { return *frame_; }
    global::Database& database() { return db_; }
    QString dataDir() const { return dataDir_; }
    QString iniFile() const;
    QString logoFile() const;
    layout::DatabaseLayoutStore& layoutStore() { return layoutStore_; }
    // What every window works with (after start()).
    ui::WindowContext& windowContext() { return *context_; }
    ui::MdiWindowHost& windowHost() { return *host_; }

    // The menu actions (also for the tests).
    // Opens the parameter list as a window of the frame (several may be open); the list.
    QWidget* openParameters();
    // Opens the profile catalogue as a window of the frame (several may be open); the catalogue.
    QWidget* openProfiles();
    // What the catalogue hands over to other subsystems' windows (the optimizer window).
    stock::CatalogueHandOvers catalogueHandOvers();
    // Opens the orders browse as a window of the frame (several may be open); the browse.
    QWidget* openOrders();
    // What the orders browse hands over to other subsystems' windows (the optimizer window, the
    // stock-length form and the profile picker).
    orders::gui::OrdersListHandOvers ordersHandOvers();
    // Opens the list of cutting orders as a window of the frame (several may be open); the list.
    QWidget* openCuttingOrders();
    // What the list of cutting orders hands over to other subsystems' windows.
    transactions::gui::CuttingOrdersHandOvers cuttingOrdersHandOvers();
    // Opens the import field map as a window of the frame; the map.
    QWidget* openFieldMap();
    // IMPORTDB_CUTS: the workbook chosen, read and imported under the window "Import listy odcinków".
    void importCuts();
    void restoreLayouts();
    void deleteDatabase();

private:
    void wireMenu();
    // The optimizer window over parent, its solution handed to the save window and the cut lists.
    void runOptimizer(const kadrel::OptimizerCall& call, QWidget* parent);
    void showStation();
    void makeWindowContext();

    QString dataDir_;
    global::Services services_;
    global::PasswordPrompt& passwords_;
    global::Database db_;
    layout::DatabaseLayoutStore layoutStore_;
    LanguageSwitch language_;
    std::unique_ptr<MainFrame> frame_;
    std::unique_ptr<ui::MdiWindowHost> host_;
    std::unique_ptr<ui::WindowContext> context_;
};

} // namespace shell
