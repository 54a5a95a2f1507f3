#include "shell/frame/Program.h"

#include "global/DataDirectory.h"
#include "global/DatabaseLocation.h"
#include "global/Globals.h"
#include "optimizer/DatabaseInput.h"
#include "optimizer/DemoData.h"
#include "optimizer/gui/MakeOptimalCut.h"
#include "optimizer/gui/SolutionHandOvers.h"
#include "settings/CheckParameters.h"
#include "settings/gui/ConversionWindow.h"
#include "settings/gui/DatabaseTestRun.h"
#include "settings/DatabaseConversion.h"
#include "orders/OrderImports.h"
#include "orders/gui/CutImportWindow.h"
#include "orders/gui/InterfaceMapWindow.h"
#include "orders/gui/OrderPrintPreview.h"
#include "orders/gui/OrdersListWindow.h"
#include "stock/gui/ProfilePicker.h"
#include "settings/gui/SetupParWindow.h"
#include "stock/gui/HeatNumberForm.h"
#include "stock/gui/ProfileCatalogueWindow.h"
#include "shell/frame/DatabaseDeletion.h"
#include "shell/frame/PrinterSettings.h"
#include "shell/frame/ProgramInfo.h"
#include "shell/frame/RestoreLayouts.h"
#include "shell/frame/ServerSignIn.h"
#include "transactions/DetailExport.h"
#include "ui/report/PreviewOutput.h"

#include <QCoreApplication>
#include <QDir>

namespace shell {

Program::Program(const QString& dataDir, global::Services services, global::PasswordPrompt& passwords)
    : dataDir_(dataDir), services_(services), passwords_(passwords), db_(dataDir), layoutStore_(db_)
{
}

Program::~Program() = default;

QString Program::iniFile() const
{
    return global::iniFile(dataDir_);
}

QString Program::logoFile() const
{
    return QDir(global::databaseFolder(dataDir_)).filePath(QStringLiteral("Logo.jpg"));
}

bool Program::start(const std::function<void(MainFrame&)>& frameReady)
{
    global::Globals& glo = global::glo();
    glo.sysUser = services_.identity.userName().left(19);
    glo.sysCompName = services_.identity.computerName().left(19);
    // A server's password is asked for before the database is opened; after Cancel the opening
    // reports why it cannot go on.
    const ServerSignIn::Outcome signIn = ServerSignIn(db_, passwords_).run();
    // A file of an older layout is offered the conversion before anything else reads it.
    if (!settings::openOfferingConversion(db_, services_)) {
        // The last password the server refused was kept for the opening's message only.
        if (signIn == ServerSignIn::Outcome::Refused)
            global::forgetServerPassword(db_.filePath());
        return false;
    }

    frame_ = std::make_unique<MainFrame>(language_, services_.clock);
    frame_->setIniFile(iniFile());
    frame_->restorePlacement();
    wireMenu();
    if (frameReady)
        frameReady(*frame_);
    // A failure is reported by the check itself; the program goes on with the values it has.
    settings::checkParameters(db_, services_);
    makeWindowContext();
    frame_->applyLanguageSetting();
    showStation();
    return true;
}

bool Program::fillSampleIfEmpty(QString& report)
{
    bool empty = false;
    QString error;
    if (!kadrel::databaseIsEmpty(db_, empty, error)) {
        report = error;
        return false;
    }
    if (!empty) {
        report = QStringLiteral("The database already holds orders or profiles: no sample data added.");
        return true;
    }
    kadrel::DemoSummary summary;
    if (!kadrel::fillDemoData(db_, summary, error)) {
        report = error;
        return false;
    }
    report = QStringLiteral("Sample data added: %1 profiles, %2 stock lengths, %3 orders, %4 positions, %5 pieces.")
                 .arg(summary.profiles).arg(summary.lengths).arg(summary.orders).arg(summary.positions)
                 .arg(summary.cuts);
    return true;
}

void Program::openOptimizer(const OptimizeRequest& request)
{
    kadrel::OptimizerCall call;
    call.profile = request.profile;
    call.orderProfile = request.orderProfile;
    call.mode = uint8_t(request.mode);
    call.status = uint8_t(request.status);
    call.extensions = global::glo().selectionStart;   // the lists' "Dobór od:" starts with it
    call.extend = request.extend;
    runOptimizer(call, frame_.get());
}

void Program::runOptimizer(const kadrel::OptimizerCall& call, QWidget* parent)
{
    kadrel::DatabaseInput input(db_);
    // The selected solution goes to the save window, the cut lists (in the print preview over the
    // printer of "Ustawienia drukarki") and the extensions export.
    const kadrel::SolutionHandOver handOver = kadrel::solutionHandOver(
        *context_, [this] { return std::make_unique<ui::report::PreviewOutput>(programPrinter(), frame_.get()); },
        parent);
    kadrel::makeOptimalCut(*context_, input, call, handOver, parent);
}

// The catalogue opens the stock windows and, handed over from here, the optimizer window.
stock::CatalogueHandOvers Program::catalogueHandOvers()
{
    stock::CatalogueHandOvers handOvers = stock::stockWindows(*context_);
    handOvers.optimizer = [this](const stock::OptimizerRequest& request, QWidget* parent) {
        kadrel::OptimizerCall call;
        call.profile = request.profile;
        call.orderProfile = request.orderProfile;
        call.selectedLengths = request.lengths;
        call.mode = request.mode;
        call.status = request.status;
        call.extensions = request.selectionStart;
        call.extend = request.extend;
        runOptimizer(call, parent);
    };
    return handOvers;
}

orders::gui::OrdersListHandOvers Program::ordersHandOvers()
{
    orders::gui::OrdersListHandOvers handOvers;
    handOvers.optimizer = [this](const orders::OptimizerRequest& request, QWidget* parent) {
        kadrel::OptimizerCall call;
        call.profile = request.profile;
        call.orderProfile = request.orderProfile;
        call.selectedLengths = request.lengths;
        call.mode = request.mode;
        call.status = request.status;
        call.extensions = request.selectionStart;
        call.extend = request.extend;
        runOptimizer(call, parent);
    };
    handOvers.lengthForm = stock::stockWindows(*context_).lengthForm;
    handOvers.selectProfile = [this](QString& code, QWidget* parent) {
        return stock::selectProfile(*context_, code, parent);
    };
    handOvers.printOrder = [this](uint32_t orderId, QWidget* parent) { orders::printOrder(*context_, orderId, parent); };
    return handOvers;
}

QWidget* Program::openOrders()
{
    auto* browse = new orders::gui::OrdersListWindow(*context_, ordersHandOvers());
    host_->showBrowse(browse);
    return browse;
}

QWidget* Program::openProfiles()
{
    auto* catalogue = new stock::ProfileCatalogueWindow(*context_, catalogueHandOvers());
    host_->showBrowse(catalogue);
    return catalogue;
}

// The list prints its cut lists in the print preview, and its tree opens the heat-number form of
// the stock windows.
transactions::gui::CuttingOrdersHandOvers Program::cuttingOrdersHandOvers()
{
    transactions::gui::CuttingOrdersHandOvers handOvers;
    handOvers.reportOutput = [this] { return std::make_unique<ui::report::PreviewOutput>(programPrinter(), frame_.get()); };
    handOvers.heatNumberForm = [this](ui::FormRequest request, global::StockTransItemRecord& bar, QWidget* parent) {
        return stock::gui::runHeatNumberForm(*context_, request, bar, parent);
    };
    // The tagged cutting orders into a workbook the operator chooses; the tags go once it is written.
    handOvers.spreadsheetExport = [this](const QList<uint32_t>& orders, QWidget*) {
        return transactions::excelDetailExport(context_->database, context_->services, orders).done;
    };
    return handOvers;
}

QWidget* Program::openCuttingOrders()
{
    auto* list = new transactions::gui::CuttingOrdersWindow(*context_, cuttingOrdersHandOvers());
    host_->showBrowse(list);
    return list;
}

void Program::makeWindowContext()
{
    host_ = std::make_unique<ui::MdiWindowHost>(*frame_->mdiArea(), frame_.get());
    context_ = std::make_unique<ui::WindowContext>(ui::WindowContext{db_, services_, &layoutStore_, &layoutStore_,
                                                                     iniFile(), {}, {}, 0, host_.get()});
    // Reports printed from the windows go to the print preview over the printer of "Ustawienia drukarki".
    context_->reportOutput = [this] { return std::make_unique<ui::report::PreviewOutput>(programPrinter(), frame_.get()); };
}

// The status bar and the window context name who works at which station.
void Program::showStation()
{
    const global::Globals& glo = global::glo();
    frame_->setStation(glo.sysUser, glo.sysCompName, glo.userLp);
    frame_->setDatabaseName(global::databaseName(db_));
    context_->user = glo.sysUser;
    context_->station = glo.sysCompName;
    context_->stationNumber = int16_t(glo.userLp);
}

void Program::wireMenu()
{
    MainFrame& frame = *frame_;
    frame.setOpener(MainFrame::Item::RestoreLayouts, [this] { restoreLayouts(); });
    frame.setOpener(MainFrame::Item::Parameters, [this] { openParameters(); });
    frame.setOpener(MainFrame::Item::Orders, [this] { openOrders(); });
    frame.setOpener(MainFrame::Item::Profiles, [this] { openProfiles(); });
    frame.setOpener(MainFrame::Item::CuttingOrders, [this] { openCuttingOrders(); });
    frame.setOpener(MainFrame::Item::ImportMapping, [this] { openFieldMap(); });
    frame.setOpener(MainFrame::Item::ImportCuts, [this] { importCuts(); });
    // The profile list pasted from the clipboard; new codes are added, the catalogue is never overwritten.
    frame.setOpener(MainFrame::Item::ImportProfiles, [this] { orders::importProfilesFromClipboard(db_, services_); });
    frame.setOpener(MainFrame::Item::PrinterSettings, [this] { choosePrinter(frame_.get()); });
    frame.setOpener(MainFrame::Item::DeleteDatabase, [this] { deleteDatabase(); });
    frame.setOpener(MainFrame::Item::ConvertDatabase, [this] { settings::convertDatabase(*context_, frame_.get()); });
    frame.setOpener(MainFrame::Item::TestDatabase, [this] { settings::testDatabase(*context_, frame_.get()); });
    frame.setOpener(MainFrame::Item::About, [this] {
        ProgramInfo info(iniFile(), frame_.get());
        info.exec();
    });
}

QWidget* Program::openParameters()
{
    auto* list = new settings::SetupParWindow(*context_);
    // The list checks the parameters again when it closes: a changed language is taken over then.
    QObject::connect(list, &ui::BrowseWindow::closed, frame_.get(), [this] {
        frame_->applyLanguageSetting();
        showStation();
    });
    host_->showBrowse(list);
    return list;
}

QWidget* Program::openFieldMap()
{
    auto* map = new orders::InterfaceMapWindow(*context_);
    host_->showBrowse(map);
    return map;
}

void Program::importCuts()
{
    orders::runCutImport(*context_, frame_.get());
}

void Program::restoreLayouts()
{
    RestoreLayouts(db_, iniFile(), services_.dialogs).run();
}

void Program::deleteDatabase()
{
    DatabaseDeletion(db_, dataDir_, services_.dialogs).run(services_.clock.now());
}

} // namespace shell
