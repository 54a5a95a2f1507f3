#pragma once
// TRANSITEMS, the window "Techniczna lista transakcji ": the bars of one cutting order in print
// order with their heat numbers, and under each bar the pieces cut from it. On a bar line the heat
// number is edited through the heat-number form, copied into the field of the remembered number
// and pasted from it into other bars (every bar line highlighted). A cutting order made by an older
// version, whose bars have no print numbers yet, is not shown: printing it numbers them.
//
//   transactions::gui::runTransItems(context, orderId, heatNumberForm, parent);

#include "transactions/TransItemsTree.h"
#include "ui/form/FormRequest.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace ui { struct WindowContext; }

namespace transactions::gui {

inline const QString TransItemsWindowName = QStringLiteral("TransItems");

// The heat-number form of one bar (UPD_HEATNO): answers as a record form and leaves the stored bar
// in its argument on Done.
using HeatNumberForm =
    std::function<ui::FormResponse(ui::FormRequest request, global::StockTransItemRecord& bar, QWidget* parent)>;

class TransItemsWindow : public QDialog {
    Q_OBJECT
public:
    enum Role { BarRole = Qt::UserRole + 1 };   // the bar's place in lines().bars; -1 on other lines

    TransItemsWindow(ui::WindowContext& context, uint32_t transaction, HeatNumberForm heatNumberForm,
                     QWidget* parent = nullptr);
    ~TransItemsWindow() override;

    // Reads the tree again, keeping the highlighted bar and the opened bars. False when it cannot be
    // shown (the message has been shown): the window is then to close.
    bool load();

    uint32_t transaction() const { return transaction_; }
    const TransItemsTree& lines() const { return tree_; }
    QTreeView& tree() const { return *view_; }
    QStandardItemModel& model() const { return *model_; }
    QLineEdit& rememberedNumber() const { return *remembered_; }
    // "EXPAND", "CONTRACT", "CHANGE", "COPYHEATNO", "PASTEHEATNO", "CLOSE".
    QPushButton* button(const QString& objectName) const;

    // The bar of the highlighted line; none on the root line and on piece lines.
    const TransItemsBar* currentBar() const;
    // Highlights the line of a bar (by its place in lines().bars) or, with piece >= 0, of one of its pieces.
    void highlightBar(int bar, int piece = -1);
    // Adds the line of a bar to the highlighted ones.
    void addBarToSelection(int bar);

    void expandAll();
    void contractAll();
    // The heat-number form on the highlighted bar: change, and the insert and delete it refuses.
    void editHeatNumber(ui::FormRequest request);
    void copyHeatNumber();
    // Writes the remembered number into every highlighted bar.
    void pasteHeatNumber();

protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* makeButton(const char* name, std::function<void()> action);
    void showContextMenu(const QPoint& pos);
    QList<int> highlightedBars() const;
    void updateButtons();
    void retranslate();

    ui::WindowContext& context_;
    uint32_t transaction_;
    HeatNumberForm heatNumberForm_;
    TransItemsTree tree_;
    HeatNumberCopy copy_;
    QStandardItemModel* model_ = nullptr;
    QTreeView* view_ = nullptr;
    QLineEdit* remembered_ = nullptr;
    QList<QPushButton*> buttons_;
    bool placed_ = false;
};

// Shows the window modally for one cutting order; returns when it closes.
void runTransItems(ui::WindowContext& context, uint32_t transaction, const HeatNumberForm& heatNumberForm,
                   QWidget* parent = nullptr);

} // namespace transactions::gui
