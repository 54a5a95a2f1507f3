#pragma once
// The pieces a pattern search works on, longest first, kept as runs of equal length. The searches
// reason about a run as a whole and only name single pieces (by their running numbers) in the
// patterns they return; position p of the list is the p-th single piece (0-based).

#include "optimizer/WorkTables.h"

#include <vector>

namespace kadrel {

struct PieceGroup {
    uint32_t lenght = 0;
    uint32_t count = 0;
    uint32_t first = 0;   // list position of the group's first piece

    uint32_t end() const { return first + count; }
};

// Pieces with consecutive running numbers at consecutive positions.
struct NumberRun {
    uint32_t position = 0;   // list position of the run's first piece
    uint32_t firstId = 0;    // its running number
};

struct PieceGroups {
    std::vector<PieceGroup> groups;
    std::vector<NumberRun> numbers;   // ascending positions; one run per demand row

    std::size_t pieceCount() const { return groups.empty() ? 0 : groups.back().end(); }
    bool empty() const { return groups.empty(); }
    // Running number of the piece at a list position.
    uint32_t idAt(uint32_t position) const;
    // The shortest piece, but never more than the length being filled.
    uint32_t shortest(uint32_t length) const;
    // Length of the piece at a list position.
    uint32_t lenghtAt(uint32_t position) const;
};

// OPTIMIZE's pieces: every demand row expanded into single pieces numbered 1, 2, 3, ... in the
// order they are created, then sorted longest first (equal lengths keep that order).
PieceGroups expandDemand(const PrsTable& demand);

// SUBOPTIMIZE's pieces: every row is one piece and keeps its own number; longest first, equal
// lengths in the order given.
PieceGroups piecesAsGiven(const PrsTable& candidates);

} // namespace kadrel
