#pragma once
// The bar-pattern search: which of the demanded pieces to cut from one bar so that the leftover
// is smallest. Every cut costs the saw width.

#include "WorkTables.h"

namespace kadrel {

// OPTIMIZE. demand: lengths with piece counts (not changed). Fills selection with the best
// pattern (running piece numbers of the expanded demand and lengths, in placing order) and
// writes its leftover to scrap. Modes 2 to 5 run the level search (which leaves scrap untouched
// when no piece fits); every other mode runs first-fit passes (mode 0 a single one).
Response optimize(const PrsTable& demand, uint32_t barLength, CsTable& selection, uint32_t& scrap,
                  uint8_t mode, uint32_t sawWidth);

// SUBOPTIMIZE: first-fit passes over single candidate pieces in a free length.
Response subOptimize(const PrsTable& candidates, uint32_t freeLength, CsTable& selection,
                     uint32_t& scrap, uint32_t sawWidth);

} // namespace kadrel
