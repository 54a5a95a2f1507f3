#include "PrinterSettings.h"

#include <QPrintDialog>
#include <QPrinter>

namespace shell {

QPrinter& programPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool choosePrinter(QWidget* parent)
{
    QPrintDialog dialog(&programPrinter(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace shell
