#pragma once
// The bar-pattern search walked piece by piece, by position, exactly as the rules read: slow
// (its level search grows with the cube of the number of pieces) but plain to check. The tests
// hold the product's search against it.

#include "optimizer/WorkTables.h"

namespace kadrel::oracle {

Response literalOptimize(const PrsTable& demand, uint32_t barLength, CsTable& selection,
                         uint32_t& scrap, uint8_t mode, uint32_t sawWidth);

Response literalSubOptimize(const PrsTable& candidates, uint32_t freeLength, CsTable& selection,
                            uint32_t& scrap, uint32_t sawWidth);

} // namespace kadrel::oracle
