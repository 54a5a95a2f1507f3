#pragma once
// The largest demand one optimizer run takes. Larger problems are refused before the calculation
// starts, with a message naming the limit: within these limits a run of five stock lengths ends
// within a minute and 2 GB of memory with every method (docs/performance.md has the measurements).
// The searches grow with the pieces times the distinct lengths, so that product has a limit of
// its own: 20,000 pieces of up to 100 lengths, or 10,000 pieces of up to 200.

#include <cstdint>

namespace kadrel {

struct RunLimits {
    // Pieces of one run; a piece cut as two sections counts twice.
    static constexpr uint64_t MaxPieces = 20000;
    // Distinct piece lengths (sections included) of one run.
    static constexpr uint64_t MaxLengths = 200;
    // Pieces times distinct lengths.
    static constexpr uint64_t MaxPiecesTimesLengths = 2000000;
    // The longest piece or stock length, as the forms allow.
    static constexpr uint64_t MaxLength = 2147483647;
    // The summed length of the pieces of one run, so that every total, also in metres with their
    // three decimals, is exact.
    static constexpr uint64_t MaxTotalLength = 1000000000000;
};

} // namespace kadrel
