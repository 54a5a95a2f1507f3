#pragma once
// STOCKTRANSACTIONS, the list of cutting orders as a window of the frame (several may be open): the
// tabs "Otwarte" and "Zrealizowane", every figure of each order, typing a number to find an order,
// tags, a filter of nine conditions with "*" and "?", the cut lists printed again (in full or
// summarised) for the tagged orders or the highlighted one, the description form, confirming,
// reopening and deleting with their questions, the bars and pieces with their heat numbers, the
// export of the tagged orders to a spreadsheet, and the rebuild of the stock log from the orders.
// Every action first reads the highlighted order again and afterwards reads the list again.
//
// What the window hands work to from outside its subsystem comes as functions (CuttingOrdersHandOvers);
// the buttons of a missing one are disabled (printing) or hidden (the spreadsheet export).

#include "global/Records.h"
#include "transactions/TransactionFilter.h"
#include "transactions/gui/TransItemsWindow.h"
#include "ui/browse/TableBrowse.h"
#include "ui/report/ReportOutput.h"

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace transactions::gui {

inline const QString CuttingOrdersWindowName = QStringLiteral("StockTransactions");

struct CuttingOrdersHandOvers {
    // Where a cut list goes: the print preview in the program, a PDF file in tests.
    std::function<std::unique_ptr<ui::report::ReportOutput>()> reportOutput;
    // The heat-number form of one bar, for the bar/piece tree.
    HeatNumberForm heatNumberForm;
    // The export of the cutting orders (by number) to a spreadsheet; true when it wrote them.
    std::function<bool(const QList<uint32_t>& orders, QWidget* parent)> spreadsheetExport;
};

class CuttingOrdersWindow : public ui::TableBrowse<global::StockTransRecord> {
    Q_DECLARE_TR_FUNCTIONS(CuttingOrdersWindow)
public:
    enum Tab { OpenTab = 0, ConfirmedTab = 1 };

    CuttingOrdersWindow(ui::WindowContext& context, CuttingOrdersHandOvers handOvers, QWidget* parent = nullptr);
    ~CuttingOrdersWindow() override;

    const TransactionFilter& filter() const { return *filter_; }
    // The mark shown while the filter is on.
    QLabel& filterMark() const { return *filterMark_; }
    QMenuBar& menuBar() const { return *menuBar_; }
    QAction& rebuildLogAction() const { return *rebuildLog_; }
    // The numbers of the tagged cutting orders in number order (those deleted meanwhile left out).
    QList<uint32_t> taggedOrders();

    // The actions, as the buttons, keys and the menu carry them out.
    void closeOrder();                  // CLOSEPROD
    void reopenOrder();                 // OPENPROD
    void editFilter();                  // FILTER
    void setFilter(const TransactionFilter& filter);
    void showItems();                   // POZYCJE
    void tagWholeTab();                 // SELECTALL: every order of the tab, whatever the filter
    void exportToSpreadsheet();         // EXCEL_EXPORT
    void print(bool summary);           // PRINT, PRINT_SUM
    void rebuildStockLog();             // "Wygeneruj log transakcji"
    // Reads the list again, standing on the same order or on the one that took its place.
    void refresh();

protected:
    // Change: the description form; delete: the cutting order deleted after the question.
    void carryOut(ui::FormRequest request) override;
    void showTab(int tab) override;
    void retranslate() override;

private:
    CuttingOrdersWindow(ui::WindowContext& context, CuttingOrdersHandOvers handOvers,
                        std::shared_ptr<TransactionFilter> filter, QWidget* parent);
    QPushButton* addOwnButton(const char* name, std::function<void()> action);
    // The highlighted order as it is stored now; false (said why) when there is none any more.
    bool rereadHighlighted(global::StockTransRecord& order);
    void changeDescription();
    void deleteOrder();
    void updateOwnButtons();

    std::shared_ptr<TransactionFilter> filter_;
    CuttingOrdersHandOvers handOvers_;
    QLabel* filterMark_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QAction* rebuildLog_ = nullptr;
};

// The columns of the list (the tag mark stands in the first, the order's number).
QList<ui::BrowseColumn<global::StockTransRecord>> cuttingOrderColumns();

} // namespace transactions::gui
