#pragma once
// The order form of ORDERUPDATE "Edycja rekordu zamówienia / zlecenia": the order number (at most 20
// characters typed), the customer, the project and the stage. Saving goes through the order
// procedures (orders/OrderUpdate.h): a new order starts new; a changed header carries the order's
// status to its pieces again. A number another order has keeps the form open; left then without
// saving, the form answers Duplicate and the caller's record holds that number, so that the list
// can stand on the order that has it.

#include "global/Records.h"
#include "orders/OrderWrites.h"
#include "ui/form/FormRequest.h"

#include <QDialog>

class QLineEdit;

namespace ui { struct WindowContext; }

namespace orders {

class OrderForm : public QDialog {
    Q_OBJECT
public:
    OrderForm(ui::WindowContext& context, ui::FormRequest request, const global::OrderRecord& order,
              QWidget* parent = nullptr);

    // Insert and change show the form; delete asks and deletes without it. The order receives the
    // stored record on Done and the edited one on Duplicate.
    static OrderResponse run(ui::WindowContext& context, ui::FormRequest request, global::OrderRecord& order,
                             QWidget* parent = nullptr);

    OrderResponse response() const { return response_; }
    const global::OrderRecord& order() const { return order_; }
    // NUMBER, CUSTOMER, PROJECT, ETAP
    QLineEdit* field(const QString& name) const;
    void pressSave();

private:
    ui::WindowContext& context_;
    ui::FormRequest request_;
    global::OrderRecord loaded_;
    global::OrderRecord order_;
    OrderResponse response_ = OrderResponse::Cancelled;
};

} // namespace orders
