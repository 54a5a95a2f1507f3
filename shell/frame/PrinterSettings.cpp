#include "shell/frame/PrinterSettings.h"

#include <QPrintDialog>
#include <QCoreApplication>
#include <QPrinter>

namespace shell {

namespace {
QPrinter* printer = nullptr;

// The printer goes while the application still exists (its print engine needs it).
void releasePrinter()
{
    delete printer;
    printer = nullptr;
}
} // namespace

QPrinter& programPrinter()
{
    if (!printer) {
        printer = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(releasePrinter);
    }
    return *printer;
}

bool choosePrinter(QWidget* parent)
{
    QPrintDialog dialog(&programPrinter(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace shell
