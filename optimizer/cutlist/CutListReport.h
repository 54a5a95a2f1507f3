#pragma once
// The printed cut list (PRINTCUTS, PRINTCUTSPL, PRINTCUTSEN): the cut list laid out on A4 landscape
// pages in the report engine and handed to the report output (the print preview in the program,
// a PDF file on the command line).

#include "optimizer/cutlist/CutList.h"

#include <QString>

#include "global/Services.h"

namespace global { class Database; }
namespace ui::report {
class Report;
class ReportOutput;
} // namespace ui::report

namespace kadrel {

// The pages of a cut list. logoFile: the picture at the top right of every page ("" or a missing
// file: none).
ui::report::Report cutListReport(const CutList& cutList, const QString& logoFile);

// The logo's place in the page header (report millimetres), by its width and height in pixels:
// 13 high with its right edge at 270, or, when that would start left of 160, 110 wide from 160,
// centred in the 13-high strip.
QRectF logoPlace(int width, int height);

// What printing a cut list works with: the services give the messages, the print date, the
// operator and station of the footer, and the progress window with Cancel.
struct CutListPrinting {
    global::Database& db;
    global::Services services;
    ui::report::ReportOutput& output;
};

// PRINTCUTSPL and PRINTCUTSEN: build the cut list and send it to the output. The field map
// formats the piece descriptions; GLO:PrintSubcontr numbers the subcontract projects. Failures are
// shown; returns true when the report went to the output.
bool printCutsPl(const CutListPrinting& printing, uint32_t profile, const SolutionItemTable& bars,
                 const SolutionSubitemTable& pieces, uint32_t transaction, bool summary);
bool printCutsEn(const CutListPrinting& printing, uint32_t profile, const SolutionItemTable& bars,
                 const SolutionSubitemTable& pieces, uint32_t transaction);

// PRINTCUTS: the Polish or English cut list by the language setting ("PL" or "EN" in any case);
// any other language prints nothing and returns false.
bool printCuts(const CutListPrinting& printing, const QString& language, uint32_t profile,
               const SolutionItemTable& bars, const SolutionSubitemTable& pieces, uint32_t transaction, bool summary);

} // namespace kadrel
