#pragma once
// The stock of the catalogue as text for a spreadsheet: a title with the moment of the export, a
// heading, then one line per profile and stock length (profile code, remnant length, length and the
// three counts right-aligned in 13 positions, "TAK" for a length always available on the market).
// Fields are separated by a tab, every line ends with a carriage return.

#include "global/Database.h"

#include <QDateTime>
#include <QString>

namespace stock {

enum class LengthsShown {
    Active,   // the tab "Aktywne": a length holding nothing is left out unless it is a commercial one
    All,      // the tab "Wszystkie"
};

// Builds the text; returns 0 or the error number with error holding the message.
int stockExportText(global::Database& db, const QDateTime& now, LengthsShown shown, QString& text, QString& error);

// What the catalogue shows once the text is on the clipboard.
QString stockExportDoneMessage();

} // namespace stock
