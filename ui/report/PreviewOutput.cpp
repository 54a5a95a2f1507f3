#include "ui/report/PreviewOutput.h"

#include "ui/report/Report.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>

namespace ui::report {

bool PreviewOutput::output(const Report& report, global::Progress& progress)
{
    error_.clear();
    printer_.setPageLayout(report.pageSetup().layout());
    printer_.setDocName(report.title());
    QPrintPreviewDialog dialog(&printer_, parent_);
    dialog.setWindowTitle(report.title());
    bool firstPaint = true;
    bool cancelled = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
        QString error;
        // The progress window accompanies the first layout only; later paints (zoom, print) are quick.
        if (!paintReport(report, *printer, firstPaint ? &progress : nullptr, error)) {
            if (error.isEmpty())
                cancelled = true;
            else
                error_ = error;
        }
        firstPaint = false;
        if (cancelled)   // the preview may still be opening: close it once it runs
            QTimer::singleShot(0, &dialog, &QDialog::reject);
    });
    dialog.exec();
    return !cancelled && error_.isEmpty();
}

} // namespace ui::report
