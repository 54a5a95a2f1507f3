#pragma once
// The desktop program's report output: the print preview over the program's printer (the one
// chosen with "Ustawienia drukarki"), which prints when the operator accepts it.

#include "ui/report/ReportOutput.h"

#include <QPointer>

class QPrinter;
class QWidget;

namespace ui::report {

class PreviewOutput : public ReportOutput {
public:
    PreviewOutput(QPrinter& printer, QWidget* parent = nullptr) : printer_(printer), parent_(parent) {}

    // Shows the preview modally; true once it has been shown (printed or not). The progress
    // counts the first drawing of the pages, which Cancel abandons.
    bool output(const Report& report, global::Progress& progress) override;

private:
    QPrinter& printer_;
    QPointer<QWidget> parent_;
};

} // namespace ui::report
