#pragma once
// The level search of modes 2 to 5 over grouped pieces.

#include "optimizer/FirstFitSearch.h"

namespace kadrel {

// Chooses the first two (mode 3) or three pieces of the bar in every way and fills the rest
// first-fit; modes 4 and 5 start the bar only with the longest piece that fits. Keeps the first
// pattern with the smallest leftover; found stays false when no piece fits.
SearchOutcome levelSearch(const PieceGroups& pieces, uint32_t barLength, uint8_t mode,
                          uint32_t sawWidth);

} // namespace kadrel
