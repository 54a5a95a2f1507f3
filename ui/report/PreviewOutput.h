#pragma once
// The desktop program's report output: the print preview over the program's printer (the one
// chosen with "Ustawienia drukarki"), which prints when the operator accepts it; and the progress
// window shown while a report is built.

#include "ui/report/ReportOutput.h"

#include <QPointer>

class QPrinter;
class QProgressDialog;
class QWidget;

namespace ui::report {

class PreviewOutput : public ReportOutput {
public:
    PreviewOutput(QPrinter& printer, QWidget* parent = nullptr) : printer_(printer), parent_(parent) {}

    // Shows the preview modally; true once it has been shown (printed or not).
    bool output(const Report& report, ReportProgress& progress) override;

private:
    QPrinter& printer_;
    QPointer<QWidget> parent_;
};

// "Progress..." with "% Completed" and Cancel; shown once building takes a moment.
class ProgressWindow : public ReportProgress {
public:
    explicit ProgressWindow(QWidget* parent = nullptr);
    ~ProgressWindow() override;

    bool advance(int percent) override;

private:
    QProgressDialog* dialog_;
};

} // namespace ui::report
