#include "orders/gui/OrderPrintPreview.h"

#include "global/ErrorCodes.h"
#include "orders/OrderPrint.h"
#include "ui/report/PreviewOutput.h"
#include "ui/window/WindowContext.h"

#include <QPrinter>
#include <QWidget>
#include <limits>
#include <memory>

namespace orders {

void printOrder(ui::WindowContext& context, qint64 orderId, QWidget* parent)
{
    if (orderId <= 0 || orderId > qint64(std::numeric_limits<uint32_t>::max())) {
        context.services.dialogs.message(
            QStringLiteral("Systemowy błąd odwołania do zamówienia. Numer błędu = %1").arg(global::err::RecordNotFound));
        return;
    }
    std::unique_ptr<ui::report::ReportOutput> output = context.reportOutput ? context.reportOutput() : nullptr;
    if (output) {
        printOrder(context.database, context.services, uint32_t(orderId), *output);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    ui::report::PreviewOutput preview(printer, parent);
    printOrder(context.database, context.services, uint32_t(orderId), preview);
}

} // namespace orders
