#pragma once
// EXTENSIONSEXPORT: the list of joints of a solution (pieces made of two sections) as
// tab-separated text for a spreadsheet: a title line, a heading line and one line per joint with its
// link code, the piece code, the piece length and the two section lengths. Lines end with a
// carriage return alone.

#include "optimizer/WorkTables.h"

#include <QString>

namespace global {
class Database;
struct Services;
} // namespace global

namespace kadrel {

inline const QString ExtensionsCopiedMessage = QStringLiteral("Dane w schowku. Proszę wkleić do arkusza");

// The joint list of the pieces. stockTransaction 0: the pieces come from the optimizer and their
// texts (section mark, code, descriptions, order) are read from the cut records and orders;
// otherwise they carry them. Returns false with error set when the profile cannot be read.
bool extensionsExportText(global::Database& db, uint32_t profile, const SolutionSubitemTable& pieces,
                          uint32_t stockTransaction, QString& text, QString& error);

// Puts the joint list on the clipboard and says so; a failure is shown and leaves the clipboard
// as it was. Returns true when the clipboard was set.
bool extensionsExport(global::Database& db, const global::Services& services, uint32_t profile,
                      const SolutionItemTable& bars, const SolutionSubitemTable& pieces, uint32_t stockTransaction);

} // namespace kadrel
