#pragma once
// Whole numbers given on a command line: decimal digits and nothing else (no spaces before or
// after, no other characters; a minus sign only where a number may be negative), within a range.

#include <QStringView>

#include <cstdint>
#include <optional>

namespace global {

inline std::optional<uint64_t> readWholeNumber(QStringView text, uint64_t max)
{
    if (text.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c.unicode() - u'0');
        if (digit > max || value > (max - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// The same with an optional leading minus sign, from min to max.
inline std::optional<int64_t> readSignedNumber(QStringView text, int64_t min, int64_t max)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const uint64_t limit = negative ? uint64_t(0) - static_cast<uint64_t>(min) : static_cast<uint64_t>(max);
    if ((negative && min >= 0) || (!negative && max < 0))
        return std::nullopt;
    const std::optional<uint64_t> magnitude = readWholeNumber(negative ? text.sliced(1) : text, limit);
    if (!magnitude)
        return std::nullopt;
    return negative ? static_cast<int64_t>(uint64_t(0) - *magnitude) : static_cast<int64_t>(*magnitude);
}

} // namespace global
