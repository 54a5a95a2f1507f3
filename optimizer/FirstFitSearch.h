#pragma once
// First-fit passes over grouped pieces: the method of modes 0, 1 and above 5, and the sub-search
// that refills the space of a bar's last piece.

#include "optimizer/PieceGroups.h"

namespace kadrel {

// The pattern a search keeps: list positions of its pieces in placing order and its leftover.
struct SearchOutcome {
    std::vector<uint32_t> positions;
    uint64_t scrap = 0;
    bool found = false;   // a pattern was kept
};

// OPTIMIZE's first-fit passes from start offsets 0, 1, 2, ... (mode 0: a single pass), each
// improved by the sub-search. scrap is the bar length when nothing fits.
SearchOutcome firstFitSearch(const PieceGroups& pieces, uint32_t barLength, uint8_t mode,
                             uint32_t sawWidth);

// SUBOPTIMIZE over grouped pieces: first-fit passes from every start, without improvement.
SearchOutcome subSearch(const PieceGroups& pieces, uint64_t freeLength, uint64_t sawWidth);

} // namespace kadrel
