#pragma once
// The two sections of a piece that may be made of two shorter ones joined later: given as the share
// of the first section in percent of the piece length, or as the length of either section. Either
// all three of percentage, first and second section are 0 (no split), or both sections are above 0
// and add up to the piece length.

#include <cstdint>

namespace global {

struct Sections {
    double percentage = 0;   // share of the first section, percent of the piece length
    uint32_t first = 0;      // LENGHT1
    uint32_t second = 0;     // LENGHT2

    bool operator==(const Sections&) const = default;
};

// What a form computes on leaving each field. A value beyond the piece (or the percentage outside
// 0 to 100) clears all three; a section of 0 clears all three.
Sections sectionsFromPercentage(uint32_t pieceLength, double percentage);
Sections sectionsFromFirst(uint32_t pieceLength, uint32_t first);
Sections sectionsFromSecond(uint32_t pieceLength, uint32_t second);

// Whether the sections keep the rule above for a piece of this length.
bool sectionsFit(const Sections& sections, uint32_t pieceLength);

} // namespace global
