#pragma once
// A join defined for a cut piece: the piece may be made of two sections, given as the share of the
// first section in percent or as the two section lengths, or the splitting is switched off. The
// definition applies to some or all pieces of one CUTS record; for some, the record is split in two.
//
// The form keeps either all three of percentage, first and second section at 0 (no split), or both
// sections above 0 and adding up to the piece length.

#include "global/Database.h"
#include "global/Records.h"
#include "global/Services.h"

namespace stock {

struct Sections {
    double percentage = 0;   // share of the first section, percent of the piece length
    uint32_t first = 0;      // LENGHT1, mm
    uint32_t second = 0;     // LENGHT2, mm

    bool operator==(const Sections&) const = default;
};

// What the form computes on leaving each field. A value beyond the piece (or the percentage outside
// 0 to 100) clears all three; a section of 0 clears all three.
Sections sectionsFromPercentage(uint32_t pieceLength, double percentage);
Sections sectionsFromFirst(uint32_t pieceLength, uint32_t first);
Sections sectionsFromSecond(uint32_t pieceLength, uint32_t second);

// Whether the sections keep the rule of the form for a piece of this length.
bool sectionsFit(const Sections& sections, uint32_t pieceLength);

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
