#pragma once
// CHECK_DUPLICATES: the identical bars of a solution, so that a summarised cut list prints each
// kind of bar once with its count. Bars are identical when they have the same length, the same
// leftover and the same pieces in the same order: same length, code, descriptions and order
// number. A bar that holds a section of a joined piece is never merged with another, and neither
// is a bar without pieces.

#include "optimizer/WorkTables.h"

#include <vector>

namespace global { class Dialogs; }

namespace kadrel {

class PieceRecords;

// TB_RET: one row per group of identical bars.
struct DuplicateGroup {
    uint32_t barId = 0;   // S_SOLI:ID of the group's first bar in sorted order
    uint32_t count = 0;   // bars in the group
};

// Fills groups (cleared first) and returns true; every bar belongs to exactly one group, so the
// counts add up to the number of bars. A piece whose bar is not in the bar list ends the check
// with a message and false, leaving groups empty.
bool checkDuplicates(const SolutionItemTable& bars, const SolutionSubitemTable& pieces, PieceRecords& records,
                     global::Dialogs& dialogs, std::vector<DuplicateGroup>& groups);

} // namespace kadrel
