#pragma once
// The order print from the orders browse: the report of the current order in the print preview,
// printed when the operator accepts it.

#include <QtGlobal>

class QWidget;

namespace ui { struct WindowContext; }

namespace orders {

// Builds the print of the order and shows it where the context sends reports (the print preview
// over the program's printer; a print preview over the default printer when the context names no
// output). Failures are shown through the context's messages.
void printOrder(ui::WindowContext& context, qint64 orderId, QWidget* parent);

} // namespace orders
