#pragma once
// ORDERUPDATE and CLOSE_ORDER: the procedures that change whole orders.
//
//   orders::OrderUpdate update(db, services);
//   update.setStatus(orderId, OrderStatus::Approved);   // approves the order and all its pieces
//
// An order's status moves between new (0) and approved (1) only together with all its pieces, and
// only while none of them is in production or later (the order's status level, the highest piece
// status, is below 2). Every write re-reads what it depends on inside its transaction and writes
// all or nothing; every refusal and failure is shown through the services' dialogs.

#include "orders/OrderWrites.h"

#include <optional>

namespace orders {

class OrderUpdate {
public:
    OrderUpdate(global::Database& db, const global::Services& services);

    // Adds a new order (status new) with the buffer's number and texts; the buffer receives the
    // stored order. A blank number is refused; a number another order has answers Duplicate.
    OrderResponse insert(global::OrderRecord& order);

    // Writes the edited header (number, customer, project, stage) over the order as it was loaded.
    // The order's status is carried down to all its pieces again, so the change is refused once a
    // piece is in production; a closed order is not changed. Refused when another station changed
    // or deleted the order since it was loaded; Duplicate when the number is another order's.
    OrderResponse change(const global::OrderRecord& loaded, global::OrderRecord& order);

    // Approves (Approved) or withdraws (New) an order with all its pieces. expected: the status the
    // caller saw; when the order has another one by now it is left alone (answer Cancelled).
    OrderResponse setStatus(uint32_t orderId, global::OrderStatus status,
                            std::optional<uint16_t> expected = std::nullopt);

    // Asks, then deletes the order with its positions, pieces and exclusions of stock lengths;
    // refused once a piece is in production.
    OrderResponse remove(uint32_t orderId);

    // The last message shown, empty when none.
    QString lastMessage() const { return lastMessage_; }

private:
    OrderResponse refuse(const QString& text);
    OrderResponse fail(const QString& what, int code, const QString& detail);
    // Sets the status of every piece of the order; 0 or a table error (what names the step).
    int cascade(uint32_t orderId, uint16_t status, QString& what, QString& detail);
    bool numberTaken(const global::OrderRecord& order, int& code, QString& detail);
    QString statusRefusal(uint16_t status) const;

    global::Database& db_;
    const global::Services& services_;
    QString lastMessage_;
};

// CLOSE_ORDER: closes an order (status 3). Refused while pieces of the order wait in open cutting
// orders (they are listed). Pieces not cut (new, approved, in production) are listed with the
// question whether to close anyway; on yes they are abandoned (status 4). Without such pieces the
// closing is confirmed first. Done when the order was closed.
OrderResponse closeOrder(global::Database& db, const global::Services& services, uint32_t orderId);

} // namespace orders
