#pragma once
// A join defined for a cut piece: the piece may be made of two sections, given as the share of the
// first section in percent or as the two section lengths, or the splitting is switched off. The
// definition applies to some or all pieces of one CUTS record; for some, the record is split in two.
//
// The form keeps either all three of percentage, first and second section at 0 (no split), or both
// sections above 0 and adding up to the piece length.

#include "global/Database.h"
#include "global/PieceSections.h"
#include "global/Records.h"
#include "global/Services.h"

namespace stock {

// The section rules are shared with the order's piece form (global/PieceSections.h).
using global::Sections;
using global::sectionsFit;
using global::sectionsFromFirst;
using global::sectionsFromPercentage;
using global::sectionsFromSecond;

// The number of pieces the form offers back when the one typed is not between 1 and the record's.
uint32_t piecesToCut(uint32_t typed, uint32_t recordPieces);

enum class SectionsResponse { Done = 1, Cancelled = 2, Refused = 0 };

// Stores the join for `pieces` of the pieces of the cut record `pieceId`, in one transaction on the
// record read again: all of them take the sections and the switch; fewer split the record, the rest
// keeping their old values. Refused, with nothing written, for a piece in production or cut, for more
// pieces than the record holds now, or for sections that do not fit its length now. stored receives
// the record holding the join.
SectionsResponse saveSections(global::Database& db, const global::Services& services, uint32_t pieceId,
                              const Sections& sections, bool switchOff, uint32_t pieces, global::CutRecord& stored);

} // namespace stock
