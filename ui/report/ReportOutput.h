#pragma once
// Where a finished report goes. Procedures that print take it as a service: the desktop program
// shows a print preview, the command line and the tests write a PDF file. The progress of building
// and drawing a report is the services' progress (global/Services.h), counted in percent.

#include <QString>

namespace global { class Progress; }

namespace ui::report {

class Report;

class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // Shows, prints or writes the report, telling progress the share of pages drawn. False when
    // nothing was output: errorText() tells why (empty when the operator cancelled).
    virtual bool output(const Report& report, global::Progress& progress) = 0;
    QString errorText() const { return error_; }

protected:
    QString error_;
};

} // namespace ui::report
