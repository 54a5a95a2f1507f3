#pragma once
// OPTIMIZECOMBINATION: for one combination of stock lengths, after the first bar, cut the rest of
// the demand bar after bar from the available bar (stock length or leftover) whose best pattern
// leaves the smallest leftover, joining a piece of two sections where a leftover is long enough.

#include "optimizer/WorkTables.h"

#include <functional>

namespace kadrel {

class ControlTime;

// The bar-pattern search a calculation works with (OPTIMIZE with the run's saw width).
using BarPatternSearch = std::function<Response(const PrsTable& demand, uint32_t barLength,
                                                CsTable& selection, uint32_t& scrap, uint8_t mode)>;

struct CombinationContext {
    const BarPatternSearch& search;
    ControlTime& controlTime;
    uint32_t extTolerance = 10;     // GLO:EXT_TOLERANCE: what a joint leaves of a leftover
};

// bars: available bars after the first bar (its leftover included); demand: pieces still to cut;
// results: rows are appended (the first bar's leftover row may be rewritten as a first section);
// pieces: the demand per cut record; pieceStates: this combination's final piece table is
// appended on every exit. Returns Completed on a normal end (also when demand stays uncut),
// Cancelled when the operator stopped at the control time or the pattern search failed.
Response optimizeCombination(uint32_t combination, const CombinationTable& bars,
                             const PrsTable& demand, ResultTable& results, const SPrtTable& pieces,
                             SPrt2Table& pieceStates, uint8_t mode, uint32_t extend,
                             const CombinationContext& context);

} // namespace kadrel
