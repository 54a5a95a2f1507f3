#pragma once
// Combinations of stock lengths: every non-empty set of usable lengths whose bars together can
// hold the whole demand, numbered by the binary digits of the set.

#include "optimizer/WorkTables.h"

#include <string>

namespace global { class Dialogs; }

namespace kadrel {

// DECTOBIN: binary digits of a number, most significant first; 0 gives "0".
std::string decToBin(uint32_t decimal);

// CREATELENGHTSCOMBINATION: marks lengths shorter than the shortest piece useless and fills
// combinations with the surviving sets. Messages go to dialogs.
Response createLenghtsCombination(PrlTable& stock, PrcTable& combinations, uint32_t minCutLenght,
                                  int64_t totalLenght, global::Dialogs& dialogs);

} // namespace kadrel
