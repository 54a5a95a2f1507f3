#pragma once
// A report written to a PDF file. The file is complete or absent: it is written under a temporary
// name beside it and takes its name only when the whole report has been written.

#include "ui/report/ReportOutput.h"

namespace ui::report {

class PdfOutput : public ReportOutput {
public:
    explicit PdfOutput(QString filePath) : filePath_(std::move(filePath)) {}

    bool output(const Report& report, global::Progress& progress) override;
    const QString& filePath() const { return filePath_; }
    // How many pages the last report written had.
    int pages() const { return pages_; }

private:
    QString filePath_;
    int pages_ = 0;
};

} // namespace ui::report
