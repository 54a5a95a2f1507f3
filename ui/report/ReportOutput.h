#pragma once
// Where a finished report goes, and the progress of building it. Procedures that print take both
// as services: the desktop program shows a print preview and a progress window with Cancel, the
// command line and the tests write a PDF file and need no one to answer.

#include <QString>

namespace ui::report {

class Report;

class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    // The share done, 0 to 100. False when the operator cancelled: the report is then abandoned.
    virtual bool advance(int percent) = 0;
};

// Never cancels.
class SilentProgress : public ReportProgress {
public:
    bool advance(int) override { return true; }
};

class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // Shows, prints or writes the report. False when nothing was output: errorText() tells why
    // (empty when the operator cancelled).
    virtual bool output(const Report& report, ReportProgress& progress) = 0;
    QString errorText() const { return error_; }

protected:
    QString error_;
};

} // namespace ui::report
