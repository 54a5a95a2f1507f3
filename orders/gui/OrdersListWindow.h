#pragma once
// ORDERSLIST "Lista zleceń / zamówień": the orders browse as a window of the frame (several may be
// open). Four lists one above the other, each following the highlighted row of the one above: the
// orders of the chosen status tab, the positions (profile types) of the highlighted order, the
// pieces of the highlighted position, and the stock lengths of that position's profile. From it
// orders are created, edited, approved, withdrawn, closed and deleted, positions, pieces and lengths
// edited, positions, pieces and lengths kept away from the optimizer, orders and pieces pasted in,
// and the optimizer started for the highlighted position.
//
// The windows of other subsystems it opens are handed over as functions; a button whose function
// is missing stays disabled.

#include "global/Records.h"
#include "orders/OrdersList.h"
#include "ui/browse/TableBrowse.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;

namespace layout { class ControlPositions; }

namespace orders::gui {

struct OrdersListHandOvers {
    // The optimizer window for one call; returns when it closes.
    std::function<void(const OptimizerRequest& request, QWidget* parent)> optimizer;
    // The stock-length form: a request on a length of the profile, answering as a record form.
    std::function<ui::FormResponse(ui::FormRequest request, global::ProfileLengthRecord& length, uint32_t profileId,
                                   QWidget* parent)>
        lengthForm;
    // The profile picker: on Done the chosen profile's code is in code.
    std::function<ui::FormResponse(QString& code, QWidget* parent)> selectProfile;
    // The print of one order.
    std::function<void(uint32_t orderId, QWidget* parent)> printOrder;
};

// What the lists compute per row, read once and kept until the lists are read again. A failed read
// leaves the row empty and is reported once.
class OrdersListCache {
public:
    explicit OrdersListCache(global::Database& db) : db_(db) {}
    OrderProgress progressOf(uint32_t orderId);
    PositionTotals totalsOf(const global::OrderProfileRecord& position);
    PieceCuttingOrders cuttingOrdersOf(uint32_t pieceId);
    // Whether the length is excluded for the position shown in the lengths list.
    bool excluded(uint32_t lengthId);
    void showPosition(uint32_t orderId, uint32_t profileId);
    void forget();
    void setFailureHandler(std::function<void(int code)> handler) { onFailure_ = std::move(handler); }

private:
    void failed(int code);

    global::Database& db_;
    std::function<void(int)> onFailure_;
    QHash<uint32_t, OrderProgress> progress_;
    QHash<uint32_t, PositionTotals> totals_;
    QHash<uint32_t, PieceCuttingOrders> cuttingOrders_;
    QHash<uint32_t, bool> excluded_;
    uint32_t orderId_ = 0;
    uint32_t profileId_ = 0;
    bool reported_ = false;
};

// The orders of one status.
class OrderList : public ui::TableBrowse<global::OrderRecord> {
public:
    OrderList(ui::WindowContext& context, ui::WindowContext& formContext, OrdersListCache& cache,
              QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    OrdersTab tab() const { return OrdersTab(currentTab()); }
    void refresh();
};

// The positions of one order.
class PositionList : public ui::TableBrowse<global::OrderProfileRecord> {
public:
    PositionList(ui::WindowContext& context, OrdersListCache& cache, Form form, QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    void showOrder(uint32_t orderId);
    uint32_t orderId() const { return orderId_; }
    void refresh();

private:
    uint32_t orderId_ = 0;
};

// The pieces of one position, longest first.
class PieceList : public ui::TableBrowse<global::CutRecord> {
public:
    PieceList(ui::WindowContext& context, OrdersListCache& cache, Form form, QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    void showPosition(const global::OrderProfileRecord* position);
    void refresh();

private:
    global::OrderProfileRecord position_;
};

// The visible stock lengths of the position's profile that hold something or are unlimited.
class AvailableLengthList : public ui::TableBrowse<global::ProfileLengthRecord> {
public:
    AvailableLengthList(ui::WindowContext& context, OrdersListCache& cache, Form form, QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    void showProfile(uint32_t profileId);
    uint32_t profileId() const { return profileId_; }
    void refresh();

private:
    uint32_t profileId_ = 0;
};

class OrdersListWindow : public QWidget {
    Q_OBJECT
public:
    OrdersListWindow(ui::WindowContext& context, OrdersListHandOvers handOvers, QWidget* parent = nullptr);
    ~OrdersListWindow() override;

    OrderList& orders() { return *orders_; }
    PositionList& positions() { return *positions_; }
    PieceList& pieces() { return *pieces_; }
    AvailableLengthList& lengths() { return *lengths_; }
    // The control by its name: "INSERT:1", "CHANGE:1", "DELETE:1", "RELEASE", "CLOSEORDER", "PRINTORDER",
    // "CUTDISPOS", "EXCIMPORT", "INSERT:2", "DELETE:2", "BLOCKPROFILE", "INSERT:3", "CHANGE:3",
    // "DELETE:3", "BLOCKCUT", "PASTECUTS", "INSERT:4", "CHANGE:4", "DELETE:4", "BLOCKLENGHT",
    // "OPTYMALIZATOR0" … "OPTYMALIZATOR5", "CLOSE".
    QPushButton* button(const QString& name) const;
    QLineEdit& extendLength() const { return *extendLength_; }
    QLineEdit& selectionStart() const { return *selectionStart_; }
    QLabel& tagCount() const { return *tagCount_; }
    // What the browse shows at the moment and what it allows.
    BrowseSituation situation() const;

    // The actions, as the buttons carry them out (each does nothing while its button is disabled).
    void release();
    void closeHighlightedOrder();
    void printHighlightedOrder();
    void showCuttingOrders();
    void importOrders();
    void pasteCuts();
    void blockHighlightedPosition();
    void blockHighlightedPiece();
    void blockHighlightedLength();
    void runOptimizer(OptimizerButton which);
    // Reads the four lists again, each standing where it stood.
    void refreshAll();

signals:
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ui::FormResponse positionForm(ui::FormRequest request, global::OrderProfileRecord& position, QWidget* over);
    ui::FormResponse pieceForm(ui::FormRequest request, global::CutRecord& piece, QWidget* over);
    void buildOptimizerRow(QHBoxLayout& row);
    void followOrder();
    void followPosition();
    void updateButtons();
    void retranslate();
    bool enabled(const char* name) const;
    QPushButton* makeButton(const char* name, std::function<void()> action);
    // The list under its title.
    QWidget* titled(const char* name, QWidget* list);

    ui::WindowContext& context_;
    ui::WindowContext listContext_;   // the lists inside keep no window place of their own
    OrdersListHandOvers handOvers_;
    OrdersListCache cache_;
    OrderList* orders_ = nullptr;
    PositionList* positions_ = nullptr;
    PieceList* pieces_ = nullptr;
    AvailableLengthList* lengths_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::unique_ptr<layout::ControlPositions> positionsStore_;
    QLineEdit* extendLength_ = nullptr;
    QLineEdit* selectionStart_ = nullptr;
    QLabel* tagCount_ = nullptr;
    QList<QPushButton*> buttons_;
    uint32_t shownPositionId_ = 0;
    bool placed_ = false;
    bool closing_ = false;
};

} // namespace orders::gui
