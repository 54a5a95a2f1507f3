#include "global/PieceSections.h"

#include <cmath>

namespace global {

namespace {

// A section of 0 means the piece is not split at all.
Sections withoutEmptySection(const Sections& s)
{
    if (s.first == 0 || s.second == 0)
        return Sections{};
    return s;
}

double percentageOf(uint32_t first, uint32_t pieceLength)
{
    return double(first) / double(pieceLength) * 100.0;
}

} // namespace

Sections sectionsFromPercentage(uint32_t pieceLength, double percentage)
{
    if (!(percentage >= 0 && percentage <= 100) || pieceLength == 0)
        return Sections{};
    // Cut towards zero: 33.3 % of 6000 mm gives 1997 mm.
    const auto first = static_cast<uint32_t>(std::trunc(double(pieceLength) * percentage / 100.0));
    return withoutEmptySection(Sections{percentage, first, pieceLength - first});
}

Sections sectionsFromFirst(uint32_t pieceLength, uint32_t first)
{
    if (first > pieceLength || pieceLength == 0)
        return Sections{};
    return withoutEmptySection(Sections{percentageOf(first, pieceLength), first, pieceLength - first});
}

Sections sectionsFromSecond(uint32_t pieceLength, uint32_t second)
{
    if (second > pieceLength || pieceLength == 0)
        return Sections{};
    const uint32_t first = pieceLength - second;
    return withoutEmptySection(Sections{percentageOf(first, pieceLength), first, second});
}

bool sectionsFit(const Sections& s, uint32_t pieceLength)
{
    if (s.first == 0 && s.second == 0)
        return s.percentage == 0;
    return s.first > 0 && s.second > 0 && uint64_t(s.first) + s.second == pieceLength;
}

} // namespace global
