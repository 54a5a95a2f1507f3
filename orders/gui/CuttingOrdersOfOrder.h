#pragma once
// CUTDISPOSFROMORDER "Lista poleceń cięcia związanych ze wskazanym zamówieniem": the cutting orders
// that hold pieces of one order, each once, with their totals, in a window with one list and the
// button "Zamknij".

#include "global/Records.h"

#include <QDialog>
#include <QList>

class QTableWidget;

namespace ui { struct WindowContext; }

namespace orders::gui {

class CuttingOrdersDialog : public QDialog {
    Q_OBJECT
public:
    CuttingOrdersDialog(const QList<global::StockTransRecord>& cuttingOrders, QWidget* parent = nullptr);
    QTableWidget& list() const { return *list_; }

private:
    QTableWidget* list_ = nullptr;
};

// Reads the cutting orders of the order and shows them; a failed read is reported instead.
void showCuttingOrdersOfOrder(ui::WindowContext& context, uint32_t orderId, QWidget* parent = nullptr);

} // namespace orders::gui
