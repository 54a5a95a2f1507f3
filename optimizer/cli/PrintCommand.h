#pragma once
// The cut-list files of the command line (print, accept --pdf).

#include "optimizer/WorkTables.h"

#include <QString>
#include <QStringList>

namespace global { class Database; }

namespace kadrel::cli {

// Writes the cut list (PL or EN; another language writes nothing) as a PDF file, complete or
// absent. False after a message on the console; pages gets the number of pages written.
bool writeCutListPdf(global::Database& db, const QString& file, const QString& language, uint32_t profile,
                     const SolutionItemTable& bars, const SolutionSubitemTable& pieces, uint32_t transaction,
                     bool summary, int& pages);

// Whether the command line (the arguments after the program name) runs a command that draws a
// report and so needs Qt's graphics: print, and accept with --pdf.
bool drawsReports(const QStringList& arguments);

} // namespace kadrel::cli
